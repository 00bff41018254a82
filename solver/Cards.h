// SPDX-License-Identifier: MIT
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// A card in a byte: rank (1 = Ace .. 13 = King) times four plus the suit (0 clubs,
// 1 spades, 2 diamonds, 3 hearts; the first two black), with the top bit set while
// the card lies face down. 0 is no card.
namespace Solver {

using Card = std::uint8_t;

constexpr Card noCard = 0;
constexpr Card faceDownBit = 0x80;
constexpr int ace = 1, king = 13;

constexpr Card makeCard(int rank, int suit, bool faceUp = true)
{
    return Card((rank << 2 | suit) | (faceUp ? 0 : faceDownBit));
}
constexpr int rankOf(Card card) { return (card & 0x7f) >> 2; }
constexpr int suitOf(Card card) { return card & 3; }
constexpr int colourOf(Card card) { return (card & 3) >> 1; }
constexpr bool isFaceUp(Card card) { return !(card & faceDownBit); }
constexpr Card faceUp(Card card) { return Card(card & ~faceDownBit); }

// The rule predicates the games are made of.
constexpr bool isOneLower(Card card, Card onto) { return rankOf(card) + 1 == rankOf(onto); }
constexpr bool isOneLowerOtherColour(Card card, Card onto)
{
    return isOneLower(card, onto) && colourOf(card) != colourOf(onto);
}
constexpr bool isOneLowerSameSuit(Card card, Card onto)
{
    return isOneLower(card, onto) && suitOf(card) == suitOf(onto);
}
// A foundation built up by suit from the Ace, its top card given (or none).
constexpr bool fitsFoundation(Card card, Card foundationTop)
{
    return foundationTop == noCard ? rankOf(card) == ace
                                   : suitOf(card) == suitOf(foundationTop) && rankOf(card) == rankOf(foundationTop) + 1;
}

// "7c", "TS": rank A 2..9 T J Q K, suit C S D H, upper case face up. noCard when
// the text is no card.
Card parseCard(std::string_view text);
std::string cardText(Card card);

}  // namespace Solver
