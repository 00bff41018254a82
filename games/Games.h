// SPDX-License-Identifier: MIT
#pragma once

// Tells the launcher's catalogue how to create the game windows that exist.
void registerGames();
