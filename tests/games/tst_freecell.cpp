// SPDX-License-Identifier: MIT
#include "CellTableKit.h"

#include "games/FreeCellWindow.h"
#include "platform/Help.h"
#include "shell/GameCatalog.h"

#include <QAction>
#include <QMenu>
#include <QTest>

class TestFreeCell : public QObject
{
    Q_OBJECT
    std::optional<CellTable<TFreeCellForm>> table;
    TFreeCellForm *form = nullptr;
    QList<TCardPileView *> columns, cells, foundations;

    TCard *put(CardSuit suit, CardValue value, TCardPileView *onto) { return table->put(suit, value, onto); }
    TCardPileView *occupiedCell() const
    {
        for (TCardPileView *cell : cells)
            if (!cell->Cards->IsEmpty())
                return cell;
        return nullptr;
    }
    // A counted move that changes little: the card in a free cell hops to another.
    void hop() { DoubleClickTop(occupiedCell()); }

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

    void dealsSevenRowsFaceUpFromTheFirstFreeCell()
    {
        QCOMPARE(form->dealText(), QStringLiteral("FreePileView1:\nFreePileView2:\nFreePileView3:\nFreePileView4:\n"
                                                  "FoundPileView1:\nFoundPileView2:\nFoundPileView3:\nFoundPileView4:\n"
                                                  "TableauPileView1: AH 6H 3D 9H QD TH 7H\n"
                                                  "TableauPileView2: 4C JC 8C 9S 5H QH 3S\n"
                                                  "TableauPileView3: 2D 6C 3C 2H AC QC TC\n"
                                                  "TableauPileView4: 7C 5D KH 3H TD KS 9C\n"
                                                  "TableauPileView5: JS 2S KD 8H 6S 5C\n"
                                                  "TableauPileView6: 8D 5S KC AD 6D 8S\n"
                                                  "TableauPileView7: 7S TS 4D QS 7D 4S\n"
                                                  "TableauPileView8: AS JH JD 2C 9D 4H\n"));
        for (int c = 0; c < 8; ++c)
            QCOMPARE(FaceUpCount(columns[c]), c < 4 ? 7 : 6);
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell"));
        QVERIFY(table->sounds.played().isEmpty());
        QVERIFY(!form->Undo1->isEnabled());
        QStringList menu;
        for (QAction *item : form->PopupMenu1->actions())
            menu << (item->isSeparator() ? QStringLiteral("-") : item->objectName() + QLatin1Char('=') + item->text());
        QCOMPARE(menu, (QStringList{"Undo1=&Undo", "Redo1=&Redo", "Hint1=&Hint", "Solve1=S&olve", "-", "Autoplay1=A&utoplay", "-",
                                    "WinnableOnly1=Winnable Deals Only", "-", "NewGame1=&New Game", "Redeal1=&Restart",
                                    "Preferences1=&Preferences...", "Statistics1=S&tatistics...", "About1=Rule&s..."}));
    }

    void newGameAndRestartDealWithTheirSounds()
    {
        PreferencesDlg->DoAnimation = true;
        const QString first = form->dealText();
        DoubleClickTop(columns[0]);  // the Seven of hearts into the first free cell
        QCOMPARE(cells[0]->Cards->Count(), 1);
        QVERIFY(table->sounds.played().isEmpty());  // a move into a free cell is quiet
        form->Restart1->trigger();
        QCOMPARE(form->dealText(), first);
        QCOMPARE(table->sounds.names(), QStringList{"RESTART"} + QStringList(7, "DEAL"));
        QVERIFY(!form->Undo1->isEnabled());
        table->sounds.clear();
        form->NewGame1->trigger();
        QCOMPARE(table->sounds.names(), QStringList{"SHUFFLE"} + QStringList(7, "DEAL"));
        QCOMPARE(form->dealText(), first);  // the fixed seed shuffles alike
        for (TCardPileView *cell : cells)
            QVERIFY(cell->Cards->IsEmpty());
    }

