// SPDX-License-Identifier: MIT
#pragma once
#include "games/CellGameWindow.h"

#include <QPointer>

// Free Cell: the whole deck face up in eight columns (seven cards in the four on the
// left, six in the others), four free cells and four foundations built up by suit.
// Columns build down in alternating colours, and an empty column takes any card or
// run.
class TFreeCellForm : public CellGameWindow
{
    Q_OBJECT
public:
    explicit TFreeCellForm(QWidget *parent = nullptr);

protected:
    TFreeCellForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return FreeCells[0]; }
    void dealCards(bool animate) override;
    bool isRunFrom(const TCardPile *pile, const TCard *card) const override;
    bool fitsColumn(const TCardPile *cards, const TCardPileView *column) const override;
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsFreeCellForm : public TFreeCellForm
{
    Q_OBJECT
public:
    explicit TsFreeCellForm(QWidget *parent = nullptr) : TFreeCellForm(CardScale::Small, parent) {}
};

extern QPointer<TFreeCellForm> FreeCellForm;
extern QPointer<TsFreeCellForm> sFreeCellForm;
