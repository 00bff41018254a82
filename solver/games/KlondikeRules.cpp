// SPDX-License-Identifier: MIT
#include "solver/games/KlondikeRules.h"

#include <algorithm>
#include <array>
#include <bit>

namespace Solver {

namespace {
Move drag(int from, int to, int count) { return Move{std::int8_t(from), std::int8_t(to), std::uint8_t(count), Move::Drag, 0, 0}; }
// What apply() notes in Move::effects for undo(): flags, and above them the column
// the move was waited for on, plus one.
constexpr std::uint8_t turnedUp = 1, rebuilt = 1, counted = 2, coverWaited = 8;
constexpr int waitingShift = 4;
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
    waiting = -1;
    coverIt = false;
    return true;
}

bool KlondikeRules::mayClick() const
{
    return !table.isEmpty(stock) || (!table.isEmpty(waste) && mayRebuild());
}

// Home first; then the runs that uncover a card or empty a column; the waste; the
// stock; and last the runs that leave a face-up card behind.
void KlondikeRules::moves(std::vector<Move> &list) const
{
    list.clear();
    addHomeMoves(columns, list);
    const Runs runs = findRuns();
    wasteMoves(list, true);
    runMoves(list, true, runs);
    wasteMoves(list, false);
    if (mayClick())
        list.push_back(Move{std::int8_t(stock), -1, 0, Move::Click, 0, 0});
    runMoves(list, false, runs);
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

KlondikeRules::Runs KlondikeRules::findRuns() const
{
    Runs runs{columnsTaking(), {}};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int from = columns[i];
        int start = table.size(from) - 1;
        while (start > 0 && isFaceUp(table.at(from, start - 1))
               && isOneLowerOtherColour(table.at(from, start), table.at(from, start - 1)))
            --start;
        runs.start[i] = std::int8_t(start);
    }
    return runs;
}

// The face-up runs of each column onto other columns: those from the column's
// lowest face-up card (`exposing`), or those from higher up.
void KlondikeRules::runMoves(std::vector<Move> &list, bool exposing, const Runs &runs) const
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int from = columns[i];
        const int size = table.size(from);
        if (size == 0)
            continue;
        const int start = runs.start[i];
        const bool fromLowest = start == 0 || !isFaceUp(table.at(from, start - 1));
        const int first = exposing || !fromLowest ? start : start + 1;
        const int last = exposing ? (fromLowest ? start + 1 : start) : size;
        for (int index = first; index < last; ++index)
            for (unsigned mask = runs.targets[faceUp(table.at(from, index))]; mask != 0; mask &= mask - 1) {
                const int to = columns[std::size_t(std::countr_zero(mask))];
                if (to != from)
                    list.push_back(drag(from, to, size - index));
            }
    }
}

// For each card, the columns (bits in their order) it may be put on: a King on an
// empty one, any other card on one a rank higher in the other colour.
KlondikeRules::CardTargets KlondikeRules::columnsTaking() const
{
    CardTargets targets{};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Card onto = table.top(columns[i]);
        const auto bit = std::uint16_t(1u << i);
        if (onto == noCard) {
            for (int suit = 0; suit < 4; ++suit)
                targets[makeCard(king, suit)] |= bit;
        } else if (rankOf(onto) > ace) {
            const int other = colourOf(onto) == 0 ? 2 : 0;
            for (int suit : {other, other + 1})
                targets[makeCard(rankOf(onto) - 1, suit)] |= bit;
        }
    }
    return targets;
}

// ---- the moves the search makes --------------------------------------------------

// The clicks stay moves of their own where the stock does not go round, and with
// Autoplay on, where each click may send a card home.
void KlondikeRules::searchMoves(std::vector<Move> &list) const
{
    if (!stockGoesRound()) {
        moves(list);
    } else {
        list.clear();
        addHomeMoves(columns, list);
        const Runs runs = findRuns();
        roundMoves(list, true);
        runMoves(list, true, runs);
        roundMoves(list, false);
        runMoves(list, false, runs);
    }
    if (waiting >= 0)
        keepMovesWaitedFor(list);
    // A click changes nothing the looser game looks at. With two decks the other
    // copy of a card all but always frees it: over millions of positions the check
    // never found a card stuck there, and it took half the search's time.
    if (decks == 1 && !list.empty() && !afterClick && someCardIsStuck())
        list.clear();
}

