// SPDX-License-Identifier: MIT
#pragma once
#include <QString>
#include <cstdint>

// The program's command-line jobs that run without the launcher.
namespace AppCommands {

// Prints the table of the named game after its first (silent) deal: one line per
// pile view, "ViewName:" and each card bottom to top. Returns the exit code.
int printDeal(const QString &gameName);

// Renders the launcher and every game window that exists after its first deal with
// the given seed, offscreen, to DIR/NAME.png. Returns the exit code.
int screenshots(const QString &directory, std::uint32_t seed);

}  // namespace AppCommands
