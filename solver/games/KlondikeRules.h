// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

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
// While the stock may be rebuilt without limit, clicking it round changes nothing
// that matters: the waste and the stock keep the cards in one order, in which only
// the place of the cut moves, and every cut the clicks reach from the first one
// comes back again. The search then takes such positions as one, and a move from
// the waste may first click the stock round to the card it plays.

class KlondikeRules : public TableRules
{
public:
    bool load(const TableText &text, const Options &options, std::string &error) override;
    void moves(std::vector<Move> &list) const override;
    void apply(Move &move) override;
    void undo(const Move &move) override;
    bool isWon() const override { return cardsHome() == 52 * decks; }
    bool safeMove(Move &move) const override;
    void searchMoves(std::vector<Move> &list) const override;
    std::uint64_t key() const override;
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
    void runMoves(std::vector<Move> &list, bool exposing) const;
    void wasteMoves(std::vector<Move> &list, bool home) const;
    int decks;
    int stock, waste;
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
