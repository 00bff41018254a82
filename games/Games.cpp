// SPDX-License-Identifier: MIT
#include "games/Games.h"

#include "games/GameRegistry.h"
#include "shell/GameCatalog.h"

std::vector<RegisteredGame> &GameRegistry::games()
{
    static std::vector<RegisteredGame> registered;
    return registered;
}

const RegisteredGame *GameRegistry::find(const QString &name)
{
    for (const RegisteredGame &game : games())
        if (game.name == name)
            return &game;
    return nullptr;
}

void registerGames()
{
    for (const RegisteredGame &game : GameRegistry::games()) {
        const int index = GameCatalog::indexOf(game.name);
        if (index < 0)
            continue;
        GameEntry &entry = GameCatalog::entries()[index];
        entry.createLarge = game.createLarge;
        entry.createSmall = game.createSmall;
        entry.largeWindow = game.largeWindow;
        entry.smallWindow = game.smallWindow;
    }
}
