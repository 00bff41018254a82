// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/DblKlondikeWindow.h"
#include "platform/Help.h"
#include "platform/IniFile.h"
#include "shell/GameCatalog.h"

#include <QAction>
#include <QTest>

namespace {

struct DoubleKlondike : GameTestKit {
    DealtWindow<TDblKlondikeForm> window;
    DoubleKlondike() { window->show(); }
};

QString stored(const QString &key)
{
    return IniFile::read(QStringLiteral("Solitaire.ini"), QStringLiteral("DoubleKlondike"), key, QStringLiteral("None"));
}

// With two decks every card has a twin: this puts one that is not on a foundation
// yet on top of a view.
TCard *Take(GameWindow *form, CardSuit suit, CardValue value, TCardPileView *onto, bool faceUp = true)
{
    for (TCardPileView *view : form->pileViews())
        for (int i = 0; form->roleOf(view) != PileRole::Foundation && i < view->Cards->Count(); ++i) {
            TCard *card = view->Cards->CardAt(i);
            if (card->Suit == suit && card->Value == value) {
                view->Cards->RemoveCard(card);
                card->FaceUp = faceUp;
                onto->Cards->AddCard(card);
                return card;
            }
        }
    return nullptr;
}

void repaintAll(GameWindow *form)
{
    for (TCardPileView *view : form->pileViews())
        view->update();
}

}  // namespace

class TestDoubleKlondike : public QObject
{
    Q_OBJECT
    std::optional<DoubleKlondike> game;
    TDblKlondikeForm *form = nullptr;

    void clickStock(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30});
    }
    void undo() { form->Undo1->trigger(); }
    void emptyColumns(int count = 9)
    {
        for (int c = 0; c < count; ++c)
            EmptyInto(form->Tableau[c], form->DeckPileView);
        repaintAll(form);
    }
    void doubleClickTop(TCardPileView *view) { QTest::mouseDClick(view, Qt::LeftButton, {}, TopCardPoint(view)); }

