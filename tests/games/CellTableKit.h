// SPDX-License-Identifier: MIT
#pragma once
// What the tests of the free-cell games share: a dealt window on the screen with the
// kit's seams, a table a test can clear and lay out card by card, and the player's
// gestures on it.
#include "GameTestKit.h"

#include "games/CellGameWindow.h"
#include "platform/IniFile.h"

#include <QApplication>

template <class Form>
struct CellTable : GameTestKit {
    DealtWindow<Form> window;
    TCardPileView *spare;  // a hidden pile for the cards a test took off the table

    CellTable() : spare(new TCardPileView(window))
    {
        spare->hide();
        window->show();
        QApplication::setActiveWindow(window);
    }
    ~CellTable()
    {
        // The window frees the cards of its own piles only.
        if (window)
            while (TCard *card = spare->Cards->CardAt(0)) {
                spare->Cards->RemoveCard(card);
                window->Tableau[0]->Cards->AddCard(card);
            }
    }
    Q_DISABLE_COPY(CellTable)

    void clear()
    {
        for (TCardPileView *view : window->pileViews()) {
            while (TCard *card = view->Cards->CardAt(0)) {
                view->Cards->RemoveCard(card);
                spare->Cards->AddCard(card);
            }
            view->update();
        }
    }

    // Takes a card from wherever it lies and puts it face up on a view.
    TCard *put(CardSuit suit, CardValue value, TCardPileView *onto)
    {
        for (TCardPileView *view : window->pileViews() + QList<TCardPileView *>{spare})
            for (int i = 0; i < view->Cards->Count(); ++i) {
                TCard *card = view->Cards->CardAt(i);
                if (card->Suit != suit || card->Value != value)
                    continue;
                view->Cards->RemoveCard(card);
                card->FaceUp = true;
                onto->Cards->AddCard(card);
                view->update();
                onto->update();
                return card;
            }
        return nullptr;
    }

    // Cards that stay put in a free cell: Kings and Queens from the spare pile.
    void fillCells(int count)
    {
        static const CardValue values[] = {FS_KING, FS_QUEEN};
        int filled = 0;
        for (TCardPileView *cell : window->FreeCells)
            for (int i = 0; i < spare->Cards->Count() && filled < count && cell->Cards->IsEmpty(); ++i) {
                TCard *card = spare->Cards->CardAt(i);
                if (card->Value == values[0] || card->Value == values[1]) {
                    put(card->Suit, card->Value, cell);
                    ++filled;
                }
            }
    }

    // Back to the spare pile.
    void emptyView(TCardPileView *view)
    {
        while (TCard *card = view->Cards->CardAt(0)) {
            view->Cards->RemoveCard(card);
            spare->Cards->AddCard(card);
        }
        view->update();
    }

    // A point on the bare table, left of every column.
    QPoint bareTable() const { return {3, window->height() - 10}; }
};

inline void DoubleClickTop(TCardPileView *view)
{
    QTest::mouseDClick(view, Qt::LeftButton, {}, TopCardPoint(view));
}

// Grabs the card at `index` and drags it over each widget in turn (at its centre),
// releasing over the last one.
inline void DragOver(TCardPileView *from, int index, const QList<QWidget *> &path)
{
    const QPoint at = CardPoint(from, index);
    QTest::mousePress(from, Qt::LeftButton, {}, at);
    QTest::mouseMove(from, at + QPoint(4, 4));
    QTest::mouseMove(from, at + QPoint(12, 12));
    QPoint over = at;
    for (QWidget *widget : path) {
        over = from->mapFromGlobal(widget->mapToGlobal(QPoint(widget->width() / 2, 20)));
        QTest::mouseMove(from, over);
    }
    QTest::mouseRelease(from, Qt::LeftButton, {}, over);
}

// Grabs the card at `index` and releases it over the bare table, passing over no pile.
template <class Form>
void DragToTable(CellTable<Form> &table, TCardPileView *from, int index)
{
    const QPoint at = CardPoint(from, index);
    const QPoint bare = from->mapFromGlobal(table.window->mapToGlobal(table.bareTable()));
    QTest::mousePress(from, Qt::LeftButton, {}, at);
    QTest::mouseMove(from, at + QPoint(4, 4));
    QTest::mouseMove(from, at + QPoint(12, 12));
    QTest::mouseMove(from, bare);
    QTest::mouseRelease(from, Qt::LeftButton, {}, bare);
}

inline QString Stored(const QString &section, const QString &key)
{
    return IniFile::read(QStringLiteral("Solitaire.ini"), section, key, QStringLiteral("None"));
}
