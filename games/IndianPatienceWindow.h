// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

#include <QPointer>

// Indian Patience: two decks; ten columns of three cards, the lowest face down. The
// stock turns one card at a time onto the discard pile and is never rebuilt. Columns
// build down by one in any suit but that of the card below, one card at a time; eight
// foundations build up by suit. While the stock lasts, each column's lowest card (its
// base card) stays face down and locked, and an emptied column is refilled at once
// with three cards from the stock.
class TIndianPatienceForm : public TGameForm
{
    Q_OBJECT
public:
    explicit TIndianPatienceForm(QWidget *parent = nullptr);

    TCardPileView *DeckPileView;
    TCardPileView *DiscardPileView;
    QList<TCardPileView *> Tableau;
    QList<TCardPileView *> Foundations;
    QList<TCard *> BaseCards;  // per column, while the stock lasts

    void DeckPileViewClick() override;
    void SendHome(TCardPileView *view) override;
    bool IsBase(const TCard *card) const { return card && BaseCards.contains(card); }
    // Settles the base cards after anything that changed the columns or the stock.
    void ApplyBaseCardRule();

protected:
    TIndianPatienceForm(CardScale scale, QWidget *parent);

    TCardPileView *DealingView() const override { return DeckPileView; }
    void DealCards(bool animate) override;
    bool MayDrag(TCardPileView *view, TCard *card) override;
    bool MayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    QList<TCardPileView *> DefaultTargets() const override;
    void AfterMove(TCardPileView *source) override;
    int UndoLastAction() override;
    void AfterUndo() override;
    QList<TCardPileView *> AnchoredViews() const override { return Foundations; }

private:
    void RefillEmptyColumns();
    void Refill(int column);
    void UpdateStock();
    void UndoRefill();
    void UndoMove();
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsIndianPatienceForm : public TIndianPatienceForm
{
    Q_OBJECT
public:
    explicit TsIndianPatienceForm(QWidget *parent = nullptr) : TIndianPatienceForm(CardScale::Small, parent) {}
};

extern QPointer<TIndianPatienceForm> IndianPatienceForm;
extern QPointer<TsIndianPatienceForm> sIndianPatienceForm;