private Q_SLOTS:
    void init()
    {
        game.emplace();
        form = game->window;
    }
    void cleanup() { game.reset(); }

    void dealsNineColumnsAndAFiftyNineCardStock()
    {
        QCOMPARE(form->dealText(),
                 QStringLiteral("DeckPileView: 9c 9h as 2h 5h 8h ts 7d qs 9d 6h 3s 4d ah 6c 6s 8d 7h 8h 4c 9s 3c jd 3d qh "
                                "ts 4d qc jd 5s 3d 2h 7c jc 6d th ac 4c 4s 6h 7d 6s 6c jh ad kh 9c 8c qs ks 9s kd ah 5d "
                                "ad 8d 7h qd js\n"
                                "DiscardPileView:\n"
                                "FoundationPile1:\nFoundationPile2:\nFoundationPile3:\nFoundationPile4:\n"
                                "FoundationPile5:\nFoundationPile6:\nFoundationPile7:\nFoundationPile8:\n"
                                "TableauPileView1: 2C\n"
                                "TableauPileView2: kd 7S\n"
                                "TableauPileView3: 7c kc KS\n"
                                "TableauPileView4: 3h 8s 2c 6D\n"
                                "TableauPileView5: 3s jh td th 3C\n"
                                "TableauPileView6: kh 5d 5s 8s tc QD\n"
                                "TableauPileView7: 9d 2d qh 9h td qc 5C\n"
                                "TableauPileView8: js 8c 4h jc 4s ac 5c KC\n"
                                "TableauPileView9: 2d tc 7s 3h 2s 5h as 2s 4H\n"
                                "RecyclePileView:\n"));
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("59"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Double Klondike"));
        QVERIFY(game->sounds.played().isEmpty());
        QVERIFY(!form->Undo1->isEnabled());
        PreferencesDlg->DoAnimation = true;
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("DEAL")), 9);  // one per row
        for (int c = 0; c < 9; ++c) {
            QCOMPARE(form->Tableau[c]->Cards->Count(), c + 1);
            QCOMPARE(FaceUpCount(form->Tableau[c]), 1);
            QVERIFY(form->Tableau[c]->Cards->CardAt(TCardPile::Top)->FaceUp);
        }
        QCOMPARE(form->DeckPileView->Cards->Count(), 59);
    }

    void theLauncherOpensItAndF1ShowsItsRules()
    {
        const ScreenOverride wide(1280);
        const LauncherWindow launcher;
        PreferencesDlg->CardSize = 1;
        SolitaireForm->SelectGame(GameCatalog::indexOf(QStringLiteral("Double Klondike")));
        QVERIFY(DblKlondikeForm && DblKlondikeForm->isVisible());
        Help::setFilePath(QFINDTESTDATA("../../resources/help/Cardenza.html"));
        QTest::keyClick(DblKlondikeForm, Qt::Key_F1);
        QCOMPARE(Help::lastTopic(), 1002);
    }

    void drawOneRebuildsTheStockOnceThenIgnoresClicks()
    {
        form->DrawOne1->trigger();
        clickStock(59);
        QCOMPARE(form->DeckPileView->Cards->Count(), 0);
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        QVERIFY(form->DeckPileView->toolTip().isEmpty());
        const QString exhausted = form->dealText();
        clickStock();  // rebuilds the stock and draws at once
        QCOMPARE(form->DeckPileView->Cards->Count(), 58);
        QCOMPARE(form->DiscardPileView->Cards->Count(), 1);
        QCOMPARE(form->RecyclePileView->Cards->Count(), 0);
        QCOMPARE(form->Recycles, 1);
        QCOMPARE(form->MoveCount, 60);
        undo();  // the draw and the rebuild together, and the rebuild may come again
        QCOMPARE(form->dealText(), exhausted);
        QCOMPARE(form->Recycles, 0);
        QCOMPARE(form->MoveCount, 59);
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        clickStock(59);
        QCOMPARE(form->DeckPileView->Cards->Count(), 0);
        QCOMPARE(form->DeckPileView->State, FS_BLANK);  // no third pass
        const QString done = form->dealText();
        const int records = form->UndoList->Count();
        clickStock();
        QTest::keyClick(form, Qt::Key_Space);
        QCOMPARE(form->dealText(), done);
        QCOMPARE(form->UndoList->Count(), records);
        QCOMPARE(form->MoveCount, 118);
    }

    void drawThreeRebuildsTheStockAsOftenAsNeeded()
    {
        const QString first = form->dealText();
        clickStock(20);  // 19 threes and the last two
        QCOMPARE(form->DeckPileView->Cards->Count(), 0);
        QCOMPARE(form->DiscardPileView->Cards->Count(), 2);
        for (int pass = 1; pass <= 3; ++pass) {
            clickStock(20);
            QCOMPARE(form->DeckPileView->Cards->Count(), 0);
            QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        }
        QCOMPARE(form->Recycles, 3);
        QCOMPARE(form->MoveCount, 80);
        for (int i = 0; i < 80; ++i)
            undo();
        QCOMPARE(form->dealText(), first);  // every counted click and its undo agree
        QCOMPARE(form->MoveCount, 0);
        QCOMPARE(form->Recycles, 0);
        QVERIFY(!form->Undo1->isEnabled());
    }

    void theDrawModeLocksAtTheFirstDrawAndIsSharedWithTheSmallWindow()
    {
        QCOMPARE(stored(QStringLiteral("DrawThree")), QStringLiteral("None"));
        QVERIFY(form->DrawThree && form->DrawThree1->isChecked());  // the default
        form->DrawOne1->trigger();
        QCOMPARE(stored(QStringLiteral("DrawThree")), QStringLiteral("False"));
        clickStock();
        QVERIFY(!form->DrawThree1->isEnabled() && form->DrawOne1->isEnabled());
        form->NewGame1Click(form->Restart1);
        QVERIFY(!form->DrawThree1->isEnabled());  // a restart keeps the lock
        form->NewGame1Click(form->NewGame1);
        QVERIFY(form->DrawThree1->isEnabled());
        form->Autoplay1->trigger();
        QCOMPARE(stored(QStringLiteral("Autoplay")), QStringLiteral("True"));
        TCard::SetCardSize(FS_SMALL);
        {
            const DealtWindow<TsDblKlondikeForm> small;
            QVERIFY(!small->DrawThree && small->DrawOne1->isChecked());
            QVERIFY(small->DoAutoplay);
        }
        TCard::SetCardSize(FS_LARGE);
    }

    void playingTheLastShownDiscardBringsBackTheOnesBefore()
    {
        emptyColumns();
        for (const CardValue value : {FS_ACE, FS_TWO, FS_THREE})
            Take(form, FS_HEARTS, value, form->DeckPileView, false);
        for (const CardSuit suit : {FS_CLUBS, FS_DIAMONDS, FS_SPADES})
            Take(form, suit, FS_NINE, form->DeckPileView, false);
        clickStock();
        const QString firstBatch = form->dealText().section(QLatin1Char('\n'), 1, 1);
        QCOMPARE(firstBatch, QStringLiteral("DiscardPileView: 9S 9D 9C"));
        clickStock();
        doubleClickTop(form->DiscardPileView);
        doubleClickTop(form->DiscardPileView);
        const QString beforeLastSend = form->dealText();
        doubleClickTop(form->DiscardPileView);
        QCOMPARE(form->Foundations[0]->Cards->Count(), 3);
        QCOMPARE(form->dealText().section(QLatin1Char('\n'), 1, 1), firstBatch);
        QCOMPARE(form->RecyclePileView->Cards->Count(), 0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Double Klondike   Score: 3"));
        undo();  // the send and the refill it caused
        QCOMPARE(form->dealText(), beforeLastSend);
    }

    void anEmptyColumnTakesOnlyAKingOrARunHeadedByOne()
    {
        emptyColumns();
        Take(form, FS_HEARTS, FS_QUEEN, form->Tableau[1]);
        Take(form, FS_SPADES, FS_KING, form->Tableau[2]);
        Take(form, FS_HEARTS, FS_QUEEN, form->Tableau[2]);
        repaintAll(form);
        DragWithMouse(form->Tableau[1], TopCardPoint(form->Tableau[1]), form->Tableau[0], {40, 40});
        QCOMPARE(form->Tableau[0]->Cards->Count(), 0);
        QCOMPARE(form->Tableau[1]->Cards->Count(), 1);
        // The King with its Queen, dragged over the fifth column: that one, not the first.
        DragWithMouse(form->Tableau[2], CardPoint(form->Tableau[2], 0), form->Tableau[4], {40, 40});
        QCOMPARE(form->Tableau[4]->Cards->Count(), 2);
        QCOMPARE(form->Tableau[4]->Cards->CardAt(0)->Value, FS_KING);
        QCOMPARE(form->MoveCount, 1);
    }

    void aFaceDownCardNeverStartsADragButALongRunDoes()
    {
        emptyColumns();
        Take(form, FS_CLUBS, FS_FIVE, form->Tableau[0], false);
        const QList<std::pair<CardSuit, CardValue>> run = {{FS_HEARTS, FS_QUEEN}, {FS_CLUBS, FS_JACK},
                                                             {FS_DIAMONDS, FS_TEN}, {FS_SPADES, FS_NINE},
                                                             {FS_HEARTS, FS_EIGHT}, {FS_CLUBS, FS_SEVEN}};
        for (const auto &[suit, value] : run)
            Take(form, suit, value, form->Tableau[0]);
        Take(form, FS_SPADES, FS_KING, form->Tableau[1]);
        repaintAll(form);
        const QString before = form->dealText();
        DragWithMouse(form->Tableau[0], CardPoint(form->Tableau[0], 0), form->Tableau[2], {40, 40});
        QCOMPARE(form->dealText(), before);
        DragWithMouse(form->Tableau[0], CardPoint(form->Tableau[0], 1), form->Tableau[1],
                      TopCardPoint(form->Tableau[1]));
        QCOMPARE(form->Tableau[1]->Cards->Count(), 7);
        QCOMPARE(form->Tableau[0]->Cards->Count(), 1);
        QVERIFY(form->Tableau[0]->Cards->CardAt(0)->FaceUp);  // turned up
        QCOMPARE(form->MoveCount, 1);
        undo();  // the run goes back and the Five face down again, in one click
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
    }

    void eitherFoundationOfASuitTakesItsCards()
    {
        emptyColumns();
        for (int c = 0; c < 4; ++c)
            Take(form, FS_SPADES, c < 2 ? FS_ACE : FS_TWO, form->Tableau[c]);
        repaintAll(form);
        DragWithMouse(form->Tableau[0], TopCardPoint(form->Tableau[0]), form->Foundations[5], {40, 40});
        QCOMPARE(form->Foundations[5]->Cards->Count(), 1);  // any empty foundation takes an Ace
        doubleClickTop(form->Tableau[1]);
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);  // a send takes the first empty one
        DragWithMouse(form->Tableau[2], TopCardPoint(form->Tableau[2]), form->Foundations[5], {40, 40});
        QCOMPARE(form->Foundations[5]->Cards->Count(), 2);
        QTest::mouseClick(form->Tableau[3], Qt::LeftButton, Qt::ShiftModifier, TopCardPoint(form->Tableau[3]));
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);
        QCOMPARE(form->windowTitle(), QStringLiteral("Double Klondike   Score: 4"));
        QCOMPARE(game->sounds.names().count(QStringLiteral("AUTOPLAY")), 2);
    }

    void undoTakesBackADrawWithTheShiftOfTheOlderDiscards()
    {
        clickStock();
        const QString afterFirst = form->dealText();
        clickStock();
        game->sounds.clear();
        undo();
        QCOMPARE(form->dealText(), afterFirst);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("56"));
        QCOMPARE(form->MoveCount, 1);
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("UNDO")});
    }

    void undoPairsASendWithItsRefillBeforeTheAutoplayThatFollowed()
    {
        emptyColumns();
        Take(form, FS_HEARTS, FS_ACE, form->Foundations[0]);
        Take(form, FS_CLUBS, FS_KING, form->Tableau[0], false);
        Take(form, FS_HEARTS, FS_THREE, form->Tableau[0]);
        Take(form, FS_HEARTS, FS_TWO, form->DeckPileView, false);
        Take(form, FS_SPADES, FS_FIVE, form->DeckPileView, false);
        repaintAll(form);
        form->DrawOne1->trigger();
        clickStock(2);
        form->Autoplay1->trigger();
        const QString before = form->dealText();
        doubleClickTop(form->DiscardPileView);  // the Two goes home, then autoplay sends the Three
        QCOMPARE(form->Foundations[0]->Cards->Count(), 3);
        QVERIFY(form->Tableau[0]->Cards->CardAt(0)->FaceUp);
        QCOMPARE(form->DiscardPileView->Cards->CardAt(0)->Value, FS_FIVE);
        QCOMPARE(form->MoveCount, 4);
        undo();  // the autoplay's send and the King it turned up
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);
        QVERIFY(!form->Tableau[0]->Cards->CardAt(0)->FaceUp);
        undo();  // the player's send and the refill
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 2);
    }

    void spaceBarAndMiddleButtonDrawAnywhere()
    {
        form->DrawOne1->trigger();
        QTest::keyClick(form, Qt::Key_Space);
        QTest::mouseClick(form, Qt::MiddleButton, {}, {form->width() / 2, form->height() - 5});
        for (TCardPileView *view : {form->Tableau[3], form->DiscardPileView, form->Foundations[7], form->DeckPileView})
            QTest::mouseClick(view, Qt::MiddleButton, {}, {10, 10});
        QCOMPARE(form->DeckPileView->Cards->Count(), 53);
        QCOMPARE(form->MoveCount, 6);
    }

    void theLastCardHomeWinsOnce()
    {
        emptyColumns();
        for (int suit = 0; suit < 4; ++suit)
            for (int copy = 0; copy < 2; ++copy)
                for (int value = FS_ACE; value <= FS_KING; ++value) {
                    const bool last = suit == FS_HEARTS && copy == 1 && value == FS_KING;
                    Take(form, CardSuit(suit), CardValue(value), last ? form->Tableau[0] : form->Foundations[suit + 4 * copy]);
                }
        doubleClickTop(form->Tableau[0]);
        QCOMPARE(form->windowTitle(), QStringLiteral("Double Klondike   Score: 104"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
        QTest::mouseDClick(form->Tableau[0], Qt::LeftButton, {}, {10, 10});
        QCOMPARE(game->dialogs.modals(), 1);
        QVERIFY(form->close());
        QVERIFY(game->dialogs.messages().isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void promptsNameTheGame()
    {
        clickStock(5);
        game->dialogs.answer = Dialogs::Cancel;
        QVERIFY(!form->close());
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Quit this game of Double Klondike?")});
        clickStock();
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->dialogs.messages().last(), QStringLiteral("Restart this game of Double Klondike?"));
        QCOMPARE(form->MoveCount, 6);
    }

    void theLargeWindowKeepsItsWidthAndStretchesItsColumns()
    {
        QCOMPARE(form->minimumWidth(), 986);
        QCOMPARE(form->maximumWidth(), 986);
        QCOMPARE(OuterMinimumHeight(form), 480);
        QCOMPARE(form->size(), QSize(986, 582));
        QCOMPARE(form->viewNamed(QStringLiteral("FoundationPile5"))->geometry(), QRect(632, 8, 80, 125));
        QCOMPARE(form->viewNamed(QStringLiteral("TableauPileView8"))->pos(), QPoint(744, 162));
        form->resize(986, 700);
        for (TCardPileView *column : form->Tableau)
            QCOMPARE(column->height(), 700 - 165);
    }

    void theSmallWindowFollowsItsTable()
    {
        TCard::SetCardSize(FS_SMALL);
        QPointer<TsDblKlondikeForm> small = createGameWindow<TsDblKlondikeForm>();
        TCard::SetCardSize(FS_LARGE);
        small->show();
        QCOMPARE(small->viewNamed(QStringLiteral("DeckPileView"))->geometry(), QRect(8, 8, 113, 113));
        QCOMPARE(small->viewNamed(QStringLiteral("DiscardPileView"))->geometry(), QRect(128, 8, 105, 101));
        QCOMPARE(small->DiscardPileView->XOffset, 20.0f);
        QCOMPARE(small->viewNamed(QStringLiteral("RecyclePileView"))->geometry(), QRect(720, 112, 25, 25));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(small->Foundations[i]->geometry(), QRect(240 + 64 * i, 8, 61, 95));
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(small->Tableau[i]->geometry(), QRect(64 + 72 * i, 136, 61, 350));
            QCOMPARE(small->Tableau[i]->YOffset, 16.0f);
        }
        QCOMPARE(small->minimumWidth(), 756);
        QCOMPARE(small->maximumWidth(), 756);
        QCOMPARE(OuterMinimumHeight(small), 300);
        small->resize(756, 600);
        QCOMPARE(small->Tableau[8]->height(), 600 - 139);
        QCOMPARE(small->dealText(), form->dealText());  // the same deal for the same seed
        QVERIFY(small->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const auto position = [](const char *section) {
            return IniFile::read(QStringLiteral("Solitaire.ini"), QString::fromLatin1(section), QStringLiteral("NormPos"),
                                 QStringLiteral("None"));
        };
        QVERIFY(position("sDoubleKlondike") != QStringLiteral("None"));
        QCOMPARE(position("DoubleKlondike"), QStringLiteral("None"));
    }
};

QTEST_MAIN(TestDoubleKlondike)
#include "tst_doubleklondike.moc"
