// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

#include <QPointer>

class QLabel;

// Pyramid: 28 cards face up in seven overlapping rows, the other 24 a stock. Two free
// cards whose values add up to 13 are dropped onto each other and leave the table
// for the discard pile; a King goes alone. A card is free when no card covers it.
// The stock turns one card at a time onto the play position, whose previous card
// goes to the waste; the stock is gone through three times in all.
class TPyramidForm : public TGameForm
{
    Q_OBJECT
public:
    explicit TPyramidForm(QWidget *parent = nullptr);

    QList<TCardPileView *> Pyramid;  // positions 1 to 28: row by row from the apex, left to right
    TCardPileView *DeckPileView;
    TCardPileView *PlayPileView;
    TCardPileView *WastePileView;
    TCardPileView *DiscardPileView;
    QLabel *Label1;
    int Pass = 1;

    void DeckPileViewClick() override;
    // A free King leaves alone (double-click, Shift or Ctrl press).
    void SendHome(TCardPileView *view) override;
    void ApplyBackground() override;

protected:
    TPyramidForm(CardScale scale, QWidget *parent);

    TCardPileView *DealingView() const override { return DeckPileView; }
    void DealCards(bool animate) override;
    bool MayDrag(TCardPileView *view, TCard *card) override;
    bool MayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    void ViewStartDrag(TCardPileView *source) override;
    void ViewDragOver(TCardPileView *target, TCardPileView *source) override;
    void ViewEndDrag(TCardPileView *source) override;
    int UndoLastAction() override;
    void AfterUndo() override { UpdateStock(); }

private:
    void wireDrops();
    int PositionOf(const TCardPileView *view) const;  // 1 to 28, or 0 off the pyramid
    bool IsGone(int position) const;
    bool IsFree(const TCardPileView *view) const;
    void UpdateFreeCards(int position);
    void RepaintOverlaps(int position);
    void TakeFromTable(TCardPileView *view);
    void PutBackOnTable(TCardPileView *view);
    // The drops: a pair on a pyramid card, a pair on the play position or the waste,
    // a King on the discard pile.
    void PairOnPyramid(TCardPileView *target, TCardPileView *source);
    void PairOnPlace(TCardPileView *target, TCardPileView *source);
    void KingOnDiscard(TCardPileView *source);
    void DiscardDragged(TCardPileView *source);
    void TurnToPlay();
    void StartNewPass();
    void UpdateStock();
    int UndoRemoval();
    void UndoRemovalRecord();
    int UndoStockTurn();
    int UndoNewPass();
    bool LastIsNewPass();
    bool LastIsPlayToWaste();

    float stockYOffset;
    QSize labelSize;
    bool removalPending = false;
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsPyramidForm : public TPyramidForm
{
    Q_OBJECT
public:
    explicit TsPyramidForm(QWidget *parent = nullptr) : TPyramidForm(CardScale::Small, parent) {}
};

extern QPointer<TPyramidForm> PyramidForm;
extern QPointer<TsPyramidForm> sPyramidForm;
