// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

#include <array>

namespace Solver {

// The Klondike family: columns built down in alternating colours with some cards
// face down, where only a King (alone or heading a run) fills an empty one; any
// face-up run moves; foundations built up by suit; a stock that turns one or three
// cards onto a waste whose top card plays, and is rebuilt from the waste when it
// runs out while the game allows it. The waste is one pile here: the window shows
// only its latest batch in "DiscardPileView" and keeps the rest beneath it in
// "RecyclePileView", but only its top card ever plays.
// Option "DrawThree" (default on). Counter "Recycles": rebuilds so far.
//
// The search's moves stand for several of the window's where that loses nothing:
//  - While the stock may be rebuilt without limit, clicking it round changes
//    nothing that matters: the waste and the stock keep the cards in one order, in
//    which only the place of the cut moves, and every cut the clicks reach comes
//    back again. The search then takes such positions as one, and a move from the
//    waste may first click the stock round to the card it plays.
//  - A run moved off a face-up card onto that card's twin (the other card of its
//    rank and colour) only swaps the two; it can wait until just before the next
//    move that touches the card it leaves bare, so that move must follow at once:
//    the bare card goes home or moves with the cards beneath it, or a run is put
//    on it.
//  - Drawing one with the stock going round, every card of the stock can be played
//    at any time, and taking one out changes nothing for the others; so a card
//    played from the waste onto a column can wait until just before a card is put
//    on it (had it gone home or moved on before that, it could have gone there
//    from the waste), and that move must follow at once.

class KlondikeRules : public TableRules
{
public:
    // The search starts again now and then (see Search.h): a deal is often won
    // quickly in another order where the first one lost its way.
    static constexpr std::int64_t restartNodes = 2000;
    static constexpr int restartShuffle = 100;  // two cards home
    bool load(const TableText &text, const Options &options, std::string &error) override;
    void moves(std::vector<Move> &list) const override;
    void apply(Move &move) override;
    void undo(const Move &move) override;
    bool isWon() const override { return cardsHome() == 52 * decks; }
    bool safeMove(Move &move) const override;
    void searchMoves(std::vector<Move> &list) const override;
    std::uint64_t key() const override;
    int value() const override;
    void describe(const Move &move, std::vector<std::string> &line) const override;

protected:
    KlondikeRules(int columnCount, int decks);
    // May the empty stock be rebuilt once more?
    virtual bool mayRebuild() const { return true; }
    // Does the number of rebuilds so far matter to the rules (and so to the key)?
    virtual bool rebuildsCount() const { return false; }
    int recycles() const { return int(table.extra); }
    bool drawThree = true;

private:
    bool mayClick() const;
    // With Autoplay on, each click may send a card home: no click is nothing then.
    bool stockGoesRound() const { return !rebuildsCount() && !autoplay; }
    int batch() const { return drawThree ? 3 : 1; }
    // The waste and the stock as one order of cards, the cut after `wasteSize`.
    Card inOrder(int index) const;
    void cutAt(int wasteSize);
    void roundMoves(std::vector<Move> &list, bool home) const;
    void movesOf(Card card, int cut, int clicks, bool home, std::vector<Move> &list) const;
    bool isColumn(int pile) const { return table.groupOf(pile) == ColumnGroup; }
    bool someCardIsStuck() const;
    int allHome(int suit) const;
    bool isSafeHome(Card card) const;
    void keepMovesWaitedFor(std::vector<Move> &list) const;
    void noteWhatMustFollow(const Move &move);
    using CardTargets = std::array<std::uint16_t, 64>;
    CardTargets columnsTaking() const;
    // Where each column's face-up run starts, and the columns each card may go to:
    // what both kinds of run moves look at, found once a position.
    struct Runs {
        CardTargets targets;
        std::array<std::int8_t, 16> start;
    };
    Runs findRuns() const;
    void runMoves(std::vector<Move> &list, bool exposing, const Runs &runs) const;
    void wasteMoves(std::vector<Move> &list, bool home) const;
    int decks;
    int stock, waste;
    // The column the next move must touch, after a run has left its top card bare by
    // moving onto that card's twin (-1: none); or must put cards on (`coverIt`),
    // after a card from the waste.
    int waiting = -1;
    bool coverIt = false;
    bool afterClick = false;  // the last move made was a click
};

class KlondikeGameRules final : public KlondikeRules
{
public:
    KlondikeGameRules() : KlondikeRules(7, 1) {}
};

// Two decks, nine columns, eight foundations; drawing one the stock may be rebuilt
// only once. No move is taken as safe: with two decks that is not proven.
class DoubleKlondikeRules final : public KlondikeRules
{
public:
    DoubleKlondikeRules() : KlondikeRules(9, 2) {}
    bool safeMove(Move &) const override { return false; }

protected:
    bool mayRebuild() const override { return drawThree || recycles() == 0; }
    bool rebuildsCount() const override { return !drawThree; }
};

}  // namespace Solver
