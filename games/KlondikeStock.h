// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

// What the Klondike games share: columns built down in alternating colours, where
// only a King (alone or heading a run) fills an empty one; foundations built up by
// suit from the Ace; and a stock that turns one or three cards at a time onto a
// waste. The waste shows only the latest batch; the cards turned before it wait in
// a hidden pile beneath it and come back when the batch has been played. An empty
// stock is rebuilt from the waste while the game allows it.
//
// A game of the family supplies its table (views "DeckPileView", "DiscardPileView",
// "RecyclePileView", the columns and the foundations) and its deal.
class KlondikeStockForm : public TGameForm
{
    Q_OBJECT
public:
    TCardPileView *DeckPileView;
    TCardPileView *DiscardPileView;
    TCardPileView *RecyclePileView;
    QList<TCardPileView *> Tableau;
    QList<TCardPileView *> Foundations;
    QAction *DrawThree1;
    QAction *DrawOne1;
    bool DrawThree = true;
    int Recycles = 0;  // times the stock has been rebuilt in this deal

    void DeckPileViewClick() override;
    void DrawThree1Click() { DrawThree1->trigger(); }
    void DrawOne1Click() { DrawOne1->trigger(); }

protected:
    KlondikeStockForm(GameDescription description, CardScale scale, QWidget *parent);

    // May the empty stock be rebuilt from the waste once more?
    virtual bool MayRebuildStock() const { return true; }
    // Row by row, column c receives c cards, the first of each row face up.
    void DealColumns(bool animate);
    // The stock's hint (its card count) and, when it is empty, its mark.
    void UpdateStock();

    TCardPileView *DealingView() const override { return DeckPileView; }
    void FinishDeal() override { Recycles = 0; }
    bool MayDrag(TCardPileView *view, TCard *card) override;
    bool MayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    void AfterMove(TCardPileView *source) override;
    int UndoLastAction() override;
    void AfterUndo() override { UpdateStock(); }
    void AutoplayPass() override;

private:
    int BatchSize() const { return DrawThree ? 3 : 1; }
    bool WasteHasCards() const;
    void RebuildStock();
    void MoveBatchToRecycle();
    void DrawFromStock();
    void RefillWaste();
    void UndoDraw();
    void UndoFromRecycle();
};
