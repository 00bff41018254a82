// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

// The program as a player meets it. Each runs the event loop until its window
// closes and returns the program's exit code.
namespace PlayerWindows {

// Tells the desktop which entry the program's windows belong to. No display name is
// set: Qt would append it to every caption, and each window's caption is its own.
void nameProgram();

// The launcher with the preferences and the display check it keeps for the whole
// run; the program ends when the launcher closes, even while it sits hidden in the
// notification area with no other window open. A game named here opens at once,
// as a click on it in the list would open it. For start-up measurements the
// launcher can report its first paint and end the program there.
int runLauncher(const QString &game = QString(), bool quitAfterFirstPaint = false);

// What the launcher does when the desktop session ends: the program ends as when the
// launcher closes, asking the player only when the session lets it. False when a
// game window refused to close (the session's end is then cancelled).
bool endSession(bool playerMayAnswer);

// The table without rules, owned here for as long as the loop runs.
int runSandbox();

}  // namespace PlayerWindows
