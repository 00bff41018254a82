// SPDX-License-Identifier: MIT
#pragma once
#include "games/KlondikeStockWindow.h"

#include <QPointer>

// Klondike: seven columns of 1 to 7 cards, the top one face up; the stock turns one
// or three cards at a time onto the waste and turns over without limit; the
// foundations build up by suit from Ace to King; columns build down in alternating
// colours and only a King fills an empty column.
class TKlondikeForm : public KlondikeStockWindow
{
    Q_OBJECT
public:
    explicit TKlondikeForm(QWidget *parent = nullptr);

protected:
    TKlondikeForm(CardScale scale, QWidget *parent);

    void dealCards(bool animate) override;
};

// The small-card window: the same game laid out for 61 x 95 cards.
class TsKlondikeForm : public TKlondikeForm
{
    Q_OBJECT
public:
    explicit TsKlondikeForm(QWidget *parent = nullptr) : TKlondikeForm(CardScale::Small, parent) {}
};

extern QPointer<TKlondikeForm> KlondikeForm;
extern QPointer<TsKlondikeForm> sKlondikeForm;
