// SPDX-License-Identifier: MIT
#include "solver/games/SpiderRules.h"

namespace Solver {

namespace {
Move drag(int from, int to, int count)
{
    return Move{std::int8_t(from), std::int8_t(to), std::uint8_t(count), Move::Drag, 0, 0};
}
constexpr std::uint8_t turnedUp = 1;
}  // namespace

SpiderRules::SpiderRules()
{
    stock = table.addPile("DeckPileView", StockGroup, 104);
    foundations = addPiles("FoundPile", 8, FoundationGroup, 13);
    for (int i = 1; i <= 10; ++i)
        columns.push_back(table.addPile("TableauPile" + std::to_string(i), ColumnGroup + 16 + i, 104));
}

// While the stock lasts, each column's place counts.
void SpiderRules::groupColumns()
{
    const bool interchangeable = table.isEmpty(stock);
    for (std::size_t i = 0; i < columns.size(); ++i)
        table.setGroup(columns[i], interchangeable ? ColumnGroup : ColumnGroup + 17 + int(i));
}

bool SpiderRules::load(const TableText &text, const Options &options, std::string &error)
{
    const auto option = options.find("SameSuitBuilds");
    sameSuit = option != options.end() && option->second;
    if (!fillPiles(text, error))
        return false;
    turnAllUp(stock);  // only the stock's order counts: its cards are dealt face up
    for (int column : columns)
        rescore(column);
    groupColumns();
    return true;
}

bool SpiderRules::continuesRun(Card card, Card below) const
{
    return isFaceUp(below) && (sameSuit ? isOneLowerSameSuit(card, below) : isOneLower(card, below));
}

int SpiderRules::runStart(int column) const
{
    int start = table.size(column) - 1;
    while (start > 0 && continuesRun(table.at(column, start), table.at(column, start - 1)))
        --start;
    return start;
}

bool SpiderRules::isWholeSuit(int column, int from) const
{
    if (table.size(column) - from != 13)
        return false;
    for (int i = from + 1; i < table.size(column); ++i)
        if (suitOf(table.at(column, i)) != suitOf(table.at(column, from)))
            return false;
    return true;
}

bool SpiderRules::mayDeal() const
{
    if (table.isEmpty(stock))
        return false;
    for (int column : columns)
        if (table.isEmpty(column))
            return false;
    return true;
}

// Every run of every column onto every pile that takes it, then the stock.
void SpiderRules::moves(std::vector<Move> &list) const
{
    list.clear();
    for (int from : columns) {
        const int size = table.size(from);
        if (size == 0 || !isFaceUp(table.top(from)))
            continue;
        for (int index = runStart(from); index < size; ++index) {
            if (isWholeSuit(from, index))
                for (int foundation : foundations)
                    if (table.isEmpty(foundation))
                        list.push_back(drag(from, foundation, 13));
            for (int to : columns)
                if (to != from && (table.isEmpty(to) || isOneLower(table.at(from, index), table.top(to))))
                    list.push_back(drag(from, to, size - index));
        }
    }
    if (mayDeal())
        list.push_back(Move{std::int8_t(stock), -1, 0, Move::Click, 0, 0});
}

void SpiderRules::searchMoves(std::vector<Move> &list) const
{
    moves(list);
    if (narrow)
        std::erase_if(list, [this](const Move &move) { return seldomHelps(move); });
}

bool SpiderRules::seldomHelps(const Move &move) const
{
    if (move.kind == Move::Click || table.groupOf(move.to) == FoundationGroup)
        return false;
    const int index = table.size(move.from) - move.count;
    if (table.isEmpty(move.to)) {
        for (int column : columns)
            if (column < move.to && column != move.from && table.isEmpty(column))
                return true;
        if (index == 0)
            return true;
    }
    if (index == 0)
        return false;
    const Card card = table.at(move.from, index);
    const Card below = table.at(move.from, index - 1);
    if (!isFaceUp(below) || !isOneLower(card, below))
        return false;
    if (suitOf(below) == suitOf(card))
        return true;
    return !table.isEmpty(move.to) && suitOf(table.top(move.to)) != suitOf(card);
}

bool SpiderRules::widen()
{
    const bool wasNarrow = narrow;
    narrow = false;
    return wasNarrow;
}

// ---- making and taking back moves ---------------------------------------------------

void SpiderRules::apply(Move &move)
{
    move.effects = 0;
    if (move.kind == Move::Click) {
        move.drawn = 0;
        for (int column : columns)
            if (!table.isEmpty(stock)) {
                table.push(column, table.pop(stock));
                ++move.drawn;
                rescore(column);
            }
        if (table.isEmpty(stock))
            groupColumns();
        return;
    }
    table.moveRun(move.from, move.to, move.count);
    if (!table.isEmpty(move.from) && !isFaceUp(table.top(move.from))) {
        table.turnTop(move.from, true);
        move.effects = turnedUp;
    }
    rescoreBoth(move);
}

void SpiderRules::undo(const Move &move)
{
    if (move.kind == Move::Click) {
        const bool lastDeal = table.isEmpty(stock);
        for (int i = move.drawn - 1; i >= 0; --i) {
            table.push(stock, table.pop(columns[std::size_t(i)]));
            rescore(columns[std::size_t(i)]);
        }
        if (lastDeal)
            groupColumns();
        return;
    }
    if (move.effects == turnedUp)
        table.turnTop(move.from, false);
    table.moveRun(move.to, move.from, move.count);
    rescoreBoth(move);
}

void SpiderRules::rescoreBoth(const Move &move)
{
    rescore(move.from);
    if (table.groupOf(move.to) != FoundationGroup)
        rescore(move.to);
}

// Suits home, cards turned up, empty columns, and cards on a card one higher, most
// of all one of their suit. An empty column is worth much: it is where any run can
// go, and runs of one suit are worth most, as they move as one (with "SameSuitBuilds",
// only they do). The weights were chosen by the wins they bring within the budget,
// measured on deals of that option.
namespace {
constexpr int homeWeight = 100, stockWeight = 20;
constexpr int emptyWeight = 80, faceDownWeight = 20, sameSuitWeight = 20, otherSuitWeight = 3;
}  // namespace

int SpiderRules::value() const
{
    int value = homeWeight * cardsHome() + stockWeight * table.size(stock);
    for (int score : columnScores)
        value += score;
    return value;
}

void SpiderRules::rescore(int column)
{
    const int size = table.size(column);
    int value = size == 0 ? emptyWeight : 0;
    for (int i = 0; i < size; ++i) {
        const Card card = table.at(column, i);
        if (!isFaceUp(card)) {
            value -= faceDownWeight;
            continue;
        }
        const Card below = i > 0 ? table.at(column, i - 1) : noCard;
        if (below != noCard && isFaceUp(below) && isOneLower(card, below))
            value += suitOf(card) == suitOf(below) ? sameSuitWeight : otherSuitWeight;
    }
    columnScores[std::size_t(column - columns.front())] = value;
}

}  // namespace Solver
