// SPDX-License-Identifier: MIT
#include "games/Games.h"

#include "games/KlondikeWindow.h"
#include "shell/GameCatalog.h"

namespace {

template <typename Large, typename Small>
void registerGame(const QString &name, QPointer<Large> &large, QPointer<Small> &small)
{
    GameEntry &game = GameCatalog::entries()[GameCatalog::indexOf(name)];
    game.createLarge = [&large] { return large = CreateGameForm<Large>(); };
    game.createSmall = [&small] { return small = CreateGameForm<Small>(); };
    // A window that has closed is on its way out, even before it is destroyed.
    game.largeWindow = [&large]() -> QWidget * { return large && large->isVisible() ? large.data() : nullptr; };
    game.smallWindow = [&small]() -> QWidget * { return small && small->isVisible() ? small.data() : nullptr; };
}

}  // namespace

void RegisterGames()
{
    registerGame(QStringLiteral("Klondike"), KlondikeForm, sKlondikeForm);
}
