// SPDX-License-Identifier: MIT
#include "solver/games/CastleRules.h"

#include <array>
#include <bit>

namespace Solver {

namespace {
Move drag(int from, int to) { return Move{std::int8_t(from), std::int8_t(to), 1, Move::Drag, 0, 0}; }
}  // namespace

CastleRules::CastleRules()
{
    columns = addPiles("TableauPileView", 8, ColumnGroup, 52);
    foundations = addPiles("FoundationPileView", 4, FoundationGroup, 13);
}

bool CastleRules::load(const TableText &text, const Options &options, std::string &error)
{
    readAutoplay(options);
    autoplaySources = columns;
    return fillPiles(text, error);
}

// Home first, then onto other cards, then into an empty row.
void CastleRules::moves(std::vector<Move> &list) const
{
    list.clear();
    const int count = int(columns.size());
    std::array<Card, 8> tops{};
    std::array<unsigned, king + 2> byRank{};  // the rows whose top card has the rank
    unsigned occupied = 0;
    for (int i = 0; i < count; ++i) {
        tops[i] = table.top(columns[i]);
        if (tops[i] != noCard) {
            byRank[rankOf(tops[i])] |= 1u << i;
            occupied |= 1u << i;
        }
    }
    const std::uint64_t goHome = cardsThatGoHome();
    for (int i = 0; i < count; ++i)
        if (tops[i] != noCard && goHome >> faceUp(tops[i]) & 1)
            list.push_back(drag(columns[i], homeFor(tops[i])));
    for (int to = 0; to < count; ++to)
        if (tops[to] != noCard)
            for (unsigned from = byRank[rankOf(tops[to]) - 1] & ~(1u << to); from; from &= from - 1)
                list.push_back(drag(columns[std::countr_zero(from)], columns[to]));
    for (int to = 0; to < count; ++to)
        if (tops[to] == noCard)
            for (unsigned from = occupied; from; from &= from - 1)
                list.push_back(drag(columns[std::countr_zero(from)], columns[to]));
}

}  // namespace Solver
