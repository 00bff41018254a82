// SPDX-License-Identifier: MIT
#include "cards/CardPile.h"

#include "cards/Card.h"
#include "platform/Random.h"

#include <utility>

TCardPile::TCardPile()
{
    // Every pile reseeds the shared generator, as the program always has.
    Random::reseedFromTime();
}

void TCardPile::AddCard(TCard *card) { cards.append(card); }

void TCardPile::InsertCard(TCard *card, int index)
{
    if (index == Top)
        cards.append(card);
    else
        cards.insert(index, card);
}

void TCardPile::AddPile(const TCardPile *other) { InsertPile(other, Top); }

void TCardPile::InsertPile(const TCardPile *other, int index)
{
    // Copy first: a pile may be added to itself.
    const QList<TCard *> incoming = other->cards;
    if (index == Top)
        cards.append(incoming);
    else
        for (TCard *card : incoming)
            cards.insert(index, card);
}

void TCardPile::CopyPileTo(TCardPile *target) const { target->cards.append(cards); }

void TCardPile::RemoveCard(TCard *card) { cards.removeOne(card); }

TCard *TCardPile::CardAt(int index) const
{
    if (cards.isEmpty())
        return nullptr;
    if (index == Top)
        return cards.last();
    return cards.at(index);
}

int TCardPile::CardIndex(const TCard *card) const
{
    return static_cast<int>(cards.indexOf(const_cast<TCard *>(card)));
}

void TCardPile::AddDeck()
{
    for (int value = FS_ACE; value <= FS_KING; ++value)
        for (int suit = FS_CLUBS; suit <= FS_HEARTS; ++suit)
            cards.append(new TCard(static_cast<CardSuit>(suit), static_cast<CardValue>(value)));
}

void TCardPile::Empty(bool freeCards)
{
    if (freeCards)
        for (auto card = cards.rbegin(); card != cards.rend(); ++card)
            delete *card;
    cards.clear();
}

void TCardPile::Flip()
{
    const int n = Count();
    for (int i = n - 1; i >= 0; --i) {
        TCard *card = cards.takeAt(i);
        cards.append(card);
        card->Flip();
    }
}

void TCardPile::Shuffle()
{
    const int n = Count();
    for (int i = 0; i < n - 1; ++i) {
        const int j = i + Random::next() % (n - i);
        std::swap(cards[i], cards[j]);
    }
}

int TCardPile::GetCardCount()
{
    cardCount = Count();
    return cardCount;
}
