// SPDX-License-Identifier: MIT
#include "solver/games/QueenItalyRules.h"

#include <algorithm>
#include <array>
#include <bit>

namespace Solver {

namespace {
constexpr int foundationSize = 13;
// What a click did, for undo.
constexpr std::uint8_t rebuilt = 1, turned = 2, turnedBefore = 4;
Move drag(int from, int to) { return Move{std::int8_t(from), std::int8_t(to), 1, Move::Drag, 0, 0}; }
Move press(int view) { return Move{std::int8_t(view), -1, 1, Move::Click, 0, 0}; }
int counter(const TableText &text, const char *name)
{
    const auto found = text.counters.find(name);
    return found == text.counters.end() ? 0 : found->second;
}
}  // namespace

QueenItalyRules::QueenItalyRules()
{
    terrace = table.addPile("TerracePileView", CellGroup, 11);
    foundations = addPiles("FoundPile", 8, FoundationGroup, foundationSize);
    columns = addPiles("TableauPileView", 9, ColumnGroup, 104);
    stock = table.addPile("DeckPileView", StockGroup, 104);
    waste = table.addPile("DiscardPileView", WasteGroup, 104);
    cardSources = columns;
    cardSources.push_back(waste);
}

bool QueenItalyRules::load(const TableText &text, const Options &options, std::string &error)
{
    readAutoplay(options);
    if (!fillPiles(text, error))
        return false;
    turnAllUp(stock);
    table.extra = 0;
    if (counter(text, "BaseChosen") != 0)
        table.extra = std::uint64_t(counter(text, "BaseValue") + 1) | baseChosen;
    set(stockTurned, counter(text, "StockTurned") != 0);
    stuck = Unknown;
    return true;
}

// ---- where a card may go ----------------------------------------------------------------

bool QueenItalyRules::fitsFoundation(Card card, int foundation) const
{
    const Card top = table.top(foundation);
    if (top == noCard)
        return rankOf(card) == baseRank();
    return table.size(foundation) < foundationSize && suitOf(card) == suitOf(top)
        && rankOf(card) == rankOf(top) % king + 1;
}

int QueenItalyRules::homeFor(Card card) const
{
    for (int foundation : foundations)
        if (fitsFoundation(card, foundation))
            return foundation;
    return -1;
}

bool QueenItalyRules::mayClick() const
{
    if (!has(baseChosen))
        return false;
    if (!table.isEmpty(stock))
        return !(has(stockTurned) && !table.isEmpty(waste));
    return !table.isEmpty(waste) && !(has(stockTurned) && table.size(waste) == 1);
}

// ---- the moves -----------------------------------------------------------------------

// Before the base is chosen, only that choice; then home first, onto other cards,
// into empty columns, and the stock.
void QueenItalyRules::moves(std::vector<Move> &list) const
{
    list.clear();
    if (!has(baseChosen)) {
        for (int column : columns)
            if (!table.isEmpty(column))
                list.push_back(press(column));
        return;
    }
    const Wanted wanted = wantedCards();
    const auto home = [&](int from) { return wanted.byFoundations[faceUp(table.top(from))]; };
    const auto onCard = [&](int from) { return wanted.byColumns[faceUp(table.top(from))]; };
    for (int from : {terrace, waste})
        addDrags(from, foundations, home(from), list);
    for (int from : columns)
        addDrags(from, foundations, home(from), list);
    for (int from : cardSources)
        addDrags(from, columns, onCard(from), list);
    for (int from : cardSources)
        addDrags(from, columns, wanted.emptyColumns, list);
    if (mayClick())
        list.push_back(press(stock));
}

// For each card, the foundations and the columns (bits by their order) it may go to.
QueenItalyRules::Wanted QueenItalyRules::wantedCards() const
{
    Wanted wanted{};
    for (std::size_t i = 0; i < foundations.size(); ++i) {
        const Card top = table.top(foundations[i]);
        if (top == noCard)
            for (int suit = 0; suit < 4; ++suit)
                wanted.byFoundations[makeCard(baseRank(), suit)] |= std::uint16_t(1u << i);
        else if (table.size(foundations[i]) < foundationSize)
            wanted.byFoundations[makeCard(rankOf(top) % king + 1, suitOf(top))] |= std::uint16_t(1u << i);
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Card top = table.top(columns[i]);
        if (top == noCard) {
            wanted.emptyColumns |= 1u << i;
            continue;
        }
        // One lower in the other colour, a King on an Ace.
        const int rank = rankOf(top) == ace ? king : rankOf(top) - 1;
        const int otherColour = colourOf(top) == 0 ? 2 : 0;
        for (int suit : {otherColour, otherColour + 1})
            wanted.byColumns[makeCard(rank, suit)] |= std::uint16_t(1u << i);
    }
    return wanted;
}

void QueenItalyRules::addDrags(int from, const std::vector<int> &targets, unsigned mask,
                               std::vector<Move> &list) const
{
    if (table.isEmpty(from))
        return;
    for (; mask != 0; mask &= mask - 1) {
        const int to = targets[std::size_t(std::countr_zero(mask))];
        if (to != from)
            list.push_back(drag(from, to));
    }
}

namespace {

// One suit's two foundations and the suit's terrace cards, from the top down, each
// by its place in a foundation's thirteen: can each terrace card in turn go on a
// foundation that has come up to just below it? A foundation comes up through a
// place with a copy of that card from the table, not home yet and not in the
// terrace; `spare` counts those copies by place.
struct SuitOrder {
    std::array<int, 2> reached;  // cards on each foundation (0: not begun)
    std::array<int, foundationSize> spare;
    std::array<int, 11> terraceCards;
    std::size_t terraceCount = 0;

