// SPDX-License-Identifier: MIT
#include "solver/Cards.h"

#include <cctype>

namespace Solver {

namespace {
constexpr std::string_view ranks = "A23456789TJQK";
constexpr std::string_view suits = "CSDH";
}  // namespace

Card parseCard(std::string_view text)
{
    if (text.size() != 2)
        return noCard;
    const auto rank = ranks.find(char(std::toupper(static_cast<unsigned char>(text[0]))));
    const auto suit = suits.find(char(std::toupper(static_cast<unsigned char>(text[1]))));
    if (rank == std::string_view::npos || suit == std::string_view::npos)
        return noCard;
    return makeCard(int(rank) + 1, int(suit), std::isupper(static_cast<unsigned char>(text[1])));
}

std::string cardText(Card card)
{
    std::string text{ranks[rankOf(card) - 1], suits[suitOf(card)]};
    if (!isFaceUp(card))
        for (char &c : text)
            c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace Solver
