// SPDX-License-Identifier: MIT
#pragma once
#include "solver/Table.h"

#include <map>
#include <string>
#include <vector>

namespace Solver {

// One move as the player makes it in the game's window: `count` cards dragged from
// the top of pile `from` onto pile `to`, or a click (a press that plays) on pile
// `from`. `effects` is filled in by apply() with whatever undo() needs to know.
// A game may also let one move stand for several clicks on its stock followed by a
// drag (`clicks`), when the clicks by themselves change nothing that matters.
struct Move {
    // Auto: a card the window sends home by itself (its Autoplay), in no line.
    enum Kind : std::uint8_t { Drag, Click, Auto };
    std::int8_t from = -1;
    std::int8_t to = -1;
    std::uint8_t count = 1;
    Kind kind = Drag;
    std::uint8_t effects = 0;
    std::uint8_t drawn = 0;
    std::uint8_t clicks = 0;
    std::uint8_t before = 0;
};

// A table as dealText() shows it: each view's name and its cards, bottom first.
struct PileText {
    std::string name;
    std::vector<Card> cards;
};
// A position taken from a game window: its views, and the counters the window
// keeps beside them that the rules depend on ("Recycles": times the stock has been
// rebuilt).
struct TableText {
    std::vector<PileText> piles;
    std::map<std::string, int> counters;
};
// "TableauPileView2: 7c TS" lines; lines without a colon are skipped.
TableText parseTableText(const std::string &text);

// A game's options by settings key ("DrawThree"), each on or off.
using Options = std::map<std::string, bool>;

// The rules of one game, as its window enforces them, over a position of its own.
// A game's rules class derives from this, is final (the search is compiled for it),
// and is entered in the list of games in Games.cpp. It keeps its piles in `table`,
// each named after the window's view, and states:
//  - load():      the position from a table text and the options; false, with the
//                 reason, when the text is not a table of this game;
//  - moves():     every move the window accepts in this position, the most promising
//                 first (the search leaves out moves that only swap interchangeable
//                 piles, so list them all); searchMoves() and key() when a game
//                 merges positions (Klondike's stock);
//  - apply(), undo(): make and take back a move, with what the window does by itself
//                 after it (turning up a card, refilling a waste);
//  - isWon();
//  - safeMove():  a move to a foundation that can never spoil a winnable position,
//                 played at once by the search (one-deck games only; none by default);
//  - windowMove(): what the window then does by itself (its Autoplay), if anything;
//  - knowsEveryMove(): false when a move of chance is left out (no proof of a loss);
//  - value():     how promising the position looks, to order the search (optional).
class GameRules
{
public:
    virtual ~GameRules() = default;
    virtual bool load(const TableText &text, const Options &options, std::string &error) = 0;
    virtual void moves(std::vector<Move> &list) const = 0;
    virtual void apply(Move &move) = 0;
    virtual void undo(const Move &move) = 0;
    virtual bool isWon() const = 0;
    virtual bool safeMove(Move &move) const
    {
        (void)move;
        return false;
    }
    // The move the window makes by itself next, after a move of the player's: with
    // the option "Autoplay" on, a card sent home (kind Auto). None by default.
    virtual bool windowMove(Move &move) const
    {
        (void)move;
        return false;
    }

    // False while the window offers a move the rules leave out because its outcome
    // is chance the position does not tell (Montana's redeal): a search that finds
    // no win then proves no loss.
    virtual bool knowsEveryMove() const { return true; }

    // How promising the position looks (higher: nearer a win); the search tries the
    // moves to the most promising positions first.
    virtual int value() const { return 0; }

    // The keys of positions at least as good as this one, which differ from it only
    // in a count (Pyramid's pass): once one of them has been seen, this one need not
    // be searched. None by default.
    virtual void betterKeys(std::vector<std::uint64_t> &keys) const { keys.clear(); }

    // The first move decides so much (Queen of Italy's base) that each is searched on
    // its own with a share of the budget, rather than the first for as long as it takes.
    virtual bool splitsFirstMoves() const { return false; }

    // The moves the search tries (moves() unless the game has moves that stand for
    // several of the window's).
    virtual void searchMoves(std::vector<Move> &list) const { moves(list); }
    // The position's key: the table's, unless positions with different tables are one.
    virtual std::uint64_t key() const { return table.key(); }
    // A game whose searchMoves() leave out moves that seldom help is searched without
    // them first; when that finds no win, widen() has searchMoves() list every move
    // from then on (true when some were left out) and the search runs again, so that
    // only a search of every move calls a deal unwinnable.
    virtual bool widen() { return false; }

    // The move as the line says it, one step a line: "FROMVIEW -> TOVIEW xN" or
    // "click VIEW".
    virtual void describe(const Move &move, std::vector<std::string> &line) const;

    Table table;

protected:
    // Fills the named piles from the text: false, with the reason, when a view is
    // missing or a card is not known.
    bool fillPiles(const TableText &text, std::string &error);
    // Turns every card of the pile face up, in its order: a stock whose order the
    // solver knows, as a player with unlimited undo does.
    void turnAllUp(int pile);
    // Every card of the table face up and of one suit: for games where suits play
    // no part, so that positions that differ only in suits are one.
    void keepRanksOnly();
};

}  // namespace Solver
