// SPDX-License-Identifier: MIT
#include "games/KlondikeStockWindow.h"

#include "cards/Rules.h"
#include "shell/Sounds.h"

#include <QAction>

KlondikeStockWindow::KlondikeStockWindow(GameDescription description, CardScale scale, QWidget *parent)
    : GameWindow(std::move(description), scale, parent),
      DeckPileView(viewOf(PileRole::Stock)),
      DiscardPileView(viewOf(PileRole::Waste)),
      RecyclePileView(viewOf(PileRole::Holding))
{
    const Choice draw = addChoice(QStringLiteral("DrawThree1"), QStringLiteral("Draw Three"), QStringLiteral("DrawOne1"),
                                  QStringLiteral("Draw One"), QStringLiteral("DrawThree"), true, &DrawThree, true);
    DrawThree1 = draw.whenTrue;
    DrawOne1 = draw.whenFalse;
}

void KlondikeStockWindow::dealColumns(bool animate)
{
    const int columns = int(Tableau.size());
    for (int row = 1; row <= columns; ++row) {
        for (int column = row; column <= columns; ++column)
            dealCard(Tableau[column - 1], column == row, animate);
        playDealStep(DeckPileView);
    }
}

// ---- the stock and the waste ----------------------------------------------------------

bool KlondikeStockWindow::wasteHasCards() const
{
    return !RecyclePileView->Cards->IsEmpty() || !DiscardPileView->Cards->IsEmpty();
}

void KlondikeStockWindow::turnStock()
{
    // Nothing to turn and nothing (more) to turn over: the table stays as it is.
    const bool stockEmpty = DeckPileView->Cards->IsEmpty();
    if (stockEmpty && (!wasteHasCards() || !mayRebuildStock()))
        return;
    lockChoices();
    if (stockEmpty)
        rebuildStock();
    drawFromStock();
    play(&TSoundManager::PlayStock);
    AutoplayPass();
}

void KlondikeStockWindow::drawFromStock()
{
    TCardPile drawn;
    TCardPile *stock = DeckPileView->Cards;
    for (int i = 1; i <= batchSize() && !stock->IsEmpty(); ++i) {
        if (i == 1) {
            moveBatchToRecycle();
            ++MoveCount;
        }
        drawn.AddCard(dealCard(DiscardPileView, true, false));
        DeckPileView->Paint();
        DiscardPileView->Paint();
    }
    UndoList->AddPileMove(DeckPileView, DiscardPileView, &drawn);
}

// The previous batch leaves the visible waste for the hidden pile beneath it.
void KlondikeStockWindow::moveBatchToRecycle()
{
    TCardPile batch;
    TCardPile *waste = DiscardPileView->Cards;
    for (int i = 0; i < batchSize() && !waste->IsEmpty(); ++i) {
        TCard *card = waste->CardAt(0);
        waste->RemoveCard(card);
        RecyclePileView->Cards->AddCard(card);
        batch.AddCard(card);
    }
    UndoList->AddPileMove(DiscardPileView, RecyclePileView, &batch);
}

// The whole waste goes back to the stock, the card turned first on top again.
void KlondikeStockWindow::rebuildStock()
{
    ++Recycles;
    moveBatchToRecycle();
    turnOverWaste(RecyclePileView, DeckPileView);
    DiscardPileView->Paint();
}

void KlondikeStockWindow::UpdateStock()
{
    if (!DeckPileView->Cards->IsEmpty())
        return;
    DeckPileView->State = wasteHasCards() && mayRebuildStock() ? FS_RECYCLE : FS_BLANK;
    DeckPileView->Paint();
}

// When the visible waste runs out, the previous batch comes back to it.
void KlondikeStockWindow::RefillWaste()
{
    TCardPile *waste = DiscardPileView->Cards;
    TCardPile *held = RecyclePileView->Cards;
    if (!waste->IsEmpty() || held->IsEmpty())
        return;
    for (int i = 0; i < batchSize() && !held->IsEmpty(); ++i) {
        TCard *card = held->CardAt(TCardPile::Top);
        held->RemoveCard(card);
        waste->InsertCard(card, 0);
    }
    DiscardPileView->Paint();
    UndoList->AddPileMove(RecyclePileView, DiscardPileView, waste);
}

// ---- the two questions ------------------------------------------------------------------

bool KlondikeStockWindow::mayDrag(TCardPileView *view, TCard *card)
{
    if (view == DiscardPileView)
        return card == view->Cards->CardAt(TCardPile::Top);
    return card->FaceUp && Rules::isAlternatingRunFrom(view->Cards, card);
}

bool KlondikeStockWindow::mayDrop(TCardPileView *target, TCardPileView *, const TCardPile *cards)
{
    const TCard *moving = cards->CardAt(0);
    const TCard *top = target->Cards->CardAt(TCardPile::Top);
    if (Tableau.contains(target))
        return top ? Rules::isOneLowerOtherColour(moving, top) : moving->Value == FS_KING;
    if (Foundations.contains(target))
        return cards->Count() == 1 && Rules::fitsFoundation(moving, target->Cards);
    return false;
}

// A move from the waste brings the previous batch back; one from a column turns up
// the card it uncovered.
void KlondikeStockWindow::afterMove(TCardPileView *source)
{
    RefillWaste();
    if (Tableau.contains(source))
        TurnUpTop(source);
}
