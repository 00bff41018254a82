// SPDX-License-Identifier: MIT
// The common game window, tried through Klondike: what no key, menu or close may do
// while cards are in the player's hand, how the undo of a move and the automatic
// steps it caused pair up, and the engine's layout and registry; and the long wastes
// of the games that turn their whole stock onto one.
#include "GameTestKit.h"

#include "games/FreeCellWindow.h"
#include "games/GameRegistry.h"
#include "games/KlondikeWindow.h"
#include "cards/Rules.h"
#include "platform/DragManager.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

struct Klondike : GameTestKit {
    DealtWindow<TKlondikeForm> window;
    Klondike()
    {
        window->show();
        QApplication::setActiveWindow(window);
    }
};

int cardsOnTable(const GameWindow *form)
{
    QSet<const TCard *> cards;
    int count = 0;
    for (const TCardPileView *view : form->pileViews())
        for (int i = 0; i < view->Cards->Count(); ++i, ++count)
            cards.insert(view->Cards->CardAt(i));
    return cards.size() == count ? count : -1;  // -1: a card lies in two places
}

}  // namespace

class TestGameForm : public QObject
{
    Q_OBJECT
    std::optional<Klondike> game;
    TKlondikeForm *form = nullptr;

    // Grabs the top card of a column and starts dragging it, the button held down.
    void startDragging(TCardPileView *column)
    {
        const QPoint at = TopCardPoint(column);
        QTest::mousePress(column, Qt::LeftButton, {}, at);
        QTest::mouseMove(column, at + QPoint(6, 6));
        QTest::mouseMove(column, at + QPoint(20, 30));
        QVERIFY(DragManager::instance().active());
    }
    void releaseOverTheTable(TCardPileView *column)
    {
        const QPoint table = column->mapFromGlobal(form->mapToGlobal(QPoint(form->width() - 10, form->height() - 5)));
        QTest::mouseMove(column, table);
        QTest::mouseRelease(column, Qt::LeftButton, {}, table);
    }

private Q_SLOTS:
    void init()
    {
        game.emplace();
        form = game->window;
        form->DrawOne1Click();
    }
    void cleanup()
    {
        game.reset();
        TCard::SetCardSize(FS_LARGE);
    }