    void promptsAskOnlyAfterEnoughMoves()
    {
        DoubleClickTop(columns[0]);
        for (int i = 0; i < 4; ++i)
            hop();
        QCOMPARE(form->MoveCount, 5);
        form->NewGame1->trigger();  // five moves: no question
        QVERIFY(table->dialogs.messages().isEmpty());
        QCOMPARE(form->MoveCount, 0);
        DoubleClickTop(columns[0]);
        for (int i = 0; i < 4; ++i)
            hop();
        table->dialogs.answer = Dialogs::Cancel;
        QVERIFY(!form->close());  // closing asks already at five
        QCOMPARE(table->dialogs.messages(), QStringList{"Quit this game of FreeCell?"});
        hop();
        const QString before = form->dealText();
        form->Restart1->trigger();
        QCOMPARE(table->dialogs.messages().last(), QStringLiteral("Restart this game of FreeCell?"));
        QCOMPARE(form->dealText(), before);
        table->dialogs.answer = Dialogs::Ok;
    }

    void aRunMovesOnlyAsFarAsTheEmptyFreeCellsAllow()
    {
        table->clear();
        put(FS_SPADES, FS_NINE, columns[0]);
        put(FS_HEARTS, FS_EIGHT, columns[0]);
        put(FS_CLUBS, FS_SEVEN, columns[0]);
        put(FS_DIAMONDS, FS_SIX, columns[0]);
        put(FS_HEARTS, FS_TEN, columns[1]);
        put(FS_CLUBS, FS_NINE, columns[2]);
        table->fillCells(2);
        // Four cards with two empty free cells: not even onto the Ten, with five empty columns.
        const QString before = form->dealText();
        DragWithMouse(columns[0], CardPoint(columns[0], 0), columns[1], TopCardPoint(columns[1]));
        QCOMPARE(form->dealText(), before);
        // Three cards: onto the Nine of clubs.
        DragWithMouse(columns[0], CardPoint(columns[0], 1), columns[2], TopCardPoint(columns[2]));
        QCOMPARE(columns[2]->Cards->Count(), 4);
        QCOMPARE(columns[0]->Cards->Count(), 1);
        QCOMPARE(form->MoveCount, 1);
        // No empty free cell: only the top card leaves.
        table->fillCells(2);
        put(FS_DIAMONDS, FS_EIGHT, columns[4]);
        put(FS_SPADES, FS_SEVEN, columns[5]);
        const QString full = form->dealText();
        DragWithMouse(columns[2], CardPoint(columns[2], 2), columns[4], TopCardPoint(columns[4]));
        QCOMPARE(form->dealText(), full);
        DragWithMouse(columns[2], TopCardPoint(columns[2]), columns[5], TopCardPoint(columns[5]));
        QCOMPARE(columns[5]->Cards->Count(), 2);
        // Runs that break the alternation or the sequence stay, whatever the free cells.
        for (TCardPileView *cell : cells)
            table->emptyView(cell);
        put(FS_HEARTS, FS_FIVE, columns[6]);
        put(FS_HEARTS, FS_FOUR, columns[6]);
        put(FS_DIAMONDS, FS_NINE, columns[7]);
        put(FS_SPADES, FS_SEVEN, columns[7]);
        const QString broken = form->dealText();
        DragWithMouse(columns[6], CardPoint(columns[6], 0), columns[3], {40, 40});
        DragWithMouse(columns[7], CardPoint(columns[7], 0), columns[3], {40, 40});
        QCOMPARE(form->dealText(), broken);
    }

    void anEmptyColumnTakesAnyRunAFoundationOneFittingCard()
    {
        table->clear();
        put(FS_SPADES, FS_NINE, columns[0]);
        put(FS_HEARTS, FS_EIGHT, columns[0]);
        put(FS_CLUBS, FS_SEVEN, columns[0]);
        DragWithMouse(columns[0], CardPoint(columns[0], 0), columns[3], {40, 40});
        QCOMPARE(columns[3]->Cards->Count(), 3);
        QVERIFY(columns[0]->Cards->IsEmpty());
        put(FS_HEARTS, FS_ACE, foundations[0]);
        put(FS_SPADES, FS_THREE, columns[1]);
        put(FS_HEARTS, FS_TWO, columns[1]);
        put(FS_CLUBS, FS_FIVE, columns[2]);
        DragWithMouse(columns[1], CardPoint(columns[1], 0), foundations[0], {30, 30});
        QCOMPARE(foundations[0]->Cards->Count(), 1);  // never two cards at once
        DragWithMouse(columns[2], TopCardPoint(columns[2]), foundations[1], {30, 30});
        QVERIFY(foundations[1]->Cards->IsEmpty());  // an empty foundation takes an Ace only
        TCardPileView *two = columns[1]->Cards->Count() == 2 ? columns[1] : columns[0];
        DragWithMouse(two, TopCardPoint(two), foundations[0], {30, 30});
        QCOMPARE(foundations[0]->Cards->Count(), 2);
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell   Score: 2"));
    }

