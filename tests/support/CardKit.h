// SPDX-License-Identifier: MIT
#pragma once
// Helpers for tests of the card piles and everything built on them.
#include "cards/CardPile.h"

#include <QList>

// The cards of a pile from the bottom up, to compare piles by identity and order.
inline QList<TCard *> cardsOf(const TCardPile *pile)
{
    QList<TCard *> list;
    for (int i = 0; i < pile->Count(); ++i)
        list << pile->CardAt(i);
    return list;
}
