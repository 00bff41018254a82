// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

#include <QPointer>

// Indian Patience: two decks; ten columns of three cards, the lowest face down. The
// stock turns one card at a time onto the discard pile and is never rebuilt. Columns
// build down by one in any suit but that of the card below, one card at a time; eight
// foundations build up by suit. While the stock lasts, each column's lowest card (its
// base card) stays face down and locked, and an emptied column is refilled at once
// with three cards from the stock.
class TIndianPatienceForm : public GameWindow
{
    Q_OBJECT
public:
    explicit TIndianPatienceForm(QWidget *parent = nullptr);

    TCardPileView *DeckPileView;
    TCardPileView *DiscardPileView;
    QList<TCard *> BaseCards;  // per column, while the stock lasts

    void turnStock() override;
    void sendHome(TCardPileView *view) override;
    bool isBase(const TCard *card) const { return card && BaseCards.contains(card); }
    // Settles the base cards after anything that changed the columns or the stock.
    void applyBaseCardRule();

protected:
    TIndianPatienceForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return DeckPileView; }
    void dealCards(bool animate) override;
    bool mayDrag(TCardPileView *view, TCard *card) override;
    bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    void afterMove(TCardPileView *source) override;
    void tableChanged() override;
    QList<TCardPileView *> anchoredViews() const override { return Foundations; }

private:
    void refillEmptyColumns();
    void turnUpLoneCards();
    void Refill(int column);
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsIndianPatienceForm : public TIndianPatienceForm
{
    Q_OBJECT
public:
    explicit TsIndianPatienceForm(QWidget *parent = nullptr) : TIndianPatienceForm(CardScale::Small, parent) {}
};

extern QPointer<TIndianPatienceForm> IndianPatienceForm;
extern QPointer<TsIndianPatienceForm> sIndianPatienceForm;
