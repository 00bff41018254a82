// SPDX-License-Identifier: MIT
#include "solver/games/GolfRules.h"

#include <algorithm>

namespace Solver {

GolfRules::GolfRules()
{
    foundation = table.addPile("DiscardPileView", FoundationGroup, 52);
    stock = table.addPile("DeckPileView", StockGroup, 52);
    columns = addPiles("TableauPileView", 7, ColumnGroup, 5);
}

bool GolfRules::load(const TableText &text, const Options &options, std::string &error)
{
    const auto option = options.find("KingStopsSequence");
    kingStops = option == options.end() || option->second;
    if (!fillPiles(text, error))
        return false;
    turnAllUp(stock);
    countRanks();
    return true;
}

void GolfRules::countRanks()
{
    columnRanks.fill(0);
    stockRanks.fill(0);
    columnCards = 0;
    for (int i = 0; i < table.size(stock); ++i)
        ++stockRanks[rankOf(table.at(stock, i))];
    for (int column : columns)
        for (int i = 0; i < table.size(column); ++i, ++columnCards)
            ++columnRanks[rankOf(table.at(column, i))];
}

bool GolfRules::follows(int rank, int onto) const
{
    if (onto == 0 || (onto == king && kingStops))
        return false;
    return rank == onto + 1 || rank == onto - 1;
}

// A column card can go on the foundation only after a card it follows: the top
// card, a stock card, one of another column, or one above it in its own column.
bool GolfRules::hasDeadCard() const
{
    int left[king + 2];
    for (int rank = 0; rank < king + 2; ++rank)
        left[rank] = columnRanks[rank] + stockRanks[rank];
    ++left[rankOf(table.top(foundation))];
    for (int column : columns) {
        // Cards below each card cannot come before it: take them out on the way up.
        int below[king + 2] = {};
        for (int i = 0; i < table.size(column); ++i) {
            const int rank = rankOf(table.at(column, i));
            bool canFollow = false;
            for (int onto : {rank - 1, rank + 1})
                canFollow = canFollow || (onto >= ace && onto <= king && follows(rank, onto) && left[onto] > below[onto]);
            if (!canFollow)
                return true;
            ++below[rank];
        }
    }
    return false;
}

// The columns' plays, then the stock.
void GolfRules::moves(std::vector<Move> &list) const
{
    list.clear();
    for (int column : columns)
        if (!table.isEmpty(column) && plays(table.top(column)))
            list.push_back(Move{std::int8_t(column), -1, 1, Move::Click, 0, 0});
    if (!table.isEmpty(stock))
        list.push_back(Move{std::int8_t(stock), -1, 1, Move::Click, 0, 0});
}

// The column cards still to play go in runs, each beginning on the foundation's top
// card or on a stock card, from rank to rank by one up or down. Each card needs a
// step from the card before it: a step between ranks r and r + 1 uses up one of the
// steps a card of either rank can take, two for a column card (in and out), one
// for a card that begins a run, none out of a King while it stops the run. The
// most steps the ranks can take together, found greedily from the Aces up, must
// reach the number of column cards.
int GolfRules::runSlack() const
{
    int ends[king + 2];
    for (int rank = 0; rank < king + 2; ++rank)
        ends[rank] = 2 * columnRanks[rank] + stockRanks[rank];
    if (kingStops)
        ends[king] = columnRanks[king];
    const Card top = table.top(foundation);
    if (top != noCard && !(rankOf(top) == king && kingStops))
        ++ends[rankOf(top)];
    int steps = 0, usedBelow = 0;
    for (int rank = ace; rank < king; ++rank) {
        const int step = std::min(ends[rank] - usedBelow, ends[rank + 1]);
        steps += step;
        usedBelow = step;
    }
    return steps - columnCards;
}

void GolfRules::searchMoves(std::vector<Move> &list) const
{
    moves(list);
    if (runSlack() < 0 || hasDeadCard())
        list.clear();
}

void GolfRules::apply(Move &move)
{
    const int rank = rankOf(table.top(move.from));
    if (move.from == stock) {
        --stockRanks[rank];
    } else {
        --columnRanks[rank];
        --columnCards;
    }
    table.moveRun(move.from, foundation, 1);
}

void GolfRules::undo(const Move &move)
{
    table.moveRun(foundation, move.from, 1);
    const int rank = rankOf(table.top(move.from));
    if (move.from == stock) {
        ++stockRanks[rank];
    } else {
        ++columnRanks[rank];
        ++columnCards;
    }
}

// Fewer cards left in the columns; of those, more that the next card could take.
int GolfRules::value() const
{
    int value = -8 * table.size(stock) + 3 * runSlack();
    for (int column : columns) {
        value -= 10 * table.size(column);
        value += !table.isEmpty(column) && plays(table.top(column)) ? 3 : 0;
    }
    return value;
}

// When no column card plays on the top card, the next move turns a stock card over
// it, whatever it is.
std::uint64_t GolfRules::key() const
{
    bool anyPlays = false;
    for (int column : columns)
        anyPlays = anyPlays || (!table.isEmpty(column) && plays(table.top(column)));
    const int rank = anyPlays ? rankOf(table.top(foundation)) : 0;
    return table.key() - table.share(foundation) + Table::mix(std::uint64_t(rank) + 0x601Full);
}

}  // namespace Solver
