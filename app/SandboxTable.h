// SPDX-License-Identifier: MIT
#pragma once
#include "platform/Controls.h"

#include <QWidget>
#include <array>

class QAction;
class TCardPile;
class TCardPileView;

// A table to try the cards by hand: a shuffled deck dealt into seven columns and
// a stock, four empty places, and no rules at all. Any face-up card can be dragged
// with the cards above it onto any pile; a double click turns a pile's top card;
// a click on the stock turns its top card onto the waste, and a click on the
// empty stock turns the waste over into a new stock.
class SandboxTable : public QWidget, public DropZone
{
    Q_OBJECT
public:
    explicit SandboxTable(QWidget *parent = nullptr);
    ~SandboxTable() override;

    void Deal();

    TCardPileView *StockPileView;
    TCardPileView *WastePileView;
    std::array<TCardPileView *, 4> PlacePileViews;
    std::array<TCardPileView *, 7> ColumnPileViews;
    QAction *NewDeal1;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    TCardPileView *addView(int left, int top, int width, int height);
    QList<TCardPileView *> allViews() const;
    void wireDragAndDrop(TCardPileView *view);
    void StockPileViewClick();
    static void AnyPileViewDblClick(QObject *sender);
    static void AnyPileViewMouseDown(QObject *sender, Qt::MouseButton button);
    static void AnyPileViewDragOver(QObject *sender, QObject *source, bool &accept);

    TCardPile *Deck;  // owns the cards of the current deal
};
