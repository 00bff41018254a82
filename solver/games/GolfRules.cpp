// SPDX-License-Identifier: MIT
#include "solver/games/GolfRules.h"

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
    std::vector<Card> cards;
    while (!table.isEmpty(stock))
        cards.insert(cards.begin(), faceUp(table.pop(stock)));
    for (Card card : cards)
        table.push(stock, card);
    return true;
}

bool GolfRules::plays(Card card) const
{
    const int top = rankOf(table.top(foundation));
    if (top == 0 || (top == king && kingStops))
        return false;
    const int rank = rankOf(card);
    return rank == top + 1 || rank == top - 1;
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

void GolfRules::apply(Move &move) { table.moveRun(move.from, foundation, 1); }

void GolfRules::undo(const Move &move) { table.moveRun(foundation, move.from, 1); }

// Fewer cards left in the columns; of those, more that the next card could take.
int GolfRules::value() const
{
    int value = -8 * table.size(stock);
    for (int column : columns) {
        value -= 10 * table.size(column);
        value += !table.isEmpty(column) && plays(table.top(column)) ? 3 : 0;
    }
    return value;
}

std::uint64_t GolfRules::key() const
{
    return table.key() - table.share(foundation) + Table::mix(table.top(foundation) + 0x601Full);
}

}  // namespace Solver
