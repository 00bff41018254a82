// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

namespace Solver {

// The two-deck games of one card at a time (Forty Thieves, Indian Patience): ten
// face-up columns, eight foundations built up by suit, and a stock turned one card
// at a time onto a waste ("DiscardPileView"), once only. The top card of a column or
// of the waste moves: home, onto a column card it builds on, or into an empty column.
// Option "Autoplay".
//
// Which column holds what matters only to the window's autoplay, which looks at the
// columns from left to right: with two decks, of two equal cards that fit one
// foundation it sends the left one. So the columns are one group (interchangeable)
// with Autoplay off, each a place of its own with it on.
//
// A click on the stock changes only the stock and the waste, so a move that does not
// touch the waste might as well have been made before it: the search makes such
// moves only before a click, never right after one (with Autoplay off: the window's
// sends would differ). Whether the last move was a click is part of the position.
//
// A win, when there is one, is mostly found at once or not at all: the search goes
// in rounds, each in another order.
class ThievesRules : public TableRules
{
public:
    bool load(const TableText &text, const Options &options, std::string &error) override;
    void moves(std::vector<Move> &list) const override;
    void apply(Move &move) override;
    void undo(const Move &move) override;
    bool isWon() const override { return cardsHome() == 104; }
    int value() const override;
    void searchMoves(std::vector<Move> &list) const override;
    static constexpr std::int64_t restartNodes = 2000;
    static constexpr int restartShuffle = 20;

protected:
    ThievesRules();
    // How a column builds down.
    virtual bool buildsOn(Card card, Card onto) const = 0;
    // Is the card at this height of a column locked: nothing goes on it, and it goes
    // nowhere but home (Indian Patience's base cards)?
    virtual bool isLocked(int index) const
    {
        (void)index;
        return false;
    }
    bool isColumn(int pile) const { return pile >= columns.front() && pile <= columns.back(); }
    // Does the column's top card build on the card beneath it?
    bool topBuilds(int column) const;
    // The moves onto columns and the click on the stock.
    virtual void addTableMoves(std::vector<Move> &list) const;
    // Would the move, made right after a click on the stock, have been the same move
    // before it, with the same outcome?
    virtual bool commutesWithClick(const Move &move) const { return move.from != waste; }
    int stock, waste;
    std::vector<int> sources;  // the piles whose top card moves: the columns, then the waste
    // The cards that lie on a card they build on, over all columns, kept by every
    // move: value() counts them.
    int builtPairs = 0;
};

// Forty Thieves: columns build down by suit.
//
// A card goes home at once when both cards that could be built on it (one lower, of
// its suit) are home already: from then on it can only be in the way, and sending
// it home can never spoil a winnable position (a line that wins without doing so
// still wins with it done, less the card's own moves; the foundation it takes is
// either of the two of its suit that could take it). Not with Autoplay on: the
// window's own sends would then differ.
//
// A position from which no column can ever be emptied is lost: the search lists no
// moves from it (see mayEmptyColumn()).
class FortyThievesRules final : public ThievesRules
{
public:
    bool safeMove(Move &move) const override;
    void searchMoves(std::vector<Move> &list) const override;

protected:
    bool buildsOn(Card card, Card onto) const override { return isOneLowerSameSuit(card, onto); }
    void addTableMoves(std::vector<Move> &list) const override;

private:
    bool mayEmptyColumn() const;
};

}  // namespace Solver
