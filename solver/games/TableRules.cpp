// SPDX-License-Identifier: MIT
#include "solver/games/TableRules.h"

#include <algorithm>

namespace Solver {

std::vector<int> TableRules::addPiles(const std::string &prefix, int count, Group group, int capacity)
{
    std::vector<int> piles;
    for (int i = 1; i <= count; ++i)
        piles.push_back(table.addPile(prefix + std::to_string(i), group, capacity));
    return piles;
}

int TableRules::homeFor(Card card) const
{
    for (int pile : foundations)
        if (fitsFoundation(card, table.top(pile)))
            return pile;
    return -1;
}

int TableRules::rankHome(int suit) const
{
    for (int pile : foundations)
        if (!table.isEmpty(pile) && suitOf(table.top(pile)) == suit)
            return rankOf(table.top(pile));
    return 0;
}

std::array<int, 4> TableRules::ranksHome() const
{
    std::array<int, 4> ranks{};
    for (int pile : foundations)
        if (const Card top = table.top(pile); top != noCard)
            ranks[suitOf(top)] = rankOf(top);
    return ranks;
}

int TableRules::cardsHome() const
{
    int home = 0;
    for (int pile : foundations)
        home += table.size(pile);
    return home;
}

bool TableRules::isSafeHome(Card card, Build build, const std::array<int, 4> &ranks)
{
    const int rank = rankOf(card);
    if (rank <= 2 || build == Build::SameSuit)
        return true;
    for (int suit = 0; suit < 4; ++suit)
        if ((build == Build::AnySuit || (suit >> 1) != colourOf(card)) && ranks[suit] < rank - 1)
            return false;
    return true;
}

int TableRules::value() const
{
    const std::array<int, 4> ranks = ranksHome();
    int value = 50 * cardsHome();
    for (int cell : cells)
        value += table.isEmpty(cell) ? 8 : 0;
    for (int column : columns)
        value += table.isEmpty(column) ? 15 : 0;
    for (int suit = 0; suit < 4; ++suit) {
        if (ranks[suit] == king)
            continue;
        const Card next = makeCard(ranks[suit] + 1, suit);
        const int pile = table.pileOf(next);
        if (table.groupOf(pile) == ColumnGroup)
            value -= 3 * (table.size(pile) - 1 - table.heightOf(next));
    }
    return value;
}

bool TableRules::readAutoplay(const Options &options)
{
    const auto option = options.find("Autoplay");
    autoplay = option != options.end() && option->second;
    return autoplay;
}

bool TableRules::windowMove(Move &move) const
{
    if (!autoplay)
        return false;
    for (int pile : autoplaySources) {
        const Card card = table.top(pile);
        const int home = card == noCard || !isFaceUp(card) ? -1 : homeFor(card);
        if (home >= 0) {
            move = Move{std::int8_t(pile), std::int8_t(home), 1, Move::Auto, 0, 0};
            return true;
        }
    }
    return false;
}

int TableRules::firstEmpty(const std::vector<int> &piles) const
{
    const auto found = std::find_if(piles.begin(), piles.end(), [this](int pile) { return table.isEmpty(pile); });
    return found == piles.end() ? -1 : *found;
}

std::uint64_t TableRules::cardsThatGoHome() const
{
    std::uint64_t cards = 0;
    for (int pile : foundations) {
        const Card top = table.top(pile);
        if (top == noCard)
            for (int suit = 0; suit < 4; ++suit)
                cards |= std::uint64_t(1) << makeCard(ace, suit);
        else if (rankOf(top) < king)
            cards |= std::uint64_t(1) << makeCard(rankOf(top) + 1, suitOf(top));
    }
    return cards;
}

void TableRules::addHomeMoves(const std::vector<int> &sources, std::vector<Move> &list) const
{
    const std::uint64_t goHome = cardsThatGoHome();
    for (int from : sources) {
        const Card card = table.top(from);
        if (card == noCard || !(goHome >> faceUp(card) & 1))
            continue;
        for (int foundation : foundations)
            if (fitsFoundation(card, table.top(foundation)))
                list.push_back(Move{std::int8_t(from), std::int8_t(foundation), 1, Move::Drag, 0, 0});
    }
}

bool TableRules::safeMoveFrom(const std::vector<int> &sources, Build build, Move &move) const
{
    const std::array<int, 4> ranks = ranksHome();
    for (int pile : sources) {
        const Card card = table.top(pile);
        if (card == noCard || !isFaceUp(card) || rankOf(card) != ranks[suitOf(card)] + 1)
            continue;
        if (isSafeHome(card, build, ranks)) {
            move = Move{std::int8_t(pile), std::int8_t(homeFor(card)), 1, Move::Drag, 0, 0};
            return true;
        }
    }
    return false;
}

}  // namespace Solver
