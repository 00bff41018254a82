// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/SpiderWindow.h"
#include "shell/GameCatalog.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {

// The preferences the kit makes may choose small cards; these windows use large ones.
struct LargeCards {
    LargeCards() { TCard::SetCardSize(FS_LARGE); }
};

// A dealt large-card Spider window on the screen, with the kit's seams.
struct Spider : GameTestKit {
    LargeCards cards;
    DealtWindow<TSpiderForm> window;
    Spider() { window->show(); }
};

const char *const firstDeal =
    "DeckPileView: 9c 9h as 2h 5h 8h ts 7d qs 9d 6h 3s 4d ah 6c 6s 8d 7h 8h 4c 9s 3c jd 3d qh ts 4d qc jd 5s 3d 2h "
    "7c jc 6d th ac 4c 4s 6h 7d 6s 6c jh ad kh 9c 8c qs ks 9s kd ah 5d ad 8d 7h qd js 4h\n"
    "FoundPile1:\nFoundPile2:\nFoundPile3:\nFoundPile4:\nFoundPile5:\nFoundPile6:\nFoundPile7:\nFoundPile8:\n"
    "TableauPile1: 2c kc 5s 3c 5C\n"
    "TableauPile2: kd 8s qh tc AS\n"
    "TableauPile3: 7c jh 4h td KC\n"
    "TableauPile4: 3h 5d 7s 4s 2S\n"
    "TableauPile5: 3s 2d 6d 2S\n"
    "TableauPile6: kh 8c th QD\n"
    "TableauPile7: 9d tc 8s QC\n"
    "TableauPile8: js ks 9h AC\n"
    "TableauPile9: 2d 2c jc 5H\n"
    "TableauPile10: 7s td 3h 5C\n";

}  // namespace

class TestSpider : public QObject
{
    Q_OBJECT
    std::optional<Spider> game;
    TSpiderForm *form = nullptr;

    // Every card goes into the stock face down: the table is free for a test's cards.
    void gatherIntoStock()
    {
        for (TCardPileView *view : form->Tableau + form->Foundations)
            EmptyInto(view, form->DeckPileView);
    }
    TCard *fromStock(CardSuit suit, CardValue value, TCardPileView *onto, bool faceUp = true)
    {
        TCardPile *stock = form->DeckPileView->Cards;
        for (int i = stock->Count() - 1; i >= 0; --i) {
            TCard *card = stock->CardAt(i);
            if (card->Suit == suit && card->Value == value) {
                stock->RemoveCard(card);
                card->FaceUp = faceUp;
                onto->Cards->AddCard(card);
                return card;
            }
        }
        return nullptr;
    }
    // King down to Ace of one suit, face up.
    void wholeSuit(CardSuit suit, TCardPileView *onto)
    {
        for (int value = FS_KING; value >= FS_ACE; --value)
            fromStock(suit, CardValue(value), onto);
    }
    // Columns from `first` on get a low card that takes no run a test moves.
    void blockColumns(int first)
    {
        const QList<std::pair<CardSuit, CardValue>> low = {
            {FS_DIAMONDS, FS_THREE}, {FS_DIAMONDS, FS_THREE}, {FS_CLUBS, FS_THREE}, {FS_CLUBS, FS_THREE},
            {FS_DIAMONDS, FS_FOUR},  {FS_DIAMONDS, FS_FOUR},  {FS_CLUBS, FS_FOUR},  {FS_CLUBS, FS_FOUR}};
        for (int c = first; c < 10; ++c)
            fromStock(low[c - first].first, low[c - first].second, form->Tableau[c]);
    }
    void drag(TCardPileView *from, int index, TCardPileView *to)
    {
        DragWithMouse(from, CardPoint(from, index), to, TopCardPoint(to));
    }
    // Released over the strip of bare table above the first column, on a path that
    // touches no other pile.
    void releaseOverTable(TCardPileView *from, int index)
    {
        DragWithMouse(from, CardPoint(from, index), form, {40, 157});
    }

