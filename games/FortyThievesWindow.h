// SPDX-License-Identifier: MIT
#pragma once
#include "games/FTPeekDlg.h"
#include "games/GameWindow.h"

#include <QPointer>

// Forty Thieves: two decks; forty cards face up in ten columns of four; the stock
// turns one card at a time onto the waste, once only. Columns build down by suit,
// one card at a time, and any card fills an empty column; eight foundations build
// up by suit from the Ace. A peek dialog shows the next stock card on request.
class TFortyThievesForm : public GameWindow
{
    Q_OBJECT
public:
    explicit TFortyThievesForm(QWidget *parent = nullptr);

    TCardPileView *DeckPileView;
    TCardPileView *DiscardPileView;
    QAction *Peek1;
    // This window's peek dialog, made on the first Peek and released with the window.
    QPointer<TFTPeekDlg> FTPeekDlg;

    void turnStock() override;
    void Peek1Click();

protected:
    TFortyThievesForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return DeckPileView; }
    void dealCards(bool animate) override;
    void finishDeal() override;
    bool mayDrag(TCardPileView *view, TCard *card) override;
    bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    void tableChanged() override { UpdateStock(); }
    QList<TCardPileView *> anchoredViews() const override { return Foundations; }
    void closeEvent(QCloseEvent *event) override;

private:
    void UpdateStock();
    void followStock();
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsFortyThievesForm : public TFortyThievesForm
{
    Q_OBJECT
public:
    explicit TsFortyThievesForm(QWidget *parent = nullptr) : TFortyThievesForm(CardScale::Small, parent) {}
};

extern QPointer<TFortyThievesForm> FortyThievesForm;
extern QPointer<TsFortyThievesForm> sFortyThievesForm;
