// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"
#include "shell/GameCatalog.h"

#include <QPointer>

// A game of the launcher's catalogue, seen from above the launcher: its windows are
// game windows.
class RegisteredGame : public GameEntry
{
public:
    GameWindow *createLarge() const override = 0;
    GameWindow *createSmall() const override = 0;
    GameWindow *largeWindow() const override = 0;
    GameWindow *smallWindow() const override = 0;

protected:
    using GameEntry::GameEntry;
    ~RegisteredGame() = default;
};

namespace GameRegistry {
const RegisteredGame *find(const QString &name);  // in any case; null when no game has that name
}  // namespace GameRegistry

// A game file declares one of these at namespace scope to enter itself: its launcher
// name, its preview picture and the pointers that hold its windows.
template <class Large, class Small>
class GameRegistration final : public RegisteredGame
{
public:
    GameRegistration(const char *name, const char *preview, QPointer<Large> &large, QPointer<Small> &small)
        : RegisteredGame(QString::fromLatin1(name), QString::fromLatin1(preview)), large(large), small(small)
    {
    }

    GameWindow *createLarge() const override { return large = createGameWindow<Large>(); }
    GameWindow *createSmall() const override { return small = createGameWindow<Small>(); }
    GameWindow *largeWindow() const override { return shown(large); }
    GameWindow *smallWindow() const override { return shown(small); }

private:
    // A window that has closed is on its way out, even before it is destroyed.
    template <class Window>
    static GameWindow *shown(const QPointer<Window> &window)
    {
        return window && window->isVisible() ? window.data() : nullptr;
    }

    QPointer<Large> &large;
    QPointer<Small> &small;
};
