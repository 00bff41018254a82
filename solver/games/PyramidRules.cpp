// SPDX-License-Identifier: MIT
#include "solver/games/PyramidRules.h"

#include <array>
#include <bit>

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
    keepRanksOnly();  // cards pair by rank alone
    const auto counter = text.counters.find("Pass");
    table.extra = std::uint64_t(counter == text.counters.end() ? 1 : counter->second);
    notePlaces();
    return true;
}

void PyramidRules::notePlaces()
{
    placed = 0;
    for (int pile : places)
        placed |= table.isEmpty(pile) ? 0 : 1u << pile;
    rankLeft.fill(0);
    rankPlaces.fill(0);
    for (int pile : places)
        if (!table.isEmpty(pile)) {
            placeRank[std::size_t(pile)] = std::int8_t(rankOf(table.top(pile)));
            rankPlaces[std::size_t(placeRank[std::size_t(pile)])] |= 1u << pile;
        }
    for (int pile = 0; pile < table.pileCount(); ++pile)
        for (int i = 0; pile != discard && i < table.size(pile); ++i)
            ++rankLeft[std::size_t(rankOf(table.at(pile, i)))];
}

namespace {

// Place k of row r (both from 0) lies under places k and k + 1 of row r + 1; a
// place lies beneath every place that covers it, directly or not.
struct Geometry {
    std::array<int, placeCount> row{};
    std::array<std::uint32_t, placeCount> beneath{};  // the places a place covers
    Geometry()
    {
        for (int r = 0, i = 0; r < rows; ++r)
            for (int k = 0; k <= r; ++k)
                row[std::size_t(i++)] = r;
        for (int i = 0; i < placeCount; ++i)
            for (int coverer : {i + row[std::size_t(i)] + 1, i + row[std::size_t(i)] + 2})
                if (row[std::size_t(i)] < rows - 1)
                    beneath[std::size_t(coverer)] |= beneath[std::size_t(i)] | 1u << i;
    }
};
const Geometry geometry;

}  // namespace

// Place k of row r is covered by places k and k + 1 of the next row.
std::uint32_t PyramidRules::freePlaces() const
{
    std::uint32_t covered = 0;
    for (int row = 0, start = 0; row < rows - 1; start += ++row) {
        const std::uint32_t next = placed >> (start + row + 1);
        covered |= ((next | next >> 1) & ((1u << (row + 1)) - 1)) << start;
    }
    return placed & ~covered;
}

PyramidRules::FreePiles PyramidRules::freeCards() const
{
    FreePiles free;
    const auto add = [&free](int pile, int rank) {
        free.piles[std::size_t(free.count)] = pile;
        free.ranks[std::size_t(free.count++)] = rank;
    };
    for (std::uint32_t left = freePlaces(); left; left &= left - 1)
        add(std::countr_zero(left), placeRank[std::size_t(std::countr_zero(left))]);
    for (int pile : {play, waste})
        if (!table.isEmpty(pile))
            add(pile, rankOf(table.top(pile)));
    return free;
}

// Kings first, then pairs, then the stock.
void PyramidRules::moves(std::vector<Move> &list) const
{
    list.clear();
    const FreePiles free = freeCards();
    for (int i = 0; i < free.count; ++i)
        if (free.ranks[std::size_t(i)] == king)
            list.push_back(drag(free.piles[std::size_t(i)], discard));
    for (int i = 0; i < free.count; ++i) {
        const int from = free.piles[std::size_t(i)], rank = free.ranks[std::size_t(i)];
        for (int j = 0; j < free.count; ++j)
            if (free.ranks[std::size_t(j)] + rank == 13)
                list.push_back(drag(from, free.piles[std::size_t(j)]));
        if (from == waste && table.size(waste) > 1 && rankOf(table.at(waste, table.size(waste) - 2)) + rank == 13)
            list.push_back(drag(waste, waste));
    }
    if (mayClick())
        list.push_back(Move{std::int8_t(stock), -1, 0, Move::Click, 0, 0});
}

bool PyramidRules::mayMeet(Spot a, Spot b)
{
    if (a.place >= 0 && b.place >= 0)
        return !(geometry.beneath[std::size_t(a.place)] >> b.place & 1)
            && !(geometry.beneath[std::size_t(b.place)] >> a.place & 1);
    return a.depth < 0 || b.depth < 0 || a.depth - b.depth == 1 || b.depth - a.depth == 1;
}

// The cards of the rank left: the pyramid's by the places the rank was dealt; the
// others lie anywhere but for the waste's in the last pass.
int PyramidRules::spotsOf(int rank, RankSpots &spots) const
{
    int count = 0;
    for (std::uint32_t left = placed & rankPlaces[std::size_t(rank)]; left; left &= left - 1)
        spots[std::size_t(count++)] = {std::countr_zero(left), -1};
    if (pass() == passes)
        for (int i = 0; i < table.size(waste); ++i)
            if (rankOf(table.at(waste, i)) == rank)
                spots[std::size_t(count++)] = {-1, i};
    while (count < rankLeft[std::size_t(rank)])
        spots[std::size_t(count++)] = {-1, -1};
    return count;
}

