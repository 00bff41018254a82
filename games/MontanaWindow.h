// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

#include <QPointer>

// Montana: the whole deck lies face up in a grid of four rows of thirteen places, the
// Aces taken out to leave four gaps. A gap in the first column takes a Two; any other
// gap takes the card of the same suit one higher than its left neighbour. Each row is
// to read Two to King of one suit. Twice a game the cards not yet in order can be
// gathered and dealt again.
class TMontanaForm : public GameWindow
{
    Q_OBJECT
public:
    explicit TMontanaForm(QWidget *parent = nullptr);

    static constexpr int Rows = 4;
    static constexpr int Columns = 13;

    QList<TCardPileView *> Grid;  // row by row
    TCardPileView *DiscardPileView;
    QAction *Shuffle1;
    int Redeals = 0;

    void sendHome(TCardPileView *view) override { sendCard(view); }
    void CheckWin() override;
    void Shuffle1Click();
    // The length of the row's ordered run from its first place (0 to 12).
    int runLength(int row) const;

protected:
    TMontanaForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return Grid.last(); }
    void dealCards(bool animate) override;
    void finishDeal() override;
    bool mayDrag(TCardPileView *, TCard *) override { return true; }
    bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    QList<TCardPileView *> defaultTargets(const TCardPileView *) const override { return {}; }
    int computeScore() const override;
    void viewMouseDown(TCardPileView *view, Qt::MouseButton button, Qt::KeyboardModifiers shift) override;
    QList<StateField> stateFields() override { return {{QStringLiteral("Redeals"), &Redeals}}; }
    // Two redeals a game, none once it is won.
    void tableChanged() override { Shuffle1->setEnabled(!GameOver && Redeals < 2); }

private:
    TCardPileView *Place(int row, int column) const { return Grid[row * Columns + column]; }
    TCard *cardIn(int index) const { return Grid[index]->Cards->CardAt(TCardPile::Top); }
    bool fitsGap(int index, const TCard *card) const;
    TCardPileView *placeOf(CardSuit suit, CardValue value) const;
    bool sendCard(TCardPileView *view);
    void FillGap(TCardPileView *gap);
    void moveIntoGap(TCardPileView *from, TCardPileView *gap);
    void takeOutAces(int row, int fromColumn, TCardPile *replacements, bool animate);
    int redealStart(int row) const;
    void gatherRow(int row, int start, TCardPile *gathered);
    void dealRow(int row, int start, TCardPile *cards, bool animate);
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsMontanaForm : public TMontanaForm
{
    Q_OBJECT
public:
    explicit TsMontanaForm(QWidget *parent = nullptr) : TMontanaForm(CardScale::Small, parent) {}
};

extern QPointer<TMontanaForm> MontanaForm;
extern QPointer<TsMontanaForm> sMontanaForm;
