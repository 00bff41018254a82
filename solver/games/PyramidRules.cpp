// SPDX-License-Identifier: MIT
#include "solver/games/PyramidRules.h"

#include <array>

namespace Solver {

namespace {
constexpr int rows = 7, placeCount = 28, passes = 3;
// What a click did, for undo: moved the play card, rebuilt the stock, turned a card.
constexpr std::uint8_t movedPlay = 1, rebuilt = 2, turned = 4;
Move drag(int from, int to) { return Move{std::int8_t(from), std::int8_t(to), 1, Move::Drag, 0, 0}; }
}  // namespace

// Each place is a position of its own: no two are interchangeable.
PyramidRules::PyramidRules()
{
    for (int i = 1; i <= placeCount; ++i)
        places.push_back(table.addPile("CardPileView" + std::to_string(i), WasteGroup + i, 1));
    stock = table.addPile("DeckPileView", StockGroup, 24);
    play = table.addPile("PlayPileView", CellGroup, 1);
    waste = table.addPile("WastePileView", WasteGroup, 24);
    discard = table.addPile("DiscardPileView", FoundationGroup, 52);
}

bool PyramidRules::load(const TableText &text, const Options &, std::string &error)
{
    if (!fillPiles(text, error))
        return false;
    std::vector<Card> cards;
    while (!table.isEmpty(stock))
        cards.insert(cards.begin(), faceUp(table.pop(stock)));
    for (Card card : cards)
        table.push(stock, card);
    const auto counter = text.counters.find("Pass");
    table.extra = std::uint64_t(counter == text.counters.end() ? 1 : counter->second);
    return true;
}

// Place k of row r (both from 0) lies under places k and k + 1 of row r + 1.
bool PyramidRules::isFree(int pile) const
{
    static constexpr auto rowOf = [] {
        std::array<int, placeCount> row{};
        for (int r = 0, i = 0; r < rows; ++r)
            for (int k = 0; k <= r; ++k)
                row[std::size_t(i++)] = r;
        return row;
    }();
    if (pile >= placeCount)
        return true;
    const int row = rowOf[std::size_t(pile)];
    return row == rows - 1 || (table.isEmpty(pile + row + 1) && table.isEmpty(pile + row + 2));
}

std::vector<int> PyramidRules::freeCards() const
{
    std::vector<int> free;
    for (int pile : places)
        if (!table.isEmpty(pile) && isFree(pile))
            free.push_back(pile);
    for (int pile : {play, waste})
        if (!table.isEmpty(pile))
            free.push_back(pile);
    return free;
}

// Kings first, then pairs, then the stock.
void PyramidRules::moves(std::vector<Move> &list) const
{
    list.clear();
    const std::vector<int> free = freeCards();
    for (int from : free)
        if (rankOf(table.top(from)) == king)
            list.push_back(drag(from, discard));
    for (int from : free) {
        const int rank = rankOf(table.top(from));
        for (int to : free)
            if (to != from && rankOf(table.top(to)) + rank == 13)
                list.push_back(drag(from, to));
        if (from == waste && table.size(waste) > 1 && rankOf(table.at(waste, table.size(waste) - 2)) + rank == 13)
            list.push_back(drag(waste, waste));
    }
    if (mayClick())
        list.push_back(Move{std::int8_t(stock), -1, 0, Move::Click, 0, 0});
}

// Each pair once; no click that only spends a pass, the stock, play position and
// waste all empty.
void PyramidRules::searchMoves(std::vector<Move> &list) const
{
    moves(list);
    std::erase_if(list, [this](const Move &move) {
        if (move.kind == Move::Click)
            return table.isEmpty(stock) && table.isEmpty(waste);
        return move.to != discard && move.to < move.from;
    });
}

void PyramidRules::apply(Move &move)
{
    move.effects = 0;
    if (move.kind == Move::Drag) {
        table.push(discard, table.pop(move.from));
        if (move.to != discard)
            table.push(discard, table.pop(move.to));
        return;
    }
    if (!table.isEmpty(play)) {
        table.push(waste, table.pop(play));
        move.effects |= movedPlay;
    }
    if (table.isEmpty(stock) && pass() < passes) {
        while (!table.isEmpty(waste))
            table.push(stock, table.pop(waste));
        ++table.extra;
        move.effects |= rebuilt;
    }
    if (!table.isEmpty(stock)) {
        table.push(play, table.pop(stock));
        move.effects |= turned;
    }
}

void PyramidRules::undo(const Move &move)
{
    if (move.kind == Move::Drag) {
        if (move.to != discard)
            table.push(move.to, table.pop(discard));
        table.push(move.from, table.pop(discard));
        return;
    }
    if (move.effects & turned)
        table.push(stock, table.pop(play));
    if (move.effects & rebuilt) {
        while (!table.isEmpty(stock))
            table.push(waste, table.pop(stock));
        --table.extra;
    }
    if (move.effects & movedPlay)
        table.push(play, table.pop(waste));
}

// A free King goes at once: it pairs with nothing, and nothing it lies on or covers
// is helped by its staying.
bool PyramidRules::safeMove(Move &move) const
{
    for (int pile : freeCards())
        if (rankOf(table.top(pile)) == king) {
            move = drag(pile, discard);
            return true;
        }
    return false;
}

// Cards gone from the pyramid count most, those from the stock less.
int PyramidRules::value() const
{
    int value = 10 * table.size(discard);
    for (int pile : places)
        value -= table.isEmpty(pile) ? 0 : 25;
    return value;
}

}  // namespace Solver