    void aFreeCellTakesOneCardWhenEmpty()
    {
        table->clear();
        put(FS_SPADES, FS_NINE, columns[0]);
        put(FS_HEARTS, FS_EIGHT, columns[0]);
        put(FS_CLUBS, FS_FOUR, cells[1]);
        DragWithMouse(columns[0], CardPoint(columns[0], 0), cells[0], {30, 30});
        QVERIFY(cells[0]->Cards->IsEmpty());  // two cards do not fit a free cell
        DragWithMouse(columns[0], TopCardPoint(columns[0]), cells[1], {30, 30});
        QCOMPARE(cells[1]->Cards->Count(), 1);  // nor one onto a taken cell
        DragWithMouse(cells[1], TopCardPoint(cells[1]), cells[3], {30, 30});
        QCOMPARE(cells[3]->Cards->Count(), 1);  // from cell to cell
        QVERIFY(cells[1]->Cards->IsEmpty());
    }

    void releasedElsewhereCardsGoToTheLastAcceptingPileOrTheDefault()
    {
        table->clear();
        put(FS_CLUBS, FS_EIGHT, columns[1]);
        put(FS_HEARTS, FS_SEVEN, columns[2]);
        put(FS_DIAMONDS, FS_KING, columns[3]);
        put(FS_SPADES, FS_EIGHT, columns[4]);
        // Over the Eight of spades, then over the King, released there: onto the spades.
        DragOver(columns[2], 0, {columns[4], columns[3]});
        QCOMPARE(columns[4]->Cards->Count(), 2);
        // Over the bare table: a column with cards comes before an empty one on its left.
        DragToTable(*table, columns[4], 1);
        QCOMPARE(columns[1]->Cards->Count(), 2);
        QVERIFY(columns[0]->Cards->IsEmpty());
        // An Ace goes into the first empty column before it goes home.
        put(FS_CLUBS, FS_ACE, columns[5]);
        DragToTable(*table, columns[5], 0);
        QCOMPARE(columns[0]->Cards->Count(), 1);
        QVERIFY(foundations[0]->Cards->IsEmpty());
        // With no empty column it goes home; a free cell is never the default.
        const CardValue kings[] = {FS_KING, FS_QUEEN};
        for (int c = 0; c < 8; ++c)
            if (columns[c]->Cards->IsEmpty())
                put(CardSuit(c % 4), kings[c / 4], columns[c]);
        put(FS_DIAMONDS, FS_ACE, cells[2]);
        put(FS_SPADES, FS_TWO, cells[3]);
        DragToTable(*table, cells[2], 0);
        QCOMPARE(foundations[0]->Cards->Count(), 1);
        DragToTable(*table, cells[3], 0);
        QCOMPARE(cells[3]->Cards->Count(), 1);
        QCOMPARE(form->MoveCount, 4);
    }

