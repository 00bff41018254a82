// SPDX-License-Identifier: MIT
#include "CellTableKit.h"

#include "games/SeaHavenWindow.h"
#include "platform/Help.h"
#include "shell/GameCatalog.h"

#include <QAction>
#include <QMenu>
#include <QTest>

class TestSeaTowers : public QObject
{
    Q_OBJECT
    std::optional<CellTable<TSeaHavenForm>> table;
    TSeaHavenForm *form = nullptr;
    QList<TCardPileView *> columns, cells, foundations;

    TCard *put(CardSuit suit, CardValue value, TCardPileView *onto) { return table->put(suit, value, onto); }
    void buildFoundation(CardSuit suit, CardValue upTo, TCardPileView *foundation)
    {
        for (int value = FS_ACE; value <= upTo; ++value)
            put(suit, CardValue(value), foundation);
    }

private Q_SLOTS:
    void init()
    {
        table.emplace();
        form = table->window;
        columns = form->Tableau;
        cells = form->FreeCells;
        foundations = form->Foundations;
    }
    void cleanup() { table.reset(); }

    void dealsTenColumnsOfFiveAndTwoCardsIntoTheMiddleFreeCells()
    {
        QCOMPARE(form->dealText(), QStringLiteral("FoundPileView1:\nFoundPileView2:\n"
                                                  "FreePileView1:\nFreePileView2: 9C\nFreePileView3: TC\nFreePileView4:\n"
                                                  "FoundPileView3:\nFoundPileView4:\n"
                                                  "TableauPileView1: AH 6C KD QS TH\n"
                                                  "TableauPileView2: 4C 5D KC 2C QH\n"
                                                  "TableauPileView3: 2D 2S 4D QD QC\n"
                                                  "TableauPileView4: 7C 5S JD 5H KS\n"
                                                  "TableauPileView5: JS TS 9H AC 5C\n"
                                                  "TableauPileView6: 8D JH 9S TD 8S\n"
                                                  "TableauPileView7: 7S 3D 2H 6S 4S\n"
                                                  "TableauPileView8: AS 8C 3H 6D 4H\n"
                                                  "TableauPileView9: 6H 3C 8H 7D 7H\n"
                                                  "TableauPileView10: JC KH AD 9D 3S\n"));
        for (TCardPileView *column : columns)
            QCOMPARE(FaceUpCount(column), 5);
        QCOMPARE(FaceUpCount(cells[1]) + FaceUpCount(cells[2]), 2);
        QCOMPARE(form->windowTitle(), QStringLiteral("Sea Towers"));
        QVERIFY(table->sounds.played().isEmpty());
        QStringList menu;
        for (QAction *item : form->PopupMenu1->actions())
            menu << (item->isSeparator() ? QStringLiteral("-") : item->objectName() + QLatin1Char('=') + item->text());
        QCOMPARE(menu, (QStringList{"Undo1=&Undo", "Redo1=&Redo", "Hint1=&Hint", "Solve1=S&olve", "-", "Autoplay1=A&utoplay", "-",
                                    "WinnableOnly1=Winnable Deals Only", "-", "NewGame1=&New Game", "Redeal1=&Restart",
                                    "Preferences1=&Preferences...", "Statistics1=S&tatistics...", "About1=Rule&s..."}));
    }

    void restartDealsTheSameTableFreeCellsIncluded()
    {
        PreferencesDlg->DoAnimation = true;
        const QString first = form->dealText();
        DoubleClickTop(cells[2]);  // the Ten of clubs hops to the first free cell
        QCOMPARE(cells[0]->Cards->Count(), 1);
        QVERIFY(cells[2]->Cards->IsEmpty());
        form->Restart1->trigger();
        QCOMPARE(form->dealText(), first);
        QCOMPARE(table->sounds.names(), QStringList{"RESTART"} + QStringList(5, "DEAL"));
        table->sounds.clear();
        form->NewGame1->trigger();
        QCOMPARE(table->sounds.names(), QStringList{"SHUFFLE"} + QStringList(5, "DEAL"));
        QVERIFY(cells[0]->Cards->IsEmpty() && cells[3]->Cards->IsEmpty());
        QVERIFY(!cells[1]->Cards->IsEmpty() && !cells[2]->Cards->IsEmpty());
    }

