// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

#include <QPointer>

// Spider: two decks; ten columns of five or four cards, only the top one face up;
// a stock that deals one face-up card onto every column at a time, six times over.
// Columns build down by value, whatever the suit, and a descending run moves as
// one (with Same Suit Moves, only a run of one suit); a complete King-to-Ace run
// of one suit goes off to one of eight foundations. There is no autoplay.
class TSpiderForm : public GameWindow
{
    Q_OBJECT
public:
    explicit TSpiderForm(QWidget *parent = nullptr);

    TCardPileView *DeckPileView;
    QAction *SameSuitBuilds1;
    bool SameSuitBuilds = false;

    void turnStock() override;

protected:
    TSpiderForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return DeckPileView; }
    void dealCards(bool animate) override;
    bool mayDrag(TCardPileView *view, TCard *card) override;
    bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    QList<TCardPileView *> defaultTargets(const TCardPileView *source) const override;
    void afterMove(TCardPileView *source) override;
    void unlockOptions() override;

private:
    bool CanDropOnColumn(const TCardPileView *column, const TCardPileView *source, const TCardPile *cards) const;
    bool CanDropOnFoundation(const TCardPileView *foundation, const TCardPile *cards) const;
    bool anyColumnEmpty() const;
    void dealOntoEveryColumn();
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsSpiderForm : public TSpiderForm
{
    Q_OBJECT
public:
    explicit TsSpiderForm(QWidget *parent = nullptr) : TSpiderForm(CardScale::Small, parent) {}
};

extern QPointer<TSpiderForm> SpiderForm;
extern QPointer<TsSpiderForm> sSpiderForm;