// A matching of each rank's cards with their partners' (at most four each). The
// cards that meet every card need none: before the last pass, a rank with no card
// in the pyramid, or its partners' rank, pairs off as long as the counts agree.
bool PyramidRules::everyCardCanPair() const
{
    for (int rank = ace; rank <= 6; ++rank) {
        const int n = rankLeft[std::size_t(rank)];
        if (rankLeft[std::size_t(13 - rank)] != n)
            return false;
        if (pass() < passes && !(placed & rankPlaces[std::size_t(rank)] && placed & rankPlaces[std::size_t(13 - rank)]))
            continue;
        RankSpots low, high;
        spotsOf(rank, low);
        spotsOf(13 - rank, high);
        std::array<int, 4> partnerOf{-1, -1, -1, -1};
        for (int i = 0; i < n; ++i) {
            std::uint32_t tried = 0;
            const auto augment = [&](auto &&self, int from) -> bool {
                for (int j = 0; j < n; ++j) {
                    if ((tried >> j & 1) || !mayMeet(low[std::size_t(from)], high[std::size_t(j)]))
                        continue;
                    tried |= 1u << j;
                    if (partnerOf[std::size_t(j)] < 0 || self(self, partnerOf[std::size_t(j)])) {
                        partnerOf[std::size_t(j)] = from;
                        return true;
                    }
                }
                return false;
            };
            if (!augment(augment, i))
                return false;
        }
    }
    return true;
}

// A card of the pyramid meets every card but those it covers (nothing covers a free
// card); a card of the waste in the last pass, the waste's cards only next to it.
int PyramidRules::partnersOf(int pile, int index) const
{
    const int partner = 13 - rankOf(table.at(pile, index));
    int partners = rankLeft[std::size_t(partner)];
    if (pile < placeCount)
        return partners - std::popcount(geometry.beneath[std::size_t(pile)] & placed & rankPlaces[std::size_t(partner)]);
    if (pile != waste || pass() < passes)
        return partners;
    for (int i = 0; i < table.size(waste); ++i)
        partners -= (i < index - 1 || i > index + 1) && rankOf(table.at(waste, i)) == partner ? 1 : 0;
    return partners;
}

// Each pair once; no click that only spends a pass, the stock, play position and
// waste all empty; nothing where some cards can no longer pair off.
void PyramidRules::searchMoves(std::vector<Move> &list) const
{
    moves(list);
    if (!everyCardCanPair()) {
        list.clear();
        return;
    }
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
        for (int pile : {move.from, move.to})
            if (pile != discard) {
                --rankLeft[std::size_t(rankOf(table.top(pile)))];
                table.push(discard, table.pop(pile));
            }
        for (int pile : {move.from, move.to})
            placed &= pile < placeCount ? ~(1u << pile) : ~0u;
        return;
    }
    if (!table.isEmpty(play)) {
        table.push(waste, table.pop(play));
        move.effects |= movedPlay;
    }
    if (table.isEmpty(stock) && pass() < passes) {
        table.turnOver(waste, stock);
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
        for (int pile : {move.to, move.from})
            if (pile != discard) {
                table.push(pile, table.pop(discard));
                ++rankLeft[std::size_t(rankOf(table.top(pile)))];
            }
        for (int pile : {move.from, move.to})
            placed |= pile < placeCount ? 1u << pile : 0u;
        return;
    }
    if (move.effects & turned)
        table.push(stock, table.pop(play));
    if (move.effects & rebuilt) {
        table.turnOver(stock, waste);
        --table.extra;
    }
    if (move.effects & movedPlay)
        table.push(play, table.pop(waste));
}

bool PyramidRules::isSafePair(int pile, int index, int otherPile, int otherIndex) const
{
    return partnersOf(pile, index) == 1 || partnersOf(otherPile, otherIndex) == 1;
}

// A free King goes at once: it pairs with nothing, and nothing it lies on or covers
// is helped by its staying. So does a free pair of which one card can pair with no
// other card left: the two can only ever leave together.
bool PyramidRules::safeMove(Move &move) const
{
    const FreePiles free = freeCards();
    for (int i = 0; i < free.count; ++i)
        if (free.ranks[std::size_t(i)] == king) {
            move = drag(free.piles[std::size_t(i)], discard);
            return true;
        }
    for (int i = 0; i < free.count; ++i) {
        const int from = free.piles[std::size_t(i)], rank = free.ranks[std::size_t(i)];
        for (int j = i + 1; j < free.count; ++j) {
            const int to = free.piles[std::size_t(j)];
            if (free.ranks[std::size_t(j)] + rank == 13 && isSafePair(from, table.size(from) - 1, to, table.size(to) - 1)) {
                move = drag(from, to);
                return true;
            }
        }
        const int under = table.size(waste) - 2;
        if (from == waste && under >= 0 && rankOf(table.at(waste, under)) + rank == 13
            && isSafePair(waste, under + 1, waste, under)) {
            move = drag(waste, waste);
            return true;
        }
    }
    return false;
}

void PyramidRules::betterKeys(std::vector<std::uint64_t> &keys) const
{
    keys.clear();
    for (int earlier = 1; earlier < pass(); ++earlier)
        keys.push_back(table.keyWith(std::uint64_t(earlier)) - table.share(discard));
}

// Cards gone from the pyramid count most, those from the stock less.
int PyramidRules::value() const
{
    return 10 * table.size(discard) - 25 * std::popcount(placed);
}

}  // namespace Solver