void KlondikeRules::keepMovesWaitedFor(std::vector<Move> &list) const
{
    // Not even a click: clicks on the way to the move waited for would come before
    // the move that began the wait.
    const auto isWaitedFor = [this](const Move &move) {
        return move.to == waiting || (!coverIt && move.from == waiting);
    };
    list.erase(std::remove_if(list.begin(), list.end(), [&](const Move &move) { return !isWaitedFor(move); }),
               list.end());
}

// Any move that touches the column waited for ends the wait (safe moves too, which
// the search makes unasked); then the move may start a wait of its own.
void KlondikeRules::noteWhatMustFollow(const Move &move)
{
    if (move.from == waiting || move.to == waiting)
        waiting = -1;
    if (!isColumn(move.to) || autoplay)
        return;
    if (isColumn(move.from) && !table.isEmpty(move.from) && !(move.effects & turnedUp)) {
        waiting = move.from;
        coverIt = false;
    } else if (move.from == waste && !drawThree && stockGoesRound()) {
        waiting = move.to;
        coverIt = true;
    }
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
    std::array<bool, 52 * 2 + 1> reached{};
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
    if (table.size(waste) > wasteSize)
        table.turnOver(waste, stock, table.size(waste) - wasteSize);
    else
        table.turnOver(stock, waste, wasteSize - table.size(waste));
}

// The cut does not count, as long as it is one the clicks come back to.
std::uint64_t KlondikeRules::key() const
{
    const std::uint64_t waitShare = waiting < 0 ? 0 : Table::mix(table.share(waiting) ^ (coverIt ? 0xC07E : 0xBA5E));
    if (!stockGoesRound())
        return table.key() + waitShare;
    const int cut = table.size(waste);
    const int total = cut + table.size(stock);
    std::uint64_t order = 0;
    for (int i = 0; i < total; ++i)
        order ^= Table::cardHash(i, inOrder(i));
    if (cut % batch() != 0 && cut != total)
        order ^= Table::mix(std::uint64_t(cut) + 0xC0FFEE);
    return table.key() - table.share(stock) - table.share(waste) + Table::mix(order + 0x5700C) + waitShare;
}

// Cards home count most; then the cards still face down, and those lying above a
// lower card of their suit in their column, which will have to move twice; empty
// columns; and the next card each suit needs, the fewer cards above it the better.
int KlondikeRules::value() const
{
    const bool oneDeck = decks == 1;
    int nextRank[4] = {0, 0, 0, 0};
    if (oneDeck)
        for (int suit = 0; suit < 4; ++suit)
            nextRank[suit] = rankHome(suit) + 1;
    int value = 50 * cardsHome();
    for (int column : columns) {
        const int size = table.size(column);
        value += size == 0 ? 15 : 0;
        int lowest[4] = {king + 1, king + 1, king + 1, king + 1};
        for (int i = 0; i < size; ++i) {
            const Card card = table.at(column, i);
            if (!isFaceUp(card)) {
                value -= rankOf(card) > lowest[suitOf(card)] ? 30 : 20;
                lowest[suitOf(card)] = std::min(lowest[suitOf(card)], rankOf(card));
            } else if (!oneDeck) {
                break;  // the face-down cards lie beneath the face-up ones
            } else if (rankOf(card) == nextRank[suitOf(card)]) {
                value -= 3 * (size - 1 - i);
            }
        }
    }
    return value;
}

void KlondikeRules::describe(const Move &move, std::vector<std::string> &line) const
{
    for (int i = 0; i < move.clicks; ++i)
        line.push_back("click " + table.viewName(stock));
    GameRules::describe(move, line);
}

// ---- a card that can never go home --------------------------------------------------

