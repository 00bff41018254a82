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
// From card to the top of the pile every card is one lower than the card below it
// and of the other colour (a single top card is a run of one).
bool isAlternatingRunFrom(const TCardPile *pile, const TCard *card);
// card is one lower than onto and of its suit: the Five of hearts on the Six of hearts.
bool isOneLowerSameSuit(const TCard *card, const TCard *onto);
// From card to the top of the pile every card is one lower than the card below it
// and of the same suit.
bool isSameSuitRunFrom(const TCardPile *pile, const TCard *card);

}  // namespace Rules
