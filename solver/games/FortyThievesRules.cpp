// SPDX-License-Identifier: MIT
#include "solver/games/FortyThievesRules.h"

#include <algorithm>

namespace Solver {

namespace {
Move drag(int from, int to) { return Move{std::int8_t(from), std::int8_t(to), 1, Move::Drag, 0, 0}; }
}  // namespace

ThievesRules::ThievesRules()
{
    stock = table.addPile("DeckPileView", StockGroup, 104);
    waste = table.addPile("DiscardPileView", WasteGroup, 104);
    for (int i = 1; i <= 10; ++i)
        columns.push_back(table.addPile("TableauPile" + std::to_string(i), ColumnGroup, 104));
    foundations = addPiles("FoundPile", 8, FoundationGroup, 13);
    sources = columns;
    sources.push_back(waste);
}

bool ThievesRules::load(const TableText &text, const Options &options, std::string &error)
{
    readAutoplay(options);
    // With Autoplay on, each column is a place of its own.
    for (std::size_t i = 0; i < columns.size(); ++i)
        table.setGroup(columns[i], autoplay ? ColumnGroup + 16 + int(i) : ColumnGroup);
    autoplaySources = columns;
    autoplaySources.push_back(waste);
    if (!fillPiles(text, error))
        return false;
    // The stock's order is all that counts of it, and every other card is face up.
    for (int pile = 0; pile < table.pileCount(); ++pile)
        for (int i = 0; i < table.size(pile); ++i)
            if (!isFaceUp(table.at(pile, i))) {
                std::vector<Card> cards;
                while (!table.isEmpty(pile))
                    cards.insert(cards.begin(), faceUp(table.pop(pile)));
                for (Card card : cards)
                    table.push(pile, card);
                break;
            }
    builtPairs = 0;
    for (int column : columns)
        for (int i = 1; i < table.size(column); ++i)
            builtPairs += buildsOn(table.at(column, i), table.at(column, i - 1)) ? 1 : 0;
    return true;
}

bool ThievesRules::topBuilds(int column) const
{
    const int size = table.size(column);
    return size > 1 && buildsOn(table.at(column, size - 1), table.at(column, size - 2));
}

// Home first, then onto column cards, the stock, and last into empty columns.
void ThievesRules::moves(std::vector<Move> &list) const
{
    list.clear();
    addHomeMoves(sources, list);
    addTableMoves(list);
}

void ThievesRules::addTableMoves(std::vector<Move> &list) const
{
    // Each column's top card, and whether a card may be built on it.
    Card tops[16];
    bool takes[16];
    for (std::size_t i = 0; i < columns.size(); ++i) {
        tops[i] = table.top(columns[i]);
        takes[i] = tops[i] != noCard && !isLocked(table.size(columns[i]) - 1);
    }
    for (const bool toEmpty : {false, true}) {
        if (toEmpty && !table.isEmpty(stock))
            list.push_back(Move{std::int8_t(stock), -1, 0, Move::Click, 0, 0});
        for (int from : sources) {
            const Card card = table.top(from);
            if (card == noCard || (!toEmpty && from != waste && isLocked(table.size(from) - 1)))
                continue;
            // Every game of this kind builds down by one rank.
            const int above = rankOf(card) + 1;
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (columns[i] != from
                    && (toEmpty ? tops[i] == noCard
                                : takes[i] && rankOf(tops[i]) == above && buildsOn(card, tops[i])))
                    list.push_back(drag(from, columns[i]));
        }
    }
}

// A card goes home to one foundation only: the others that take it hold the same
// cards, and foundations are interchangeable.
void ThievesRules::searchMoves(std::vector<Move> &list) const
{
    list.clear();
    for (int from : sources) {
        const int home = table.isEmpty(from) ? -1 : homeFor(table.top(from));
        if (home >= 0)
            list.push_back(drag(from, home));
    }
    addTableMoves(list);
    if (table.extra != 0)
        std::erase_if(list, [this](const Move &move) { return move.kind != Move::Click && commutesWithClick(move); });
}

// table.extra: 1 right after a click.
void ThievesRules::apply(Move &move)
{
    move.before = std::uint8_t(table.extra);
    table.extra = move.kind == Move::Click && !autoplay ? 1 : 0;
    if (move.kind == Move::Click) {
        table.push(waste, table.pop(stock));
        return;
    }
    builtPairs -= isColumn(move.from) && topBuilds(move.from) ? 1 : 0;
    table.moveRun(move.from, move.to, 1);
    builtPairs += isColumn(move.to) && topBuilds(move.to) ? 1 : 0;
}

void ThievesRules::undo(const Move &move)
{
    if (move.kind == Move::Click) {
        table.push(stock, table.pop(waste));
    } else {
        builtPairs -= isColumn(move.to) && topBuilds(move.to) ? 1 : 0;
        table.moveRun(move.to, move.from, 1);
        builtPairs += isColumn(move.from) && topBuilds(move.from) ? 1 : 0;
    }
    table.extra = move.before;
}

// Cards home and empty columns; cards on a card they build on count a little, the
// waste's cards, which come back only one by one from its top, a little against.
int ThievesRules::value() const
{
    int value = 50 * cardsHome() - 2 * table.size(waste) + 4 * builtPairs;
    for (int column : columns)
        value += table.isEmpty(column) ? 30 : 0;
    return value;
}

// ---- Forty Thieves ----------------------------------------------------------------

// Both foundations of the card's suit have the card one lower, and one of them
// takes it: the lower of the two, the first of them when they are level (as the
// window's own choice, the first foundation that takes the card). An Ace goes to the
// first empty foundation.
bool FortyThievesRules::safeMove(Move &move) const
{
    if (autoplay)
        return false;
    int started[4] = {}, lowRank[4] = {}, lowPile[4] = {}, empty = -1;
    for (int foundation : foundations) {
        const Card top = table.top(foundation);
        if (top == noCard) {
            empty = empty < 0 ? foundation : empty;
            continue;
        }
        const int suit = suitOf(top);
        if (started[suit]++ == 0 || rankOf(top) < lowRank[suit]) {
            lowRank[suit] = rankOf(top);
            lowPile[suit] = foundation;
        }
    }
    for (int from : sources) {
        const Card card = table.top(from);
        if (card == noCard)
            continue;
        const int suit = suitOf(card), rank = rankOf(card);
        const int home = rank == ace ? empty : started[suit] == 2 && lowRank[suit] == rank - 1 ? lowPile[suit] : -1;
        if (home >= 0) {
            move = drag(from, home);
            return true;
        }
    }
    return false;
}

// A card builds on the card of its suit one higher, whose byte is four more (every
// card lies face up here).
void FortyThievesRules::addTableMoves(std::vector<Move> &list) const
{
    Card tops[16];
    for (std::size_t i = 0; i < columns.size(); ++i)
        tops[i] = table.top(columns[i]);
    for (const bool toEmpty : {false, true}) {
        if (toEmpty && !table.isEmpty(stock))
            list.push_back(Move{std::int8_t(stock), -1, 0, Move::Click, 0, 0});
        for (int from : sources) {
            const Card card = table.top(from);
            if (card == noCard)
                continue;
            const Card onto = toEmpty ? noCard : Card(card + 4);
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (tops[i] == onto && columns[i] != from)
                    list.push_back(drag(from, columns[i]));
        }
    }
}

// ---- columns that can never be emptied ---------------------------------------------

namespace {

// The cards of the table by kind (their byte face up), and those of them that could
// leave their pile by going home or onto a column, as reckoned in mayEmptyColumn():
// in each pile (column or waste) the `gone` cards nearest its top.
struct Leaving {
    struct Place {
        int pile;
        int index;
    };
    Place places[64][2];
    std::uint8_t copies[64] = {};
    std::uint8_t leaving[64] = {};  // by kind
    int gone[32] = {};              // by pile
    bool stockLeaves[104] = {};     // by height in the stock: leaves the waste once turned

