// SPDX-License-Identifier: MIT
#include "cards/Undo.h"

#include "cards/Card.h"
#include "cards/CardPile.h"
#include "cards/CardPileView.h"

#include <QAction>
#include <QApplication>

TCardUndo::TCardUndo() = default;

TCardUndo::~TCardUndo() { Clear(); }

void TCardUndo::SetMenuItem(QAction *item) { menuItem = item; }

void TCardUndo::enableItem(bool enabled)
{
    if (menuItem)
        menuItem->setEnabled(enabled);
}

void TCardUndo::checkConsistency() const
{
    if (sources.size() != piles.size())
        QApplication::beep();
}

void TCardUndo::append(TCardPileView *source, TCardPileView *target, TCardPile *pile)
{
    sources.append(source);
    targets.append(target);
    piles.append(pile);
    checkConsistency();
    enableItem(true);
}

void TCardUndo::AddPileMove(TCardPileView *source, TCardPileView *target, TCardPile *pile)
{
    auto *copy = new TCardPile;
    pile->CopyPileTo(copy);
    append(source, target, copy);
}

void TCardUndo::AddCardMove(TCardPileView *source, TCardPileView *target, TCard *card)
{
    auto *copy = new TCardPile;
    copy->AddCard(card);
    append(source, target, copy);
}

void TCardUndo::PeekLast()
{
    if (sources.isEmpty()) {
        LastSource = nullptr;
        LastTarget = nullptr;
        LastPile = nullptr;
        return;
    }
    LastSource = sources.last();
    LastTarget = targets.last();
    LastPile = piles.last();
}

void TCardUndo::UndoLast()
{
    checkConsistency();
    if (sources.isEmpty()) {
        LastSource = nullptr;
        LastTarget = nullptr;
        LastPile = nullptr;
        enableItem(false);
        return;
    }
    PeekLast();
    for (int i = 0; i < LastPile->Count(); ++i) {
        TCard *card = LastPile->CardAt(i);
        LastTarget->Cards->RemoveCard(card);
        LastSource->Cards->AddCard(card);
    }
    sources.removeLast();
    targets.removeLast();
}

void TCardUndo::DropLast()
{
    if (!piles.isEmpty()) {
        TCardPile *pile = piles.takeLast();
        pile->Empty(false);
        delete pile;
    }
    LastPile = nullptr;
    if (sources.isEmpty())
        enableItem(false);
}

void TCardUndo::Clear()
{
    for (TCardPile *pile : piles) {
        pile->Empty(false);
        delete pile;
    }
    sources.clear();
    targets.clear();
    piles.clear();
    LastSource = nullptr;
    LastTarget = nullptr;
    LastPile = nullptr;
    enableItem(false);
}
