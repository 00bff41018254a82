// SPDX-License-Identifier: MIT
#include "cards/Rules.h"

#include "cards/CardPile.h"

namespace Rules {

CardColor ColourOf(const TCard *card)
{
    return card->Suit == FS_CLUBS || card->Suit == FS_SPADES ? FS_BLACK : FS_RED;
}

bool OtherColour(const TCard *a, const TCard *b) { return ColourOf(a) != ColourOf(b); }

bool IsOneLower(const TCard *card, const TCard *onto) { return card->Value + 1 == onto->Value; }

bool IsOneLowerWrapping(const TCard *card, const TCard *onto) { return (card->Value + 1) % 13 == onto->Value; }

bool IsOneLowerOtherColour(const TCard *card, const TCard *onto)
{
    return IsOneLower(card, onto) && OtherColour(card, onto);
}

bool FitsFoundation(const TCard *card, const TCardPile *foundation)
{
    const TCard *top = foundation->CardAt(TCardPile::Top);
    if (!top)
        return card->Value == FS_ACE;
    return top->Suit == card->Suit && top->Value + 1 == card->Value;
}

bool IsAlternatingRunFrom(const TCardPile *pile, const TCard *card)
{
    const int start = pile->CardIndex(card);
    if (start < 0)
        return false;
    for (int i = start + 1; i < pile->Count(); ++i)
        if (!pile->CardAt(i)->FaceUp || !IsOneLowerOtherColour(pile->CardAt(i), pile->CardAt(i - 1)))
            return false;
    return true;
}

bool IsOneLowerSameSuit(const TCard *card, const TCard *onto)
{
    return IsOneLower(card, onto) && card->Suit == onto->Suit;
}

bool IsSameSuitRunFrom(const TCardPile *pile, const TCard *card)
{
    const int start = pile->CardIndex(card);
    if (start < 0)
        return false;
    for (int i = start + 1; i < pile->Count(); ++i)
        if (!pile->CardAt(i)->FaceUp || !IsOneLowerSameSuit(pile->CardAt(i), pile->CardAt(i - 1)))
            return false;
    return true;
}

}  // namespace Rules
