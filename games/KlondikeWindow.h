// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameForm.h"

#include <QPointer>

// Klondike: seven columns of 1 to 7 cards, the top one face up; the stock turns one
// or three cards at a time onto the waste and turns over without limit; the
// foundations build up by suit from Ace to King; columns build down in alternating
// colours and only a King fills an empty column.
class TKlondikeForm : public TGameForm
{
    Q_OBJECT
public:
    explicit TKlondikeForm(QWidget *parent = nullptr);

    TCardPileView *DeckPileView;
    TCardPileView *DiscardPileView;
    TCardPileView *RecyclePileView;
    QList<TCardPileView *> Tableau;
    QList<TCardPileView *> Foundations;
    QAction *DrawThree1;
    QAction *DrawOne1;
    bool DrawThree = true;

    void DeckPileViewClick();
    void DrawThree1Click();
    void DrawOne1Click();
    void SendHome(TCardPileView *view);

protected:
    TKlondikeForm(GameWindowValues values, QWidget *parent);

    void ReadOptions() override;
    void UnlockOptions() override;
    TCardPileView *DealingView() const override { return DeckPileView; }
    void DealCards(bool animate) override;
    int ComputeScore() const override;
    void AutoplayPass() override;
    bool UndoSpecialRecord() override;
    void AfterUndo() override { UpdateStock(); }
    void FormMouseDown(TMouseButton button, TShiftState, int, int) override;
    void FormKeyPress(QChar key) override;

private:
    void wireViews();
    int BatchSize() const { return DrawThree ? 3 : 1; }
    void TurnOverWaste();
    void MoveBatchToRecycle();
    void UpdateStock();
    void RefillWaste();
    void TurnUpTop(TCardPileView *column);
    bool ColumnCheck(TCardPileView *target, TCardPileView *source);
    bool FoundationCheck(TCardPileView *target, TCardPileView *source);
    TCardPileView *HomeFor(const TCard *card) const;
    void TableauPileView1MouseDown(TCardPileView *view, TMouseButton button, TShiftState shift);
    void DiscardPileViewMouseDown(TMouseButton button, TShiftState shift);
    void TableauPileView1StartDrag(TCardPileView *source);
    void TableauPileView1EndDrag(TCardPileView *source);
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsKlondikeForm : public TKlondikeForm
{
    Q_OBJECT
public:
    explicit TsKlondikeForm(QWidget *parent = nullptr);
};

extern QPointer<TKlondikeForm> KlondikeForm;
extern QPointer<TsKlondikeForm> sKlondikeForm;
