// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/FortyThievesWindow.h"
#include "platform/Screen.h"
#include "shell/GameCatalog.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

// The preferences the kit makes may choose small cards; these windows use large ones.
struct LargeCards {
    LargeCards() { TCard::SetCardSize(FS_LARGE); }
};

// A dealt large-card Forty Thieves window on the screen, with the kit's seams.
struct FortyThieves : GameTestKit {
    LargeCards cards;
    DealtWindow<TFortyThievesForm> window;
    FortyThieves() { window->show(); }
};

const char *const firstDeal =
    "DeckPileView: 9c 9h as 2h 5h 8h ts 7d qs 9d 6h 3s 4d ah 6c 6s 8d 7h 8h 4c 9s 3c jd 3d qh ts 4d qc jd 5s 3d 2h "
    "7c jc 6d th ac 4c 4s 6h 7d 6s 6c jh ad kh 9c 8c qs ks 9s kd ah 5d ad 8d 7h qd js 4h 2s kc as 5c\n"
    "DiscardPileView:\n"
    "TableauPile1: 2C KC 5S 3C\n"
    "TableauPile2: KD 8S QH TC\n"
    "TableauPile3: 7C JH 4H TD\n"
    "TableauPile4: 3H 5D 7S 4S\n"
    "TableauPile5: 3S 2D 6D 2S\n"
    "TableauPile6: KH 8C TH QD\n"
    "TableauPile7: 9D TC 8S QC\n"
    "TableauPile8: JS KS 9H AC\n"
    "TableauPile9: 2D 2C JC 5H\n"
    "TableauPile10: 7S TD 3H 5C\n"
    "FoundPile1:\nFoundPile2:\nFoundPile3:\nFoundPile4:\nFoundPile5:\nFoundPile6:\nFoundPile7:\nFoundPile8:\n";

}  // namespace

class TestFortyThieves : public QObject
{
    Q_OBJECT
    std::optional<FortyThieves> game;
    TFortyThievesForm *form = nullptr;

    // Every card goes into the stock face down: the table is free for a test's cards.
    void gatherIntoStock()
    {
        for (TCardPileView *view : form->Tableau + form->Foundations + QList{form->DiscardPileView})
            EmptyInto(view, form->DeckPileView);
    }
    // Takes a card out of the stock onto a view (onto the stock itself: to its top).
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
    // Columns from `first` (at least the fourth) on get a King: they take no card a
    // test moves, and one King of spades stays in the stock.
    void blockColumns(int first)
    {
        const CardSuit suits[] = {FS_CLUBS, FS_DIAMONDS, FS_HEARTS, FS_CLUBS, FS_DIAMONDS, FS_HEARTS, FS_SPADES};
        for (int c = first; c < 10; ++c)
            fromStock(suits[c - first], FS_KING, form->Tableau[c]);
    }
    void drag(TCardPileView *from, TCardPileView *to) { DragWithMouse(from, TopCardPoint(from), to, TopCardPoint(to)); }
    // Released over the bare table, on a path that touches no other pile: from the
    // waste just below it, from a column just below the column.
    void releaseOverTable(TCardPileView *from)
    {
        const QPoint at = TopCardPoint(from);
        const QPoint table = from == form->DiscardPileView ? QPoint(from->x() + at.x(), 146)
                                                           : QPoint(from->x() + at.x(), form->Foundations[0]->y() - 4);
        DragWithMouse(from, at, form, table);
    }
    void clickStock() { QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30}); }
    QString stockTop() const { return CardText(form->DeckPileView->Cards->CardAt(TCardPile::Top)); }

