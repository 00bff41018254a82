// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

namespace Solver {

// Face-up columns, four free cells of one card and four foundations (Free Cell, Sea
// Towers). A run leaves a column only when the empty free cells could carry it card
// by card: at most one card more than there are empty free cells, whatever the
// empty columns. Each game gives its piles, how runs build, and whether an empty
// column takes only a King.
class CellRules : public TableRules
{
public:
    void moves(std::vector<Move> &list) const override;
    void apply(Move &move) override { table.moveRun(move.from, move.to, move.count); }
    void undo(const Move &move) override { table.moveRun(move.to, move.from, move.count); }
    bool isWon() const override { return cardsHome() == 52; }
    bool safeMove(Move &move) const override;
    int value() const override;
    bool load(const TableText &text, const Options &options, std::string &error) override;

protected:
    CellRules(Build build, bool kingsOnly) : build(build), kingsOnly(kingsOnly) {}
    bool buildsOn(Card card, Card onto) const;
    // How many cards from the top of the column form a run.
    int runLength(int column) const;

private:
    // `movable`, by column: the longest run that may leave it.
    void movesToColumns(std::vector<Move> &list, const std::array<int, 16> &movable, bool toEmpty) const;
    Build build;
    bool kingsOnly;
};

class FreeCellRules final : public CellRules
{
public:
    static constexpr std::int64_t restartNodes = 250;
    static constexpr int restartShuffle = 50;
    FreeCellRules();
};

class SeaTowersRules final : public CellRules
{
public:
    SeaTowersRules();
};

}  // namespace Solver
