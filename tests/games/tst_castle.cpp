// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/CastleWindow.h"
#include "games/GameRegistry.h"
#include "shell/GameCatalog.h"
#include "platform/Help.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QApplication>
#include <QTest>

namespace {

struct Castle : GameTestKit {
    DealtWindow<TCastleForm> window;
    Castle()
    {
        window->show();
        QApplication::setActiveWindow(window);
    }
};

QString stored(const QString &section)
{
    return IniFile::read(QStringLiteral("Solitaire.ini"), section, QStringLiteral("Autoplay"), QStringLiteral("None"));
}

// Presses on the source's top card and lets go over the bare table, touching no other view.
void DropOnTable(TCardPileView *from, GameWindow *form, QPoint table)
{
    const QPoint at = TopCardPoint(from);
    const QPoint target = from->mapFromGlobal(form->mapToGlobal(table));
    QTest::mousePress(from, Qt::LeftButton, {}, at);
    QTest::mouseMove(from, at + QPoint(4, 4));
    QTest::mouseMove(from, at + QPoint(8, 8));
    QTest::mouseMove(from, target);
    QTest::mouseRelease(from, Qt::LeftButton, {}, target);
}

}  // namespace

class TestCastle : public QObject
{
    Q_OBJECT
    std::optional<Castle> game;
    TCastleForm *form = nullptr;

    void emptyRows(std::initializer_list<int> rows)
    {
        for (const int row : rows)
            EmptyInto(form->Tableau[row], form->DeckPileView);
    }
    void repaint()
    {
        for (TCardPileView *view : form->pileViews())
            view->update();
    }
    void drag(int from, int to)
    {
        TCardPileView *target = form->Tableau[to];
        const QPoint over = target->Cards->IsEmpty() ? QPoint(40, 40) : TopCardPoint(target);
        DragWithMouse(form->Tableau[from], TopCardPoint(form->Tableau[from]), target, over);
    }
    // A King walks between three empty rows: one counted move per drag.
    void makeMoves(int count)
    {
        emptyRows({0, 1, 2});
        Place(form, FS_SPADES, FS_KING, form->Tableau[0]);
        for (int i = 0; i < count; ++i)
            drag(i % 3, (i + 1) % 3);
    }

private Q_SLOTS:
    void init()
    {
        game.emplace();
        form = game->window;
    }
    void cleanup() { game.reset(); }

    void theFirstDealIsPinned()
    {
        QCOMPARE(form->dealText(), QStringLiteral("TableauPileView1: 4C 6C 3C 2H 6S 5C\n"
                                                  "TableauPileView2: 2D 5D KH 3H 6D 8S\n"
                                                  "TableauPileView3: 7C 2S KD 8H 7D 4S\n"
                                                  "TableauPileView4: JS 5S KC QS 9D 4H\n"
                                                  "FoundationPileView1: AC\n"
                                                  "FoundationPileView2: AD\n"
                                                  "FoundationPileView3: AS\n"
                                                  "FoundationPileView4: AH\n"
                                                  "TableauPileView5: 8D TS 4D 2C TH 7H\n"
                                                  "TableauPileView6: 7S JH JD QD QH 3S\n"
                                                  "TableauPileView7: 6H 3D 9H 5H QC TC\n"
                                                  "TableauPileView8: JC 8C 9S TD KS 9C\n"
                                                  "DeckPileView:\n"));
        QVERIFY(game->sounds.played().isEmpty());
    }

    void theAcesGoHomeInDeckOrderAndSixCardsLieInEachRow()
    {
        for (int deal = 0; deal < 3; ++deal) {
            QList<int> aceSuits;
            for (int i = 0; i < form->SavedDeal->Count(); ++i)
                if (form->SavedDeal->CardAt(i)->Value == FS_ACE)
                    aceSuits << form->SavedDeal->CardAt(i)->Suit;
            for (int f = 0; f < 4; ++f) {
                QCOMPARE(form->Foundations[f]->Cards->Count(), 1);
                QCOMPARE(int(form->Foundations[f]->Cards->CardAt(0)->Suit), aceSuits[f]);
            }
            for (TCardPileView *row : form->Tableau) {
                QCOMPARE(row->Cards->Count(), 6);
                QCOMPARE(FaceUpCount(row), 6);
                for (int i = 0; i < 6; ++i)
                    QVERIFY(row->Cards->CardAt(i)->Value != FS_ACE);
            }
            QVERIFY(form->DeckPileView->Cards->IsEmpty());
            QVERIFY(!form->DeckPileView->isVisible());
            // The Aces are dealt, not played: the caption stays plain until the first move.
            QCOMPARE(form->windowTitle(), QStringLiteral("Beleaguered Castle"));
            form->NewGame1Click(form->NewGame1);
        }
    }

