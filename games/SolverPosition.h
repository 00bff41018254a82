// SPDX-License-Identifier: MIT
#pragma once
#include "solver/Solver.h"

class GameWindow;

// What the solver needs from a live game window: which game it is, its table as
// dealText() shows it with the counters the window keeps beside it, and the
// options its menu shows. Solving it (on any thread, cancellable) is then
//   Solver::solve(*position.game, position.table, position.options, limits).
struct SolverPosition {
    const Solver::GameInfo *game = nullptr;  // null: the solver does not know the game
    Solver::TableText table;
    Solver::Options options;

    static SolverPosition of(const GameWindow *window);
    // Sets the window's option through its menu, as a player would (and so in the
    // settings too); false when the game has no such option.
    static bool setOption(GameWindow *window, const std::string &key, bool value);
};