    void promptsUseTheGamesTexts()
    {
        for (int i = 0; i < 6; ++i)
            DoubleClickTop(i % 2 ? cells[0] : cells[2]);  // the Ten hops between cells 3 and 1
        QCOMPARE(form->MoveCount, 6);
        table->dialogs.answer = Dialogs::Cancel;
        form->Restart1->trigger();
        form->NewGame1->trigger();
        QCOMPARE(table->dialogs.messages(),
                 (QStringList{"Restart this game of Sea Towers?", "Quit this game of Sea Towers?"}));
        QCOMPARE(form->MoveCount, 6);
        table->dialogs.answer = Dialogs::Ok;
    }

    void aRunOfOneSuitMovesAsFarAsTheEmptyFreeCellsAllow()
    {
        table->clear();
        for (const CardValue value : {FS_TEN, FS_NINE, FS_EIGHT, FS_SEVEN})
            put(FS_HEARTS, value, columns[0]);
        put(FS_HEARTS, FS_JACK, columns[1]);
        for (const CardValue value : {FS_NINE, FS_EIGHT, FS_SEVEN})
            put(FS_SPADES, value, columns[2]);
        put(FS_SPADES, FS_TEN, columns[3]);
        table->fillCells(2);
        const QString before = form->dealText();
        // Four cards with two empty free cells cannot move, even with six empty columns.
        DragWithMouse(columns[0], CardPoint(columns[0], 0), columns[1], TopCardPoint(columns[1]));
        QCOMPARE(form->dealText(), before);
        DragWithMouse(columns[2], CardPoint(columns[2], 0), columns[3], TopCardPoint(columns[3]));
        QCOMPARE(columns[3]->Cards->Count(), 4);
        // No empty free cell: the top card only.
        table->fillCells(2);
        buildFoundation(FS_SPADES, FS_SIX, foundations[0]);
        const QString full = form->dealText();
        DragWithMouse(columns[3], CardPoint(columns[3], 2), foundations[1], {30, 30});
        QCOMPARE(form->dealText(), full);
        DragWithMouse(columns[3], TopCardPoint(columns[3]), foundations[0], {30, 30});
        QCOMPARE(foundations[0]->Cards->Count(), 7);
        // Mixed suits or a gap never move together.
        for (TCardPileView *cell : cells)
            table->emptyView(cell);
        put(FS_CLUBS, FS_SIX, columns[4]);
        put(FS_HEARTS, FS_FIVE, columns[4]);
        put(FS_DIAMONDS, FS_SIX, columns[5]);
        put(FS_DIAMONDS, FS_FOUR, columns[5]);
        put(FS_CLUBS, FS_SEVEN, columns[6]);
        put(FS_DIAMONDS, FS_SEVEN, columns[7]);
        const QString broken = form->dealText();
        DragWithMouse(columns[4], CardPoint(columns[4], 0), columns[6], TopCardPoint(columns[6]));
        DragWithMouse(columns[5], CardPoint(columns[5], 0), columns[7], TopCardPoint(columns[7]));
        QCOMPARE(form->dealText(), broken);
    }

