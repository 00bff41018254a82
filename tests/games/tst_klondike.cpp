// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/KlondikeWindow.h"

#include <QAction>
#include <QRegularExpression>
#include <QTest>

namespace {

// A dealt Klondike window on the screen, with the kit's seams.
struct Klondike : GameTestKit {
    DealtWindow<TKlondikeForm> window;
    Klondike() { window->show(); }
};

}  // namespace

class TestKlondike : public QObject
{
    Q_OBJECT
    std::optional<Klondike> game;
    TKlondikeForm *form = nullptr;

    void emptyColumns(int count = 7)
    {
        for (int c = 0; c < count; ++c)
            EmptyInto(form->Tableau[c], form->DeckPileView);
    }

private Q_SLOTS:
    void init()
    {
        game.emplace();
        form = game->window;
    }
    void cleanup() { game.reset(); }

    void dealsSevenColumnsAndATwentyFourCardStock()
    {
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(form->Tableau[c]->Cards->Count(), c + 1);
            QCOMPARE(FaceUpCount(form->Tableau[c]), 1);
            QVERIFY(form->Tableau[c]->Cards->CardAt(TCardPile::Top)->FaceUp);
        }
        QCOMPARE(form->DeckPileView->Cards->Count(), 24);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("24"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike"));
        QVERIFY(game->sounds.played().isEmpty());  // the first deal is silent even with animation on
        QVERIFY(!form->Undo1->isEnabled());
    }

