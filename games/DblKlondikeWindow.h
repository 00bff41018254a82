// SPDX-License-Identifier: MIT
#pragma once
#include "games/KlondikeStockWindow.h"

#include <QPointer>

// Double Klondike: two decks, nine columns of 1 to 9 cards with the top one face up
// and 59 cards in the stock, eight foundations (two per suit). The stock turns one
// or three cards at a time; drawing three it may be rebuilt from the waste without
// limit, drawing one only once.
class TDblKlondikeForm : public KlondikeStockWindow
{
    Q_OBJECT
public:
    explicit TDblKlondikeForm(QWidget *parent = nullptr);

protected:
    TDblKlondikeForm(CardScale scale, QWidget *parent);

    void dealCards(bool animate) override;
    bool mayRebuildStock() const override { return DrawThree || Recycles == 0; }
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsDblKlondikeForm : public TDblKlondikeForm
{
    Q_OBJECT
public:
    explicit TsDblKlondikeForm(QWidget *parent = nullptr) : TDblKlondikeForm(CardScale::Small, parent) {}
};

extern QPointer<TDblKlondikeForm> DblKlondikeForm;
extern QPointer<TsDblKlondikeForm> sDblKlondikeForm;
