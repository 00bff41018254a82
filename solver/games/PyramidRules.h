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
    // Where a card lies, as far as which cards it may still meet: a place of the
    // pyramid; its depth in the waste during the last pass, when no card comes out
    // from under another; or anywhere else (-1, -1).
    struct Spot {
        int place, depth;
    };
    // Not two cards of which one covers the other, nor two cards of the waste in the
    // last pass that do not lie one on the other.
    static bool mayMeet(Spot a, Spot b);
    // Where the cards of one rank left lie.
    using RankSpots = std::array<Spot, 4>;
    int spotsOf(int rank, RankSpots &spots) const;
    // Can every card left still find a partner of its own?
    bool everyCardCanPair() const;
    // How many of the cards left that pair with this free card it may still meet.
    int partnersOf(int pile, int index) const;
    // One of the two cards may pair with no other card left.
    bool isSafePair(int pile, int index, int otherPile, int otherIndex) const;
    // The places that hold a card no other place covers.
    std::uint32_t freePlaces() const;
    // The free piles that hold a card, each once (the waste for its top card).
    struct FreePiles {
        std::array<int, 30> piles;
        std::array<int, 30> ranks;  // of their top cards
        int count = 0;
    };
    FreePiles freeCards() const;
    bool mayClick() const { return !table.isEmpty(play) || !table.isEmpty(stock) || pass() < 3; }
    int pass() const { return int(table.extra); }
    // The places that hold a card, a bit each, kept as cards leave and come back.
    void notePlaces();  // and counts the cards left by rank
    std::uint32_t placed = 0;
    std::array<std::int8_t, king + 1> rankLeft{};  // the cards of each rank not yet discarded
    std::array<std::uint32_t, king + 1> rankPlaces{};  // the places dealt a card of each rank
    std::array<std::int8_t, 32> placeRank{};  // the rank each place was dealt
    std::vector<int> places;
    int stock, play, waste, discard;
};

}  // namespace Solver
