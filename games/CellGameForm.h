// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

// A game of face-up columns, four free cells and four foundations built up by suit
// (Free Cell, Sea Towers). A free cell holds one card. A run leaves a column only
// when the empty free cells could have carried it card by card: at most one card
// more than there are empty free cells, whatever the empty columns. A send puts the
// top card on its foundation, or else into the first empty free cell. The middle
// button on a column sends like a double-click, and autoplay looks at the free
// cells before the columns. Each game gives its deal, what a run is, and what a
// column takes.
class TCellGameForm : public TGameForm
{
    Q_OBJECT
public:
    void SendHome(TCardPileView *view) override;
    int EmptyCellCount() const;

    QList<TCardPileView *> Tableau;
    QList<TCardPileView *> Foundations;
    QList<TCardPileView *> FreeCells;

protected:
    TCellGameForm(GameDescription description, CardScale scale, QWidget *parent);

    // Do the cards from `card` to the top of the pile form a run that moves together?
    virtual bool IsRunFrom(const TCardPile *pile, const TCard *card) const = 0;
    // May this run (bottom card first) go on this column?
    virtual bool FitsColumn(const TCardPile *cards, const TCardPileView *column) const = 0;

    bool MayDrag(TCardPileView *view, TCard *card) override;
    bool MayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    QList<TCardPileView *> AutoplaySources() const override { return FreeCells + Tableau; }
    int UndoLastAction() override;
    void ViewMouseDown(TCardPileView *view, TMouseButton button, TShiftState shift) override;

private:
    TCardPileView *FirstEmptyCell() const;
};
