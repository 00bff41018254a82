// SPDX-License-Identifier: MIT
#pragma once
#include "games/CellGameWindow.h"

#include <QPointer>

// Sea Towers: the whole deck face up in ten columns of five, the two cards left over
// in the second and third of four free cells, and four foundations built up by suit,
// two at each end of the top row. Columns build down in suit, and only a King, or a
// run headed by one, fills an empty column.
class TSeaHavenForm : public CellGameWindow
{
    Q_OBJECT
public:
    explicit TSeaHavenForm(QWidget *parent = nullptr);

protected:
    TSeaHavenForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return FreeCells[1]; }
    void dealCards(bool animate) override;
    bool isRunFrom(const TCardPile *pile, const TCard *card) const override;
    bool fitsColumn(const TCardPile *cards, const TCardPileView *column) const override;
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsSeaHavenForm : public TSeaHavenForm
{
    Q_OBJECT
public:
    explicit TsSeaHavenForm(QWidget *parent = nullptr) : TSeaHavenForm(CardScale::Small, parent) {}
};

extern QPointer<TSeaHavenForm> SeaHavenForm;
extern QPointer<TsSeaHavenForm> sSeaHavenForm;
