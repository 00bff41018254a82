// SPDX-License-Identifier: MIT
#pragma once

// The one way the program ends: every game window closes through its own close,
// then the launcher, whose closing ends the event loop. Closing the launcher, the
// tray's Exit, a request to terminate and the end of the desktop session all come
// here.
namespace ProgramEnd {

enum class Asking {
    Player,  // a game window may ask the player, and may refuse to close
    Nobody,  // the program was told to end: nobody is there to answer
};

// Returns whether the program is ending. Asking the player, a refusal ends nothing.
// Asking nobody, a close that a game window puts off (while a sound plays) is tried
// again, and the loop ends in any case within a few seconds; a question already open
// to the player is not waited for.
bool end(Asking asking);

// True while game windows are closed with nobody to answer: a game window's close
// must then neither ask nor refuse (an unfinished game is kept when the player keeps
// games, and otherwise given up).
bool isUnattended();

// Closes every game window still open, asking nobody: for when the event loop has
// ended some other way.
void closeGames();

}  // namespace ProgramEnd
