// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

#include <QPointer>

// Spider: two decks; ten columns of five or four cards, only the top one face up;
// a stock that deals one face-up card onto every column at a time, six times over.
// Columns build down by value, whatever the suit, and a descending run moves as
// one (with Same Suit Moves, only a run of one suit); a complete King-to-Ace run
// of one suit goes off to one of eight foundations. There is no autoplay.
class TSpiderForm : public TGameForm
{
    Q_OBJECT
public:
    explicit TSpiderForm(QWidget *parent = nullptr);

    TCardPileView *DeckPileView;
    QList<TCardPileView *> Tableau;
    QList<TCardPileView *> Foundations;
    QAction *SameSuitBuilds1;
    bool SameSuitBuilds = false;

    void DeckPileViewClick() override;

protected:
    TSpiderForm(CardScale scale, QWidget *parent);

    TCardPileView *DealingView() const override { return DeckPileView; }
    void DealCards(bool animate) override;
    void FinishDeal() override { UpdateStock(); }
    bool MayDrag(TCardPileView *view, TCard *card) override;
    bool MayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    void ViewStartDrag(TCardPileView *source) override;
    void ViewEndDrag(TCardPileView *source) override;
    int UndoLastAction() override;
    bool QuietUndo() const override { return UndoList->LastSource == DeckPileView; }
    void AfterUndo() override { UpdateStock(); }
    void UnlockOptions() override;

private:
    bool CanDropOnColumn(const TCardPileView *column, const TCardPileView *source, const TCardPile *cards) const;
    bool CanDropOnFoundation(const TCardPileView *foundation, const TCardPile *cards) const;
    TCardPileView *DefaultTarget(const TCardPileView *source) const;
    bool AnyColumnEmpty() const;
    void DealOntoEveryColumn();
    void UpdateStock();
    void UndoStockDeal();
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsSpiderForm : public TSpiderForm
{
    Q_OBJECT
public:
    explicit TsSpiderForm(QWidget *parent = nullptr) : TSpiderForm(CardScale::Small, parent) {}
};

extern QPointer<TSpiderForm> SpiderForm;
extern QPointer<TsSpiderForm> sSpiderForm;