    void add(Card card, int pile, int index)
    {
        const Card kind = faceUp(card);
        places[kind][copies[kind]++] = {pile, index};
    }
};

}  // namespace

void FortyThievesRules::searchMoves(std::vector<Move> &list) const
{
    if (mayEmptyColumn())
        ThievesRules::searchMoves(list);
    else
        list.clear();
}

// A card leaves its pile for the first time only when every card above it has left
// it, and then it goes home, onto a column's top card it builds on, or into an empty
// column. Home it needs, on one foundation of its suit, a card of each rank between
// that foundation's top and its own, each of which left its pile before; the card it
// builds on either left its pile before or lies in a column with every card above it
// gone. So until some column is empty, the cards that leave their pile are among
// those found here by taking every card able to leave so far to have left, round
// after round until nothing changes (taking too many to leave only finds more). With
// no column empty now, the first column to empty has all its cards among them: when
// no column has, no column ever empties, and the game cannot be won.
bool FortyThievesRules::mayEmptyColumn() const
{
    Leaving state;
    for (int column : columns) {
        if (table.isEmpty(column))
            return true;
        for (int i = 0; i < table.size(column); ++i)
            state.add(table.at(column, i), column, i);
    }
    for (int i = 0; i < table.size(waste); ++i)
        state.add(table.at(waste, i), waste, i);
    const int stockSize = table.size(stock);
    for (int i = 0; i < stockSize; ++i)
        state.add(table.at(stock, i), stock, i);
    int height[4][2] = {};  // each suit's two foundations, the higher first
    for (int foundation : foundations) {
        const Card top = table.top(foundation);
        if (top == noCard)
            continue;
        int *pair = height[suitOf(top)];
        pair[1] = std::max(pair[1], std::min(pair[0], rankOf(top)));
        pair[0] = std::max(pair[0], rankOf(top));
    }

    // Home on the higher foundation, or on the lower one when the higher holds the
    // card's twin already.
    const auto goesHome = [&](Card card) {
        const int suit = suitOf(card), rank = rankOf(card);
        const int *pair = height[suit];
        for (int below = (rank <= pair[0] ? pair[1] : pair[0]) + 1; below < rank; ++below)
            if (state.leaving[makeCard(below, suit)] == 0)
                return false;
        return true;
    };
    const auto findsParent = [&](Card card) {
        if (rankOf(card) == king)
            return false;
        const Card parent = Card(faceUp(card) + 4);
        if (state.leaving[parent] > 0)
            return true;
        for (int copy = 0; copy < state.copies[parent]; ++copy) {
            const Leaving::Place place = state.places[parent][copy];
            if (place.pile != waste && place.pile != stock
                && place.index == table.size(place.pile) - state.gone[place.pile] - 1)
                return true;
        }
        return false;
    };
    const auto mayLeave = [&](Card card) { return goesHome(card) || findsParent(card); };
    // Takes the cards of the pile that can leave to have left; true when it empties.
    const auto emptyFromTop = [&](int pile, bool &changed) {
        const int size = table.size(pile);
        int &gone = state.gone[pile];
        while (gone < size && mayLeave(table.at(pile, size - gone - 1))) {
            ++state.leaving[faceUp(table.at(pile, size - gone - 1))];
            ++gone;
            changed = true;
        }
        return gone == size;
    };

    for (bool changed = true; changed;) {
        changed = false;
        for (int column : columns)
            if (emptyFromTop(column, changed))
                return true;
        emptyFromTop(waste, changed);
        for (int i = 0; i < stockSize; ++i)
            if (!state.stockLeaves[i] && mayLeave(table.at(stock, i))) {
                state.stockLeaves[i] = true;
                ++state.leaving[faceUp(table.at(stock, i))];
                changed = true;
            }
    }
    return false;
}

}  // namespace Solver