    void anEmptyColumnTakesOnlyAKingOrARunHeadedByOne()
    {
        table->clear();
        put(FS_HEARTS, FS_QUEEN, columns[0]);
        put(FS_CLUBS, FS_KING, columns[2]);
        put(FS_CLUBS, FS_QUEEN, columns[2]);
        put(FS_DIAMONDS, FS_KING, cells[0]);
        DragWithMouse(columns[0], TopCardPoint(columns[0]), columns[1], {30, 30});
        QVERIFY(columns[1]->Cards->IsEmpty());
        DragWithMouse(columns[2], CardPoint(columns[2], 0), columns[3], {30, 30});
        QCOMPARE(columns[3]->Cards->Count(), 2);
        DragWithMouse(cells[0], TopCardPoint(cells[0]), columns[1], {30, 30});
        QCOMPARE(columns[1]->Cards->Count(), 1);
        QCOMPARE(form->MoveCount, 2);
    }

    void foundationsTakeOneFittingCard()
    {
        table->clear();
        put(FS_SPADES, FS_TWO, columns[0]);
        put(FS_SPADES, FS_ACE, columns[0]);
        put(FS_HEARTS, FS_TWO, columns[1]);
        put(FS_HEARTS, FS_ACE, columns[1]);
        put(FS_CLUBS, FS_THREE, columns[2]);
        put(FS_CLUBS, FS_TWO, columns[2]);
        DragWithMouse(columns[2], TopCardPoint(columns[2]), foundations[0], {30, 30});
        QVERIFY(foundations[0]->Cards->IsEmpty());  // an empty foundation takes an Ace only
        DragWithMouse(columns[0], TopCardPoint(columns[0]), foundations[3], {30, 30});
        QCOMPARE(foundations[3]->Cards->Count(), 1);
        put(FS_SPADES, FS_THREE, columns[3]);
        put(FS_SPADES, FS_TWO, columns[3]);
        DragWithMouse(columns[3], CardPoint(columns[3], 0), foundations[3], {30, 30});
        QCOMPARE(foundations[3]->Cards->Count(), 1);  // never two cards at once
    }

    void releasedElsewhereCardsGoToTheLastAcceptingPileOrTheDefault()
    {
        table->clear();
        put(FS_HEARTS, FS_EIGHT, columns[1]);
        put(FS_HEARTS, FS_SEVEN, columns[2]);
        put(FS_DIAMONDS, FS_KING, columns[3]);
        put(FS_SPADES, FS_EIGHT, columns[4]);
        put(FS_SPADES, FS_SEVEN, columns[5]);
        // Over the first free cell, then over the King, released there: into the cell,
        // although the Eight of spades would have taken it.
        DragOver(columns[5], 0, {cells[0], columns[3]});
        QCOMPARE(cells[0]->Cards->Count(), 1);
        // Over the bare table: the first column that takes the card.
        DragToTable(*table, columns[2], 0);
        QCOMPARE(columns[1]->Cards->Count(), 2);
        // An Ace goes home, a King into the first empty column, other cards back.
        put(FS_CLUBS, FS_ACE, columns[6]);
        DragToTable(*table, columns[6], 0);
        QCOMPARE(foundations[0]->Cards->Count(), 1);
        put(FS_SPADES, FS_KING, cells[3]);
        DragToTable(*table, cells[3], 0);
        QCOMPARE(columns[0]->Cards->Count(), 1);
        put(FS_DIAMONDS, FS_FIVE, cells[3]);
        DragToTable(*table, cells[3], 0);
        QCOMPARE(cells[3]->Cards->Count(), 1);  // never into another free cell by default
        QCOMPARE(form->MoveCount, 4);
    }

