// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

namespace Solver {

// Beleaguered Castle: eight face-up rows built down regardless of suit, one card at
// a time; an empty row takes any card; the Aces start on the foundations.
class CastleRules final : public TableRules
{
public:
    static constexpr std::int64_t restartNodes = 2000;
    static constexpr int restartShuffle = 50;
    CastleRules();
    bool load(const TableText &text, const Options &options, std::string &error) override;
    void moves(std::vector<Move> &list) const override;
    void apply(Move &move) override { table.moveRun(move.from, move.to, 1); }
    void undo(const Move &move) override { table.moveRun(move.to, move.from, 1); }
    bool isWon() const override { return cardsHome() == 52; }
    bool safeMove(Move &move) const override { return safeMoveFrom(columns, Build::AnySuit, move); }
};

}  // namespace Solver
