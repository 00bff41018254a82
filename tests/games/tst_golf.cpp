// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/GolfWindow.h"
#include "shell/GameCatalog.h"

#include <QAction>
#include <QApplication>
#include <QTest>

namespace {

// A dealt Golf window on the screen, with the kit's seams.
struct Golf : GameTestKit {
    DealtWindow<TGolfForm> window;
    Golf()
    {
        window->show();
        QApplication::setActiveWindow(window);
    }
};

void pressTop(TCardPileView *column, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(column, button, {}, TopCardPoint(column));
    QTest::mouseRelease(column, button, {}, TopCardPoint(column));
}

}  // namespace

class TestGolf : public QObject
{
    Q_OBJECT
    std::optional<Golf> game;
    TGolfForm *form = nullptr;

    // A foundation showing `top`, and column 1 topped by `card`.
    void setUp(CardValue top, CardSuit suit, CardValue card)
    {
        Place(form, FS_CLUBS, top, form->DiscardPileView);
        Place(form, suit, card, form->Tableau[0]);
        form->DiscardPileView->update();
        form->Tableau[0]->update();
    }

private Q_SLOTS:
    void init()
    {
        game.emplace();
        form = game->window;
    }
    void cleanup() { game.reset(); }

    void theFirstDealOfSeedSevenIsPinned()
    {
        QCOMPARE(form->dealText(), QStringLiteral("DiscardPileView: TD\n"
                                                  "DeckPileView: 9c tc 3s 7h 4h 4s 8s 5c ks qc qh th 9d 7d 6d 6s\n"
                                                  "TableauPileView1: AH AS TS KC 8H\n"
                                                  "TableauPileView2: 4C 6H JH 4D AD\n"
                                                  "TableauPileView3: 2D JC 3D JD QS\n"
                                                  "TableauPileView4: 7C 6C 8C 9H 2C\n"
                                                  "TableauPileView5: JS 5D 3C 9S QD\n"
                                                  "TableauPileView6: 8D 2S KH 2H 5H\n"
                                                  "TableauPileView7: 7S 5S KD 3H AC\n"));
        // The first stock card is the deal's own move and its first record.
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("16"));
        QVERIFY(form->Undo1->isEnabled());
        QCOMPARE(form->MoveCount, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Golf   Score: 1"));
        QVERIFY(game->sounds.played().isEmpty());  // the first deal is silent
        QVERIFY(form->KingStopsSequence1->isEnabled() && form->KingStopsSequence1->isChecked());
    }

    void aNewDealTurnsItsFirstCardWithTheStockSound()
    {
        PreferencesDlg->DoAnimation = true;
        form->NewGame1->trigger();
        QCOMPARE(game->sounds.names(), (QStringList{QStringLiteral("SHUFFLE"), QStringLiteral("DEAL"),
                                                    QStringLiteral("DEAL"), QStringLiteral("DEAL"),
                                                    QStringLiteral("DEAL"), QStringLiteral("DEAL"),
                                                    QStringLiteral("STOCK")}));
        QCOMPARE(form->DiscardPileView->Cards->Count(), 1);
        QVERIFY(form->DiscardPileView->Cards->CardAt(0)->FaceUp);
        QCOMPARE(form->MoveCount, 1);
    }

