// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

#include <QPointer>

// Klondike: seven columns of 1 to 7 cards, the top one face up; the stock turns one
// or three cards at a time onto the waste and turns over without limit; the
// foundations build up by suit from Ace to King; columns build down in alternating
// colours and only a King fills an empty column.
class TKlondikeForm : public TGameForm
{
    Q_OBJECT
public:
    explicit TKlondikeForm(QWidget *parent = nullptr);

    TCardPileView *DeckPileView;
    TCardPileView *DiscardPileView;
    TCardPileView *RecyclePileView;
    QList<TCardPileView *> Tableau;
    QList<TCardPileView *> Foundations;
    QAction *DrawThree1;
    QAction *DrawOne1;
    bool DrawThree = true;

    void DeckPileViewClick() override;
    void DrawThree1Click() { DrawThree1->trigger(); }
    void DrawOne1Click() { DrawOne1->trigger(); }

protected:
    TKlondikeForm(CardScale scale, QWidget *parent);

    TCardPileView *DealingView() const override { return DeckPileView; }
    void DealCards(bool animate) override;
    bool MayDrag(TCardPileView *view, TCard *card) override;
    bool MayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    void AfterMove(TCardPileView *source) override;
    int UndoLastAction() override;
    void AfterUndo() override { UpdateStock(); }
    void AutoplayPass() override;

private:
    int BatchSize() const { return DrawThree ? 3 : 1; }
    void TurnOverWaste();
    void MoveBatchToRecycle();
    void DrawFromStock();
    void UpdateStock();
    void RefillWaste();
    void UndoDraw();
    void UndoFromRecycle();
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsKlondikeForm : public TKlondikeForm
{
    Q_OBJECT
public:
    explicit TsKlondikeForm(QWidget *parent = nullptr) : TKlondikeForm(CardScale::Small, parent) {}
};

extern QPointer<TKlondikeForm> KlondikeForm;
extern QPointer<TsKlondikeForm> sKlondikeForm;
