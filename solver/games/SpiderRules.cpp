// SPDX-License-Identifier: MIT
#include "solver/games/SpiderRules.h"

#include <bit>

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
    // The columns as bits (the first column the lowest): by the rank of their top
    // card, and those empty.
    std::array<unsigned, king + 2> byTopRank{};
    unsigned empty = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Card top = table.top(columns[i]);
        (top == noCard ? empty : byTopRank[std::size_t(rankOf(top))]) |= 1u << i;
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int from = columns[i];
        const int size = table.size(from);
        if (size == 0 || !isFaceUp(table.top(from)))
            continue;
        for (int index = runStart(from); index < size; ++index) {
            if (isWholeSuit(from, index))
                for (int foundation : foundations)
                    if (table.isEmpty(foundation))
                        list.push_back(drag(from, foundation, 13));
            const unsigned targets = (byTopRank[std::size_t(rankOf(table.at(from, index)) + 1)] | empty) & ~(1u << i);
            for (unsigned left = targets; left; left &= left - 1)
                list.push_back(drag(from, columns[std::size_t(std::countr_zero(left))], size - index));
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

// Each move brings the scores of the columns it touches up to date card by card: a
// column's score is what its cards add, each by the card beneath it (cardScore()),
// and an empty column's worth.
void SpiderRules::apply(Move &move)
{
    move.effects = 0;
    if (move.kind == Move::Click) {
        move.drawn = 0;
        for (int column : columns)
            if (!table.isEmpty(stock)) {
                scoreOf(column) -= table.isEmpty(column) ? emptyScore() : 0;
                table.push(column, table.pop(stock));
                ++move.drawn;
                scoreOf(column) += runScore(column, 1);
            }
        if (table.isEmpty(stock))
            groupColumns();
        return;
    }
    const bool toColumn = table.groupOf(move.to) != FoundationGroup;
    scoreOf(move.from) -= runScore(move.from, move.count);
    if (toColumn)
        scoreOf(move.to) -= table.isEmpty(move.to) ? emptyScore() : 0;
    table.moveRun(move.from, move.to, move.count);
    if (!table.isEmpty(move.from) && !isFaceUp(table.top(move.from))) {
        turnTop(move.from, true);
        move.effects = turnedUp;
    }
    scoreOf(move.from) += table.isEmpty(move.from) ? emptyScore() : 0;
    if (toColumn)
        scoreOf(move.to) += runScore(move.to, move.count);
}

void SpiderRules::undo(const Move &move)
{
    if (move.kind == Move::Click) {
        const bool lastDeal = table.isEmpty(stock);
        for (int i = move.drawn - 1; i >= 0; --i) {
            const int column = columns[std::size_t(i)];
            scoreOf(column) -= runScore(column, 1);
            table.push(stock, table.pop(column));
            scoreOf(column) += table.isEmpty(column) ? emptyScore() : 0;
        }
        if (lastDeal)
            groupColumns();
        return;
    }
    const bool toColumn = table.groupOf(move.to) != FoundationGroup;
    if (toColumn)
        scoreOf(move.to) -= runScore(move.to, move.count);
    scoreOf(move.from) -= table.isEmpty(move.from) ? emptyScore() : 0;
    if (move.effects == turnedUp)
        turnTop(move.from, false);
    table.moveRun(move.to, move.from, move.count);
    if (toColumn)
        scoreOf(move.to) += table.isEmpty(move.to) ? emptyScore() : 0;
    scoreOf(move.from) += runScore(move.from, move.count);
}

void SpiderRules::turnTop(int column, bool up)
{
    scoreOf(column) -= runScore(column, 1);
    table.turnTop(column, up);
    scoreOf(column) += runScore(column, 1);
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

int SpiderRules::emptyScore() { return emptyWeight; }

int SpiderRules::runScore(int column, int count) const
{
    const int size = table.size(column);
    int score = 0;
    for (int i = size - count; i < size; ++i) {
        const Card card = table.at(column, i);
        const Card below = i > 0 ? table.at(column, i - 1) : noCard;
        if (!isFaceUp(card))
            score -= faceDownWeight;
        else if (below != noCard && isFaceUp(below) && isOneLower(card, below))
            score += suitOf(card) == suitOf(below) ? sameSuitWeight : otherSuitWeight;
    }
    return score;
}

void SpiderRules::rescore(int column)
{
    scoreOf(column) = (table.isEmpty(column) ? emptyScore() : 0) + runScore(column, table.size(column));
}

}  // namespace Solver
