// SPDX-License-Identifier: MIT
#include "games/KlondikeStock.h"

#include "cards/Rules.h"
#include "shell/Sounds.h"

#include <QAction>

KlondikeStockForm::KlondikeStockForm(GameDescription description, CardScale scale, QWidget *parent)
    : TGameForm(std::move(description), scale, parent),
      DeckPileView(View(QStringLiteral("DeckPileView"))),
      DiscardPileView(View(QStringLiteral("DiscardPileView"))),
      RecyclePileView(View(QStringLiteral("RecyclePileView"))),
      Tableau(ViewsOf(PileRole::Column)),
      Foundations(ViewsOf(PileRole::Foundation))
{
    const Choice draw = AddChoice(QStringLiteral("DrawThree1"), QStringLiteral("Draw Three"), QStringLiteral("DrawOne1"),
                                  QStringLiteral("Draw One"), QStringLiteral("DrawThree"), true, &DrawThree, true);
    DrawThree1 = draw.whenTrue;
    DrawOne1 = draw.whenFalse;
}

void KlondikeStockForm::DealColumns(bool animate)
{
    const int columns = int(Tableau.size());
    for (int row = 1; row <= columns; ++row) {
        for (int column = row; column <= columns; ++column)
            DealCard(Tableau[column - 1], column == row, animate);
        PlayDealStep(DeckPileView);
    }
}

// ---- the stock and the waste ----------------------------------------------------------

bool KlondikeStockForm::WasteHasCards() const
{
    return !RecyclePileView->Cards->IsEmpty() || !DiscardPileView->Cards->IsEmpty();
}

void KlondikeStockForm::DeckPileViewClick()
{
    // Nothing to turn and nothing (more) to turn over: the table stays as it is.
    const bool stockEmpty = DeckPileView->Cards->IsEmpty();
    if (stockEmpty && (!WasteHasCards() || !MayRebuildStock()))
        return;
    LockChoices();
    if (stockEmpty)
        RebuildStock();
    DrawFromStock();
    Play(&TSoundManager::PlayStock);
    AutoplayPass();
    UpdateStock();
}

void KlondikeStockForm::DrawFromStock()
{
    TCardPile drawn;
    TCardPile *stock = DeckPileView->Cards;
    for (int i = 1; i <= BatchSize() && !stock->IsEmpty(); ++i) {
        if (i == 1) {
            MoveBatchToRecycle();
            ++MoveCount;
        }
        drawn.AddCard(DealCard(DiscardPileView, true, false));
        DeckPileView->Paint();
        DiscardPileView->Paint();
    }
    UndoList->AddPileMove(DeckPileView, DiscardPileView, &drawn);
}

// The previous batch leaves the visible waste for the hidden pile beneath it.
void KlondikeStockForm::MoveBatchToRecycle()
{
    TCardPile batch;
    TCardPile *waste = DiscardPileView->Cards;
    for (int i = 0; i < BatchSize() && !waste->IsEmpty(); ++i) {
        TCard *card = waste->CardAt(0);
        waste->RemoveCard(card);
        RecyclePileView->Cards->AddCard(card);
        batch.AddCard(card);
    }
    UndoList->AddPileMove(DiscardPileView, RecyclePileView, &batch);
}

// The whole waste goes back to the stock, the card turned first on top again.
void KlondikeStockForm::RebuildStock()
{
    ++Recycles;
    MoveBatchToRecycle();
    TCardPile *held = RecyclePileView->Cards;
    UndoList->AddPileMove(RecyclePileView, DeckPileView, held);
    held->CopyPileTo(DeckPileView->Cards);
    DeckPileView->Cards->Flip();
    held->Empty(false);
    DiscardPileView->Paint();
    DeckPileView->Paint();
}

void KlondikeStockForm::UpdateStock()
{
    const int count = DeckPileView->Cards->Count();
    if (count > 0) {
        DeckPileView->SetHint(QString::number(count));
        return;
    }
    DeckPileView->SetHint(QString());
    DeckPileView->State = WasteHasCards() && MayRebuildStock() ? FS_RECYCLE : FS_BLANK;
    DeckPileView->Paint();
}

// When the visible waste runs out, the previous batch comes back to it.
void KlondikeStockForm::RefillWaste()
{
    TCardPile *waste = DiscardPileView->Cards;
    TCardPile *held = RecyclePileView->Cards;
    if (!waste->IsEmpty() || held->IsEmpty())
        return;
    for (int i = 0; i < BatchSize() && !held->IsEmpty(); ++i) {
        TCard *card = held->CardAt(TCardPile::Top);
        held->RemoveCard(card);
        waste->InsertCard(card, 0);
    }
    DiscardPileView->Paint();
    UndoList->AddPileMove(RecyclePileView, DiscardPileView, waste);
}

// ---- the two questions ------------------------------------------------------------------

bool KlondikeStockForm::MayDrag(TCardPileView *view, TCard *card)
{
    if (view == DiscardPileView)
        return card == view->Cards->CardAt(TCardPile::Top);
    return card->FaceUp && Rules::IsAlternatingRunFrom(view->Cards, card);
}

bool KlondikeStockForm::MayDrop(TCardPileView *target, TCardPileView *, const TCardPile *cards)
{
    const TCard *moving = cards->CardAt(0);
    const TCard *top = target->Cards->CardAt(TCardPile::Top);
    if (Tableau.contains(target))
        return top ? Rules::IsOneLowerOtherColour(moving, top) : moving->Value == FS_KING;
    if (Foundations.contains(target))
        return cards->Count() == 1 && Rules::FitsFoundation(moving, target->Cards);
    return false;
}

// A move from the waste brings the previous batch back; one from a column turns up
// the card it uncovered.
void KlondikeStockForm::AfterMove(TCardPileView *source)
{
    RefillWaste();
    if (Tableau.contains(source))
        TurnUpTop(source);
    UpdateStock();
}

void KlondikeStockForm::AutoplayPass()
{
    TGameForm::AutoplayPass();
    UpdateStock();
}

// ---- undo ------------------------------------------------------------------------------------

int KlondikeStockForm::UndoLastAction()
{
    UndoList->PeekLast();
    if (UndoList->LastSource == DeckPileView) {
        UndoDraw();
        // A click on the empty stock rebuilt it before it drew: one click, one move,
        // one undo.
        UndoList->PeekLast();
        if (UndoList->LastSource == RecyclePileView && UndoList->LastTarget == DeckPileView)
            UndoFromRecycle();
        return 1;
    }
    if (UndoList->LastSource == RecyclePileView) {
        UndoFromRecycle();
        return 1;
    }
    return TGameForm::UndoLastAction();
}

// The drawn cards go back to the stock, the first drawn on top, and the batch they
// covered returns to the visible waste.
void KlondikeStockForm::UndoDraw()
{
    UndoList->LastPile->Flip();
    UndoList->UndoLast();
    DeckPileView->Paint();
    DiscardPileView->Paint();
    UndoList->DropLast();
    UndoOrdinaryRecord();
}

// A refill of the waste, or a rebuild of the stock from it, goes back face up
// together with the move before it.
void KlondikeStockForm::UndoFromRecycle()
{
    if (UndoList->LastTarget == DeckPileView)
        --Recycles;
    for (int i = 0; i < UndoList->LastPile->Count(); ++i)
        UndoList->LastPile->CardAt(i)->FaceUp = true;
    UndoList->UndoLast();
    UndoList->LastTarget->Paint();
    UndoList->DropLast();
    UndoOrdinaryRecord();
}
