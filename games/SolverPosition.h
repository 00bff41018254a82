// SPDX-License-Identifier: MIT
#pragma once
#include "solver/Solver.h"

class GameWindow;

// What the solver needs from a live game window: which game it is, its table as
// dealText() shows it with the counters the window keeps beside it, and the
// options its menu shows. Taken on the window's thread, it is plain data; solving
// it may then run on any thread:
//   std::atomic<bool> stop = false;   // raised from another thread to cancel
//   Solver::Result result = Solver::solve(*position.game, position.table,
//                                         position.options, {2000, 0, &stop});
// result.verdict is winnable (result.line holds the moves, "FROMVIEW -> TOVIEW xN"
// or "click VIEW", each a drag or a press the window takes), unwinnable or unknown
// (budget spent or cancelled). The options include "Autoplay": the line leaves out
// the cards the window then sends home by itself.
struct SolverPosition {
    const Solver::GameInfo *game = nullptr;  // null: the solver does not know the game
    Solver::TableText table;
    Solver::Options options;

    static SolverPosition of(const GameWindow *window);
    // Sets the window's option through its menu, as a player would (and so in the
    // settings too); false when the game has no such option.
    static bool setOption(GameWindow *window, const std::string &key, bool value);
};
