// SPDX-License-Identifier: MIT
#include "app/SandboxTable.h"

#include "cards/Card.h"
#include "cards/CardPile.h"
#include "cards/CardPileView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

namespace {

const QColor darkGreen(0, 64, 0);  // 16384, the tables' usual colour

constexpr int columnTop = 152;
constexpr int columnHeight = 360;
constexpr int columnStep = 96;
constexpr int margin = 8;

TCardPileView *viewOf(QObject *object) { return qobject_cast<TCardPileView *>(object); }

}  // namespace

SandboxTable::SandboxTable(QWidget *parent) : QWidget(parent), Deck(new TCardPile)
{
    setWindowTitle(tr("Sandbox"));
    setFixedSize(margin + 7 * columnStep, columnTop + columnHeight + margin);
    QPalette table = palette();
    table.setColor(QPalette::Window, darkGreen);
    setPalette(table);
    setAutoFillBackground(true);

    StockPileView = addView(margin, margin, 100, 135);
    StockPileView->XOffset = 0.4f;
    StockPileView->YOffset = 0.2f;
    StockPileView->State = FS_RECYCLE;
    StockPileView->SetHint(tr("Click to turn a card"));
    StockPileView->OnClick = [this](QObject *) { StockPileViewClick(); };
    StockPileView->OnDblClick = nullptr;  // its first click has turned a card already

    WastePileView = addView(margin + columnStep + 16, margin, 80, 125);
    wireDragAndDrop(WastePileView);

    for (int i = 0; i < 4; ++i) {
        PlacePileViews[i] = addView(margin + (3 + i) * columnStep, margin, 80, 125);
        PlacePileViews[i]->State = FS_EMPTY;
        wireDragAndDrop(PlacePileViews[i]);
    }
    for (int i = 0; i < 7; ++i) {
        ColumnPileViews[i] = addView(margin + i * columnStep, columnTop, 80, columnHeight);
        ColumnPileViews[i]->YOffset = 20;
        wireDragAndDrop(ColumnPileViews[i]);
    }

    // The bare table takes a drop whenever a pile accepted during the drag.
    OnDragOver = [](QObject *, QObject *source, int, int, DragState, bool &accept) {
        accept = viewOf(source) && viewOf(source)->DropTarget;
    };

    NewDeal1 = new QAction(tr("&New Deal"), this);
    NewDeal1->setObjectName("NewDeal1");
    NewDeal1->setShortcut(QKeySequence::New);
    connect(NewDeal1, &QAction::triggered, this, &SandboxTable::Deal);
    addAction(NewDeal1);

    Deal();
}

SandboxTable::~SandboxTable()
{
    for (TCardPileView *view : allViews()) {
        view->Cards->Empty(false);
        view->DragPile->Empty(false);
    }
    Deck->Empty(true);
    delete Deck;
}

TCardPileView *SandboxTable::addView(int left, int top, int width, int height)
{
    auto *view = new TCardPileView(this);
    view->SetBounds(left, top, width, height);
    view->OnDblClick = &SandboxTable::AnyPileViewDblClick;
    return view;
}

QList<TCardPileView *> SandboxTable::allViews() const
{
    QList<TCardPileView *> views{StockPileView, WastePileView};
    views.append(QList<TCardPileView *>(PlacePileViews.begin(), PlacePileViews.end()));
    views.append(QList<TCardPileView *>(ColumnPileViews.begin(), ColumnPileViews.end()));
    return views;
}

void SandboxTable::wireDragAndDrop(TCardPileView *view)
{
    view->AllowDrag = true;
    view->OnMouseDown = [](QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        AnyPileViewMouseDown(sender, button);
    };
    view->OnStartDrag = [](QObject *sender) { viewOf(sender)->Paint(); };
    view->OnDragOver = [](QObject *sender, QObject *source, int, int, DragState, bool &accept) {
        AnyPileViewDragOver(sender, source, accept);
    };
}

void SandboxTable::Deal()
{
    for (TCardPileView *view : allViews()) {
        view->Cards->Empty(false);
        view->DragPile->Empty(false);
    }
    Deck->Empty(true);
    Deck->AddDeck();
    Deck->Shuffle();

    TCardPile dealing;
    Deck->CopyPileTo(&dealing);
    auto takeTop = [&dealing]() {
        TCard *card = dealing.CardAt(TCardPile::Top);
        dealing.RemoveCard(card);
        return card;
    };
    for (int i = 0; i < 7; ++i) {
        for (int row = 0; row <= i; ++row)
            ColumnPileViews[i]->Cards->AddCard(takeTop());
        ColumnPileViews[i]->Cards->CardAt(TCardPile::Top)->FaceUp = true;
    }
    dealing.CopyPileTo(StockPileView->Cards);
    for (TCardPileView *view : allViews())
        view->Invalidate();
}

void SandboxTable::StockPileViewClick()
{
    TCardPile *stock = StockPileView->Cards;
    TCardPile *waste = WastePileView->Cards;
    if (TCard *card = stock->CardAt(TCardPile::Top)) {
        stock->RemoveCard(card);
        card->FaceUp = true;
        waste->AddCard(card);
    } else {
        // The waste turns over into a new stock, the first card drawn on top.
        waste->CopyPileTo(stock);
        waste->Empty(false);
        stock->Flip();
    }
    StockPileView->Paint();
    WastePileView->Paint();
}

void SandboxTable::AnyPileViewMouseDown(QObject *sender, Qt::MouseButton button)
{
    TCardPileView *view = viewOf(sender);
    view->CanDrag = button == Qt::LeftButton && view->SelectedCard && view->SelectedCard->FaceUp;
}

void SandboxTable::AnyPileViewDragOver(QObject *sender, QObject *source, bool &accept)
{
    TCardPileView *from = viewOf(source);
    if (!from) {
        accept = false;
        return;
    }
    from->DropTarget = viewOf(sender);
    accept = true;
}

void SandboxTable::AnyPileViewDblClick(QObject *sender)
{
    TCardPileView *view = viewOf(sender);
    if (TCard *top = view->Cards->CardAt(TCardPile::Top)) {
        top->Flip();
        view->Paint();
    }
}

void SandboxTable::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(NewDeal1);
    menu.exec(event->globalPos());
}
