// SPDX-License-Identifier: MIT
#include "solver/games/MontanaRules.h"

#include <algorithm>

namespace Solver {

namespace {
constexpr int two = 2, three = 3;
Move press(int view, int other) { return Move{std::int8_t(view), std::int8_t(other), 1, Move::Click, 0, 0}; }
}  // namespace

// Each place is a position of its own: no two are interchangeable.
MontanaRules::MontanaRules()
{
    for (int i = 0; i < places; ++i)
        table.addPile("CardPileView" + std::to_string(i + 1), i, 1);
}

bool MontanaRules::load(const TableText &text, const Options &, std::string &error)
{
    if (!fillPiles(text, error))
        return false;
    where.fill(-1);
    for (int i = 0; i < places; ++i)
        if (!table.isEmpty(i))
            where[std::size_t(faceUp(table.top(i)))] = std::int8_t(i);
    const auto counter = text.counters.find("Redeals");
    redeals = counter == text.counters.end() ? 0 : counter->second;
    return true;
}

int MontanaRules::gapFor(Card card) const
{
    if (rankOf(card) == two) {
        for (int row = 0; row < rows; ++row)
            if (table.isEmpty(row * columns))
                return row * columns;
        return -1;
    }
    const int left = placeOf(rankOf(card) - 1, suitOf(card));
    return left >= 0 && left % columns != columns - 1 && table.isEmpty(left + 1) ? left + 1 : -1;
}

int MontanaRules::cardFor(int gap) const
{
    if (gap % columns == 0) {
        const Card right = table.top(gap + 1);
        if (right != noCard && rankOf(right) == three)
            return placeOf(two, suitOf(right));
        int first = -1;
        for (int suit = 0; suit < 4; ++suit)
            if (const int place = placeOf(two, suit); place % columns != 0 && (first < 0 || place < first))
                first = place;
        return first;
    }
    const Card left = table.top(gap - 1);
    if (left == noCard || rankOf(left) == king)
        return -1;
    return placeOf(rankOf(left) + 1, suitOf(left));
}

// Presses on cards, then on gaps.
void MontanaRules::moves(std::vector<Move> &list) const
{
    list.clear();
    for (int place = 0; place < places; ++place)
        if (!table.isEmpty(place))
            if (const int gap = gapFor(table.top(place)); gap >= 0)
                list.push_back(press(place, gap));
    for (int gap = 0; gap < places; ++gap)
        if (table.isEmpty(gap))
            if (const int place = cardFor(gap); place >= 0)
                list.push_back(press(gap, place));
}

// A press on a gap that brings in what a press on a card sends there: once.
void MontanaRules::searchMoves(std::vector<Move> &list) const
{
    moves(list);
    std::vector<Move> kept;
    for (const Move &move : list)
        if (std::none_of(kept.begin(), kept.end(),
                         [&move](const Move &other) { return other.from == move.to && other.to == move.from; }))
            kept.push_back(move);
    list = std::move(kept);
}

void MontanaRules::shift(const Move &move)
{
    const bool toFrom = table.isEmpty(move.from);
    const int source = toFrom ? move.to : move.from;
    const int gap = toFrom ? move.from : move.to;
    const Card card = table.pop(source);
    table.push(gap, card);
    where[std::size_t(card)] = std::int8_t(gap);
}

int MontanaRules::runLength(int row) const
{
    const int first = row * columns;
    int length = 0;
    while (length < columns - 1 && table.top(first + length) == makeCard(two + length, suitOf(table.top(first))))
        ++length;
    return length;
}

bool MontanaRules::isWon() const
{
    for (int row = 0; row < rows; ++row)
        if (runLength(row) != columns - 1)
            return false;
    return true;
}

// The rows' runs, and cards that already follow their predecessor.
int MontanaRules::value() const
{
    int value = 0;
    for (int row = 0; row < rows; ++row)
        value += 20 * runLength(row);
    for (int place = 0; place < places; ++place)
        if (place % columns != 0 && !table.isEmpty(place) && !table.isEmpty(place - 1)
            && isOneLowerSameSuit(table.top(place - 1), table.top(place)))
            value += 4;
    return value;
}

}  // namespace Solver