    // Column 1: a face-down Two, then a Nine, Eight and Seven of mixed suits;
    // column 2 a Ten, column 3 an Eight of diamonds.
    void layOutAMixedRun()
    {
        gatherIntoStock();
        fromStock(FS_CLUBS, FS_TWO, form->Tableau[0], false);
        fromStock(FS_SPADES, FS_NINE, form->Tableau[0]);
        fromStock(FS_HEARTS, FS_EIGHT, form->Tableau[0]);
        fromStock(FS_CLUBS, FS_SEVEN, form->Tableau[0]);
        fromStock(FS_DIAMONDS, FS_TEN, form->Tableau[1]);
        fromStock(FS_DIAMONDS, FS_EIGHT, form->Tableau[2]);
    }

private Q_SLOTS:
    void init()
    {
        game.emplace();
        form = game->window;
    }
    void cleanup() { game.reset(); }

    void dealsTenColumnsAndASixtyCardStock()
    {
        QCOMPARE(form->dealText(), QString::fromLatin1(firstDeal));
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("60"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Spider"));
        QVERIFY(game->sounds.played().isEmpty());
        QVERIFY(!form->Undo1->isEnabled());
        QVERIFY(!form->Autoplay1);
        PreferencesDlg->DoAnimation = true;
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("DEAL")), 5);  // one per row
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("RESTART")), 1);
    }

    void theMenuHasTheOptionWithItsHint()
    {
        QStringList items;
        for (QAction *action : form->PopupMenu1->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(items, (QStringList{"Undo1", "Redo1", "Hint1", "Solve1", "-", "SameSuitBuilds1", "WinnableOnly1", "-",
                                     "NewGame1", "Redeal1", "Preferences1", "Statistics1", "About1"}));
        QCOMPARE(form->SameSuitBuilds1->text(), QStringLiteral("&Same Suit Moves"));
        QCOMPARE(form->SameSuitBuilds1->toolTip(), QStringLiteral("If checked, build down only in same suit"));
        QCOMPARE(form->About1->text(), QStringLiteral("Rul&es..."));
        QCOMPARE(form->gameDescription().helpTopic, 1012);
    }

    void aStockDealPutsOneFaceUpCardOnEveryColumn()
    {
        QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30});
        for (int c = 0; c < 10; ++c) {
            QCOMPARE(form->Tableau[c]->Cards->Count(), c < 4 ? 6 : 5);
            QCOMPARE(FaceUpCount(form->Tableau[c]), 2);
        }
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("50"));
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("DEAL")});
        QCOMPARE(form->MoveCount, 1);
        QVERIFY(!form->SameSuitBuilds1->isEnabled());
        QTest::keyClick(form, Qt::Key_Space);
        QTest::mouseClick(form->Tableau[5], Qt::MiddleButton, {}, {10, 10});
        QTest::mouseClick(form, Qt::MiddleButton, {}, {165, 140});
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("20"));
        QCOMPARE(form->MoveCount, 4);
    }

    void aStockDealWaitsUntilNoColumnIsEmpty()
    {
        EmptyInto(form->Tableau[7], form->DeckPileView);
        const QString before = form->dealText();
        QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30});
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("You must fill empty tableau spaces first.")});
        QCOMPARE(game->dialogs.records().first().icon, Dialogs::Icon::Information);
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(form->SameSuitBuilds1->isEnabled());
    }

    void sixDealsEmptyTheStockAndAFurtherClickCountsNothing()
    {
        for (int i = 0; i < 6; ++i)
            form->DeckPileViewClick();
        QVERIFY(form->DeckPileView->Cards->IsEmpty());
        QVERIFY(form->DeckPileView->toolTip().isEmpty());
        const QString dealtOut = form->dealText();
        game->sounds.clear();
        QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30});
        QCOMPARE(form->dealText(), dealtOut);
        QCOMPARE(form->MoveCount, 6);  // an empty stock deals nothing and counts nothing
        QCOMPARE(form->UndoList->Count(), 60);
        QVERIFY(game->sounds.played().isEmpty());
        for (int i = 0; i < 6; ++i)
            form->Undo1->trigger();
        QCOMPARE(form->dealText(), QString::fromLatin1(firstDeal));
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
    }

    void undoReturnsAStockDealFaceDownInItsOrderWithoutASound()
    {
        form->DeckPileViewClick();
        const QString afterOne = form->dealText();
        form->DeckPileViewClick();
        game->sounds.clear();
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), afterOne);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("50"));
        QCOMPARE(form->MoveCount, 1);
        QVERIFY(game->sounds.played().isEmpty());
        QVERIFY(!form->SameSuitBuilds1->isEnabled());  // stays locked
    }

    void aMixedRunMovesAsOneAndOneUndoTakesItBack()
    {
        layOutAMixedRun();
        const QString before = form->dealText();
        drag(form->Tableau[0], 1, form->Tableau[1]);  // Nine, Eight, Seven onto the Ten
        QCOMPARE(form->Tableau[1]->Cards->Count(), 4);
        QCOMPARE(form->Tableau[0]->Cards->Count(), 1);
        QVERIFY(form->Tableau[0]->Cards->CardAt(0)->FaceUp);  // the card beneath turns up
        QCOMPARE(form->MoveCount, 2);  // a completed drag counts two
        QVERIFY(game->sounds.played().isEmpty());
        form->Undo1->trigger();  // one undo: the run and the turned card, and both moves
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("UNDO")});
        QVERIFY(!form->Undo1->isEnabled());
    }

    void withSameSuitMovesOnlyARunOfOneSuitMoves()
    {
        form->SameSuitBuilds1->trigger();
        layOutAMixedRun();
        const QString before = form->dealText();
        drag(form->Tableau[0], 1, form->Tableau[1]);
        QCOMPARE(form->dealText(), before);
        drag(form->Tableau[0], 3, form->Tableau[2]);  // a single Seven on an Eight of another suit
        QCOMPARE(form->Tableau[2]->Cards->Count(), 2);
        fromStock(FS_CLUBS, FS_SIX, form->Tableau[2]);
        fromStock(FS_SPADES, FS_NINE, form->Tableau[3]);
        drag(form->Tableau[2], 0, form->Tableau[3]);  // Eight of diamonds, Seven and Six of clubs
        QCOMPARE(form->Tableau[3]->Cards->Count(), 1);
        drag(form->Tableau[2], 1, form->Tableau[0]);  // Seven and Six of clubs onto the Eight of hearts
        QCOMPARE(form->Tableau[0]->Cards->Count(), 5);
    }

    void aFaceDownCardNeverStartsADrag()
    {
        gatherIntoStock();
        fromStock(FS_SPADES, FS_NINE, form->Tableau[0], false);
        fromStock(FS_HEARTS, FS_EIGHT, form->Tableau[0]);
        fromStock(FS_DIAMONDS, FS_TEN, form->Tableau[1]);
        blockColumns(2);
        const QString before = form->dealText();
        drag(form->Tableau[0], 0, form->Tableau[1]);
        QCOMPARE(form->dealText(), before);
        drag(form->Tableau[1], 0, form->Tableau[0]);  // a Ten does not go on an Eight
        QCOMPARE(form->dealText(), before);
    }

    void onlyAWholeSuitGoesHomeAndOnlyToAnEmptyFoundation()
    {
        gatherIntoStock();
        fromStock(FS_CLUBS, FS_TWO, form->Tableau[0], false);
        wholeSuit(FS_SPADES, form->Tableau[0]);
        fromStock(FS_HEARTS, FS_KING, form->Tableau[1]);
        for (int value = FS_QUEEN; value >= FS_ACE; --value)
            fromStock(value == FS_FIVE ? FS_CLUBS : FS_HEARTS, CardValue(value), form->Tableau[1]);
        fromStock(FS_DIAMONDS, FS_ACE, form->Foundations[0]);
        blockColumns(2);
        drag(form->Tableau[1], 0, form->Foundations[1]);  // mixed suits
        QCOMPARE(form->Foundations[1]->Cards->Count(), 0);
        drag(form->Tableau[0], 2, form->Foundations[1]);  // twelve cards
        QCOMPARE(form->Foundations[1]->Cards->Count(), 0);
        const QString before = form->dealText();
        drag(form->Tableau[0], 1, form->Foundations[0]);  // not onto a foundation that holds cards:
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);
        QCOMPARE(form->Foundations[1]->Cards->Count(), 13);  // the first empty one takes it
        QVERIFY(form->Tableau[0]->Cards->CardAt(0)->FaceUp);
        QCOMPARE(form->windowTitle(), QStringLiteral("Spider   Score: 14"));
        QCOMPARE(form->MoveCount, 2);
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->windowTitle(), QStringLiteral("Spider   Score: 1"));
        QCOMPARE(form->MoveCount, 0);
        releaseOverTable(form->Tableau[0], 1);  // released anywhere: home as well
        QCOMPARE(form->Foundations[1]->Cards->Count(), 13);
    }

    void releasedAnywhereARunPrefersAColumnOfItsSuit()
    {
        gatherIntoStock();
        fromStock(FS_HEARTS, FS_SEVEN, form->Tableau[0]);
        fromStock(FS_CLUBS, FS_EIGHT, form->Tableau[1]);
        fromStock(FS_HEARTS, FS_EIGHT, form->Tableau[2]);
        releaseOverTable(form->Tableau[0], 0);
        QCOMPARE(form->Tableau[2]->Cards->Count(), 2);
        form->Undo1->trigger();
        EmptyInto(form->Tableau[2], form->DeckPileView);
        releaseOverTable(form->Tableau[0], 0);  // no Eight of hearts: any Eight
        QCOMPARE(form->Tableau[1]->Cards->Count(), 2);
        form->Undo1->trigger();
        EmptyInto(form->Tableau[1], form->DeckPileView);
        releaseOverTable(form->Tableau[0], 0);  // no Eight at all: the first empty column
        QCOMPARE(form->Tableau[1]->Cards->Count(), 1);
        QCOMPARE(form->Tableau[0]->Cards->Count(), 0);
    }

    void theOptionIsReadWrittenAndLockedUntilTheNextNewGame()
    {
        QVERIFY(!form->SameSuitBuilds1->isChecked());
        form->SameSuitBuilds1->trigger();
        QVERIFY(game->settings.read(QStringLiteral("Solitaire.ini")).contains("SameSuitBuilds=True"));
        QVERIFY(form->SameSuitBuilds);
        TCard::SetCardSize(FS_SMALL);
        {
            const DealtWindow<TsSpiderForm> small;  // the small window shares the options
            QVERIFY(small->SameSuitBuilds1->isChecked());
        }
        TCard::SetCardSize(FS_LARGE);
        QVERIFY(game->settings.write(QStringLiteral("Solitaire.ini"), "[Spider]\nSameSuitBuilds=0\n"));
        {
            const DealtWindow<TSpiderForm> other;
            QVERIFY(!other->SameSuitBuilds1->isChecked());
        }
        gatherIntoStock();
        fromStock(FS_SPADES, FS_NINE, form->Tableau[0]);
        fromStock(FS_SPADES, FS_EIGHT, form->Tableau[1]);
        drag(form->Tableau[1], 0, form->Tableau[0]);
        QVERIFY(!form->SameSuitBuilds1->isEnabled());
        form->Undo1->trigger();
        QVERIFY(!form->SameSuitBuilds1->isEnabled());
        form->NewGame1Click(form->Restart1);
        QVERIFY(!form->SameSuitBuilds1->isEnabled());  // a Restart keeps it locked
        form->NewGame1Click(form->NewGame1);
        QVERIFY(form->SameSuitBuilds1->isEnabled());
    }

    void closingAsksFromTenMovesAndNewGameAboveThem()
    {
        gatherIntoStock();
        fromStock(FS_SPADES, FS_NINE, form->Tableau[0]);
        fromStock(FS_HEARTS, FS_EIGHT, form->Tableau[1]);
        for (int i = 0; i < 4; ++i)
            drag(form->Tableau[i % 2 ? 0 : 1], 0, form->Tableau[i % 2 ? 1 : 0]);
        QCOMPARE(form->MoveCount, 8);
        game->dialogs.answer = Dialogs::Cancel;
        QVERIFY(form->FormCloseQuery());  // four drags: closes without a question
        drag(form->Tableau[1], 0, form->Tableau[0]);
        QCOMPARE(form->MoveCount, 10);
        QVERIFY(!form->close());
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Quit this game of Spider?")});
        const QString before = form->dealText();
        form->NewGame1Click(form->NewGame1);  // ten moves: New Game does not ask yet
        QCOMPARE(game->dialogs.messages().size(), 1);
        QVERIFY(form->dealText() != before);
    }

    void restartAsksAboveTenMoves()
    {
        for (int i = 0; i < 6; ++i)
            form->DeckPileViewClick();
        gatherIntoStock();
        fromStock(FS_SPADES, FS_NINE, form->Tableau[0]);
        fromStock(FS_HEARTS, FS_EIGHT, form->Tableau[1]);
        for (int i = 0; i < 3; ++i)
            drag(form->Tableau[i % 2 ? 0 : 1], 0, form->Tableau[i % 2 ? 1 : 0]);
        QCOMPARE(form->MoveCount, 12);
        game->dialogs.answer = Dialogs::Cancel;
        const QString before = form->dealText();
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Restart this game of Spider?")});
        QCOMPARE(form->dealText(), before);
    }

    void theLastSuitHomeWinsTheGame()
    {
        gatherIntoStock();
        const CardSuit suits[] = {FS_CLUBS, FS_CLUBS, FS_SPADES, FS_SPADES, FS_DIAMONDS, FS_DIAMONDS, FS_HEARTS};
        for (int i = 0; i < 7; ++i)
            for (int value = FS_ACE; value <= FS_KING; ++value)
                fromStock(suits[i], CardValue(value), form->Foundations[i]);
        wholeSuit(FS_HEARTS, form->Tableau[4]);
        QVERIFY(form->DeckPileView->Cards->IsEmpty());
        drag(form->Tableau[4], 0, form->Foundations[7]);
        QCOMPARE(form->windowTitle(), QStringLiteral("Spider   Score: 104"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
        QVERIFY(form->close());  // after a win nothing asks
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void theSmallWindowFollowsItsTable()
    {
        TCard::SetCardSize(FS_SMALL);
        const DealtWindow<TsSpiderForm> small;
        TCard::SetCardSize(FS_LARGE);
        QCOMPARE(small->dealText(), QString::fromLatin1(firstDeal));
        QCOMPARE(small->DeckPileView->geometry(), QRect(8, 8, 107, 113));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(small->Foundations[i]->geometry(), QRect(208 + 64 * i, 6, 61, 95));
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(small->Tableau[i]->geometry(), QRect(8 + 72 * i, 129, 61, 370));
            QCOMPARE(small->Tableau[i]->YOffset, 16.0f);
        }
        QCOMPARE(small->minimumWidth(), 725);
        QCOMPARE(small->maximumWidth(), 725);
        small->show();
        small->resize(725, 600);
        QCOMPARE(small->Tableau[3]->height(), 600 - 136);
        form->resize(887, 700);
        QCOMPARE(form->Tableau[9]->geometry(), QRect(800, 161, 80, 700 - 158));
        QCOMPARE(form->maximumWidth(), 887);
    }

    void theLauncherOpensIt()
    {
        const ScreenOverride screen{1280};
        const LauncherWindow launcher;
        PreferencesDlg->CardSize = 1;
        SolitaireForm->SelectGame(GameCatalog::indexOf(QStringLiteral("Spider")));
        QVERIFY(SpiderForm);
        QCOMPARE(SpiderForm->windowTitle(), QStringLiteral("Spider"));
        PreferencesDlg->CardSize = 0;
        SolitaireForm->SelectGame(GameCatalog::indexOf(QStringLiteral("Spider")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!SpiderForm);
        QVERIFY(sSpiderForm);
        TCard::SetCardSize(FS_LARGE);
    }
};

QTEST_MAIN(TestSpider)
#include "tst_spider.moc"
