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
    const int size = table.size(column);
    int length = size > 0 ? 1 : 0;
    while (length < size && buildsOn(table.at(column, size - length), table.at(column, size - length - 1)))
        ++length;
    return length;
}

// Home first, then builds on other cards, then into empty columns, then into a
// free cell.
void CellRules::moves(std::vector<Move> &list) const
{
    list.clear();
    addHomeMoves(cells, list);
    addHomeMoves(columns, list);
    movesToColumns(list, false);
    movesToColumns(list, true);
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

void CellRules::movesToColumns(std::vector<Move> &list, bool toEmpty) const
{
    int emptyCells = 0;
    for (int cell : cells)
        emptyCells += table.isEmpty(cell) ? 1 : 0;
    std::array<int, 16> movable{};  // by column: the longest run that may leave it
    for (std::size_t i = 0; i < columns.size(); ++i)
        movable[i] = std::min(runLength(columns[i]), emptyCells + 1);
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
            const int longest = movable[i];
            const int size = table.size(from);
            for (int count = 1; count <= longest; ++count) {
                const Card moving = table.at(from, size - count);
                if (toEmpty ? !kingsOnly || rankOf(moving) == king : buildsOn(moving, onto))
                    list.push_back(drag(from, to, count));
            }
        }
    }
}

bool CellRules::safeMove(Move &move) const
{
    return safeMoveFrom(cells, build, move) || safeMoveFrom(columns, build, move);
}

}  // namespace Solver