private Q_SLOTS:
    void init()
    {
        game.emplace();
        form = game->window;
    }
    void cleanup() { game.reset(); }

    void dealsTenColumnsOfFourAndASixtyFourCardStock()
    {
        QCOMPARE(form->dealText(), QString::fromLatin1(firstDeal));
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("64"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Forty Thieves"));
        QVERIFY(game->sounds.played().isEmpty());
        QVERIFY(!form->Undo1->isEnabled());
        PreferencesDlg->DoAnimation = true;
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("DEAL")), 4);  // one per row
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("RESTART")), 1);
        QCOMPARE(form->MoveCount, 0);
    }

    void theMenuHasPeekBetweenRestartAndPreferences()
    {
        QStringList items;
        for (QAction *action : form->PopupMenu1->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(items, (QStringList{"Undo1", "Redo1", "Hint1", "Solve1", "-", "Autoplay1", "-", "WinnableOnly1", "-",
                                     "NewDeal1", "Redeal1", "Peek1", "Preferences1", "Statistics1", "About1"}));
        QCOMPARE(form->Peek1->text(), QStringLiteral("&Peek..."));
        QCOMPARE(form->Peek1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(form->Autoplay1->text(), QStringLiteral("A&utoplay"));
        QCOMPARE(form->Preferences1->text(), QStringLiteral("Pre&ferences..."));
        QCOMPARE(form->About1->text(), QStringLiteral("Rule&s..."));
        QCOMPARE(form->gameDescription().helpTopic, 1003);
    }

    void onlyTheTopCardMovesAndColumnsBuildDownInSuit()
    {
        gatherIntoStock();
        fromStock(FS_HEARTS, FS_TEN, form->Tableau[0]);
        fromStock(FS_SPADES, FS_TEN, form->Tableau[1]);
        fromStock(FS_HEARTS, FS_NINE, form->Tableau[2]);
        fromStock(FS_CLUBS, FS_NINE, form->Tableau[2]);
        fromStock(FS_DIAMONDS, FS_NINE, form->Tableau[3]);
        blockColumns(4);
        const QString before = form->dealText();
        DragWithMouse(form->Tableau[2], CardPoint(form->Tableau[2], 0), form->Tableau[0], TopCardPoint(form->Tableau[0]));
        QCOMPARE(form->dealText(), before);  // the Nine of hearts lies under another card
        drag(form->Tableau[3], form->Tableau[0]);  // a Nine of diamonds on a Ten of hearts: no
        QCOMPARE(form->dealText(), before);
        drag(form->Tableau[2], form->Tableau[1]);  // a Nine of clubs on a Ten of spades: no
        QCOMPARE(form->dealText(), before);
        EmptyInto(form->Tableau[1], form->DeckPileView);
        drag(form->Tableau[2], form->Tableau[1]);  // an empty column takes any card
        QCOMPARE(form->Tableau[1]->Cards->Count(), 1);
        drag(form->Tableau[2], form->Tableau[0]);  // the Nine of hearts on the Ten of hearts
        QCOMPARE(form->Tableau[0]->Cards->Count(), 2);
        QCOMPARE(form->MoveCount, 2);
        QVERIFY(game->sounds.played().isEmpty());
        form->Undo1->trigger();
        form->Undo1->trigger();
        QCOMPARE(form->Tableau[2]->Cards->Count(), 2);
        QCOMPARE(form->MoveCount, 0);
    }

    void releasedAnywhereACardPrefersABuildThenAnEmptyColumnThenHome()
    {
        gatherIntoStock();
        fromStock(FS_CLUBS, FS_TWO, form->Tableau[0]);
        fromStock(FS_HEARTS, FS_ACE, form->Tableau[1]);
        fromStock(FS_CLUBS, FS_ACE, form->DiscardPileView);
        blockColumns(3);
        releaseOverTable(form->DiscardPileView);  // onto the Two of clubs
        QCOMPARE(form->Tableau[0]->Cards->Count(), 2);
        form->Undo1->trigger();
        releaseOverTable(form->Tableau[1]);  // the Ace of hearts: the empty third column before home
        QCOMPARE(form->Tableau[2]->Cards->Count(), 1);
        fromStock(FS_SPADES, FS_KING, form->Tableau[1]);
        releaseOverTable(form->Tableau[2]);  // no empty column left: home
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Forty Thieves   Score: 1"));
    }

    void theStockIsTurnedOnceAndEveryClickUndoes()
    {
        clickStock();
        QCOMPARE(CardText(form->DiscardPileView->Cards->CardAt(TCardPile::Top)), QStringLiteral("5C"));
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("STOCK")});
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("63"));
        QTest::keyClick(form, Qt::Key_Space);
        QTest::mouseClick(form->Tableau[4], Qt::MiddleButton, {}, {10, 10});
        QTest::mouseClick(form->DiscardPileView, Qt::MiddleButton, {}, {10, 10});
        QTest::mouseClick(form, Qt::MiddleButton, {}, {form->width() / 2, 150});
        for (int i = 5; i < 64; ++i)
            form->DeckPileViewClick();
        QVERIFY(form->DeckPileView->Cards->IsEmpty());
        QVERIFY(form->DeckPileView->toolTip().isEmpty());
        QVERIFY(!form->Peek1->isEnabled());
        const QString turned = form->dealText();
        game->sounds.clear();
        clickStock();
        QCOMPARE(form->dealText(), turned);  // no redeal
        QCOMPARE(form->MoveCount, 64);
        QVERIFY(game->sounds.played().isEmpty());
        form->Undo1->trigger();
        QCOMPARE(stockTop(), QStringLiteral("9c"));  // back face down
        QVERIFY(form->Peek1->isEnabled());
        for (int i = 0; i < 63; ++i)
            form->Undo1->trigger();
        QCOMPARE(form->dealText(), QString::fromLatin1(firstDeal));
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
    }

    void doubleClickAndModifierPressesSendHome()
    {
        gatherIntoStock();
        fromStock(FS_CLUBS, FS_ACE, form->Tableau[0]);
        fromStock(FS_CLUBS, FS_ACE, form->Tableau[1]);
        fromStock(FS_CLUBS, FS_TWO, form->DiscardPileView);
        fromStock(FS_CLUBS, FS_THREE, form->Tableau[2]);
        QTest::mouseDClick(form->Tableau[0], Qt::LeftButton, {}, TopCardPoint(form->Tableau[0]));
        QTest::mouseClick(form->Tableau[1], Qt::LeftButton, Qt::ShiftModifier, TopCardPoint(form->Tableau[1]));
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);
        QCOMPARE(form->Foundations[1]->Cards->Count(), 1);  // a second Ace: the next empty foundation
        QTest::mouseClick(form->DiscardPileView, Qt::LeftButton, Qt::ControlModifier,
                          TopCardPoint(form->DiscardPileView));
        QTest::mouseDClick(form->Tableau[2], Qt::LeftButton, {}, TopCardPoint(form->Tableau[2]));
        QCOMPARE(form->Foundations[0]->Cards->Count(), 3);
        QCOMPARE(game->sounds.names().count(QStringLiteral("AUTOPLAY")), 4);
        QCOMPARE(form->windowTitle(), QStringLiteral("Forty Thieves   Score: 4"));
        QCOMPARE(form->MoveCount, 4);
        form->Undo1->trigger();
        form->Undo1->trigger();
        QCOMPARE(CardText(form->DiscardPileView->Cards->CardAt(0)), QStringLiteral("2C"));
        QCOMPARE(form->MoveCount, 2);
    }

    void withAutoplayATurnedAceGoesHomeAndWhatFitsFollowsEachItsOwnUndo()
    {
        form->Autoplay1->trigger();
        gatherIntoStock();
        fromStock(FS_HEARTS, FS_TWO, form->Tableau[0]);
        fromStock(FS_HEARTS, FS_THREE, form->Tableau[1]);
        fromStock(FS_HEARTS, FS_ACE, form->DeckPileView, false);
        clickStock();
        QCOMPARE(form->Foundations[0]->Cards->Count(), 3);
        QCOMPARE(game->sounds.names(), (QStringList{"STOCK", "AUTOPLAY", "AUTOPLAY", "AUTOPLAY"}));
        QCOMPARE(form->MoveCount, 4);
        form->Undo1->trigger();  // the Three
        QCOMPARE(form->Tableau[1]->Cards->Count(), 1);
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);
        form->Undo1->trigger();  // the Two
        form->Undo1->trigger();  // the Ace, to the waste
        QCOMPARE(form->DiscardPileView->Cards->Count(), 1);
        form->Undo1->trigger();  // the Ace, to the stock face down
        QCOMPARE(stockTop(), QStringLiteral("ah"));
        QCOMPARE(form->MoveCount, 0);
    }

    void aSendThatFindsNoHomeStillRunsTheAutoplay()
    {
        form->Autoplay1->trigger();
        gatherIntoStock();
        fromStock(FS_DIAMONDS, FS_FIVE, form->Tableau[0]);
        fromStock(FS_DIAMONDS, FS_ACE, form->Tableau[4]);  // laid there without a move
        QTest::mouseDClick(form->Tableau[0], Qt::LeftButton, {}, TopCardPoint(form->Tableau[0]));
        QCOMPARE(form->Tableau[0]->Cards->Count(), 1);
        QVERIFY(form->Tableau[4]->Cards->IsEmpty());
        QCOMPARE(CardText(form->Foundations[0]->Cards->CardAt(0)), QStringLiteral("AD"));
    }

    void theAutoplayKeyIsWrittenAndSharedWithTheSmallWindow()
    {
        QVERIFY(!form->DoAutoplay);
        form->Autoplay1->trigger();
        QVERIFY(game->settings.read(QStringLiteral("Solitaire.ini")).contains("Autoplay=True"));
        TCard::SetCardSize(FS_SMALL);
        {
            const DealtWindow<TsFortyThievesForm> small;
            QVERIFY(small->DoAutoplay && small->Autoplay1->isChecked());
        }
        TCard::SetCardSize(FS_LARGE);
    }

    void thePeekDialogFollowsTheStock()
    {
        QVERIFY(!form->FTPeekDlg);
        QApplication::setActiveWindow(form);
        QTest::keyClick(form, Qt::Key_P, Qt::ControlModifier);
        TFTPeekDlg *peek = form->FTPeekDlg;
        QVERIFY(peek && peek->isVisible());
        QVERIFY(!peek->isModal());
        QVERIFY(peek->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(peek->windowTitle(), QStringLiteral("Peek"));
        QCOMPARE(peek->size(), QSize(114, 188));
        QCOMPARE(peek->Label1->text(), QStringLiteral("Next card in stock"));
        QCOMPARE(CardText(peek->PeekCard), QStringLiteral("5c"));
        clickStock();  // play goes on while it is open
        QCOMPARE(CardText(peek->PeekCard), QStringLiteral("as"));
        const QImage shown = peek->Image1->pixmap().toImage();
        QImage face;
        peek->PeekCard->GetCardBitmap(face);
        const QRgb cut = peek->palette().color(QPalette::Button).rgb();
        QCOMPARE(shown.size(), face.size());
        for (const QPoint corner : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(79, 124), QPoint(78, 124)})
            QCOMPARE(shown.pixel(corner), cut);
        QCOMPARE(shown.pixel(40, 60), face.convertToFormat(QImage::Format_ARGB32).pixel(40, 60));
        form->Undo1->trigger();
        QCOMPARE(CardText(peek->PeekCard), QStringLiteral("5c"));
        form->NewGame1Click(form->NewGame1);
        QVERIFY(peek->isVisible());
        QCOMPARE(peek->PeekCard, form->DeckPileView->Cards->CardAt(TCardPile::Top));
        QTest::mouseClick(peek->OKBtn, Qt::LeftButton);
        QVERIFY(!peek->isVisible());
        form->Peek1->trigger();
        QCOMPARE(form->FTPeekDlg.data(), peek);  // shown again, not made again
        for (int i = 0; i < 63; ++i)
            form->DeckPileViewClick();
        QVERIFY(peek->isVisible());
        form->DeckPileViewClick();  // the last stock card
        QVERIFY(!peek->isVisible());
        QVERIFY(!form->Peek1->isEnabled());
        form->Peek1->trigger();
        QVERIFY(!peek->isVisible());
    }

    void thePeekDialogGoesWithTheWindow()
    {
        form->Peek1->trigger();
        QPointer<TFTPeekDlg> peek = form->FTPeekDlg;
        QVERIFY(form->close());
        QVERIFY(!peek);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!game->window.operator TFortyThievesForm *());
        form = nullptr;
    }

    void thePeekDialogStaysWhenClosingIsRefused()
    {
        for (int i = 0; i < 10; ++i)
            form->DeckPileViewClick();
        form->Peek1->trigger();
        game->dialogs.answer = Dialogs::Cancel;
        QVERIFY(!form->close());
        QVERIFY(form->FTPeekDlg && form->FTPeekDlg->isVisible());
        QPointer<TFTPeekDlg> peek = form->FTPeekDlg;
        game.reset();  // the window deleted without closing takes the dialog along
        QVERIFY(!peek);
    }

    void promptsWaitForTenMoves()
    {
        for (int i = 0; i < 9; ++i)
            form->DeckPileViewClick();
        game->dialogs.answer = Dialogs::Cancel;
        QVERIFY(form->FormCloseQuery());
        form->DeckPileViewClick();
        QVERIFY(!form->close());
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Quit this game of Forty Thieves?")});
        form->NewGame1Click(form->Restart1);  // ten moves: Restart does not ask yet
        QCOMPARE(game->dialogs.messages().size(), 1);
        for (int i = 0; i < 11; ++i)
            form->DeckPileViewClick();
        const QString before = form->dealText();
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->dialogs.messages().last(), QStringLiteral("Restart this game of Forty Thieves?"));
        QCOMPARE(form->dealText(), before);
    }

    void theLastKingHomeWinsTheGame()
    {
        gatherIntoStock();
        for (int i = 0; i < 8; ++i)
            for (int value = FS_ACE; value <= (i == 7 ? FS_QUEEN : FS_KING); ++value)
                fromStock(CardSuit(i / 2), CardValue(value), form->Foundations[i]);
        fromStock(FS_HEARTS, FS_KING, form->Tableau[5]);
        QTest::mouseDClick(form->Tableau[5], Qt::LeftButton, {}, TopCardPoint(form->Tableau[5]));
        QCOMPARE(form->windowTitle(), QStringLiteral("Forty Thieves   Score: 104"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
    }

    void enlargingMovesTheFoundationsDownAndLengthensTheColumns()
    {
        QCOMPARE(OuterMinimumHeight(form), 600);
        QCOMPARE(form->minimumWidth(), 885);
        QCOMPARE(form->maximumWidth(), 885);
        form->resize(885, 800);
        QCOMPARE(form->Foundations[7]->geometry(), QRect(712, 800 - 129, 80, 125));
        QCOMPARE(form->Tableau[0]->height(), 800 - 298);
        form->resize(885, 675);
        QCOMPARE(form->Foundations[0]->geometry(), QRect(96, 546, 80, 125));
        QCOMPARE(form->Tableau[0]->geometry(), QRect(8, 160, 80, 377));
    }

    void theSmallWindowFollowsItsTable()
    {
        TCard::SetCardSize(FS_SMALL);
        const DealtWindow<TsFortyThievesForm> small;
        small->show();
        QCOMPARE(small->dealText(), QString::fromLatin1(firstDeal));
        QCOMPARE(small->DeckPileView->geometry(), QRect(8, 8, 107, 113));
        QCOMPARE(small->DiscardPileView->geometry(), QRect(128, 8, 593, 95));
        QCOMPARE(small->DiscardPileView->XOffset, 9.0f);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(small->Tableau[i]->geometry(), QRect(8 + 72 * i, 136, 61, 270));
        QCOMPARE(small->Tableau[0]->YOffset, 16.0f);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(small->Foundations[i]->geometry(), QRect(80 + 72 * i, 418, 61, 95));
        QCOMPARE(small->maximumWidth(), 725);
        small->resize(725, 640);
        QCOMPARE(small->Foundations[2]->y(), 640 - 102);
        QCOMPARE(small->Tableau[2]->height(), 640 - 250);
        for (int i = 0; i < 64; ++i)
            small->DeckPileViewClick();
        QVERIFY(small->DiscardPileView->rect().contains(small->DiscardPileView->CardRectAt(63)));
        TCard::SetCardSize(FS_LARGE);
    }

    void theLauncherOpensIt()
    {
        const ScreenOverride screen{1280};
        const LauncherWindow launcher;
        PreferencesDlg->CardSize = 1;
        SolitaireForm->SelectGame(GameCatalog::indexOf(QStringLiteral("Forty Thieves")));
        QVERIFY(FortyThievesForm);
        QCOMPARE(FortyThievesForm->windowTitle(), QStringLiteral("Forty Thieves"));
    }
};

QTEST_MAIN(TestFortyThieves)
#include "tst_fortythieves.moc"
