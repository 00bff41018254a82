// SPDX-License-Identifier: MIT
#include "solver/games/CellRules.h"

#include <algorithm>
#include <array>

namespace Solver {

namespace {
Move drag(int from, int to, int count) { return Move{std::int8_t(from), std::int8_t(to), std::uint8_t(count), Move::Drag, 0, 0}; }
}  // namespace

FreeCellRules::FreeCellRules() : CellRules(Build::AlternateColours, false)
{
    cells = addPiles("FreePileView", 4, CellGroup, 1);
    foundations = addPiles("FoundPileView", 4, FoundationGroup, 13);
    columns = addPiles("TableauPileView", 8, ColumnGroup, 52);
}

SeaTowersRules::SeaTowersRules() : CellRules(Build::SameSuit, true)
{
    cells = addPiles("FreePileView", 4, CellGroup, 1);
    foundations = addPiles("FoundPileView", 4, FoundationGroup, 13);
    columns = addPiles("TableauPileView", 10, ColumnGroup, 52);
}

bool CellRules::load(const TableText &text, const Options &options, std::string &error)
{
    readAutoplay(options);
    // The cells, then the columns: the order the window's autoplay and the moves
    // home look at them in.
    autoplaySources = cells;
    autoplaySources.insert(autoplaySources.end(), columns.begin(), columns.end());
    return fillPiles(text, error);
}

bool CellRules::buildsOn(Card card, Card onto) const
{
    return build == Build::SameSuit ? isOneLowerSameSuit(card, onto) : isOneLowerOtherColour(card, onto);
}

int CellRules::runLength(int column) const
{
    const std::span<const Card> cards = table.cards(column);
    const int size = int(cards.size());
    int length = size > 0 ? 1 : 0;
    while (length < size && buildsOn(cards[size - length], cards[size - length - 1]))
        ++length;
    return length;
}

// Home first, then builds on other cards, then into empty columns, then into a
// free cell.
void CellRules::moves(std::vector<Move> &list) const
{
    list.clear();
    addHomeMoves(autoplaySources, list);
    int emptyCells = 0;
    for (int cell : cells)
        emptyCells += table.isEmpty(cell) ? 1 : 0;
    std::array<int, 16> movable{};
    for (std::size_t i = 0; i < columns.size(); ++i)
        movable[i] = std::min(runLength(columns[i]), emptyCells + 1);
    movesToColumns(list, movable, false);
    movesToColumns(list, movable, true);
    for (int column : columns)
        if (!table.isEmpty(column))
            for (int cell : cells)
                if (table.isEmpty(cell))
                    list.push_back(drag(column, cell, 1));
    for (int from : cells)
        if (!table.isEmpty(from))
            for (int to : cells)
                if (table.isEmpty(to))
                    list.push_back(drag(from, to, 1));
}

void CellRules::movesToColumns(std::vector<Move> &list, const std::array<int, 16> &movable, bool toEmpty) const
{
    for (int to : columns) {
        if (table.isEmpty(to) != toEmpty)
            continue;
        const Card onto = table.top(to);
        for (int from : cells)
            if (!table.isEmpty(from) && (toEmpty ? !kingsOnly || rankOf(table.top(from)) == king
                                                 : buildsOn(table.top(from), onto)))
                list.push_back(drag(from, to, 1));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int from = columns[i];
            if (from == to || table.isEmpty(from))
                continue;
            const int size = table.size(from);
            if (!toEmpty) {
                // Down a run the ranks rise by one, so one card at most is one lower.
                const int count = rankOf(onto) - rankOf(table.top(from));
                if (count >= 1 && count <= movable[i] && buildsOn(table.at(from, size - count), onto))
                    list.push_back(drag(from, to, count));
                continue;
            }
            for (int count = 1; count <= movable[i]; ++count)
                if (!kingsOnly || rankOf(table.at(from, size - count)) == king)
                    list.push_back(drag(from, to, count));
        }
    }
}

// Beside what every table game values: the cards that lie above a lower card of
// their suit, which must move before it can go home, count against; so do the
// cards beneath each column's run, while those in the run count for.
int CellRules::value() const
{
    int value = TableRules::value();
    for (int column : columns) {
        const std::span<const Card> cards = table.cards(column);
        int lowest[4] = {king + 1, king + 1, king + 1, king + 1};
        for (Card card : cards) {
            value -= rankOf(card) > lowest[suitOf(card)] ? 3 : 0;
            lowest[suitOf(card)] = std::min(lowest[suitOf(card)], rankOf(card));
        }
        const int run = runLength(column);
        value += 8 * run - 3 * (int(cards.size()) - run);
    }
    return value;
}

bool CellRules::safeMove(Move &move) const { return safeMoveFrom(autoplaySources, build, move); }

}  // namespace Solver