    void restartDealsTheSameLayoutAces()
    {
        const QString first = form->dealText();
        makeMoves(2);
        form->NewGame1Click(form->Restart1);
        QCOMPARE(form->dealText(), first);
        QVERIFY(game->sounds.names().contains(QStringLiteral("RESTART")));
        QVERIFY(!game->sounds.names().contains(QStringLiteral("SHUFFLE")));
    }

    void anAnimatedDealPlaysOnceForEachAceAndEachRow()
    {
        PreferencesDlg->DoAnimation = true;
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("SHUFFLE")), 1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("DEAL")), 4 + 6);
        game->sounds.clear();
        PreferencesDlg->DoAnimation = false;
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("SHUFFLE")});
    }

    void rowsBuildDownRegardlessOfSuit_data()
    {
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("ontoSuit");
        QTest::addColumn<int>("ontoValue");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("red 8 on black 9") << int(FS_HEARTS) << int(FS_EIGHT) << int(FS_CLUBS) << int(FS_NINE) << true;
        QTest::newRow("red 8 on red 9") << int(FS_HEARTS) << int(FS_EIGHT) << int(FS_DIAMONDS) << int(FS_NINE) << true;
        QTest::newRow("same suit") << int(FS_HEARTS) << int(FS_EIGHT) << int(FS_HEARTS) << int(FS_NINE) << true;
        QTest::newRow("two lower") << int(FS_HEARTS) << int(FS_EIGHT) << int(FS_CLUBS) << int(FS_TEN) << false;
        QTest::newRow("one higher") << int(FS_HEARTS) << int(FS_EIGHT) << int(FS_CLUBS) << int(FS_SEVEN) << false;
        QTest::newRow("King on Queen") << int(FS_SPADES) << int(FS_KING) << int(FS_HEARTS) << int(FS_QUEEN) << false;
        QTest::newRow("empty row") << int(FS_SPADES) << int(FS_KING) << -1 << -1 << true;
    }
    void rowsBuildDownRegardlessOfSuit()
    {
        QFETCH(int, suit);
        QFETCH(int, value);
        QFETCH(int, ontoSuit);
        QFETCH(int, ontoValue);
        QFETCH(bool, accepted);
        if (ontoSuit < 0)
            emptyRows({1});
        else
            Place(form, CardSuit(ontoSuit), CardValue(ontoValue), form->Tableau[1]);
        TCard *moving = Place(form, CardSuit(suit), CardValue(value), form->Tableau[0]);
        repaint();
        drag(0, 1);
        QCOMPARE(form->Tableau[1]->Cards->CardAt(TCardPile::Top) == moving, accepted);
        QCOMPARE(form->MoveCount, form->Tableau[0]->Cards->CardAt(TCardPile::Top) == moving ? 0 : 1);
    }

    void aFoundationTakesOnlyTheNextCardOfItsSuit()
    {
        emptyRows({0, 1, 2, 3, 4, 5, 6, 7});  // nowhere else to go
        QCOMPARE(form->Foundations[0]->Cards->CardAt(0)->Suit, FS_CLUBS);  // as the pinned deal has it
        Place(form, FS_CLUBS, FS_THREE, form->Tableau[0]);
        Place(form, FS_SPADES, FS_TWO, form->Tableau[1]);
        Place(form, FS_CLUBS, FS_TWO, form->Tableau[2]);
        repaint();
        DragWithMouse(form->Tableau[0], TopCardPoint(form->Tableau[0]), form->Foundations[0], {40, 40});
        DragWithMouse(form->Tableau[1], TopCardPoint(form->Tableau[1]), form->Foundations[0], {40, 40});
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);
        DragWithMouse(form->Tableau[2], TopCardPoint(form->Tableau[2]), form->Foundations[0], {40, 40});
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);
        QCOMPARE(form->windowTitle(), QStringLiteral("Beleaguered Castle   Score: 5"));
        QVERIFY(!game->sounds.names().contains(QStringLiteral("AUTOPLAY")));  // a drag is silent
    }

    void onlyTheLastCardOfARowMoves()
    {
        emptyRows({7});
        repaint();
        const QString before = form->dealText();
        DragWithMouse(form->Tableau[0], CardPoint(form->Tableau[0], 3), form->Tableau[7], {40, 40});
        QCOMPARE(form->dealText(), before);
        DragWithMouse(form->Tableau[0], TopCardPoint(form->Tableau[0]), form->Tableau[7], {40, 40});
        QCOMPARE(form->Tableau[7]->Cards->Count(), 1);
        QCOMPARE(form->Tableau[0]->Cards->Count(), 5);
    }

    void releasedOverTheTableTheCardFindsARowThatTakesItFirst()
    {
        emptyRows({0, 1});
        Place(form, FS_DIAMONDS, FS_NINE, form->Tableau[5]);
        TCard *eight = Place(form, FS_CLUBS, FS_EIGHT, form->Tableau[3]);
        repaint();
        const QPoint table(form->width() / 2, 139);  // between two foundations
        DropOnTable(form->Tableau[3], form, table);
        QCOMPARE(form->Tableau[5]->Cards->CardAt(TCardPile::Top), eight);  // before the empty rows
        TCard *queen = Place(form, FS_HEARTS, FS_QUEEN, form->Tableau[6]);
        repaint();
        DropOnTable(form->Tableau[6], form, table);
        QCOMPARE(form->Tableau[0]->Cards->CardAt(0), queen);  // no row takes it: the first empty one
        QCOMPARE(form->MoveCount, 2);
    }

    void sendGesturesPutTheLastCardHome_data()
    {
        QTest::addColumn<int>("gesture");
        QTest::newRow("double-click") << 0;
        QTest::newRow("middle button") << 1;
        QTest::newRow("Shift") << 2;
        QTest::newRow("Ctrl") << 3;
    }
    void sendGesturesPutTheLastCardHome()
    {
        QFETCH(int, gesture);
        TCardPileView *row = form->Tableau[4];
        Place(form, FS_CLUBS, FS_TWO, row);
        repaint();
        const QPoint at = TopCardPoint(row);
        if (gesture == 0)
            QTest::mouseDClick(row, Qt::LeftButton, {}, at);
        else if (gesture == 1)
            QTest::mouseClick(row, Qt::MiddleButton, {}, at);
        else
            QTest::mouseClick(row, Qt::LeftButton, gesture == 2 ? Qt::ShiftModifier : Qt::ControlModifier, at);
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);
        QCOMPARE(form->MoveCount, 1);
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("AUTOPLAY")});
        QCOMPARE(form->windowTitle(), QStringLiteral("Beleaguered Castle   Score: 5"));
        form->Undo1->trigger();
        QCOMPARE(row->Cards->CardAt(TCardPile::Top)->Value, FS_TWO);
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
    }

    void aSendThatFindsNoFoundationStillRunsTheAutoplay()
    {
        Place(form, FS_CLUBS, FS_TWO, form->Tableau[4]);
        QTest::keyClick(form, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(form->DoAutoplay);
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);  // turning autoplay on sends nothing
        Place(form, FS_HEARTS, FS_KING, form->Tableau[1]);
        QTest::mouseDClick(form->Tableau[1], Qt::LeftButton, {}, TopCardPoint(form->Tableau[1]));
        QCOMPARE(form->Tableau[1]->Cards->CardAt(TCardPile::Top)->Value, FS_KING);
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);
    }

    void autoplaySendsEachUncoveredCardWithItsOwnRecord()
    {
        form->Autoplay1Click();
        emptyRows({0, 1, 2});
        Place(form, FS_DIAMONDS, FS_SEVEN, form->Tableau[0]);
        Place(form, FS_CLUBS, FS_THREE, form->Tableau[0]);
        Place(form, FS_CLUBS, FS_TWO, form->Tableau[1]);
        Place(form, FS_SPADES, FS_NINE, form->Tableau[1]);
        repaint();
        const QString before = form->dealText();
        drag(1, 2);  // the Nine leaves the Two of clubs on top
        QCOMPARE(form->Foundations[0]->Cards->Count(), 3);
        QCOMPARE(form->MoveCount, 3);
        QCOMPARE(game->sounds.names(), (QStringList{QStringLiteral("AUTOPLAY"), QStringLiteral("AUTOPLAY")}));
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);  // the Three
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);
        QCOMPARE(form->Tableau[0]->Cards->CardAt(TCardPile::Top)->Value, FS_THREE);
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);  // the Two
        QCOMPARE(form->Tableau[1]->Cards->CardAt(TCardPile::Top)->Value, FS_TWO);
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);  // the Nine, which autoplay does not follow
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
        QCOMPARE(game->sounds.names().count(QStringLiteral("UNDO")), 3);
        QCOMPARE(form->windowTitle(), QStringLiteral("Beleaguered Castle   Score: 4"));
    }

    void theAutoplayOptionIsKeptPerCardSize()
    {
        QVERIFY(!form->DoAutoplay);  // no key: off
        QCOMPARE(stored(QStringLiteral("Castle")), QStringLiteral("None"));
        form->Autoplay1->trigger();
        QCOMPARE(stored(QStringLiteral("Castle")), QStringLiteral("True"));
        {
            const DealtWindow<TCastleForm> again;
            QVERIFY(again->DoAutoplay && again->Autoplay1->isChecked());
        }
        TCard::SetCardSize(FS_SMALL);
        {
            const DealtWindow<TsCastleForm> small;
            QVERIFY(!small->DoAutoplay);  // the small window keeps its own section
            small->Autoplay1->trigger();
            small->Autoplay1->trigger();
        }
        TCard::SetCardSize(FS_LARGE);
        QCOMPARE(stored(QStringLiteral("sCastle")), QStringLiteral("False"));
        QCOMPARE(stored(QStringLiteral("Castle")), QStringLiteral("True"));
        QCOMPARE(form->Autoplay1->text(), QStringLiteral("&Autoplay"));
    }

    void theWindowsCannotBeResized_data()
    {
        QTest::addColumn<bool>("small");
        QTest::newRow("large") << false;
        QTest::newRow("small") << true;
    }
    void theWindowsCannotBeResized()
    {
        QFETCH(bool, small);
        TCard::SetCardSize(small ? FS_SMALL : FS_LARGE);
        const RegisteredGame *entry = GameRegistry::find(QStringLiteral("Beleaguered Castle"));
        QVERIFY(entry);
        QPointer<GameWindow> window = small ? entry->createSmall() : entry->createLarge();
        TCard::SetCardSize(FS_LARGE);
        const QSize client = small ? QSize(561, 422) : QSize(748, 554);
        QCOMPARE(window->size(), client);
        QCOMPARE(window->minimumSize(), client);
        QCOMPARE(window->maximumSize(), client);
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(small ? static_cast<GameWindow *>(sCastleForm) : CastleForm.data(), window.data());
        delete window.data();
    }

    void theSmallWindowFollowsItsTable()
    {
        TCard::SetCardSize(FS_SMALL);
        const DealtWindow<TsCastleForm> small;
        TCard::SetCardSize(FS_LARGE);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(small->Tableau[i]->geometry(), QRect(8, 8 + 104 * i, 232, 95));
            QCOMPARE(small->Foundations[i]->geometry(), QRect(248, 8 + 104 * i, 61, 95));
            QCOMPARE(small->Tableau[4 + i]->geometry(), QRect(328, 8 + 104 * i, 232, 95));
            QCOMPARE(small->Tableau[i]->XOffset, 9.0f);
            QCOMPARE(form->Tableau[4 + i]->geometry(), QRect(432, 8 + 136 * i, 305, 125));
        }
        QCOMPARE(small->DeckPileView->geometry(), QRect(120, 392, 25, 29));
        QCOMPARE(small->dealText(), form->dealText());  // the same seed deals the same game
    }

    void promptsHelpAndThresholds()
    {
        makeMoves(5);
        QCOMPARE(form->MoveCount, 5);
        form->NewGame1Click(form->NewGame1);  // five moves: no question
        QVERIFY(game->dialogs.messages().isEmpty());
        makeMoves(6);
        game->dialogs.answer = Dialogs::Cancel;
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Restart this game of Beleaguered Castle?")});
        QVERIFY(!form->close());
        QCOMPARE(game->dialogs.messages().last(), QStringLiteral("Quit this game of Beleaguered Castle?"));
        Help::setFilePath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Cardenza.hlp"));
        QTest::keyClick(form, Qt::Key_F1);
        QCOMPARE(Help::lastTopic(), 1001);
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window != form)
                window->close();
    }

    void theLastCardHomeWinsOnce()
    {
        emptyRows({0, 1, 2, 3, 4, 5, 6, 7});
        for (int f = 0; f < 4; ++f) {
            const CardSuit suit = form->Foundations[f]->Cards->CardAt(0)->Suit;
            for (int value = FS_TWO; value <= FS_KING; ++value)
                Place(form, suit, CardValue(value), f == 3 && value == FS_KING ? form->Tableau[2] : form->Foundations[f]);
        }
        repaint();
        QTest::mouseDClick(form->Tableau[2], Qt::LeftButton, {}, TopCardPoint(form->Tableau[2]));
        QCOMPARE(form->windowTitle(), QStringLiteral("Beleaguered Castle   Score: 52"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
        form->Undo1->trigger();
        QTest::mouseDClick(form->Tableau[2], Qt::LeftButton, {}, TopCardPoint(form->Tableau[2]));
        QCOMPARE(game->dialogs.modals(), 1);  // once won, never again
        QVERIFY(form->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void theLauncherOpensItAtTheChosenCardSize()
    {
        const ScreenOverride wide(1280);
        const LauncherWindow launcher;
        const GameWindow *small = OpenBothSizesFromTheLauncher(QStringLiteral("Beleaguered Castle"));
        QVERIFY(small && small == sCastleForm);
    }
};

QTEST_MAIN(TestCastle)
#include "tst_castle.moc"
