// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

#include <QPointer>

// Montana: the whole deck lies face up in a grid of four rows of thirteen places, the
// Aces taken out to leave four gaps. A gap in the first column takes a Two; any other
// gap takes the card of the same suit one higher than its left neighbour. Each row is
// to read Two to King of one suit. Twice a game the cards not yet in order can be
// gathered and dealt again.
class TMontanaForm : public TGameForm
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

    void SendHome(TCardPileView *view) override { SendCard(view); }
    void CheckWin() override;
    void Shuffle1Click();
    // The length of the row's ordered run from its first place (0 to 12).
    int RunLength(int row) const;

protected:
    TMontanaForm(CardScale scale, QWidget *parent);

    TCardPileView *DealingView() const override { return Grid.last(); }
    void DealCards(bool animate) override;
    void FinishDeal() override;
    bool MayDrag(TCardPileView *, TCard *) override { return true; }
    bool MayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    QList<TCardPileView *> DefaultTargets() const override { return {}; }
    int ComputeScore() const override;
    void ViewMouseDown(TCardPileView *view, TMouseButton button, TShiftState shift) override;

private:
    TCardPileView *Place(int row, int column) const { return Grid[row * Columns + column]; }
    TCard *CardIn(int index) const { return Grid[index]->Cards->CardAt(TCardPile::Top); }
    bool FitsGap(int index, const TCard *card) const;
    TCardPileView *PlaceOf(CardSuit suit, CardValue value) const;
    bool SendCard(TCardPileView *view);
    void FillGap(TCardPileView *gap);
    void MoveIntoGap(TCardPileView *from, TCardPileView *gap);
    void TakeOutAces(int row, int fromColumn, TCardPile *replacements, bool animate);
    int RedealStart(int row) const;
    void GatherRow(int row, int start, TCardPile *gathered);
    void DealRow(int row, int start, TCardPile *cards, bool animate);
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
