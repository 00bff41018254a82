// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

namespace Solver {

// Pyramid: 28 face-up places in seven rows, a stock, a play position and a waste.
// Two free cards whose values add up to 13 leave together for the discard pile, by
// dragging one onto the other (the waste's top card may pair with the card beneath
// it); a free King is dragged there alone. A place is free when both places that
// cover it are empty; the play position and the waste's top card are always free.
// A click moves the play card onto the waste and turns the next stock card onto the
// play position; an empty stock is first rebuilt from the waste, twice a game.
// Counter "Pass": the pass through the stock (1 to 3).
class PyramidRules final : public TableRules
{
public:
    PyramidRules();
    bool load(const TableText &text, const Options &options, std::string &error) override;
    void moves(std::vector<Move> &list) const override;
    void apply(Move &move) override;
    void undo(const Move &move) override;
    bool isWon() const override { return table.size(discard) == 52; }
    bool safeMove(Move &move) const override;
    void searchMoves(std::vector<Move> &list) const override;
    int value() const override;
    // What lies on the discard pile follows from the rest, in whatever order.
    std::uint64_t key() const override { return table.key() - table.share(discard); }

private:
    bool isFree(int pile) const;
    // The free piles that hold a card, each once (the waste for its top card).
    std::vector<int> freeCards() const;
    bool mayClick() const { return !table.isEmpty(play) || !table.isEmpty(stock) || pass() < 3; }
    int pass() const { return int(table.extra); }
    std::vector<int> places;
    int stock, play, waste, discard;
};

}  // namespace Solver