    void aPressPlaysANeighbour_data()
    {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("card");
        QTest::addColumn<bool>("kingStops");
        QTest::addColumn<bool>("plays");
        QTest::addColumn<bool>("mayDrag");
        QTest::newRow("6 on 7") << int(FS_SEVEN) << int(FS_SIX) << true << true << false;
        QTest::newRow("8 on 7") << int(FS_SEVEN) << int(FS_EIGHT) << true << true << false;
        QTest::newRow("9 on 7") << int(FS_SEVEN) << int(FS_NINE) << true << false << true;
        QTest::newRow("7 on 7") << int(FS_SEVEN) << int(FS_SEVEN) << true << false << true;
        QTest::newRow("2 on Ace") << int(FS_ACE) << int(FS_TWO) << true << true << false;
        QTest::newRow("King on Ace") << int(FS_ACE) << int(FS_KING) << true << false << false;
        QTest::newRow("Ace on King") << int(FS_KING) << int(FS_ACE) << false << false << false;
        QTest::newRow("Queen on King, stops") << int(FS_KING) << int(FS_QUEEN) << true << false << true;
        QTest::newRow("Queen on King") << int(FS_KING) << int(FS_QUEEN) << false << true << false;
        QTest::newRow("Jack on King") << int(FS_KING) << int(FS_JACK) << false << false << false;
        QTest::newRow("King on Queen") << int(FS_QUEEN) << int(FS_KING) << true << true << false;
        QTest::newRow("Ace on 2") << int(FS_TWO) << int(FS_ACE) << true << true << false;
    }
    void aPressPlaysANeighbour()
    {
        QFETCH(int, top);
        QFETCH(int, card);
        QFETCH(bool, kingStops);
        QFETCH(bool, plays);
        QFETCH(bool, mayDrag);
        if (form->KingStops != kingStops)
            form->KingStopsSequence1->trigger();
        setUp(CardValue(top), FS_HEARTS, CardValue(card));
        const int moves = form->MoveCount;
        const int columnCards = form->Tableau[0]->Cards->Count();
        QTest::mousePress(form->Tableau[0], Qt::LeftButton, {}, TopCardPoint(form->Tableau[0]));
        QCOMPARE(form->Tableau[0]->CanDrag, mayDrag);
        QTest::mouseRelease(form->Tableau[0], Qt::LeftButton, {}, {1, 1});
        QCOMPARE(form->Tableau[0]->Cards->Count(), columnCards - (plays ? 1 : 0));
        QCOMPARE(form->DiscardPileView->Cards->CardAt(TCardPile::Top)->Value, CardValue(plays ? card : top));
        QCOMPARE(form->MoveCount, moves + (plays ? 1 : 0));
        QVERIFY(game->sounds.played().isEmpty());  // playing a card makes no sound
    }

    void onlyTheTopCardOfAColumnPlays()
    {
        setUp(FS_SEVEN, FS_HEARTS, FS_NINE);
        Place(form, FS_SPADES, FS_SIX, form->Tableau[1]);
        Place(form, FS_SPADES, FS_TEN, form->Tableau[1]);
        const QString before = form->dealText();
        QTest::mousePress(form->Tableau[1], Qt::LeftButton, {}, CardPoint(form->Tableau[1], 4));
        QVERIFY(!form->Tableau[1]->CanDrag);
        QTest::mouseRelease(form->Tableau[1], Qt::LeftButton, {}, CardPoint(form->Tableau[1], 4));
        QCOMPARE(form->dealText(), before);
    }

