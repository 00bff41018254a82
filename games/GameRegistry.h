// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

// The games that exist, each entered by its own file: the launcher's name, how to
// create its large- and small-card windows, and where the open ones are.
struct RegisteredGame {
    QString name;
    std::function<TGameForm *()> createLarge;
    std::function<TGameForm *()> createSmall;
    std::function<TGameForm *()> largeWindow;  // the open window, or null
    std::function<TGameForm *()> smallWindow;
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
            [&large]() -> TGameForm * { return large = CreateGameForm<Large>(); },
            [&small]() -> TGameForm * { return small = CreateGameForm<Small>(); },
            [&large]() -> TGameForm * { return large && large->isVisible() ? large.data() : nullptr; },
            [&small]() -> TGameForm * { return small && small->isVisible() ? small.data() : nullptr; },
        });
    }
};