    void sendsGoHomeElseIntoTheFirstEmptyFreeCell()
    {
        table->clear();
        put(FS_CLUBS, FS_FIVE, columns[0]);
        put(FS_HEARTS, FS_ACE, columns[1]);
        put(FS_DIAMONDS, FS_NINE, cells[2]);
        DoubleClickTop(columns[1]);
        QCOMPARE(foundations[0]->Cards->Count(), 1);
        DoubleClickTop(columns[0]);
        QCOMPARE(cells[0]->Cards->Count(), 1);
        DoubleClickTop(cells[2]);  // from a free cell too, to the first empty one on its left
        QCOMPARE(cells[1]->Cards->Count(), 1);
        QVERIFY(cells[2]->Cards->IsEmpty());
        QCOMPARE(table->sounds.names(), QStringList{"AUTOPLAY"});  // free cell moves are quiet
        QCOMPARE(form->MoveCount, 3);
        put(FS_HEARTS, FS_TWO, columns[3]);
        QTest::mouseClick(columns[3], Qt::MiddleButton, {}, {20, 20});  // the middle button on a column
        QCOMPARE(foundations[0]->Cards->Count(), 2);
        put(FS_HEARTS, FS_THREE, cells[2]);
        put(FS_SPADES, FS_SIX, cells[3]);
        QTest::mouseClick(cells[2], Qt::MiddleButton, {}, {20, 20});  // but not on a free cell
        QCOMPARE(foundations[0]->Cards->Count(), 2);
        QTest::mouseClick(cells[2], Qt::LeftButton, Qt::ShiftModifier, {20, 20});
        QCOMPARE(foundations[0]->Cards->Count(), 3);
        put(FS_HEARTS, FS_KING, cells[2]);
        put(FS_CLUBS, FS_SIX, columns[4]);
        const QString full = form->dealText();
        const int moves = form->MoveCount;
        QTest::mouseClick(columns[4], Qt::LeftButton, Qt::ControlModifier, TopCardPoint(columns[4]));
        DoubleClickTop(cells[1]);
        QCOMPARE(form->dealText(), full);  // every free cell taken: nothing moves
        QCOMPARE(form->MoveCount, moves);
    }