    void aCardThatDoesNotFitComesBackFromADrag()
    {
        setUp(FS_SEVEN, FS_HEARTS, FS_NINE);
        const QString before = form->dealText();
        DragWithMouse(form->Tableau[0], TopCardPoint(form->Tableau[0]), form->DiscardPileView, {200, 40});
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 1);
    }

    void theStockTurnsOntoTheFoundationUntilItIsEmpty()
    {
        QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {20, 20});
        QTest::keyClick(form, Qt::Key_Space);
        QTest::mouseClick(form->Tableau[2], Qt::MiddleButton, {}, TopCardPoint(form->Tableau[2]));
        QTest::mouseClick(form, Qt::MiddleButton, {}, {form->width() - 5, form->height() - 5});
        QCOMPARE(form->DiscardPileView->Cards->Count(), 5);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("12"));
        QCOMPARE(game->sounds.names().count(QStringLiteral("STOCK")), 4);
        QCOMPARE(form->MoveCount, 5);
        for (int i = 0; i < 12; ++i)
            form->DeckPileViewClick();
        QVERIFY(form->DeckPileView->toolTip().isEmpty());
        game->sounds.clear();
        const QString before = form->dealText();
        form->DeckPileViewClick();  // an empty stock changes nothing
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 17);
        QCOMPARE(form->UndoList->Count(), 17);
        QVERIFY(game->sounds.played().isEmpty());
        QCOMPARE(form->windowTitle(), QStringLiteral("Golf   Score: 17"));
    }

    void undoTakesBackOneCardAtATime()
    {
        setUp(FS_SEVEN, FS_HEARTS, FS_EIGHT);
        const QString dealt = form->dealText();
        pressTop(form->Tableau[0]);
        QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {20, 20});
        QCOMPARE(form->MoveCount, 3);
        game->sounds.clear();
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);  // the stock card, face down again
        QCOMPARE(form->DeckPileView->Cards->Count(), 16);
        QVERIFY(!form->DeckPileView->Cards->CardAt(TCardPile::Top)->FaceUp);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("16"));
        QCOMPARE(form->MoveCount, 2);
        form->Undo1->trigger();  // the Eight back onto its column
        QCOMPARE(form->dealText(), dealt);
        QCOMPARE(form->MoveCount, 1);
        QCOMPARE(game->sounds.names(), (QStringList{QStringLiteral("UNDO"), QStringLiteral("UNDO")}));
    }

    void undoCanTakeBackTheDealsFirstCard()
    {
        const TCard *first = form->DiscardPileView->Cards->CardAt(0);
        form->Undo1->trigger();
        QCOMPARE(form->DiscardPileView->Cards->Count(), 0);
        QCOMPARE(form->DeckPileView->Cards->CardAt(TCardPile::Top), first);
        QVERIFY(!first->FaceUp);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("17"));
        QVERIFY(!form->Undo1->isEnabled());
        QCOMPARE(form->MoveCount, 0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Golf"));
        // No column card plays onto an empty foundation, not even by a drag.
        const QString before = form->dealText();
        QTest::mousePress(form->Tableau[0], Qt::LeftButton, {}, TopCardPoint(form->Tableau[0]));
        QVERIFY(!form->Tableau[0]->CanDrag);
        QTest::mouseRelease(form->Tableau[0], Qt::LeftButton, {}, TopCardPoint(form->Tableau[0]));
        QCOMPARE(form->dealText(), before);
        form->DeckPileViewClick();
        QCOMPARE(form->DiscardPileView->Cards->CardAt(0), first);
    }

    void theOptionIsLockedFromTheFirstPressUntilTheNextDeal()
    {
        QTest::mousePress(form->Tableau[3], Qt::LeftButton, {}, CardPoint(form->Tableau[3], 0));  // any card
        QTest::mouseRelease(form->Tableau[3], Qt::LeftButton, {}, CardPoint(form->Tableau[3], 0));
        QVERIFY(!form->KingStopsSequence1->isEnabled());
        form->KingStopsSequence1->trigger();  // a disabled item does nothing
        QVERIFY(form->KingStops);
        form->NewGame1->trigger();
        QVERIFY(form->KingStopsSequence1->isEnabled());
        form->DeckPileViewClick();
        QVERIFY(!form->KingStopsSequence1->isEnabled());
        form->NewGame1Click(form->Restart1);
        QVERIFY(form->KingStopsSequence1->isEnabled());
        form->KingStopsSequence1->trigger();
        QVERIFY(!form->KingStops);
    }

    void theOptionKeyIsReadWrittenAndSharedWithTheSmallWindow()
    {
        QVERIFY(form->KingStops);  // no key: on
        form->KingStopsSequence1->trigger();
        QVERIFY(game->settings.read(QStringLiteral("Solitaire.ini")).contains("KingStopsSequence=False"));
        TCard::SetCardSize(FS_SMALL);
        {
            const DealtWindow<TsGolfForm> small;
            QVERIFY(!small->KingStops);
            QVERIFY(!small->KingStopsSequence1->isChecked());
            small->KingStopsSequence1->trigger();
        }
        TCard::SetCardSize(FS_LARGE);
        QVERIFY(game->settings.read(QStringLiteral("Solitaire.ini")).contains("KingStopsSequence=True"));
        const DealtWindow<TGolfForm> again;
        QVERIFY(again->KingStops);
    }

    void promptsNameTheGame()
    {
        for (int i = 0; i < 5; ++i)
            form->DeckPileViewClick();
        game->dialogs.answer = Dialogs::Cancel;
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Restart this game of Golf?")});
        QVERIFY(!form->close());
        QCOMPARE(game->dialogs.messages().last(), QStringLiteral("Quit this game of Golf?"));
    }

    void allCardsOnTheFoundationWinOnce()
    {
        for (TCardPileView *column : form->Tableau)
            EmptyInto(column, form->DeckPileView);
        while (TCard *card = form->DeckPileView->Cards->CardAt(0)) {
            form->DeckPileView->Cards->RemoveCard(card);
            card->FaceUp = true;
            form->DiscardPileView->Cards->AddCard(card);
        }
        Place(form, FS_CLUBS, FS_SIX, form->DiscardPileView);
        Place(form, FS_CLUBS, FS_FIVE, form->Tableau[6]);
        form->update();
        pressTop(form->Tableau[6]);
        QCOMPARE(form->windowTitle(), QStringLiteral("Golf   Score: 52"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
        form->DeckPileViewClick();
        QCOMPARE(game->dialogs.modals(), 1);
    }

    void theSmallWindowIsTheSameGameOnItsOwnTable()
    {
        TCard::SetCardSize(FS_SMALL);
        QPointer<TsGolfForm> small = createGameWindow<TsGolfForm>();
        TCard::SetCardSize(FS_LARGE);
        small->show();
        QCOMPARE(small->dealText(), form->dealText());
        QCOMPARE(small->Tableau[0]->geometry(), QRect(24, 8, 61, 200));
        QCOMPARE(small->Tableau[6]->geometry(), QRect(504, 8, 61, 200));
        QCOMPARE(small->Tableau[3]->YOffset, 16.0f);
        QCOMPARE(small->DeckPileView->geometry(), QRect(8, 224, 97, 105));
        QCOMPARE(small->DiscardPileView->geometry(), QRect(112, 224, 473, 95));
        QCOMPARE(small->DiscardPileView->XOffset, 7.0f);
        QCOMPARE(form->DiscardPileView->geometry(), QRect(128, 288, 569, 125));
        QCOMPARE(form->Tableau[6]->geometry(), QRect(600, 8, 80, 265));
        // Neither window can be resized or maximised.
        QCOMPARE(small->minimumSize(), QSize(585, 340));
        QCOMPARE(small->maximumSize(), QSize(585, 340));
        QCOMPARE(form->minimumSize(), QSize(700, 430));
        QCOMPARE(form->maximumSize(), QSize(700, 430));
        QVERIFY(!(small->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(small->windowTitle(), QStringLiteral("Golf   Score: 1"));
        // The small window keeps its place in the large window's section.
        QVERIFY(small->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!small);
        const QByteArray file = game->settings.read(QStringLiteral("Solitaire.ini"));
        QVERIFY(file.contains("[Golf]"));
        QVERIFY(file.contains("NormPos="));
        QVERIFY(!file.contains("[sGolf]"));
    }

    void theLauncherOpensGolfAtEitherCardSize()
    {
        game.reset();
        GameTestKit kit;
        ScreenOverride screen(1280);
        LauncherWindow launcher;
        const int golf = GameCatalog::indexOf(QStringLiteral("Golf"));
        PreferencesDlg->CardSize = 0;
        SolitaireForm->SelectGame(golf);
        QVERIFY(sGolfForm);
        QCOMPARE(sGolfForm->windowTitle(), QStringLiteral("Golf   Score: 1"));
        PreferencesDlg->CardSize = 1;
        SolitaireForm->SelectGame(golf);
        QVERIFY(GolfForm);
        QCOMPARE(GolfForm->gameDescription().helpTopic, 1005);
        TCard::SetCardSize(FS_LARGE);
    }
};

QTEST_MAIN(TestGolf)
#include "tst_golf.moc"
