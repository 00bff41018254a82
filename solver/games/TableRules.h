// SPDX-License-Identifier: MIT
#pragma once
#include "solver/Rules.h"

#include <array>
#include <string>
#include <vector>

namespace Solver {

// What the games with foundations built up by suit share: the piles by kind, where
// a card goes home, and how far each suit has got.
class TableRules : public GameRules
{
protected:
    enum Group { CellGroup, FoundationGroup, ColumnGroup, StockGroup, WasteGroup };

    // Views prefix1 .. prefixN of one kind.
    std::vector<int> addPiles(const std::string &prefix, int count, Group group, int capacity);

    // The first foundation that takes the card, or -1.
    int homeFor(Card card) const;
    // The highest rank of the suit on a foundation (0: none). One deck.
    int rankHome(int suit) const;
    // The same for every suit at once, by suit.
    std::array<int, 4> ranksHome() const;
    int cardsHome() const;
public:
    // Cards home, empty cells and columns, and the next card of each suit near the
    // top of its column. For one deck, every card face up; other games value their
    // positions their own way.
    int value() const override;
    bool windowMove(Move &move) const override;

protected:
    // How the columns build down.
    enum class Build { AlternateColours, AnySuit, SameSuit };
    // The card may go home and nothing could ever need it on the table: every card
    // that could be built on it is home already (`ranks`: ranksHome()).
    static bool isSafeHome(Card card, Build build, const std::array<int, 4> &ranks);
    // The face-up cards a foundation takes, as bits by card byte.
    std::uint64_t cardsThatGoHome() const;
    // A drag home for the top card of each of these piles that a foundation takes, to
    // each foundation that takes it.
    void addHomeMoves(const std::vector<int> &sources, std::vector<Move> &list) const;
    // The first pile of the list, or -1, that is empty.
    int firstEmpty(const std::vector<int> &piles) const;

    // A move to a foundation from the first of these piles whose top card goes home
    // safely. One deck.
    bool safeMoveFrom(const std::vector<int> &sources, Build build, Move &move) const;

    // With the option on, the window sends home the first top card that fits a
    // foundation, looking at these piles in order, again and again.
    bool readAutoplay(const Options &options);
    bool autoplay = false;
    std::vector<int> autoplaySources;

    std::vector<int> cells, foundations, columns;
};

}  // namespace Solver