    void newGameSoundsFollowTheAnimationPreference()
    {
        PreferencesDlg->DoAnimation = false;
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("SHUFFLE")});
        game->sounds.clear();
        PreferencesDlg->DoAnimation = true;
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("SHUFFLE")), 1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("DEAL")), 7);
    }

    void restartDealsTheSameCardsInTheSamePlaces()
    {
        const QString first = form->dealText();
        for (int i = 0; i < 3; ++i)
            form->DeckPileViewClick();
        QVERIFY(form->dealText() != first);
        form->NewGame1Click(form->Restart1);
        QCOMPARE(form->dealText(), first);
        QVERIFY(game->sounds.names().contains(QStringLiteral("RESTART")));
        QVERIFY(game->dialogs.messages().isEmpty());
    }

    void promptsFollowTheMoveThresholds()
    {
        for (int i = 0; i < 5; ++i)
            form->DeckPileViewClick();
        QCOMPARE(form->MoveCount, 5);
        form->NewGame1Click(form->NewGame1);  // five moves: no question
        QVERIFY(game->dialogs.messages().isEmpty());
        for (int i = 0; i < 5; ++i)
            form->DeckPileViewClick();
        game->dialogs.answer = Dialogs::Cancel;
        QVERIFY(!form->close());  // closing asks already at five
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Quit this game of Klondike?")});
        form->DeckPileViewClick();
        const QString before = form->dealText();
        form->NewGame1Click(form->Restart1);  // six moves: Restart asks, Cancel keeps the game
        QCOMPARE(game->dialogs.messages().last(), QStringLiteral("Restart this game of Klondike?"));
        QCOMPARE(form->dealText(), before);
        form->GameOver = true;  // after a win nothing asks
        game->dialogs.clear();
        form->NewGame1Click(form->NewGame1);
        QVERIFY(game->dialogs.messages().isEmpty());
        QCOMPARE(form->MoveCount, 0);
    }

    void drawThreeWithTwoLeftThenTurnover()
    {
        // 24 cards: eight clicks of three empty the stock; move one to the waste first
        // so that the eighth click finds two.
        for (int i = 0; i < 7; ++i)
            form->DeckPileViewClick();
        TCard *spare = form->DeckPileView->Cards->CardAt(0);
        form->DeckPileView->Cards->RemoveCard(spare);
        spare->FaceUp = true;
        form->RecyclePileView->Cards->InsertCard(spare, 0);
        QCOMPARE(form->DeckPileView->Cards->Count(), 2);
        form->DeckPileViewClick();
        QCOMPARE(form->DeckPileView->Cards->Count(), 0);
        QCOMPARE(form->DiscardPileView->Cards->Count(), 2);
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        QVERIFY(form->DeckPileView->toolTip().isEmpty());
        const int waste = form->DiscardPileView->Cards->Count() + form->RecyclePileView->Cards->Count();
        TCard *firstTurned = form->RecyclePileView->Cards->CardAt(0);
        QVERIFY(!form->DrawOne1->isEnabled());  // the draw mode is locked until the next New Game
        form->DeckPileViewClick();  // turns the waste over and draws three again
        QCOMPARE(form->DiscardPileView->Cards->Count(), 3);
        QCOMPARE(form->DiscardPileView->Cards->CardAt(0), firstTurned);
        QCOMPARE(form->DeckPileView->Cards->Count(), waste - 3);
        QCOMPARE(form->RecyclePileView->Cards->Count(), 0);
        form->NewGame1Click(form->NewGame1);
        QVERIFY(form->DrawOne1->isEnabled());
    }

    void emptyStockAndWasteChangeNothing()
    {
        for (TCard *card = form->DeckPileView->Cards->CardAt(0); card; card = form->DeckPileView->Cards->CardAt(0)) {
            form->DeckPileView->Cards->RemoveCard(card);
            form->Foundations[0]->Cards->AddCard(card);
        }
        const QString before = form->dealText();
        form->DeckPileViewClick();
        QCOMPARE(form->dealText(), before);
        QVERIFY(!form->Undo1->isEnabled());
        QCOMPARE(form->MoveCount, 0);
    }

    void onlyAKingFillsAnEmptyColumn()
    {
        emptyColumns();
        Place(form, FS_HEARTS, FS_QUEEN, form->Tableau[1]);
        Place(form, FS_HEARTS, FS_KING, form->Tableau[2]);
        for (TCardPileView *column : form->Tableau)
            column->update();
        DragWithMouse(form->Tableau[1], TopCardPoint(form->Tableau[1]), form->Tableau[0], {40, 40});
        QCOMPARE(form->Tableau[0]->Cards->Count(), 0);
        QCOMPARE(form->Tableau[1]->Cards->Count(), 1);
        DragWithMouse(form->Tableau[2], TopCardPoint(form->Tableau[2]), form->Tableau[0], {40, 40});
        QCOMPARE(form->Tableau[0]->Cards->Count(), 1);
        QCOMPARE(form->Tableau[0]->Cards->CardAt(0)->Value, FS_KING);
    }

    void aRunMovesFromItsMiddleOnlyWhenColoursAlternate()
    {
        emptyColumns(3);
        Place(form, FS_SPADES, FS_KING, form->Tableau[0]);
        Place(form, FS_HEARTS, FS_QUEEN, form->Tableau[0]);
        Place(form, FS_CLUBS, FS_JACK, form->Tableau[0]);
        Place(form, FS_CLUBS, FS_KING, form->Tableau[1]);
        // Queen of hearts with the Jack of clubs: onto the King of clubs.
        DragWithMouse(form->Tableau[0], CardPoint(form->Tableau[0], 1), form->Tableau[1], TopCardPoint(form->Tableau[1]));
        QCOMPARE(form->Tableau[0]->Cards->Count(), 1);
        QCOMPARE(form->Tableau[1]->Cards->Count(), 3);
        QCOMPARE(form->Tableau[1]->Cards->CardAt(TCardPile::Top)->Value, FS_JACK);
        // A run that does not alternate stays where it is.
        Place(form, FS_DIAMONDS, FS_QUEEN, form->Tableau[2]);
        Place(form, FS_HEARTS, FS_JACK, form->Tableau[2]);
        Place(form, FS_SPADES, FS_KING, form->Tableau[1]);
        const QString before = form->dealText();
        DragWithMouse(form->Tableau[2], CardPoint(form->Tableau[2], 0), form->Tableau[0], {40, 40});
        QCOMPARE(form->dealText(), before);
    }

    void releasingOverTheTableSendsToTheFirstAcceptingPile()
    {
        emptyColumns(4);
        Place(form, FS_CLUBS, FS_EIGHT, form->Tableau[0]);
        Place(form, FS_SPADES, FS_EIGHT, form->Tableau[1]);
        Place(form, FS_HEARTS, FS_SEVEN, form->Tableau[2]);
        // Released over the bare table at the bottom right, the Seven goes to column 1.
        DragWithMouse(form->Tableau[2], TopCardPoint(form->Tableau[2]), form, {form->width() - 20, form->height() - 10});
        QCOMPARE(form->Tableau[0]->Cards->Count(), 2);
        QCOMPARE(form->Tableau[2]->Cards->Count(), 0);
        QCOMPARE(form->MoveCount, 1);
    }

    void undoTakesBackADragAndTheCardItTurnedUp()
    {
        emptyColumns(1);
        Place(form, FS_CLUBS, FS_NINE, form->Tableau[0]);
        Place(form, FS_DIAMONDS, FS_TWO, form->Tableau[1], false);
        Place(form, FS_HEARTS, FS_EIGHT, form->Tableau[1]);
        const QString before = form->dealText();
        DragWithMouse(form->Tableau[1], TopCardPoint(form->Tableau[1]), form->Tableau[0], TopCardPoint(form->Tableau[0]));
        QVERIFY(form->Tableau[1]->Cards->CardAt(TCardPile::Top)->FaceUp);
        QCOMPARE(form->MoveCount, 1);
        game->sounds.clear();
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("UNDO")});
    }

    void undoTakesBackAStockClickInOneStep()
    {
        form->DeckPileViewClick();
        const QString afterFirst = form->dealText();
        form->DeckPileViewClick();
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), afterFirst);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("21"));
    }

    void undoTakesBackASendAndTheRefillItCaused()
    {
        form->DrawOne1Click();
        form->DeckPileViewClick();
        Place(form, FS_HEARTS, FS_ACE, form->DeckPileView, false);
        form->DeckPileViewClick();
        const QString beforeSend = form->dealText();
        QTest::mouseDClick(form->DiscardPileView, Qt::LeftButton, {}, TopCardPoint(form->DiscardPileView));
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);
        QCOMPARE(form->DiscardPileView->Cards->Count(), 1);  // the previous card came back
        QCOMPARE(form->RecyclePileView->Cards->Count(), 0);
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), beforeSend);
    }

    void undoTakesBackATurnoverOfTheWaste()
    {
        form->DrawOne1Click();
        for (int i = 0; i < 24; ++i)
            form->DeckPileViewClick();
        const QString wasteFull = form->dealText();
        QCOMPARE(form->MoveCount, 24);
        form->DeckPileViewClick();  // turns the waste over and draws: one click, one move
        QCOMPARE(form->DeckPileView->Cards->Count(), 23);
        QCOMPARE(form->MoveCount, 25);
        form->Undo1->trigger();  // takes back the draw and the turnover together
        QCOMPARE(form->dealText(), wasteFull);
        QCOMPARE(form->MoveCount, 24);
        for (int i = 0; i < 24; ++i)
            form->Undo1->trigger();
        QCOMPARE(form->MoveCount, 0);  // every counted click and its undo agree
        QVERIFY(!form->Undo1->isEnabled());
    }

    void drawOptionIsWrittenAtOnceAndSharedWithTheSmallWindow()
    {
        form->DrawOne1->trigger();
        QVERIFY(form->DrawOne1->isChecked() && !form->DrawThree1->isChecked());
        TCard::SetCardSize(FS_SMALL);
        {
            const DealtWindow<TsKlondikeForm> small;
            QVERIFY(!small->DrawThree);
            QCOMPARE(small->Tableau[0]->width(), 61);
            QCOMPARE(small->Tableau[1]->YOffset, 16.0f);
        }
        TCard::SetCardSize(FS_LARGE);
    }

    void spaceBarAndMiddleButtonTurnTheStock()
    {
        form->DrawOne1Click();
        QTest::keyClick(form, Qt::Key_Space);
        QCOMPARE(form->DiscardPileView->Cards->Count(), 1);
        QTest::mouseClick(form, Qt::MiddleButton, {}, {form->width() / 2, form->height() - 5});
        QTest::mouseClick(form->Tableau[3], Qt::MiddleButton, {}, {10, 10});
        QTest::mouseClick(form->Foundations[1], Qt::MiddleButton, {}, {10, 10});
        QCOMPARE(form->DeckPileView->Cards->Count(), 20);
        QCOMPARE(form->MoveCount, 4);
        QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30});
        QCOMPARE(form->DeckPileView->Cards->Count(), 19);
    }

    void shiftClickAndDoubleClickSendCardsHome()
    {
        emptyColumns();
        Place(form, FS_CLUBS, FS_TWO, form->Tableau[0], false);
        Place(form, FS_CLUBS, FS_ACE, form->Tableau[0]);
        Place(form, FS_DIAMONDS, FS_ACE, form->Tableau[1]);
        QTest::mouseClick(form->Tableau[0], Qt::LeftButton, Qt::ShiftModifier, TopCardPoint(form->Tableau[0]));
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);
        QVERIFY(form->Tableau[0]->Cards->CardAt(0)->FaceUp);  // the card beneath turns up
        QTest::mouseDClick(form->Tableau[0], Qt::LeftButton, {}, TopCardPoint(form->Tableau[0]));
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);
        QTest::mouseClick(form->Tableau[1], Qt::LeftButton, Qt::ControlModifier, TopCardPoint(form->Tableau[1]));
        QCOMPARE(form->Foundations[1]->Cards->Count(), 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike   Score: 3"));
        QCOMPARE(game->sounds.names().count(QStringLiteral("AUTOPLAY")), 3);
        form->Undo1->trigger();
        form->Undo1->trigger();  // the Two of clubs and nothing more
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);
        QCOMPARE(form->Tableau[0]->Cards->Count(), 1);
        form->Undo1->trigger();  // the Ace, and the Two turns face down again
        QVERIFY(!form->Tableau[0]->Cards->CardAt(0)->FaceUp);
        QCOMPARE(form->Tableau[0]->Cards->Count(), 2);
    }

    void winningShowsTheWinWindowOnce()
    {
        emptyColumns();
        for (int suit = 0; suit < 4; ++suit)
            for (int value = FS_ACE; value <= FS_KING; ++value)
                Place(form, CardSuit(suit), CardValue(value), suit == 3 && value == FS_KING ? form->Tableau[0] : form->Foundations[suit]);
        QTest::mouseDClick(form->Tableau[0], Qt::LeftButton, {}, TopCardPoint(form->Tableau[0]));
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike   Score: 52"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
        QTest::mouseDClick(form->Tableau[0], Qt::LeftButton, {}, {10, 10});  // a click on an empty column
        QCOMPARE(game->dialogs.modals(), 1);
        QVERIFY(form->close());  // after a win nothing asks
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void aPrintedDealListsEveryViewWithItsCards()
    {
        const QStringList lines = form->dealText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 14);
        QCOMPARE(lines.first().section(QLatin1Char(':'), 0, 0), QStringLiteral("DeckPileView"));
        QCOMPARE(lines.last(), QStringLiteral("RecyclePileView:"));
        QCOMPARE(lines[6].count(QLatin1Char(' ')), 1);  // TableauPileView1: one card
        const QRegularExpression card(QStringLiteral("^(?:[A2-9TJQK][CSDH]|[a2-9tjqk][csdh])$"));
        int cards = 0;
        for (const QString &line : lines)
            for (const QString &text : line.section(QLatin1Char(':'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                QVERIFY2(card.match(text).hasMatch(), qPrintable(text));
                ++cards;
            }
        QCOMPARE(cards, 52);
        QVERIFY(lines[6].endsWith(lines[6].right(2).toUpper()));  // a column's top card is face up
    }

    void autoplaySendsADrawnAceWithItsOwnRecord()
    {
        form->Autoplay1Click();
        form->DrawOne1Click();
        emptyColumns();
        Place(form, FS_HEARTS, FS_ACE, form->DeckPileView, false);
        game->sounds.clear();
        form->DeckPileViewClick();
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike   Score: 1"));
        QCOMPARE(game->sounds.names(), (QStringList{QStringLiteral("STOCK"), QStringLiteral("AUTOPLAY")}));
        form->Undo1->trigger();  // the autoplay's own record
        QCOMPARE(form->Foundations[0]->Cards->Count(), 0);
        QCOMPARE(form->DiscardPileView->Cards->CardAt(TCardPile::Top)->Value, FS_ACE);
        QCOMPARE(form->windowTitle(), QStringLiteral("Klondike"));
    }
};

QTEST_MAIN(TestKlondike)
#include "tst_klondike.moc"