    void keysAndShortcutsWaitWhileCardsAreInTheHand_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::newRow("Ctrl+Z") << (Qt::CTRL | Qt::Key_Z);
        QTest::newRow("Ctrl+N") << (Qt::CTRL | Qt::Key_N);
        QTest::newRow("Ctrl+A") << (Qt::CTRL | Qt::Key_A);
        QTest::newRow("Space") << QKeyCombination(Qt::Key_Space);
    }
    void keysAndShortcutsWaitWhileCardsAreInTheHand()
    {
        QFETCH(QKeyCombination, key);
        // A red Queen, with a black King to go to when released over bare table.
        Place(form, FS_SPADES, FS_KING, form->Tableau[5]);
        Place(form, FS_HEARTS, FS_QUEEN, form->Tableau[6]);
        form->DeckPileViewClick();
        const bool autoplay = form->DoAutoplay;
        const int stock = form->DeckPileView->Cards->Count();
        const TCard *firstDealt = form->SavedDeal->CardAt(0);
        TCardPileView *column = form->Tableau[6];
        const int columnBefore = column->Cards->Count();
        startDragging(column);
        QTest::keyClick(form, key.key(), key.keyboardModifiers());
        form->Undo1->trigger();  // the menu item too, as a shortcut would reach it
        QVERIFY(DragManager::instance().active());
        releaseOverTheTable(column);
        QCOMPARE(cardsOnTable(form), 52);
        QCOMPARE(form->SavedDeal->CardAt(0), firstDealt);  // no new deal
        QCOMPARE(form->DoAutoplay, autoplay);
        QCOMPARE(form->DeckPileView->Cards->Count(), stock);  // no stock click, no undo of it
        QCOMPARE(column->Cards->Count(), columnBefore - 1);
        QCOMPARE(form->MoveCount, 2);  // the stock's turn and the Queen's move
    }

    void aDragTakenBackByUndoCannotLandTwice()
    {
        // The column's top card is dragged onto another column, grabbed again, and
        // Ctrl+Z pressed with the button still down: the card lies in one place only.
        TCardPileView *from = nullptr, *to = nullptr;
        for (TCardPileView *a : form->Tableau)
            for (TCardPileView *b : form->Tableau)
                if (a != b && !from && Rules::isOneLowerOtherColour(a->Cards->CardAt(TCardPile::Top), b->Cards->CardAt(TCardPile::Top)))
                    from = a, to = b;
        if (!from) {
            EmptyInto(form->Tableau[0], form->DeckPileView);
            Place(form, FS_SPADES, FS_NINE, form->Tableau[0]);
            Place(form, FS_HEARTS, FS_EIGHT, form->Tableau[1]);
            from = form->Tableau[1], to = form->Tableau[0];
        }
        DragWithMouse(from, TopCardPoint(from), to, TopCardPoint(to));
        QCOMPARE(form->MoveCount, 1);
        startDragging(to);
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);
        releaseOverTheTable(to);
        QCOMPARE(cardsOnTable(form), 52);
        QTest::keyClick(form, Qt::Key_N, Qt::ControlModifier);  // frees every card once
        QCOMPARE(cardsOnTable(form), 52);
    }

    void cardsInTheHandStayInTheirOwnGame()
    {
        // Another game's window lies beside this one: an Ace dropped on its empty
        // foundation goes back to its column.
        const DealtWindow<TFreeCellForm> other;
        other->move(form->frameGeometry().topRight() + QPoint(10, 0));
        other->show();
        Place(form, FS_SPADES, FS_ACE, form->Tableau[6]);
        TCardPileView *foundation = other->viewsOf(PileRole::Foundation).first();
        DragWithMouse(form->Tableau[6], TopCardPoint(form->Tableau[6]), foundation, foundation->rect().center());
        QCOMPARE(cardsOnTable(other), 52);
        QCOMPARE(cardsOnTable(form), 52);
    }

    void thePopupMenuStaysShutDuringADrag()
    {
        startDragging(form->Tableau[3]);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(50, 50), form->mapToGlobal(QPoint(50, 50)));
        QApplication::sendEvent(form, &menu);
        QVERIFY(!form->PopupMenu1->isVisible());
        releaseOverTheTable(form->Tableau[3]);
        QCOMPARE(cardsOnTable(form), 52);
    }

    void closingDuringADragReturnsTheCardsBeforeAsking()
    {
        for (int i = 0; i < 6; ++i)
            form->DeckPileViewClick();
        const QString before = form->dealText();
        startDragging(form->Tableau[6]);
        bool dragOverWhenAsked = false;
        Dialogs::setAnswerer([&](const Dialogs::Record &) {
            dragOverWhenAsked = !GameWindow::dragUnderWay();
            return int(Dialogs::Cancel);
        });
        QVERIFY(!form->close());
        QVERIFY(dragOverWhenAsked);
        QCOMPARE(form->dealText(), before);
        QVERIFY(!DragManager::instance().pictureWindow());
    }

    void undoPairsASendWithTheStepsItCausedBeforeAnAutoplayChain()
    {
        // Draw one, autoplay on: a drawn Two goes home by a double-click; the waste
        // refills, and autoplay then sends a column's Three home, turning up the card
        // beneath. Undoing everything brings the table back exactly.
        for (TCardPileView *column : form->Tableau)
            EmptyInto(column, form->DeckPileView);
        Place(form, FS_HEARTS, FS_ACE, form->Foundations[0]);
        Place(form, FS_CLUBS, FS_KING, form->Tableau[0], false);
        Place(form, FS_HEARTS, FS_THREE, form->Tableau[0]);
        Place(form, FS_HEARTS, FS_TWO, form->DeckPileView, false);
        Place(form, FS_SPADES, FS_FIVE, form->DeckPileView, false);
        for (TCardPileView *view : form->pileViews())
            view->update();
        form->DeckPileViewClick();  // the Five goes to the waste
        form->DeckPileViewClick();  // and the Two on top of it
        form->Autoplay1Click();
        const QString before = form->dealText();
        const int moves = form->MoveCount;
        QTest::mouseDClick(form->DiscardPileView, Qt::LeftButton, {}, TopCardPoint(form->DiscardPileView));
        QCOMPARE(form->Foundations[0]->Cards->Count(), 3);  // the Two, then the Three by autoplay
        QVERIFY(form->Tableau[0]->Cards->CardAt(0)->FaceUp);
        QCOMPARE(form->MoveCount, moves + 2);
        form->Undo1->trigger();  // the autoplay's send and the King it turned up
        QVERIFY(!form->Tableau[0]->Cards->CardAt(0)->FaceUp);
        QCOMPARE(form->Tableau[0]->Cards->Count(), 2);
        form->Undo1->trigger();  // the player's send and the refill of the waste
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, moves);
    }

    void theStockMarkGoesBlankWhenStockAndWasteAreEmpty()
    {
        // Autoplay off: the last waste card is dragged away and nothing is left to turn.
        for (TCardPileView *column : form->Tableau)
            EmptyInto(column, form->DeckPileView);
        while (TCard *card = form->DeckPileView->Cards->CardAt(0)) {
            form->DeckPileView->Cards->RemoveCard(card);
            card->FaceUp = true;
            form->Foundations[card->Suit]->Cards->AddCard(card);
        }
        TCard *king = Place(form, FS_SPADES, FS_KING, form->DeckPileView, false);
        form->DeckPileViewClick();
        QCOMPARE(form->DiscardPileView->Cards->CardAt(0), king);
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        DragWithMouse(form->DiscardPileView, TopCardPoint(form->DiscardPileView), form->Tableau[2], {30, 30});
        QCOMPARE(form->Tableau[2]->Cards->Count(), 1);
        QCOMPARE(form->DeckPileView->State, FS_BLANK);
    }

    void bothSizesShareTheRowsAndDifferOnlyInGeometry()
    {
        TCard::SetCardSize(FS_SMALL);
        const DealtWindow<TsKlondikeForm> small;
        TCard::SetCardSize(FS_LARGE);
        QCOMPARE(small->pileViews().size(), form->pileViews().size());
        for (int i = 0; i < form->pileViews().size(); ++i) {
            const TCardPileView *large = form->pileViews()[i], *little = small->pileViews()[i];
            QCOMPARE(little->objectName(), large->objectName());
            QCOMPARE(little->AllowDrag, large->AllowDrag);
            QCOMPARE(little->IsBordered, large->IsBordered);
            QCOMPARE(little->State, large->State);
            QCOMPARE(small->roleOf(little), form->roleOf(large));
        }
        QCOMPARE(small->Tableau[6]->geometry(), QRect(440, 120, 61, 270));
        QCOMPARE(small->Foundations[3]->geometry(), QRect(440, 8, 61, 95));
        QCOMPARE(form->Tableau[6]->geometry(), QRect(584, 152, 80, 337));
    }

    // However long a waste grows, its top card stays wholly in sight and a drag takes it.
    void aLongWasteKeepsItsTopCardInReach_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<bool>("small");
        for (const char *game : {"Forty Thieves", "Indian Patience", "Queen of Italy"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1/large").arg(game))) << QString::fromLatin1(game) << false;
            QTest::newRow(qPrintable(QStringLiteral("%1/small").arg(game))) << QString::fromLatin1(game) << true;
        }
    }
    void aLongWasteKeepsItsTopCardInReach()
    {
        QFETCH(QString, game);
        QFETCH(bool, small);
        const RegisteredGame *entry = GameRegistry::find(game);
        TCard::SetCardSize(small ? FS_SMALL : FS_LARGE);
        const std::unique_ptr<GameWindow> window(small ? entry->createSmall() : entry->createLarge());
        window->show();
        TCardPileView *stock = window->viewNamed(QStringLiteral("DeckPileView"));
        TCardPileView *waste = window->viewNamed(QStringLiteral("DiscardPileView"));
        TCardPileView *column = window->viewsOf(PileRole::Column)[0];
        QTest::mouseClick(column, Qt::LeftButton, {}, {30, 30});  // Queen of Italy: chooses the base
        while (!stock->Cards->IsEmpty())
            QTest::mouseClick(stock, Qt::LeftButton, {}, {30, 30});
        const int count = waste->Cards->Count();
        QVERIFY(count > 60);
        QVERIFY(waste->rect().contains(waste->CardRectAt(count - 1)));
        const TCard *top = waste->Cards->CardAt(TCardPile::Top);
        EmptyInto(column, stock);
        DragWithMouse(waste, TopCardPoint(waste), column, {30, 30});
        QCOMPARE(column->Cards->CardAt(0), top);
        QCOMPARE(waste->Cards->Count(), count - 1);
    }

    void aWindowShorterThanItsMinimumKeepsTheMinimumsTable_data() { AddRowPerGameAndSize(); }
    void aWindowShorterThanItsMinimumKeepsTheMinimumsTable()
    {
        QFETCH(QString, game);
        QFETCH(bool, small);
        const RegisteredGame *entry = GameRegistry::find(game);
        TCard::SetCardSize(small ? FS_SMALL : FS_LARGE);
        const std::unique_ptr<GameWindow> window(small ? entry->createSmall() : entry->createLarge());
        TCard::SetCardSize(FS_LARGE);
        window->show();
        // Shown, the window has a frame: its outer height has the minimum.
        const WindowSize &size = small ? window->gameDescription().small : window->gameDescription().large;
        QVERIFY(window->frameGeometry().height() > window->height());
        if (size.fixedHeight)
            QCOMPARE(window->minimumHeight(), size.clientHeight);
        else
            QCOMPARE(OuterMinimumHeight(window.get()), size.minimumHeight);
        window->resize(window->width(), window->minimumHeight());
        const auto layout = [&window] {
            QList<QRect> geometries;
            for (const TCardPileView *view : window->pileViews())
                geometries << view->geometry();
            return geometries;
        };
        const QList<QRect> atTheMinimum = layout();
        // A window system that ignores the minimum makes the window shorter still.
        window->windowHandle()->resize(window->width(), window->minimumHeight() / 2);
        QCoreApplication::processEvents();
        QCOMPARE(window->height(), window->minimumHeight() / 2);
        QCOMPARE(layout(), atTheMinimum);
    }

    void everyGameEntersTheRegistryFromItsOwnFile()
    {
        const RegisteredGame *klondike = GameRegistry::find(QStringLiteral("Klondike"));
        QVERIFY(klondike);
        QVERIFY(!GameRegistry::find(QStringLiteral("No Such Game")));
        QVERIFY(!klondike->largeWindow());
    }
};

QTEST_MAIN(TestGameForm)
#include "tst_gameform.moc"
