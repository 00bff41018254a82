// SPDX-License-Identifier: MIT
#include "solver/games/KlondikeRules.h"

#include <algorithm>

namespace Solver {

namespace {
Move drag(int from, int to, int count) { return Move{std::int8_t(from), std::int8_t(to), std::uint8_t(count), Move::Drag, 0, 0}; }
constexpr std::uint8_t turnedUp = 1, rebuilt = 1, counted = 2;
}  // namespace

KlondikeRules::KlondikeRules(int columnCount, int decks) : decks(decks)
{
    stock = table.addPile("DeckPileView", StockGroup, 52 * decks);
    waste = table.addPile("DiscardPileView", WasteGroup, 52 * decks);
    foundations = addPiles("FoundationPile", 4 * decks, FoundationGroup, 13);
    columns = addPiles("TableauPileView", columnCount, ColumnGroup, 52 * decks);
}

bool KlondikeRules::load(const TableText &text, const Options &options, std::string &error)
{
    if (const auto option = options.find("DrawThree"); option != options.end())
        drawThree = option->second;
    readAutoplay(options);
    autoplaySources = columns;
    autoplaySources.push_back(waste);
    // The hidden part of the waste lies beneath the shown part.
    TableText joined = text;
    std::vector<Card> wasteCards;
    for (const char *name : {"RecyclePileView", "DiscardPileView"})
        for (const PileText &pile : text.piles)
            if (pile.name == name)
                wasteCards.insert(wasteCards.end(), pile.cards.begin(), pile.cards.end());
    for (PileText &pile : joined.piles)
        if (pile.name == "DiscardPileView")
            pile.cards = wasteCards;
    if (!fillPiles(joined, error))
        return false;
    for (int pile : {stock, waste}) {
        std::vector<Card> cards;
        while (!table.isEmpty(pile))
            cards.insert(cards.begin(), faceUp(table.pop(pile)));
        for (Card card : cards)
            table.push(pile, card);
    }
    const auto counter = text.counters.find("Recycles");
    table.extra = counter == text.counters.end() || !rebuildsCount() ? 0 : std::uint64_t(counter->second);
    return true;
}

bool KlondikeRules::mayClick() const { return !table.isEmpty(stock) || (!table.isEmpty(waste) && mayRebuild()); }

// Home first; then the runs that uncover a card or empty a column; the waste; the
// stock; and last the runs that leave a face-up card behind.
void KlondikeRules::moves(std::vector<Move> &list) const
{
    list.clear();
    for (int from : columns)
        for (int foundation : foundations)
            if (!table.isEmpty(from) && fitsFoundation(table.top(from), table.top(foundation)))
                list.push_back(drag(from, foundation, 1));
    wasteMoves(list, true);
    runMoves(list, true);
    wasteMoves(list, false);
    if (mayClick())
        list.push_back(Move{std::int8_t(stock), -1, 0, Move::Click, 0, 0});
    runMoves(list, false);
}

void KlondikeRules::wasteMoves(std::vector<Move> &list, bool home) const
{
    const Card card = table.top(waste);
    if (card == noCard)
        return;
    for (int to : home ? foundations : columns) {
        const Card onto = table.top(to);
        const bool fits = home ? fitsFoundation(card, onto)
                               : onto == noCard ? rankOf(card) == king : isOneLowerOtherColour(card, onto);
        if (fits)
            list.push_back(drag(waste, to, 1));
    }
}

// The face-up runs of each column onto other columns: those from the column's
// lowest face-up card (`exposing`), or those from higher up.
void KlondikeRules::runMoves(std::vector<Move> &list, bool exposing) const
{
    for (int from : columns) {
        const int size = table.size(from);
        if (size == 0)
            continue;
        int start = size - 1;
        while (start > 0 && isFaceUp(table.at(from, start - 1))
               && isOneLowerOtherColour(table.at(from, start), table.at(from, start - 1)))
            --start;
        const bool fromLowest = start == 0 || !isFaceUp(table.at(from, start - 1));
        for (int index = start; index < size; ++index) {
            if ((index == start && fromLowest) != exposing)
                continue;
            const Card moving = table.at(from, index);
            for (int to : columns) {
                const Card onto = table.top(to);
                if (to != from && (onto == noCard ? rankOf(moving) == king : isOneLowerOtherColour(moving, onto)))
                    list.push_back(drag(from, to, size - index));
            }
        }
    }
}

// ---- the stock going round ----------------------------------------------------

void KlondikeRules::searchMoves(std::vector<Move> &list) const
{
    if (!stockGoesRound()) {
        moves(list);
        return;
    }
    list.clear();
    for (int from : columns)
        for (int foundation : foundations)
            if (!table.isEmpty(from) && fitsFoundation(table.top(from), table.top(foundation)))
                list.push_back(drag(from, foundation, 1));
    roundMoves(list, true);
    runMoves(list, true);
    roundMoves(list, false);
    runMoves(list, false);
}

Card KlondikeRules::inOrder(int index) const
{
    const int shown = table.size(waste);
    return index < shown ? table.at(waste, index) : table.at(stock, table.size(stock) - 1 - (index - shown));
}

// Each card the clicks bring to the top of the waste before the cuts repeat.
void KlondikeRules::roundMoves(std::vector<Move> &list, bool home) const
{
    const int total = table.size(waste) + table.size(stock);
    std::vector<bool> reached(std::size_t(total) + 1, false);
    int cut = table.size(waste);
    for (int clicks = 0; !reached[std::size_t(cut)]; ++clicks) {
        reached[std::size_t(cut)] = true;
        if (cut > 0)
            movesOf(inOrder(cut - 1), cut, clicks, home, list);
        if (total == 0)
            break;
        cut = cut == total ? std::min(batch(), total) : std::min(cut + batch(), total);
    }
}

void KlondikeRules::movesOf(Card card, int cut, int clicks, bool home, std::vector<Move> &list) const
{
    for (int to : home ? foundations : columns) {
        const Card onto = table.top(to);
        const bool fits = home ? fitsFoundation(card, onto)
                               : onto == noCard ? rankOf(card) == king : isOneLowerOtherColour(card, onto);
        if (fits)
            list.push_back(Move{std::int8_t(waste), std::int8_t(to), 1, Move::Drag, 0, std::uint8_t(cut),
                                std::uint8_t(clicks), 0});
    }
}

void KlondikeRules::cutAt(int wasteSize)
{
    while (table.size(waste) > wasteSize)
        table.push(stock, table.pop(waste));
    while (table.size(waste) < wasteSize)
        table.push(waste, table.pop(stock));
}

// The cut does not count, as long as it is one the clicks come back to.
std::uint64_t KlondikeRules::key() const
{
    if (!stockGoesRound())
        return table.key();
    const int cut = table.size(waste);
    const int total = cut + table.size(stock);
    std::uint64_t order = 0;
    for (int i = 0; i < total; ++i)
        order ^= Table::cardHash(i, inOrder(i));
    if (cut % batch() != 0 && cut != total)
        order ^= Table::mix(std::uint64_t(cut) + 0xC0FFEE);
    return table.key() - table.share(stock) - table.share(waste) + Table::mix(order + 0x5700C);
}

void KlondikeRules::describe(const Move &move, std::vector<std::string> &line) const
{
    for (int i = 0; i < move.clicks; ++i)
        line.push_back("click " + table.viewName(stock));
    GameRules::describe(move, line);
}

// ---- making and taking back moves ----------------------------------------------

void KlondikeRules::apply(Move &move)
{
    move.effects = 0;
    if (move.clicks > 0) {
        move.before = std::uint8_t(table.size(waste));
        cutAt(move.drawn);
    }
    if (move.kind == Move::Click) {
        if (table.isEmpty(stock)) {
            while (!table.isEmpty(waste))
                table.push(stock, table.pop(waste));
            move.effects = rebuilt;
            if (rebuildsCount()) {
                ++table.extra;
                move.effects |= counted;
            }
        }
        move.drawn = 0;
        for (int i = 0; i < (drawThree ? 3 : 1) && !table.isEmpty(stock); ++i, ++move.drawn)
            table.push(waste, table.pop(stock));
        return;
    }
    table.moveRun(move.from, move.to, move.count);
    if (!table.isEmpty(move.from) && !isFaceUp(table.top(move.from))) {
        table.turnTop(move.from, true);
        move.effects = turnedUp;
    }
}

void KlondikeRules::undo(const Move &move)
{
    if (move.kind == Move::Click) {
        for (int i = 0; i < move.drawn; ++i)
            table.push(stock, table.pop(waste));
        if (move.effects & rebuilt) {
            while (!table.isEmpty(stock))
                table.push(waste, table.pop(stock));
            if (move.effects & counted)
                --table.extra;
        }
        return;
    }
    if (move.effects == turnedUp)
        table.turnTop(move.from, false);
    table.moveRun(move.to, move.from, move.count);
    if (move.clicks > 0)
        cutAt(move.before);
}

bool KlondikeRules::safeMove(Move &move) const
{
    return safeMoveFrom(columns, Build::AlternateColours, move) || safeMoveFrom({waste}, Build::AlternateColours, move);
}

}  // namespace Solver
