// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

#include <array>

namespace Solver {

// Spider: two decks; ten columns, only their top cards face up at the deal; a stock
// that deals one face-up card onto every column, columns 1 to 10, when none is
// empty. Any descending run of face-up cards moves (with "SameSuitBuilds", only a
// run of one suit) onto a card one higher, whatever its suit, or into an empty
// column; a whole suit from King down to Ace goes onto an empty foundation, when
// the player drags it there. The card a move uncovers turns face up.
//
// While the stock lasts, which column holds what matters to its deals: the columns
// are then each a place of its own, and interchangeable only once it is empty.
//
// The search first leaves out moves that seldom help: splitting a run of one suit,
// moving a run from a card it goes on to another card of that rank unless the move
// joins it to its suit, a whole column into an empty one, and any but the first
// empty column as a target.
class SpiderRules final : public TableRules
{
public:
    SpiderRules();
    bool load(const TableText &text, const Options &options, std::string &error) override;
    void moves(std::vector<Move> &list) const override;
    void searchMoves(std::vector<Move> &list) const override;
    bool widen() override;
    static constexpr std::int64_t restartNodes = 2000;
    static constexpr int restartShuffle = 20;
    void apply(Move &move) override;
    void undo(const Move &move) override;
    bool isWon() const override { return cardsHome() == 104; }
    int value() const override;

private:
    // Does the card go on the one below it within a run that moves?
    bool continuesRun(Card card, Card below) const;
    // The lowest card of the column from which the cards above form a run.
    int runStart(int column) const;
    bool isWholeSuit(int column, int from) const;
    bool mayDeal() const;
    // The columns are one group (interchangeable) once the stock is spent.
    void groupColumns();
    // A move the first search leaves out.
    bool seldomHelps(const Move &move) const;
    // What each column adds to value(), brought up to date by every move.
    void rescore(int column);
    int &scoreOf(int column) { return columnScores[std::size_t(column - columns.front())]; }
    // What the top `count` cards of a column add to its score, and an empty column.
    int runScore(int column, int count) const;
    static int emptyScore();
    void turnTop(int column, bool up);
    std::array<int, 10> columnScores{};
    int stock;
    bool sameSuit = false;
    bool narrow = true;
};

}  // namespace Solver
