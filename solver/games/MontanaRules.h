// SPDX-License-Identifier: MIT
#pragma once
#include "solver/Rules.h"

#include <array>

namespace Solver {

// Montana: the deck without its Aces in a grid of four rows of thirteen places,
// four of them gaps. A gap in the first column takes a Two; any other gap the card
// of the same suit one higher than its left neighbour. Each row is to read Two to
// King of one suit. Every move is a press: on a card, which goes to the gap that
// takes it (a Two to the topmost gap of the first column); or on a gap, which
// brings in the card it takes (for the first column, the Two of the suit of a Three
// beside it, else the first Two in the grid outside that column). A drag is never
// needed: a card that could be dragged to a gap is sent there by the press.
//
// Counter "Redeals": "Shuffle Remaining" gathers the cards out of order and deals
// them again, twice a game, in an order the game's random generator makes: nothing
// in the position tells it. So the search leaves the redeal out. A win found
// without it is a win; but while a redeal is left, not finding one proves nothing,
// and the verdict is unknown.
class MontanaRules final : public GameRules
{
public:
    // Wins lie far apart among the many ways the gaps can wander: the search starts
    // again in spells with the moves shuffled.
    static constexpr std::int64_t restartNodes = 5000;
    static constexpr int restartShuffle = 100;
    MontanaRules();
    bool load(const TableText &text, const Options &options, std::string &error) override;
    void moves(std::vector<Move> &list) const override;
    void apply(Move &move) override { shift(move); }
    void undo(const Move &move) override { shift(move); }
    bool isWon() const override;
    bool knowsEveryMove() const override { return redeals >= 2; }
    void searchMoves(std::vector<Move> &list) const override;
    int value() const override;

private:
    static constexpr int rows = 4, columns = 13, places = rows * columns;
    // The gap a pressed card goes to, or -1.
    int gapFor(Card card) const;
    // The place of the card a pressed gap brings in, or -1.
    int cardFor(int gap) const;
    int placeOf(int rank, int suit) const { return where[std::size_t(makeCard(rank, suit))]; }
    int runLength(int row) const;
    // A move is a press on `from`: its card goes to the gap `to`, or the card at `to`
    // into its gap. Both ways, the card goes over to the empty one of the two places.
    void shift(const Move &move);
    std::array<std::int8_t, 64> where{};
    int redeals = 0;
};

}  // namespace Solver
