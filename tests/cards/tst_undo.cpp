// SPDX-License-Identifier: MIT
#include "cards/Card.h"
#include "cards/CardPile.h"
#include "cards/CardPileView.h"
#include "cards/Undo.h"
#include "support/CardKit.h"
#include "support/FreedObjects.h"

#include <QAction>
#include <QTest>
#include <array>
#include <memory>

class TestUndo : public QObject
{
    Q_OBJECT

private:
    std::array<TCard, 6> cards{};
    std::unique_ptr<QWidget> table;
    TCardPileView *source = nullptr;
    TCardPileView *target = nullptr;
    QAction *undoItem = nullptr;

    // Moves the top `count` cards of the source to the target, as a drag would.
    void move(int count, TCardUndo &undo)
    {
        TCardPile moved;
        const int first = source->Cards->Count() - count;
        for (int i = first; i < source->Cards->Count(); ++i)
            moved.AddCard(source->Cards->CardAt(i));
        for (int i = 0; i < moved.Count(); ++i)
            source->Cards->RemoveCard(moved.CardAt(i));
        target->Cards->AddPile(&moved);
        undo.AddPileMove(source, target, &moved);
    }

private Q_SLOTS:
    void init()
    {
        table = std::make_unique<QWidget>();
        source = new TCardPileView(table.get());
        target = new TCardPileView(table.get());
        undoItem = new QAction("&Undo", table.get());
        undoItem->setEnabled(false);
        for (TCard &card : cards)
            source->Cards->AddCard(&card);
    }
    void cleanup() { table.reset(); }

    void threeCardRecordReturnsInOrder()
    {
        TCardUndo undo;
        const QList<TCard *> before = cardsOf(source->Cards);
        move(3, undo);
        QCOMPARE(cardsOf(target->Cards), before.mid(3));

        undo.PeekLast();
        QCOMPARE(undo.LastSource, source);
        QCOMPARE(undo.LastTarget, target);
        QCOMPARE(undo.LastPile->Count(), 3);
        undo.UndoLast();
        QCOMPARE(cardsOf(source->Cards), before);
        QVERIFY(cardsOf(target->Cards).isEmpty());
        QCOMPARE(undo.LastPile->Count(), 3);  // kept until DropLast
        undo.DropLast();
        QCOMPARE(undo.LastPile, nullptr);
        QCOMPARE(undo.Count(), 0);
    }

    void recordsComeBackLastInFirstOut()
    {
        TCardUndo undo;
        const QList<TCard *> before = cardsOf(source->Cards);
        move(2, undo);
        move(1, undo);
        undo.UndoLast();
        undo.DropLast();
        QCOMPARE(cardsOf(target->Cards), before.mid(4, 2));
        undo.UndoLast();
        undo.DropLast();
        QCOMPARE(cardsOf(source->Cards), before);
    }

    void undoItemIsEnabledExactlyWhileRecordsExist()
    {
        TCardUndo undo;
        undo.SetMenuItem(undoItem);
        undo.AddCardMove(source, target, &cards[5]);
        QVERIFY(undoItem->isEnabled());
        undo.AddCardMove(source, target, &cards[4]);
        undo.UndoLast();
        undo.DropLast();
        QVERIFY(undoItem->isEnabled());
        undo.UndoLast();
        QVERIFY(undoItem->isEnabled());  // the record is still being taken back
        undo.DropLast();
        QVERIFY(!undoItem->isEnabled());

        undo.AddCardMove(source, target, &cards[5]);
        undo.Clear();
        QVERIFY(!undoItem->isEnabled());
        undo.UndoLast();  // nothing left: only disables
        QCOMPARE(undo.LastSource, nullptr);
        QVERIFY(!undoItem->isEnabled());
    }

    void peekOnAnEmptyListGivesNothing()
    {
        TCardUndo undo;
        undo.PeekLast();
        QCOMPARE(undo.LastSource, nullptr);
        QCOMPARE(undo.LastTarget, nullptr);
        QCOMPARE(undo.LastPile, nullptr);
    }

    void clearLeavesTheCardsAlive()
    {
        const FreedObjects freed(sizeof(TCard));
        {
            TCardUndo undo;
            move(3, undo);
            undo.AddCardMove(source, target, &cards[0]);
            undo.Clear();
            undo.AddCardMove(source, target, &cards[1]);
        }  // the destructor clears as well
        QCOMPARE(freed.count(), 0);
        QCOMPARE(target->Cards->Count(), 3);
    }

    // A game turns up the card a move uncovered and records the turn with the same
    // view as source and target; taking the turn back moves nothing and leaves the
    // turning down to the game, and the move before it still comes back in place.
    void turnRecordMovesNothingAndKeepsTheMoveBeneath()
    {
        TCardUndo undo;
        const QList<TCard *> before = cardsOf(source->Cards);
        move(1, undo);
        TCard *uncovered = source->Cards->CardAt(TCardPile::Top);
        uncovered->FaceUp = true;
        undo.AddCardMove(source, source, uncovered);

        undo.UndoLast();
        QCOMPARE(undo.LastSource, source);
        QCOMPARE(undo.LastTarget, source);
        QCOMPARE(cardsOf(undo.LastPile), QList<TCard *>{uncovered});
        QCOMPARE(cardsOf(source->Cards), before.mid(0, 5));
        QVERIFY(uncovered->FaceUp);  // the undo list never turns cards
        undo.DropLast();
        QCOMPARE(undo.Count(), 1);

        undo.UndoLast();
        QCOMPARE(undo.LastTarget, target);
        undo.DropLast();
        QCOMPARE(cardsOf(source->Cards), before);
        QCOMPARE(target->Cards->Count(), 0);
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
