// SPDX-License-Identifier: MIT
#include "games/GameJournal.h"

#include <algorithm>

static QList<const TCard *> cardsOf(const TableState &state)
{
    QList<const TCard *> cards;
    for (const QList<PlacedCard> &pile : state.piles)
        for (const PlacedCard &placed : pile)
            cards.append(placed.card);
    std::sort(cards.begin(), cards.end());
    return cards;
}

bool TableState::sameCards(const TableState &other) const { return cardsOf(*this) == cardsOf(other); }

void GameJournal::rebase(const TableState &base)
{
    start = base;
    entries.clear();
    position = 0;
}

void GameJournal::push(JournalEntry entry)
{
    entries.resize(position);
    entries.append(std::move(entry));
    position = size();
}

const TableState &GameJournal::current() const { return position == 0 ? start : entries[position - 1].after; }

const JournalEntry &GameJournal::stepBack() { return entries[--position]; }

const JournalEntry &GameJournal::stepForward() { return entries[position++]; }

void GameJournal::replaceCurrent(const TableState &state)
{
    (position == 0 ? start : entries[position - 1].after) = state;
}

void GameJournal::restore(const TableState &base, QList<JournalEntry> all, int at)
{
    start = base;
    entries = std::move(all);
    position = qBound(0, at, size());
}