namespace {

// A looser game than the real one, in which an event needs only that certain other
// events happen at some time, in whatever order: a card goes home once the card of
// its suit below it has gone home and, in a column, the card lying on it has moved
// away; a card moves onto a column once it can be picked up (face up, or uncovered,
// or in the stock) and one of the two cards it fits on can be a column's top card,
// or it is a King and a column can be emptied; a card of a column is a top card
// only once the card lying on it has moved away (a card of the stock, once it has
// moved onto a column). Every event of the real game needs
// these, so what cannot happen here cannot happen there. The events that can happen
// are found by adding them until nothing more can be added; each card is looked at
// again only when something it waits for has happened.
class LooseGame
{
public:
    void clear()
    {
        cards.clear();
        cardHome.fill(false);
        cardTopmost.fill(false);
        firstOf.fill(-1);
        emptyColumn = false;
    }
    void addHome(Card card) { cardHome[faceUp(card)] = true; }
    void addEmptyColumn() { emptyColumn = true; }
    // A column's cards from the top down, then the stock's.
    void add(Card card, bool inColumn, bool onTop, bool bottom)
    {
        const int index = int(cards.size());
        cards.push_back({faceUp(card), inColumn && !onTop ? index - 1 : -1, -1, firstOf[faceUp(card)], inColumn,
                         isFaceUp(card), bottom});
        if (inColumn && !onTop)
            cards[std::size_t(index - 1)].below = index;
        firstOf[faceUp(card)] = index;
    }
    bool allCanGoHome()
    {
        waiting.clear();
        for (int i = int(cards.size()) - 1; i >= 0; --i)
            waiting.push_back(i);
        while (!waiting.empty()) {
            const int index = waiting.back();
            waiting.pop_back();
            lookAt(cards[std::size_t(index)]);
        }
        return std::all_of(cards.begin(), cards.end(), [](const Loose &each) { return each.home; });
    }

private:
    struct Loose {
        Card card;
        int above, below, sameCard;
        bool inColumn, faceUp, bottom;
        bool top = false, toColumn = false, home = false;
        bool moved() const { return toColumn || home; }
    };

    void lookAt(Loose &each)
    {
        const bool uncovered = each.inColumn && (each.above < 0 || cards[std::size_t(each.above)].moved());
        if (uncovered && !each.top) {
            each.top = true;
            topmost(each.card);
        }
        const bool wasMoved = each.moved();
        if (!each.home && (uncovered || !each.inColumn) && (rankOf(each.card) == ace || cardHome[each.card - 4])) {
            each.home = true;
            if (!cardHome[each.card]) {
                cardHome[each.card] = true;
                if (rankOf(each.card) < king)
                    lookAtAll(Card(each.card + 4));
            }
        }
        // A card from a column carries the cards lying on it: it is no top card there
        // before they have moved away, which it waits for anyway.
        if (!each.toColumn && (uncovered || each.faceUp) && fitsSomewhere(each.card)) {
            each.toColumn = true;
            if (!each.inColumn)
                topmost(each.card);
        }
        if (!wasMoved && each.moved()) {
            if (each.below >= 0)
                waiting.push_back(each.below);
            if (each.bottom && !emptyColumn) {
                emptyColumn = true;
                for (int suit = 0; suit < 4; ++suit)
                    lookAtAll(makeCard(king, suit));
            }
        }
    }
    bool fitsSomewhere(Card card) const
    {
        if (rankOf(card) == king)
            return emptyColumn;
        const int higher = (card + 4) & ~3, other = colourOf(card) == 0 ? 2 : 0;
        return cardTopmost[higher | other] || cardTopmost[higher | (other + 1)];
    }
    // The card may be a column's top card: the two that fit on it may move there.
    void topmost(Card card)
    {
        if (cardTopmost[card])
            return;
        cardTopmost[card] = true;
        if (rankOf(card) == ace)
            return;
        const int lower = (card - 4) & ~3, other = colourOf(card) == 0 ? 2 : 0;
        lookAtAll(Card(lower | other));
        lookAtAll(Card(lower | (other + 1)));
    }
    void lookAtAll(Card card)
    {
        for (int index = firstOf[card]; index >= 0; index = cards[std::size_t(index)].sameCard)
            waiting.push_back(index);
    }

    std::vector<Loose> cards;
    std::vector<int> waiting;
    std::array<bool, 64> cardHome{}, cardTopmost{};
    std::array<int, 64> firstOf{};
    bool emptyColumn = false;
};

}  // namespace

