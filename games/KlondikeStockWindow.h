// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

// What the Klondike games share: columns built down in alternating colours, where
// only a King (alone or heading a run) fills an empty one; foundations built up by
// suit from the Ace; and a stock that turns one or three cards at a time onto a
// waste. The waste shows only the latest batch; the cards turned before it wait in
// a hidden pile beneath it and come back when the batch has been played. An empty
// stock is rebuilt from the waste while the game allows it.
//
// A game of the family supplies its table (views "DeckPileView", "DiscardPileView",
// "RecyclePileView", the columns and the foundations) and its deal.
class KlondikeStockWindow : public GameWindow
{
    Q_OBJECT
public:
    TCardPileView *DeckPileView;
    TCardPileView *DiscardPileView;
    TCardPileView *RecyclePileView;
    QAction *DrawThree1;
    QAction *DrawOne1;
    bool DrawThree = true;
    int Recycles = 0;  // times the stock has been rebuilt in this deal

    void turnStock() override;
    void DrawThree1Click() { DrawThree1->trigger(); }
    void DrawOne1Click() { DrawOne1->trigger(); }

protected:
    KlondikeStockWindow(GameDescription description, CardScale scale, QWidget *parent);

    // May the empty stock be rebuilt from the waste once more?
    virtual bool mayRebuildStock() const { return true; }
    // Row by row, column c receives c cards, the first of each row face up.
    void dealColumns(bool animate);
    // The empty stock's mark: it can be rebuilt, or not.
    void UpdateStock();

    TCardPileView *dealingView() const override { return DeckPileView; }
    void finishDeal() override { Recycles = 0; }
    bool mayDrag(TCardPileView *view, TCard *card) override;
    bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    void afterMove(TCardPileView *source) override;
    QList<StateField> stateFields() override { return {{QStringLiteral("Recycles"), &Recycles}}; }
    void tableChanged() override { UpdateStock(); }

private:
    int batchSize() const { return DrawThree ? 3 : 1; }
    bool wasteHasCards() const;
    void rebuildStock();
    void moveBatchToRecycle();
    void drawFromStock();
    void RefillWaste();
};
