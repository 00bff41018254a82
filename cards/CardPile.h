// SPDX-License-Identifier: MIT
#pragma once
#include <QList>

class TCard;

// An ordered list of card references, index 0 the bottom card. The index 9999
// means the top card when reading and the place above it when inserting. A pile
// frees its cards only through Empty(true).
class TCardPile
{
public:
    static constexpr int Top = 9999;

    TCardPile();
    ~TCardPile() = default;
    TCardPile(const TCardPile &) = delete;
    TCardPile &operator=(const TCardPile &) = delete;

    void AddCard(TCard *card);
    void InsertCard(TCard *card, int index);
    void AddPile(const TCardPile *other);
    void InsertPile(const TCardPile *other, int index);
    void CopyPileTo(TCardPile *target) const;
    void RemoveCard(TCard *card);
    TCard *CardAt(int index) const;
    int CardIndex(const TCard *card) const;
    void AddDeck();
    void Empty(bool freeCards);
    void Flip();
    void Shuffle();
    int GetCardCount();
    int Count() const { return static_cast<int>(cards.size()); }
    bool IsEmpty() const { return cards.isEmpty(); }

private:
    int cardCount = 0;
    QList<TCard *> cards;
};