    void sendsGoHomeElseIntoTheFirstEmptyFreeCell()
    {
        DoubleClickTop(cells[2]);  // the Ten of clubs: to free cell 1, left of its own
        QCOMPARE(cells[0]->Cards->CardAt(0)->Value, FS_TEN);
        DoubleClickTop(cells[1]);  // the Nine: to free cell 3, right of its own
        QCOMPARE(cells[2]->Cards->CardAt(0)->Value, FS_NINE);
        QVERIFY(table->sounds.played().isEmpty());
        table->clear();
        put(FS_HEARTS, FS_ACE, columns[0]);
        put(FS_HEARTS, FS_TWO, columns[1]);
        put(FS_HEARTS, FS_THREE, cells[1]);
        DoubleClickTop(columns[0]);
        QTest::mouseClick(columns[1], Qt::MiddleButton, {}, {20, 20});
        QCOMPARE(foundations[0]->Cards->Count(), 2);
        QTest::mouseClick(cells[1], Qt::MiddleButton, {}, {20, 20});  // not on a free cell
        QCOMPARE(foundations[0]->Cards->Count(), 2);
        QTest::mouseClick(cells[1], Qt::LeftButton, Qt::ControlModifier, {20, 20});
        QCOMPARE(foundations[0]->Cards->Count(), 3);
        QCOMPARE(table->sounds.names(), QStringList(3, "AUTOPLAY"));
        table->fillCells(4);
        put(FS_CLUBS, FS_SIX, columns[2]);
        const QString full = form->dealText();
        const int moves = form->MoveCount;
        QTest::mouseClick(columns[2], Qt::LeftButton, Qt::ShiftModifier, TopCardPoint(columns[2]));
        DoubleClickTop(cells[3]);
        QCOMPARE(form->dealText(), full);
        QCOMPARE(form->MoveCount, moves);
    }

