// SPDX-License-Identifier: MIT
#pragma once
#include "app/CommandLine.h"

#include <QString>
#include <cstdint>

// The program's command-line jobs that run without the launcher and without a
// player. Each runs in a headless session (settings of its own in a temporary
// folder, every dialog answered at once) and returns the program's exit code:
// 0 done, 1 failed, 2 asked for something that cannot be done.
namespace AppCommands {

// Writes every built-in picture, sound and animation frame to the folder.
int exportResources(const QString &directory);

// Prints the table of the named game after its first (silent) deal: one line per
// pile view, "ViewName:" and each card bottom to top. With more deals, those of the
// seeds from firstSeed on, each headed "# seed N".
int printDeal(const QString &gameName, std::uint32_t firstSeed = 1, int deals = 1);
// Prints the table of a saved game as printDeal prints a deal; 2 when the file
// cannot be used.
int printTable(const QString &path);

// Solves the first deals of the named game from the seed on, on every core, and
// prints one line per deal and a summary (and the winning lines when asked).
int solve(const QString &gameName, std::uint32_t firstSeed, const CommandLine::SolveRequest &request);
// Prints the player's statistics (the file beside the player's settings) as CSV:
// a header, then one row per game played; 1 when they cannot be read.
int printStatistics();
// Renders the launcher and every game window that exists after its first deal with
// the given seed, offscreen, to DIR/NAME.png.
int screenshots(const QString &directory, std::uint32_t seed);

}  // namespace AppCommands
