// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

#include <QPointer>

// Beleaguered Castle: the four Aces start on the foundations, the other 48 cards lie
// face up in eight rows of six, fanned to the right. Rows build down regardless of
// suit, one card at a time; an empty row takes any card; the foundations build up by
// suit to the King.
class TCastleForm : public TGameForm
{
    Q_OBJECT
public:
    explicit TCastleForm(QWidget *parent = nullptr);

    TCardPileView *DeckPileView;
    QList<TCardPileView *> Tableau;
    QList<TCardPileView *> Foundations;

    void SendHome(TCardPileView *view) override;

protected:
    TCastleForm(CardScale scale, QWidget *parent);

    TCardPileView *DealingView() const override { return DeckPileView; }
    void DealCards(bool animate) override;
    void FinishDeal() override { ShowScore(); }
    bool MayDrag(TCardPileView *view, TCard *card) override;
    bool MayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    QList<TCardPileView *> DefaultTargets() const override;
    TCardPileView *HomeFor(const TCard *card) const override;
    void ViewMouseDown(TCardPileView *view, TMouseButton button, TShiftState shift) override;

private:
    void PutAcesOnFoundations(bool animate);
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsCastleForm : public TCastleForm
{
    Q_OBJECT
public:
    explicit TsCastleForm(QWidget *parent = nullptr) : TCastleForm(CardScale::Small, parent) {}
};

extern QPointer<TCastleForm> CastleForm;
extern QPointer<TsCastleForm> sCastleForm;
