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
    game.largeWindow = [&large]() -> QWidget * { return large.data(); };
    game.smallWindow = [&small]() -> QWidget * { return small.data(); };
}

}  // namespace

void RegisterGames()
{
    registerGame(QStringLiteral("Klondike"), KlondikeForm, sKlondikeForm);
}
