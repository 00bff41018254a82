// SPDX-License-Identifier: MIT
#pragma once
// The solver: for a position of a game, is it winnable (with a winning line), not
// winnable at all (every position reachable from it was searched), or unknown (the
// budget ran out)? It knows every card, face-down ones too, as a player who may
// undo without limit in effect does. Thread-safe: each thread searches with a table
// of positions of its own.
#include "solver/Rules.h"
#include "solver/Search.h"

#include <memory>
#include <string>
#include <vector>

namespace Solver {

// An option of a game, named by its settings key; the window's menu item that sets it.
// A choice of two items names both ("DrawThree1" on, "DrawOne1" off); a check item
// only the first.
struct OptionInfo {
    std::string key;
    bool defaultValue;
    std::string menuItem;
    std::string offMenuItem = {};
};

struct GameInfo {
    std::string name;     // as the launcher lists it: "Free Cell"
    std::string caption;  // as the window names it: "FreeCell"
    std::vector<OptionInfo> options;
    std::unique_ptr<GameRules> (*make)();
    Result (*search)(GameRules &rules, const Limits &limits, Workspace &workspace);
};

const std::vector<GameInfo> &games();
// By the launcher's name or the window's caption, in any case; null when unknown.
const GameInfo *findGame(const std::string &name);
// "True", "false", "1", "0", "on", "off".
bool parseOptionValue(const std::string &text, bool &value);
// The game's options with their defaults, overridden by those given; false, with the
// reason, when a key is not one of the game's.
bool completeOptions(const GameInfo &game, const Options &given, Options &complete, std::string &error);

// Solves a position taken from a game window (dealText() and the window's
// counters) under the game's options. A position that is not one of the game's is
// unknown, with the reason in `error`. Another thread stops the search through
// `limits.cancel`.
Result solve(const GameInfo &game, const TableText &position, const Options &options, const Limits &limits,
             std::string *error = nullptr);

// The table this thread searches with, made at its first search.
Workspace &threadWorkspace();

}  // namespace Solver