// When some card can never go home, even in the looser game, the position is lost.
bool KlondikeRules::someCardIsStuck() const
{
    thread_local LooseGame game;
    game.clear();
    for (int foundation : foundations)
        for (int i = 0; i < table.size(foundation); ++i)
            game.addHome(table.at(foundation, i));
    for (int column : columns) {
        const int size = table.size(column);
        if (size == 0)
            game.addEmptyColumn();
        for (int i = size - 1; i >= 0; --i)
            game.add(table.at(column, i), true, i == size - 1, i == 0);
    }
    for (int pile : {waste, stock})
        for (int i = 0; i < table.size(pile); ++i)
            game.add(table.at(pile, i), false, false, false);
    return !game.allCanGoHome();
}

// ---- making and taking back moves ----------------------------------------------

void KlondikeRules::apply(Move &move)
{
    afterClick = move.kind == Move::Click;
    move.effects = std::uint8_t((waiting + 1) << waitingShift | (coverIt ? coverWaited : 0));
    if (move.clicks > 0) {
        move.before = std::uint8_t(table.size(waste));
        cutAt(move.drawn);
    }
    if (move.kind == Move::Click) {
        if (table.isEmpty(stock)) {
            table.turnOver(waste, stock);
            move.effects |= rebuilt;
            if (rebuildsCount()) {
                ++table.extra;
                move.effects |= counted;
            }
        }
        move.drawn = std::uint8_t(std::min(batch(), table.size(stock)));
        table.turnOver(stock, waste, move.drawn);
        return;
    }
    table.moveRun(move.from, move.to, move.count);
    if (!table.isEmpty(move.from) && !isFaceUp(table.top(move.from))) {
        table.turnTop(move.from, true);
        move.effects |= turnedUp;
    }
    noteWhatMustFollow(move);
}

void KlondikeRules::undo(const Move &move)
{
    afterClick = false;
    waiting = (move.effects >> waitingShift) - 1;
    coverIt = move.effects & coverWaited;
    if (move.kind == Move::Click) {
        table.turnOver(waste, stock, move.drawn);
        if (move.effects & rebuilt) {
            table.turnOver(stock, waste);
            if (move.effects & counted)
                --table.extra;
        }
        return;
    }
    if (move.effects & turnedUp)
        table.turnTop(move.from, false);
    table.moveRun(move.to, move.from, move.count);
    if (move.clicks > 0)
        cutAt(move.before);
}

// The rank up to which every card of the suit is home (with two decks, both).
int KlondikeRules::allHome(int suit) const
{
    int lowest = king, piles = 0;
    for (int foundation : foundations)
        if (!table.isEmpty(foundation) && suitOf(table.top(foundation)) == suit) {
            lowest = std::min(lowest, table.size(foundation));
            ++piles;
        }
    return piles < decks ? 0 : lowest;
}

// A card may go home at once when no card could ever need it on the table. Only a card one lower of the other colour could: none does
// when all of those are home; and none does either when every card two lower is
// home, for then those cards could go home whenever they are free, and nothing
// could need them on the table (what fits on them is home). Aces and twos are
// always safe: an Ace always finds a foundation. Where a card goes home makes no
// difference: two foundations of a suit that take it hold the same cards.
bool KlondikeRules::isSafeHome(Card card) const
{
    const int rank = rankOf(card);
    const int otherColour = colourOf(card) == 0 ? 2 : 0;
    if (rank <= 2 || std::min(allHome(otherColour), allHome(otherColour + 1)) >= rank - 1)
        return true;
    for (int suit = 0; suit < 4; ++suit)
        if (allHome(suit) < rank - 2)
            return false;
    return true;
}

// Drawing three, a card leaving the waste moves the cuts of the passes to come,
// which may matter: only a card from a column is safe then.
bool KlondikeRules::safeMove(Move &move) const
{
    const auto safeFrom = [&](int pile) {
        const Card card = table.top(pile);
        const int home = card == noCard || !isFaceUp(card) ? -1 : homeFor(card);
        if (home < 0 || !isSafeHome(card))
            return false;
        move = drag(pile, home, 1);
        return true;
    };
    return std::any_of(columns.begin(), columns.end(), safeFrom) || (!drawThree && safeFrom(waste));
}

}  // namespace Solver