    void undoTakesBackOneMoveAndEachAutoplayedCard()
    {
        table->clear();
        put(FS_CLUBS, FS_THREE, columns[0]);
        put(FS_HEARTS, FS_THREE, columns[0]);
        put(FS_HEARTS, FS_TWO, cells[1]);
        put(FS_HEARTS, FS_ACE, columns[2]);
        put(FS_CLUBS, FS_FIVE, columns[2]);
        put(FS_DIAMONDS, FS_SIX, columns[3]);
        form->Autoplay1->trigger();
        QVERIFY(foundations[0]->Cards->IsEmpty());  // turning autoplay on plays nothing yet
        const QString before = form->dealText();
        table->sounds.clear();
        DragWithMouse(columns[2], TopCardPoint(columns[2]), columns[3], TopCardPoint(columns[3]));
        QCOMPARE(foundations[0]->Cards->Count(), 3);  // the Ace, the Two from its cell, the Three
        QCOMPARE(table->sounds.names(), QStringList(3, "AUTOPLAY"));
        QCOMPARE(form->MoveCount, 4);
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell   Score: 3"));
        form->Undo1->trigger();
        QCOMPARE(columns[0]->Cards->Count(), 2);
        form->Undo1->trigger();
        QCOMPARE(cells[1]->Cards->Count(), 1);
        form->Undo1->trigger();
        QCOMPARE(columns[2]->Cards->Count(), 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell"));
        form->Undo1->trigger();  // the player's drag
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
        // A run moved in one drag comes back in one click; so does a send to a cell.
        put(FS_SPADES, FS_SEVEN, columns[3]);
        put(FS_DIAMONDS, FS_SIX, columns[3]);
        put(FS_CLUBS, FS_EIGHT, columns[4]);
        const QString runs = form->dealText();
        DragWithMouse(columns[4], TopCardPoint(columns[4]), cells[0], {20, 20});
        DragWithMouse(columns[3], CardPoint(columns[3], 0), columns[5], {20, 20});
        QCOMPARE(columns[5]->Cards->Count(), 2);
        form->Undo1->trigger();
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), runs);
        QCOMPARE(table->sounds.names().count("UNDO"), 6);
    }

    void autoplayLooksAtTheFreeCellsFirst()
    {
        table->clear();
        put(FS_DIAMONDS, FS_ACE, columns[0]);
        put(FS_SPADES, FS_ACE, cells[3]);
        put(FS_CLUBS, FS_FIVE, columns[1]);
        form->Autoplay1->trigger();
        DoubleClickTop(columns[1]);  // into the first free cell, then autoplay
        QCOMPARE(foundations[0]->Cards->CardAt(0)->Suit, FS_SPADES);
        QCOMPARE(foundations[1]->Cards->CardAt(0)->Suit, FS_DIAMONDS);
    }

    void theAutoplayOptionIsStoredAndSharedWithTheSmallWindow()
    {
        QVERIFY(!form->DoAutoplay);
        QCOMPARE(Stored("FreeCell", "Autoplay"), QStringLiteral("None"));
        QTest::keyClick(form, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(form->DoAutoplay && form->Autoplay1->isChecked());
        QCOMPARE(Stored("FreeCell", "Autoplay"), QStringLiteral("True"));
        TCard::SetCardSize(FS_SMALL);
        {
            const DealtWindow<TsFreeCellForm> small;
            QVERIFY(small->DoAutoplay && small->Autoplay1->isChecked());
            small->Autoplay1->trigger();
        }
        TCard::SetCardSize(FS_LARGE);
        QCOMPARE(Stored("FreeCell", "Autoplay"), QStringLiteral("False"));
        IniFile::write(QStringLiteral("Solitaire.ini"), QStringLiteral("FreeCell"), QStringLiteral("Autoplay"),
                       QStringLiteral("yes"));
        const DealtWindow<TFreeCellForm> again;
        QVERIFY(again->DoAutoplay && again->Autoplay1->isChecked());
    }

    void theLastCardHomeWinsOnce()
    {
        table->clear();
        for (int suit = 0; suit < 4; ++suit)
            for (int value = FS_ACE; value <= FS_KING; ++value)
                put(CardSuit(suit), CardValue(value), suit == 3 && value == FS_KING ? cells[0] : foundations[suit]);
        DoubleClickTop(cells[0]);
        QCOMPARE(form->windowTitle(), QStringLiteral("FreeCell   Score: 52"));
        QVERIFY(form->GameOver);
        QCOMPARE(table->dialogs.modals(), 1);
        DoubleClickTop(cells[0]);
        QCOMPARE(table->dialogs.modals(), 1);
        form->Undo1->trigger();  // undo keeps the game won: no prompts
        QVERIFY(form->GameOver);
    }

    void theSmallWindowHasItsOwnTableAndSizes()
    {
        TCard::SetCardSize(FS_SMALL);
        DealtWindow<TsFreeCellForm> small;
        TCard::SetCardSize(FS_LARGE);
        small->show();
        const QList<int> cellLefts{8, 72, 136, 200}, homeLefts{331, 395, 459, 523};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(small->FreeCells[i]->geometry(), QRect(cellLefts[i], 8, 61, 95));
            QCOMPARE(small->Foundations[i]->geometry(), QRect(homeLefts[i], 8, 61, 95));
        }
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(small->Tableau[c]->geometry(), QRect(16 + 72 * c, 108, 61, 300));
            QCOMPARE(small->Tableau[c]->YOffset, 16.0f);
        }
        QCOMPARE(small->dealText(), form->dealText());  // the same deal
        QCOMPARE(small->minimumWidth(), 590);
        QCOMPARE(small->maximumWidth(), 590);
        small->resize(590, 500);
        QCOMPARE(small->Tableau[7]->height(), 500 - 109);
        form->resize(776, 600);
        QCOMPARE(form->Tableau[0]->height(), 600 - 148);
        QCOMPARE(form->Tableau[7]->geometry().topLeft(), QPoint(656, 140));
        QVERIFY(small->close());
        QVERIFY(Stored("sFreeCell", "NormPos") != QStringLiteral("None"));  // its own place
        QCOMPARE(Stored("FreeCell", "NormPos"), QStringLiteral("None"));
    }

    void theLauncherOpensBothSizesAndF1ShowsTheRules()
    {
        const ScreenOverride screen{1280};
        LauncherWindow launcher;
        const GameWindow *small = OpenBothSizesFromTheLauncher(QStringLiteral("Free Cell"));
        QVERIFY(small && small == sFreeCellForm);
        Help::setFilePath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Cardenza.hlp"));
        QTest::keyClick(form, Qt::Key_F1);
        QCOMPARE(Help::lastTopic(), 1004);
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->windowTitle() == QStringLiteral("Cardenza! Help"))
                window->close();
    }
};

QTEST_MAIN(TestFreeCell)
#include "tst_freecell.moc"
