// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

#include <QPointer>

class QLabel;

// Pyramid: 28 cards face up in seven overlapping rows, the other 24 a stock. Two free
// cards whose values add up to 13 are dropped onto each other and leave the table
// for the discard pile; a King goes alone. A card is free when no card covers it.
// The stock turns one card at a time onto the play position, whose previous card
// goes to the waste; the stock is gone through three times in all.
class TPyramidForm : public GameWindow
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

    void turnStock() override;
    // A free King leaves alone (double-click, Shift or Ctrl press).
    void sendHome(TCardPileView *view) override;
    void ApplyBackground() override;

protected:
    TPyramidForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return DeckPileView; }
    void dealCards(bool animate) override;
    bool mayDrag(TCardPileView *view, TCard *card) override;
    bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    void viewEndDrag(TCardPileView *source, TCardPileView *over) override;
    QList<StateField> stateFields() override { return {{QStringLiteral("Pass"), &Pass}}; }
    void tableChanged() override;

private:
    float stockYOffset;
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
