// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

// A game of face-up columns, four free cells and four foundations built up by suit
// (Free Cell, Sea Towers). A free cell holds one card. A run leaves a column only
// when the empty free cells could have carried it card by card: at most one card
// more than there are empty free cells, whatever the empty columns. A send puts the
// top card on its foundation, or else into the first empty free cell. The middle
// button on a column sends like a double-click, and autoplay looks at the free
// cells before the columns. Each game gives its deal, what a run is, and what a
// column takes.
class CellGameWindow : public GameWindow
{
    Q_OBJECT
public:
    void sendHome(TCardPileView *view) override;
    int emptyCellCount() const;


protected:
    CellGameWindow(GameDescription description, CardScale scale, QWidget *parent);

    // Do the cards from `card` to the top of the pile form a run that moves together?
    virtual bool isRunFrom(const TCardPile *pile, const TCard *card) const = 0;
    // May this run (bottom card first) go on this column?
    virtual bool fitsColumn(const TCardPile *cards, const TCardPileView *column) const = 0;

    bool mayDrag(TCardPileView *view, TCard *card) override;
    bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    QList<TCardPileView *> autoplaySources() const override { return FreeCells + Tableau; }

private:
    TCardPileView *firstEmptyCell() const;
};
