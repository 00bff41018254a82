// SPDX-License-Identifier: MIT
#include "solver/games/PyramidRules.h"

#include <array>
#include <bit>
#include <optional>

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
    turnAllUp(stock);
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
    std::array<std::uint32_t, placeCount> coverers{};  // the two places right on it
    Geometry()
    {
        for (int r = 0, i = 0; r < rows; ++r)
            for (int k = 0; k <= r; ++k)
                row[std::size_t(i++)] = r;
        for (int i = 0; i < placeCount; ++i)
            for (int coverer : {i + row[std::size_t(i)] + 1, i + row[std::size_t(i)] + 2})
                if (row[std::size_t(i)] < rows - 1) {
                    beneath[std::size_t(coverer)] |= beneath[std::size_t(i)] | 1u << i;
                    coverers[std::size_t(i)] |= 1u << coverer;
                }
    }
};
const Geometry geometry;

}  // namespace

bool PyramidRules::isFree(int pile) const
{
    return pile >= placeCount || !(placed & geometry.coverers[std::size_t(pile)]);
}

PyramidRules::FreePiles PyramidRules::freeCards() const
{
    FreePiles free;
    for (std::uint32_t left = placed; left; left &= left - 1)
        if (const int pile = std::countr_zero(left); isFree(pile))
            free.piles[std::size_t(free.count++)] = pile;
    for (int pile : {play, waste})
        if (!table.isEmpty(pile))
            free.piles[std::size_t(free.count++)] = pile;
    return free;
}

// Kings first, then pairs, then the stock.
void PyramidRules::moves(std::vector<Move> &list) const
{
    list.clear();
    const FreePiles free = freeCards();
    for (int from : free)
        if (rankOf(table.top(from)) == king)
            list.push_back(drag(from, discard));
    for (int from : free) {
        const int rank = rankOf(table.top(from));
        for (int to : free)
            if (to != from && rankOf(table.top(to)) + rank == 13)
                list.push_back(drag(from, to));
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

PyramidRules::Spot PyramidRules::spotOf(int pile, int index) const
{
    if (pile < placeCount)
        return {pile, -1};
    return {-1, pile == waste && pass() == passes ? index : -1};
}

PyramidRules::Spots PyramidRules::spots() const
{
    Spots all;
    const auto note = [&all](Card card, Spot spot) {
        if (const int rank = rankOf(card); rank < king)
            all.byRank[std::size_t(rank)][std::size_t(all.count[std::size_t(rank)]++)] = spot;
    };
    for (std::uint32_t left = placed; left; left &= left - 1) {
        const int place = std::countr_zero(left);
        note(table.at(place, 0), {place, -1});
    }
    for (int pile : {stock, play, waste})
        for (int i = 0; i < table.size(pile); ++i)
            note(table.at(pile, i), spotOf(pile, i));
    return all;
}

// A matching of each rank's cards with their partners' (at most four each).
bool PyramidRules::everyCardCanPair() const
{
    const Spots all = spots();
    for (int rank = ace; rank <= 6; ++rank) {
        const auto &low = all.byRank[std::size_t(rank)];
        const auto &high = all.byRank[std::size_t(13 - rank)];
        const int n = all.count[std::size_t(rank)];
        if (all.count[std::size_t(13 - rank)] != n)
            return false;
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

bool PyramidRules::hasOnePartner(Spot card, int rank, const Spots &all) const
{
    const int partner = 13 - rank;
    int partners = 0;
    for (int j = 0; j < all.count[std::size_t(partner)]; ++j)
        partners += mayMeet(card, all.byRank[std::size_t(partner)][std::size_t(j)]) ? 1 : 0;
    return partners == 1;
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

// A free King goes at once: it pairs with nothing, and nothing it lies on or covers
// is helped by its staying. So does a free pair of which one card can pair with no
// other card left: the two can only ever leave together.
bool PyramidRules::safeMove(Move &move) const
{
    const FreePiles free = freeCards();
    for (int pile : free)
        if (rankOf(table.top(pile)) == king) {
            move = drag(pile, discard);
            return true;
        }
    std::optional<Spots> all;
    for (int from : free) {
        const int rank = rankOf(table.top(from));
        const Spot spot = spotOf(from, table.size(from) - 1);
        for (int to : free) {
            const bool underneath = to == from && from == waste && table.size(waste) > 1;
            if ((to == from && !underneath) || to < from)
                continue;
            const int index = table.size(to) - (underneath ? 2 : 1);
            if (rankOf(table.at(to, index)) + rank != 13)
                continue;
            if (rankLeft[std::size_t(rank)] == 1 || rankLeft[std::size_t(13 - rank)] == 1) {
                move = drag(from, to);
                return true;
            }
            if (!all)
                all = spots();
            if (hasOnePartner(spot, rank, *all) || hasOnePartner(spotOf(to, index), 13 - rank, *all)) {
                move = drag(from, to);
                return true;
            }
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