    void undoTakesBackOneMoveAndEachAutoplayedCard()
    {
        table->clear();
        put(FS_SPADES, FS_THREE, columns[0]);
        put(FS_SPADES, FS_TWO, cells[0]);
        put(FS_SPADES, FS_ACE, columns[2]);
        put(FS_CLUBS, FS_FIVE, columns[2]);
        put(FS_CLUBS, FS_SIX, columns[3]);
        QTest::keyClick(form, Qt::Key_A, Qt::ControlModifier);
        const QString before = form->dealText();
        DragWithMouse(columns[2], TopCardPoint(columns[2]), columns[3], TopCardPoint(columns[3]));
        QCOMPARE(foundations[0]->Cards->Count(), 3);
        QCOMPARE(table->sounds.names(), QStringList(3, "AUTOPLAY"));
        QCOMPARE(form->MoveCount, 4);
        form->Undo1->trigger();
        QCOMPARE(columns[0]->Cards->Count(), 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Sea Towers   Score: 2"));
        form->Undo1->trigger();
        QCOMPARE(cells[0]->Cards->Count(), 1);
        form->Undo1->trigger();
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
        // A run in one drag, back in one click.
        put(FS_DIAMONDS, FS_KING, columns[5]);
        put(FS_DIAMONDS, FS_QUEEN, columns[5]);
        const QString run = form->dealText();
        DragWithMouse(columns[5], CardPoint(columns[5], 0), columns[6], {20, 20});
        QCOMPARE(columns[6]->Cards->Count(), 2);
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), run);
    }

    void autoplayLooksAtTheFreeCellsFirst()
    {
        table->clear();
        put(FS_DIAMONDS, FS_ACE, columns[0]);
        put(FS_SPADES, FS_ACE, cells[3]);
        put(FS_CLUBS, FS_FIVE, columns[1]);
        form->Autoplay1->trigger();
        DoubleClickTop(columns[1]);
        QCOMPARE(foundations[0]->Cards->CardAt(0)->Suit, FS_SPADES);
        QCOMPARE(foundations[1]->Cards->CardAt(0)->Suit, FS_DIAMONDS);
    }

    void theAutoplayOptionIsStoredAndSharedWithTheSmallWindow()
    {
        QVERIFY(!form->DoAutoplay);
        form->Autoplay1->trigger();
        QCOMPARE(Stored("SeaHavenTowers", "Autoplay"), QStringLiteral("True"));
        TCard::SetCardSize(FS_SMALL);
        {
            const DealtWindow<TsSeaHavenForm> small;
            QVERIFY(small->DoAutoplay && small->Autoplay1->isChecked());
        }
        TCard::SetCardSize(FS_LARGE);
        QCOMPARE(Stored("sSeaHavenTowers", "Autoplay"), QStringLiteral("None"));
    }

    void theWindowReopensMaximisedWhenClosedSo()
    {
        IniFile::write(QStringLiteral("Solitaire.ini"), QStringLiteral("SeaHavenTowers"), QStringLiteral("ShowCmd"),
                       QStringLiteral("3"));
        DealtWindow<TSeaHavenForm> again;
        again->show();
        QVERIFY(again->isMaximized());
        TCard::SetCardSize(FS_SMALL);
        DealtWindow<TsSeaHavenForm> small;
        TCard::SetCardSize(FS_LARGE);
        small->show();
        QVERIFY(!small->isMaximized());  // its own section
        QVERIFY(small->close());
        QVERIFY(Stored("sSeaHavenTowers", "NormPos") != QStringLiteral("None"));
    }

    void theLastCardHomeWinsOnce()
    {
        table->clear();
        for (int suit = 0; suit < 4; ++suit)
            for (int value = FS_ACE; value <= FS_KING; ++value)
                put(CardSuit(suit), CardValue(value), suit == 0 && value == FS_KING ? columns[9] : foundations[suit]);
        QTest::mouseClick(columns[9], Qt::MiddleButton, {}, {20, 20});
        QCOMPARE(form->windowTitle(), QStringLiteral("Sea Towers   Score: 52"));
        QVERIFY(form->GameOver);
        QCOMPARE(table->dialogs.modals(), 1);
        QTest::mouseClick(columns[9], Qt::MiddleButton, {}, {20, 20});
        QCOMPARE(table->dialogs.modals(), 1);
    }

    void theSmallWindowHasItsOwnTableAndSizes()
    {
        TCard::SetCardSize(FS_SMALL);
        DealtWindow<TsSeaHavenForm> small;
        TCard::SetCardSize(FS_LARGE);
        small->show();
        const QList<int> homeLefts{8, 72, 592, 656}, cellLefts{234, 298, 362, 426};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(small->Foundations[i]->geometry(), QRect(homeLefts[i], 8, 61, 95));
            QCOMPARE(small->FreeCells[i]->geometry(), QRect(cellLefts[i], 8, 61, 95));
            QCOMPARE(form->Foundations[i]->x(), QList<int>({8, 96, 712, 800})[i]);
        }
        for (int c = 0; c < 10; ++c) {
            QCOMPARE(small->Tableau[c]->geometry(), QRect(8 + 72 * c, 108, 61, 370));
            QCOMPARE(small->Tableau[c]->YOffset, 16.0f);
        }
        QCOMPARE(small->dealText(), form->dealText());
        QCOMPARE(small->minimumWidth(), 725);
        QCOMPARE(small->maximumWidth(), 725);
        small->resize(725, 600);
        QCOMPARE(small->Tableau[9]->height(), 600 - 110);
        form->resize(887, 700);
        QCOMPARE(form->Tableau[0]->height(), 700 - 142);
        QCOMPARE(form->Tableau[9]->geometry().topLeft(), QPoint(800, 140));
        QCOMPARE(form->FreeCells[3]->geometry(), QRect(536, 8, 80, 125));
    }

    void theLauncherOpensBothSizesAndF1ShowsTheRules()
    {
        const ScreenOverride screen{1280};
        LauncherWindow launcher;
        const GameWindow *small = OpenBothSizesFromTheLauncher(QStringLiteral("Sea Towers"));
        QVERIFY(small && small == sSeaHavenForm);
        Help::setFilePath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Cardenza.hlp"));
        QTest::keyClick(form, Qt::Key_F1);
        QCOMPARE(Help::lastTopic(), 1011);
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->windowTitle() == QStringLiteral("Cardenza! Help"))
                window->close();
    }
};

QTEST_MAIN(TestSeaTowers)
#include "tst_seatowers.moc"
