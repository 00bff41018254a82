// SPDX-License-Identifier: MIT
#include "games/GameRegistry.h"

const RegisteredGame *GameRegistry::find(const QString &name)
{
    const int index = GameCatalog::indexOf(name);
    // Only the games' own registrations enter the catalogue.
    return index < 0 ? nullptr : static_cast<const RegisteredGame *>(GameCatalog::entries()[index]);
}
