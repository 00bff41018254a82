// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

#include <array>

namespace Solver {

// Queen of Italy: two decks; a terrace of eleven cards whose top card may only go
// to the foundations; nine columns built down in alternating colours one card at a
// time, going round from Ace to King, an empty one taking any card but a terrace
// card; a stock turned one card at a time onto a waste. The game starts with a
// press on one of four cards in the columns: it goes to "FoundPile1" and its value
// is the base of all eight foundations, which build up by suit from it, round the
// corner, thirteen cards each; the stock then fills every empty column. Once the
// empty stock has been rebuilt from the waste, a card is turned only onto an empty
// waste. Counters "BaseChosen", "BaseValue" (0 the Ace) and "StockTurned"; option
// "Autoplay". Nothing is left to chance: the rebuilt stock is the waste turned over.
// No move is taken as safe: with two decks that is not proven.
class QueenItalyRules final : public TableRules
{
public:
    // A search that took a poor turn in the first pass through the stock can spend
    // long in the second: it starts again in spells, with the order of the moves
    // shuffled more than their values tell apart.
    static constexpr std::int64_t restartNodes = 5000;
    static constexpr int restartShuffle = 200;
    QueenItalyRules();
    bool load(const TableText &text, const Options &options, std::string &error) override;
    void moves(std::vector<Move> &list) const override;
    void searchMoves(std::vector<Move> &list) const override;
    void apply(Move &move) override;
    void undo(const Move &move) override;
    bool isWon() const override { return cardsHome() == 104; }
    bool windowMove(Move &move) const override;
    bool splitsFirstMoves() const override { return !has(baseChosen); }
    int value() const override;

private:
    // The position's flags and the base's rank, kept in the table's extra word.
    enum Flag : std::uint64_t { baseChosen = 16, stockTurned = 32, choiceJustMade = 64 };
    bool has(Flag flag) const { return table.extra & flag; }
    void set(Flag flag, bool on) { table.extra = on ? table.extra | flag : table.extra & ~std::uint64_t(flag); }
    int baseRank() const { return int(table.extra & 15); }
    bool fitsFoundation(Card card, int foundation) const;
    using CardMasks = std::array<std::uint16_t, 64>;
    struct Wanted {
        CardMasks byFoundations, byColumns;
        unsigned emptyColumns;
    };
    Wanted wantedCards() const;
    void addDrags(int from, const std::vector<int> &targets, unsigned mask, std::vector<Move> &list) const;
    int homeFor(Card card) const;
    // The presses that choose the base, those that let the terrace go home soonest first.
    void orderBases(std::vector<Move> &list) const;
    // The terrace cards can no longer all go home in their order.
    bool terraceIsStuck() const;
    bool isTerraceStuck() const;
    // Where a rank comes in a foundation's thirteen, from 0 for the base.
    int placeInFoundation(int rank) const { return (rank - baseRank() + king) % king; }
    // Does a click on the stock change the position (or only a count it does not keep)?
    bool mayClick() const;
    void chooseBase(Move &move);
    void unchooseBase(const Move &move);
    void clickStock(Move &move);
    void unclickStock(const Move &move);
    int terrace, stock, waste;
    std::vector<int> cardSources;  // the piles whose top card may go onto a column
    unsigned filledAtChoice = 0;
    // Found out when the search asks, forgotten as a card goes home (and kept by
    // that move for its undo).
    enum Stuck : std::uint8_t { Unknown, Yes, No };
    mutable Stuck stuck = Unknown;  // the columns the choice of the base filled
};

}  // namespace Solver
