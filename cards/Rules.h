// SPDX-License-Identifier: MIT
#pragma once
#include "cards/Card.h"

class TCardPile;

// The small predicates the games' rules are made of, written once.
namespace Rules {

CardColor ColourOf(const TCard *card);
bool OtherColour(const TCard *a, const TCard *b);
// card is one value lower than onto (a Five on a Six).
bool IsOneLower(const TCard *card, const TCard *onto);
// card is one value lower than onto, going round the corner: a King is one lower
// than an Ace.
bool IsOneLowerWrapping(const TCard *card, const TCard *onto);
// card is one lower than onto and of the other colour: a red Five on a black Six.
bool IsOneLowerOtherColour(const TCard *card, const TCard *onto);
// card goes on a foundation pile built up by suit from the Ace.
bool FitsFoundation(const TCard *card, const TCardPile *foundation);
// From card to the top of the pile every card is one lower than the card below it
// and of the other colour (a single top card is a run of one).
bool IsAlternatingRunFrom(const TCardPile *pile, const TCard *card);
// card is one lower than onto and of its suit: the Five of hearts on the Six of hearts.
bool IsOneLowerSameSuit(const TCard *card, const TCard *onto);
// From card to the top of the pile every card is one lower than the card below it
// and of the same suit.
bool IsSameSuitRunFrom(const TCardPile *pile, const TCard *card);

}  // namespace Rules
