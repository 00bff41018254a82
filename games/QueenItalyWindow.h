// SPDX-License-Identifier: MIT
#pragma once
#include "games/GameWindow.h"

#include <QPointer>

// Queen of Italy: two decks. Eleven cards lie on a terrace, from which they may only
// go to the foundations. The player starts the first foundation with one of four
// cards dealt to the columns; its value is the base of all eight foundations, which
// build up by suit from it, going round from King to Ace, thirteen cards each.
// Nine columns build down in alternating colours, also round the corner, one card
// at a time; an empty column takes any card but a terrace card. The stock turns one
// card at a time onto the waste; once it has been turned over, a new card comes
// only onto an empty waste.
class TQueenItalyForm : public GameWindow
{
    Q_OBJECT
public:
    explicit TQueenItalyForm(QWidget *parent = nullptr);

    TCardPileView *TerracePileView;
    TCardPileView *DeckPileView;
    TCardPileView *DiscardPileView;
    bool BaseChosen = false;
    int BaseValue = FS_ACE;
    bool StockTurned = false;
    int Turnovers = 0;  // times the waste has been turned over into the stock

    void turnStock() override;

protected:
    TQueenItalyForm(CardScale scale, QWidget *parent);

    TCardPileView *dealingView() const override { return DeckPileView; }
    void dealCards(bool animate) override;
    void viewMouseDown(TCardPileView *view, Qt::MouseButton button, Qt::KeyboardModifiers shift) override;
    bool mayDrag(TCardPileView *view, TCard *card) override;
    bool mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards) override;
    TCardPileView *homeFor(const TCard *card) const override;
    QList<TCardPileView *> autoplaySources() const override;
    QList<StateField> stateFields() override
    {
        return {{QStringLiteral("BaseChosen"), &BaseChosen}, {QStringLiteral("BaseValue"), &BaseValue},
                {QStringLiteral("StockTurned"), &StockTurned}, {QStringLiteral("Turnovers"), &Turnovers}};
    }
    void tableChanged() override { UpdateStock(); }
    QList<TCardPileView *> anchoredViews() const override { return {DeckPileView, DiscardPileView}; }

private:
    bool fitsFoundation(const TCard *card, const TCardPileView *foundation) const;
    void chooseBase(TCardPileView *column);
    void FillColumns();
    void turnOverWasteToStock();
    void TurnStockCard();
    void UpdateStock();
};

// The small-card window: the same game laid out for 61 x 95 cards, with options of
// its own.
class TsQueenItalyForm : public TQueenItalyForm
{
    Q_OBJECT
public:
    explicit TsQueenItalyForm(QWidget *parent = nullptr) : TQueenItalyForm(CardScale::Small, parent) {}
};

extern QPointer<TQueenItalyForm> QueenItalyForm;
extern QPointer<TsQueenItalyForm> sQueenItalyForm;
