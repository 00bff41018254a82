// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

// The games that exist, each entered by its own file: the launcher's name, how to
// create its large- and small-card windows, and where the open ones are.
struct RegisteredGame {
    QString name;
    std::function<GameWindow *()> createLarge;
    std::function<GameWindow *()> createSmall;
    std::function<GameWindow *()> largeWindow;  // the open window, or null
    std::function<GameWindow *()> smallWindow;
};

namespace GameRegistry {
std::vector<RegisteredGame> &games();
const RegisteredGame *find(const QString &name);
}  // namespace GameRegistry

// A game file declares one of these at namespace scope to enter itself.
template <class Large, class Small>
struct GameRegistration {
    GameRegistration(const char *name, QPointer<Large> &large, QPointer<Small> &small)
    {
        // A window that has closed is on its way out, even before it is destroyed.
        GameRegistry::games().push_back({
            QString::fromLatin1(name),
            [&large]() -> GameWindow * { return large = createGameWindow<Large>(); },
            [&small]() -> GameWindow * { return small = createGameWindow<Small>(); },
            [&large]() -> GameWindow * { return large && large->isVisible() ? large.data() : nullptr; },
            [&small]() -> GameWindow * { return small && small->isVisible() ? small.data() : nullptr; },
        });
    }
};
