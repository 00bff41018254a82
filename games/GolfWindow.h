// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

#include <QPointer>

// Golf: seven columns of five cards, all face up; the first of the 17 stock cards
// starts the one foundation. A press plays a column's top card onto the foundation
// when it is one above or one below the foundation's top card (Ace and King are no
// neighbours); when nothing fits, the next stock card is turned onto the foundation.
class TGolfForm : public GameWindow
{
    Q_OBJECT
public:
    explicit TGolfForm(QWidget *parent = nullptr);

    TCardPileView *DiscardPileView;
    TCardPileView *DeckPileView;
    QAction *KingStopsSequence1;
    bool KingStops = true;

    void turnStock() override;

protected:
    TGolfForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return DeckPileView; }
    void dealCards(bool animate) override;
    void finishDeal() override;
    void openingMove() override;
    bool mayDrag(TCardPileView *, TCard *) override { return true; }
    bool mayDrop(TCardPileView *, TCardPileView *, const TCardPile *) override { return false; }
    void viewMouseDown(TCardPileView *view, Qt::MouseButton button, Qt::KeyboardModifiers shift) override;

private:
    enum class Press { Plays, Drags, Nothing };
    Press pressOn(const TCard *card) const;
    void playCard(TCardPileView *column);
    void TurnStockCard(bool silent);

    bool firstDealDone = false;
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsGolfForm : public TGolfForm
{
    Q_OBJECT
public:
    explicit TsGolfForm(QWidget *parent = nullptr) : TGolfForm(CardScale::Small, parent) {}
};

extern QPointer<TGolfForm> GolfForm;
extern QPointer<TsGolfForm> sGolfForm;
