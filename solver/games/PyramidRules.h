// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

#include <array>

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
    // The same table earlier in the passes.
    void betterKeys(std::vector<std::uint64_t> &keys) const override;

private:
    bool isFree(int pile) const;
    // Where a card lies, as far as which cards it may still meet: a place of the
    // pyramid; its depth in the waste during the last pass, when no card comes out
    // from under another; or anywhere else (-1, -1).
    struct Spot {
        int place, depth;
    };
    // Not two cards of which one covers the other, nor two cards of the waste in the
    // last pass that do not lie one on the other.
    static bool mayMeet(Spot a, Spot b);
    Spot spotOf(int pile, int index) const;
    // The cards left by rank (Kings aside), where each lies.
    struct Spots {
        std::array<std::array<Spot, 4>, king> byRank;  // the first `count` of each rank
        std::array<int, king> count{};
    };
    Spots spots() const;
    // Can every card left still find a partner of its own?
    bool everyCardCanPair() const;
    // The card may pair with only one of the cards left.
    bool hasOnePartner(Spot card, int rank, const Spots &all) const;
    // The free piles that hold a card, each once (the waste for its top card).
    struct FreePiles {
        std::array<int, 30> piles;
        int count = 0;
        const int *begin() const { return piles.data(); }
        const int *end() const { return piles.data() + count; }
    };
    FreePiles freeCards() const;
    bool mayClick() const { return !table.isEmpty(play) || !table.isEmpty(stock) || pass() < 3; }
    int pass() const { return int(table.extra); }
    // The places that hold a card, a bit each, kept as cards leave and come back.
    void notePlaces();  // and counts the cards left by rank
    std::uint32_t placed = 0;
    std::array<std::int8_t, king + 1> rankLeft{};  // the cards of each rank not yet discarded
    std::vector<int> places;
    int stock, play, waste, discard;
};

}  // namespace Solver
