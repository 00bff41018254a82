// SPDX-License-Identifier: MIT
#include "cards/Rules.h"

#include "cards/CardPile.h"

namespace Rules {

CardColor colourOf(const TCard *card)
{
    return card->Suit == FS_CLUBS || card->Suit == FS_SPADES ? FS_BLACK : FS_RED;
}

bool otherColour(const TCard *a, const TCard *b) { return colourOf(a) != colourOf(b); }

bool isOneLower(const TCard *card, const TCard *onto) { return card->Value + 1 == onto->Value; }

bool isOneLowerWrapping(const TCard *card, const TCard *onto) { return (card->Value + 1) % 13 == onto->Value; }

bool isOneLowerOtherColour(const TCard *card, const TCard *onto)
{
    return isOneLower(card, onto) && otherColour(card, onto);
}

bool fitsFoundation(const TCard *card, const TCardPile *foundation)
{
    const TCard *top = foundation->CardAt(TCardPile::Top);
    if (!top)
        return card->Value == FS_ACE;
    return top->Suit == card->Suit && top->Value + 1 == card->Value;
}

bool isOneLowerSameSuit(const TCard *card, const TCard *onto)
{
    return isOneLower(card, onto) && card->Suit == onto->Suit;
}

bool isRunFrom(const TCardPile *pile, const TCard *card, Step step)
{
    const int start = pile->CardIndex(card);
    if (start < 0)
        return false;
    for (int i = start + 1; i < pile->Count(); ++i)
        if (!pile->CardAt(i)->FaceUp || !step(pile->CardAt(i), pile->CardAt(i - 1)))
            return false;
    return true;
}

}  // namespace Rules
