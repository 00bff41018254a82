// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

#include <QPointer>

// Beleaguered Castle: the four Aces start on the foundations, the other 48 cards lie
// face up in eight rows of six, fanned to the right. Rows build down regardless of
// suit, one card at a time; an empty row takes any card; the foundations build up by
// suit to the King. The middle button, and the left one with Shift or Ctrl, send a
// row's last card home.
class TCastleForm : public GameWindow
{
    Q_OBJECT
public:
    explicit TCastleForm(QWidget *parent = nullptr);

    TCardPileView *DeckPileView;

protected:
    TCastleForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return DeckPileView; }
    void dealCards(bool animate) override;
    bool mayDrag(TCardPileView *view, TCard *card) override;
    bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;

private:
    void putAcesOnFoundations(bool animate);
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
