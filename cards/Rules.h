// SPDX-License-Identifier: MIT
#pragma once
#include "cards/Card.h"

class TCardPile;

// The small predicates the games' rules are made of, written once.
namespace Rules {

CardColor colourOf(const TCard *card);
bool otherColour(const TCard *a, const TCard *b);
// card is one value lower than onto (a Five on a Six).
bool isOneLower(const TCard *card, const TCard *onto);
// card is one value lower than onto, going round the corner: a King is one lower
// than an Ace.
bool isOneLowerWrapping(const TCard *card, const TCard *onto);
// card is one lower than onto and of the other colour: a red Five on a black Six.
bool isOneLowerOtherColour(const TCard *card, const TCard *onto);
// card goes on a foundation pile built up by suit from the Ace.
bool fitsFoundation(const TCard *card, const TCardPile *foundation);
// card is one lower than onto and of its suit: the Five of hearts on the Six of hearts.
bool isOneLowerSameSuit(const TCard *card, const TCard *onto);

// How one card of a run goes on the card below it.
using Step = bool (*)(const TCard *card, const TCard *onto);
// From card to the top of the pile every card is face up and goes on the card below
// it by `step` (a single top card is a run of one).
bool isRunFrom(const TCardPile *pile, const TCard *card, Step step);
// ... one lower and of the other colour each time.
inline bool isAlternatingRunFrom(const TCardPile *pile, const TCard *card)
{
    return isRunFrom(pile, card, isOneLowerOtherColour);
}
// ... one lower and of the same suit each time.
inline bool isSameSuitRunFrom(const TCardPile *pile, const TCard *card)
{
    return isRunFrom(pile, card, isOneLowerSameSuit);
}

}  // namespace Rules