    bool fits(std::size_t next)
    {
        if (next == terraceCount)
            return true;
        const int place = terraceCards[next];
        for (int &foundation : reached) {
            if (foundation > place)
                continue;
            const int before = foundation;
            int p = foundation;
            while (p < place && spare[std::size_t(p)] > 0)
                --spare[std::size_t(p++)];
            if (p == place) {
                foundation = place + 1;
                if (fits(next + 1))
                    return true;
            }
            for (int q = before; q < p; ++q)
                ++spare[std::size_t(q)];
            foundation = before;
        }
        return false;
    }
};

}  // namespace

bool QueenItalyRules::isTerraceStuck() const
{
    if (stuck == Unknown)
        stuck = terraceIsStuck() ? Yes : No;
    return stuck == Yes;
}

bool QueenItalyRules::terraceIsStuck() const
{
    std::array<SuitOrder, 4> suits{};
    std::array<int, 4> begun{};
    for (SuitOrder &suit : suits) {
        suit.reached = {0, 0};
        suit.spare.fill(2);
    }
    for (int foundation : foundations)
        if (!table.isEmpty(foundation)) {
            SuitOrder &suit = suits[std::size_t(suitOf(table.top(foundation)))];
            const int size = table.size(foundation);
            suit.reached[std::size_t(begun[std::size_t(suitOf(table.top(foundation)))]++ % 2)] = size;
            for (int p = 0; p < size; ++p)
                --suit.spare[std::size_t(p)];
        }
    for (int index = table.size(terrace) - 1; index >= 0; --index) {
        const Card card = table.at(terrace, index);
        SuitOrder &suit = suits[std::size_t(suitOf(card))];
        suit.terraceCards[suit.terraceCount++] = placeInFoundation(rankOf(card));
        --suit.spare[std::size_t(placeInFoundation(rankOf(card)))];
    }
    for (SuitOrder &suit : suits)
        if (!suit.fits(0))
            return true;
    return false;
}

// The choices of the base in order. Then not the click that only rebuilds the stock
// from a lone waste card: it turns the same card up again and only makes the stock
// stricter. Nothing once the terrace is stuck.
void QueenItalyRules::searchMoves(std::vector<Move> &list) const
{
    moves(list);
    if (!has(baseChosen)) {
        orderBases(list);
        return;
    }
    if (isTerraceStuck()) {
        list.clear();
        return;
    }
    if (table.isEmpty(stock) && table.size(waste) == 1 && !list.empty() && list.back().from == stock)
        list.pop_back();
}

// The bases whose terrace starts going home soonest first. The terrace's top card
// waits for the cards of its suit between the base and it; each copy of the base's
// rank beneath it keeps a foundation from starting until it is dug out.
void QueenItalyRules::orderBases(std::vector<Move> &list) const
{
    const int size = table.size(terrace);
    if (size == 0)
        return;
    const auto wait = [&](const Move &press) {
        const int base = rankOf(table.top(press.from));
        int cards = (rankOf(table.top(terrace)) - base + king) % king;
        for (int i = 0; i + 1 < size; ++i)
            cards += rankOf(table.at(terrace, i)) == base ? 3 : 0;
        return cards;
    };
    std::stable_sort(list.begin(), list.end(), [&](const Move &a, const Move &b) { return wait(a) < wait(b); });
}

void QueenItalyRules::apply(Move &move)
{
    const bool justChose = has(choiceJustMade);
    if (move.kind == Move::Click && move.from != stock) {
        chooseBase(move);
        return;
    }
    move.before = justChose;
    set(choiceJustMade, false);
    if (move.kind == Move::Click) {
        clickStock(move);
    } else {
        table.moveRun(move.from, move.to, 1);
        // Only a card going home changes what the terrace waits for.
        if (table.groupOf(move.to) == FoundationGroup) {
            move.effects = std::uint8_t(stuck);
            stuck = Unknown;
        }
    }
}

void QueenItalyRules::undo(const Move &move)
{
    if (move.kind == Move::Click && move.from != stock) {
        unchooseBase(move);
        return;
    }
    if (move.kind == Move::Click) {
        unclickStock(move);
    } else {
        table.moveRun(move.to, move.from, 1);
        if (table.groupOf(move.to) == FoundationGroup)
            stuck = Stuck(move.effects);
    }
    set(choiceJustMade, move.before != 0);
}

// The pressed card starts the first foundation; the stock fills the empty columns.
// The window sends nothing home by itself until the next move.
void QueenItalyRules::chooseBase(Move &move)
{
    const Card card = table.top(move.from);
    table.moveRun(move.from, foundations[0], 1);
    table.extra = std::uint64_t(rankOf(card)) | baseChosen | choiceJustMade;
    filledAtChoice = 0;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (table.isEmpty(columns[i]) && !table.isEmpty(stock)) {
            table.push(columns[i], table.pop(stock));
            filledAtChoice |= 1u << i;
        }
    stuck = Unknown;
}

void QueenItalyRules::unchooseBase(const Move &move)
{
    for (std::size_t i = columns.size(); i-- > 0;)
        if (filledAtChoice & (1u << i))
            table.push(stock, table.pop(columns[i]));
    table.moveRun(foundations[0], move.from, 1);
    table.extra = 0;
    stuck = Unknown;
}

// An empty stock is rebuilt from the waste, turned over; then a card is turned,
// unless the stock has been rebuilt before and the waste still holds a card.
void QueenItalyRules::clickStock(Move &move)
{
    move.effects = has(stockTurned) ? turnedBefore : 0;
    if (table.isEmpty(stock)) {
        table.turnOver(waste, stock);
        set(stockTurned, true);
        move.effects |= rebuilt;
    }
    if (!table.isEmpty(stock) && !(has(stockTurned) && !table.isEmpty(waste))) {
        table.push(waste, table.pop(stock));
        move.effects |= turned;
    }
}

void QueenItalyRules::unclickStock(const Move &move)
{
    if (move.effects & turned)
        table.push(stock, table.pop(waste));
    if (move.effects & rebuilt)
        table.turnOver(stock, waste);
    set(stockTurned, move.effects & turnedBefore);
}

// With "Autoplay" on, after each move but the choice of the base: the terrace's top
// card, each column's, then the waste's, the first that fits a foundation.
bool QueenItalyRules::windowMove(Move &move) const
{
    if (!autoplay || !has(baseChosen) || has(choiceJustMade))
        return false;
    std::vector<int> sources{terrace};
    sources.insert(sources.end(), columns.begin(), columns.end());
    sources.push_back(waste);
    for (int pile : sources) {
        const int home = table.isEmpty(pile) ? -1 : homeFor(table.top(pile));
        if (home >= 0) {
            move = Move{std::int8_t(pile), std::int8_t(home), 1, Move::Auto, 0, 0};
            return true;
        }
    }
    return false;
}

// Cards home; the terrace, which only the foundations can take, cleared; empty
// columns; and few cards left for the strict passes through the stock: those on the
// waste before the stock has been turned over, those in the stock after.
int QueenItalyRules::value() const
{
    int value = 50 * cardsHome() - 20 * table.size(terrace) - 30 * table.size(has(stockTurned) ? stock : waste);
    for (int column : columns)
        value += table.isEmpty(column) ? 15 : 0;
    return value;
}

}  // namespace Solver
