// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/GameRegistry.h"
#include "shell/GameCatalog.h"
#include "games/IndianPatienceWindow.h"
#include "platform/Help.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

namespace {

struct IndianPatience : GameTestKit {
    DealtWindow<TIndianPatienceForm> window;
    IndianPatience()
    {
        window->show();
        QApplication::setActiveWindow(window);
    }
};

QString ColumnText(const TCardPileView *view)
{
    QStringList cards;
    for (int i = 0; i < view->Cards->Count(); ++i)
        cards << CardText(view->Cards->CardAt(i));
    return cards.join(QLatin1Char(' '));
}

}  // namespace

class TestIndianPatience : public QObject
{
    Q_OBJECT
    std::optional<IndianPatience> game;
    TIndianPatienceForm *form = nullptr;

    TCardPileView *column(int i) const { return form->Tableau[i]; }
    // Lays a column out as "9c 8D" says (lower case: face down), its old cards put
    // face down beneath the stock, and settles the base cards as a move would.
    void lay(int i, const QString &text)
    {
        static const QString ranks = QStringLiteral("A23456789TJQK"), suits = QStringLiteral("CSDH");
        EmptyInto(column(i), form->DeckPileView);
        for (const QString &token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString upper = token.toUpper();
            Place(form, CardSuit(suits.indexOf(upper[1])), CardValue(ranks.indexOf(upper[0])), column(i),
                  token == upper);
        }
        form->applyBaseCardRule();
        for (TCardPileView *view : form->pileViews())
            view->update();
    }
    // Every stock card goes face up onto the discard pile.
    void emptyStock()
    {
        while (TCard *card = form->DeckPileView->Cards->CardAt(TCardPile::Top)) {
            form->DeckPileView->Cards->RemoveCard(card);
            card->FaceUp = true;
            form->DiscardPileView->Cards->InsertCard(card, 0);
        }
        form->applyBaseCardRule();
    }
    void drag(TCardPileView *from, TCardPileView *to)
    {
        DragWithMouse(from, TopCardPoint(from), to, to->Cards->IsEmpty() ? QPoint(30, 40) : TopCardPoint(to));
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
        QCOMPARE(form->dealText(),
                 QStringLiteral("DeckPileView: 9c 9h as 2h 5h 8h ts 7d qs 9d 6h 3s 4d ah 6c 6s 8d 7h 8h 4c 9s 3c jd 3d "
                                "qh ts 4d qc jd 5s 3d 2h 7c jc 6d th ac 4c 4s 6h 7d 6s 6c jh ad kh 9c 8c qs ks 9s kd "
                                "ah 5d ad 8d 7h qd js 4h 2s kc as 5c 5c 5h ac qc qd 2s 4s td tc 3c\n"
                                "DiscardPileView:\n"
                                "TableauPile1: 2c KC 5S\n"
                                "TableauPile2: kd 8S QH\n"
                                "TableauPile3: 7c JH 4H\n"
                                "TableauPile4: 3h 5D 7S\n"
                                "TableauPile5: 3s 2D 6D\n"
                                "TableauPile6: kh 8C TH\n"
                                "TableauPile7: 9d TC 8S\n"
                                "TableauPile8: js KS 9H\n"
                                "TableauPile9: 2d 2C JC\n"
                                "TableauPile10: 7s TD 3H\n"
                                "FoundPile1:\nFoundPile2:\nFoundPile3:\nFoundPile4:\n"
                                "FoundPile5:\nFoundPile6:\nFoundPile7:\nFoundPile8:\n"));
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("74"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Indian Patience"));
        for (int i = 0; i < 10; ++i)
            QCOMPARE(form->BaseCards[i], column(i)->Cards->CardAt(0));
        QVERIFY(game->sounds.played().isEmpty());
    }

    void newGameAndRestartSounds()
    {
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(game->sounds.names(), (QStringList{QStringLiteral("SHUFFLE"), QStringLiteral("DEAL"),
                                                    QStringLiteral("DEAL"), QStringLiteral("DEAL")}));
        const QString dealt = form->dealText();
        form->DeckPileViewClick();
        game->sounds.clear();
        PreferencesDlg->DoAnimation = false;
        form->NewGame1Click(form->Restart1);
        QCOMPARE(form->dealText(), dealt);
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("RESTART")});
    }

    void columnsBuildDownInAnotherSuit_data()
    {
        QTest::addColumn<QString>("onto");
        QTest::addColumn<QString>("moving");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("6S on 7H") << "7H" << "6S" << true;
        QTest::newRow("6S on 7C, the same colour") << "7C" << "6S" << true;
        QTest::newRow("6S on 7S, its own suit") << "7S" << "6S" << false;
        QTest::newRow("6S on 8H") << "8H" << "6S" << false;
        QTest::newRow("6S on 5H") << "5H" << "6S" << false;
    }
    void columnsBuildDownInAnotherSuit()
    {
        QFETCH(QString, onto);
        QFETCH(QString, moving);
        QFETCH(bool, accepted);
        lay(0, QStringLiteral("kd ") + onto);
        lay(1, QStringLiteral("qd ") + moving);
        drag(column(1), column(0));
        QCOMPARE(ColumnText(column(0)), QStringLiteral("kd ") + (accepted ? onto + QLatin1Char(' ') + moving : onto));
        QCOMPARE(form->MoveCount, accepted ? 1 : 0);
    }

    void aLoneBaseCardShowsButIsLocked()
    {
        lay(0, QStringLiteral("5s"));
        QVERIFY(column(0)->Cards->CardAt(0)->FaceUp);  // alone: face up
        QVERIFY(form->isBase(column(0)->Cards->CardAt(0)));
        lay(1, QStringLiteral("kd 4H"));
        lay(2, QStringLiteral("kc 6H"));
        const QString before = form->dealText();
        drag(column(1), column(0));  // nothing is built on a base card
        drag(column(0), column(2));  // and it does not go to another column
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
    }

    void emptyingAColumnRefillsItAndOneUndoTakesBothBack()
    {
        lay(0, QStringLiteral("ah"));
        const QString before = form->dealText();
        const int stock = form->DeckPileView->Cards->Count();
        QList<TCard *> next;
        for (int i = 1; i <= 3; ++i)
            next << form->DeckPileView->Cards->CardAt(stock - i);
        game->sounds.clear();
        drag(column(0), form->Foundations[2]);
        QCOMPARE(form->Foundations[2]->Cards->Count(), 1);
        QCOMPARE(column(0)->Cards->Count(), 3);
        QCOMPARE(column(0)->Cards->CardAt(0), next[0]);  // the stock's top card, face down
        QCOMPARE(FaceUpCount(column(0)), 2);
        QCOMPARE(form->BaseCards[0], next[0]);
        QCOMPARE(form->DeckPileView->toolTip(), QString::number(stock - 3));
        QCOMPARE(form->MoveCount, 2);  // the move and the refill
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("DEAL")});
        QCOMPARE(form->windowTitle(), QStringLiteral("Indian Patience   Score: 1"));
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
        QCOMPARE(form->DeckPileView->toolTip(), QString::number(stock));
        QCOMPARE(form->windowTitle(), QStringLiteral("Indian Patience"));
    }

    void aSendThatEmptiesAColumnIsUndoneWithItsRefillBeforeTheAutoplayAfterIt()
    {
        // Nothing else on the table may go home, and the refill brings Nines.
        const QStringList quiet = {"ks", "kc", "qs", "qc", "js", "jc", "ts", "tc"};
        for (int i = 2; i < 10; ++i)
            lay(i, quiet[i - 2]);
        lay(0, QStringLiteral("ah"));
        lay(1, QStringLiteral("kd 2H"));
        for (const CardSuit suit : {FS_CLUBS, FS_SPADES, FS_DIAMONDS})
            Place(form, suit, FS_NINE, form->DeckPileView, false);
        form->Autoplay1->trigger();
        const QString before = form->dealText();
        QTest::mouseDClick(column(0), Qt::LeftButton, {}, TopCardPoint(column(0)));
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);  // the Ace, then the Two by autoplay
        QCOMPARE(ColumnText(column(0)), QStringLiteral("9d 9S 9C"));
        QCOMPARE(form->MoveCount, 3);
        form->Undo1->trigger();  // the autoplay's send
        QCOMPARE(ColumnText(column(1)), QStringLiteral("kd 2H"));
        QCOMPARE(column(0)->Cards->Count(), 3);
        form->Undo1->trigger();  // the player's send and the refill
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
    }

    void undoingTheMoveThatUncoveredABaseCardTurnsItDownAgain()
    {
        lay(0, QStringLiteral("9c 8D"));
        lay(1, QStringLiteral("kh 9S"));
        const QString before = form->dealText();
        drag(column(0), column(1));
        QCOMPARE(ColumnText(column(0)), QStringLiteral("9C"));  // alone: turned up
        QCOMPARE(ColumnText(column(1)), QStringLiteral("kh 9S 8D"));
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), before);
        QVERIFY(form->isBase(column(0)->Cards->CardAt(0)));
    }

    void onceTheStockIsEmptyNothingIsLocked()
    {
        lay(0, QStringLiteral("5s"));
        lay(1, QStringLiteral("kd 4H"));
        lay(2, QStringLiteral("js"));
        emptyStock();
        QCOMPARE(form->BaseCards, QList<TCard *>(10, nullptr));
        drag(column(1), column(0));  // onto a former base card
        QCOMPARE(ColumnText(column(0)), QStringLiteral("5S 4H"));
        form->NewGame1Click(form->NewGame1);
        lay(0, QStringLiteral("ac"));
        lay(1, QStringLiteral("qh"));
        emptyStock();
        drag(column(0), form->Foundations[0]);
        drag(column(1), column(0));  // an empty column stays empty and takes any card
        QCOMPARE(ColumnText(column(0)), QStringLiteral("QH"));
        QVERIFY(column(1)->Cards->IsEmpty());
        QVERIFY(form->DeckPileView->toolTip().isEmpty());
    }

    void onceTheStockIsEmptyUndoStillTurnsAnUncoveredCardDown()
    {
        const FixedSeed five(5);
        const DealtWindow<TIndianPatienceForm> seeded;
        form = seeded;
        form->show();
        QApplication::setActiveWindow(form);
        for (int i = 0; i < 74; ++i)
            QTest::keyClick(form, Qt::Key_Space);
        QCOMPARE(ColumnText(column(4)), QStringLiteral("th 5S 5D"));
        drag(column(4), column(1));  // onto the Six of clubs
        const QString before = form->dealText();
        drag(column(4), column(8));  // the Five of spades onto the Six of hearts
        QCOMPARE(ColumnText(column(4)), QStringLiteral("TH"));
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ColumnText(column(4)), QStringLiteral("th 5S"));
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 75);
    }

    void theStockTurnsOneCardByClickKeyOrMiddleButton()
    {
        TCard *top = form->DeckPileView->Cards->CardAt(TCardPile::Top);
        QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30});
        QCOMPARE(form->DiscardPileView->Cards->CardAt(0), top);
        QVERIFY(top->FaceUp);
        QTest::keyClick(form, Qt::Key_Space);
        QTest::mouseClick(column(4), Qt::MiddleButton, {}, {10, 10});
        QTest::mouseClick(form->Foundations[3], Qt::MiddleButton, {}, {10, 10});
        QTest::mouseClick(form->DiscardPileView, Qt::MiddleButton, {}, {10, 10});
        QTest::mouseClick(form, Qt::MiddleButton, {}, {form->width() - 3, form->height() - 3});
        QCOMPARE(form->DiscardPileView->Cards->Count(), 6);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("68"));
        QCOMPARE(form->MoveCount, 6);
        QCOMPARE(game->sounds.names().count(QStringLiteral("STOCK")), 6);
        for (int i = 0; i < 6; ++i)
            form->Undo1->trigger();
        QCOMPARE(form->DeckPileView->Cards->CardAt(TCardPile::Top), top);
        QVERIFY(!top->FaceUp);  // a drawn card goes back face down
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("74"));
    }

    void anEmptyStockIsNeverRebuilt()
    {
        emptyStock();
        const QString before = form->dealText();
        form->DeckPileViewClick();
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
    }

    void aRefillTakesWhatTheStockHasLeft()
    {
        lay(0, QStringLiteral("ah"));
        while (form->DeckPileView->Cards->Count() > 1)
            form->DeckPileViewClick();
        const int moves = form->MoveCount;
        const QString before = form->dealText();
        drag(column(0), form->Foundations[0]);
        QCOMPARE(column(0)->Cards->Count(), 1);
        QCOMPARE(FaceUpCount(column(0)), 1);  // a single card lies face up
        QVERIFY(!form->isBase(column(0)->Cards->CardAt(0)));  // the stock is gone: nothing is locked
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, moves);
    }

    void releasedOverTheTableTheCardFindsItsPlace()
    {
        lay(0, QStringLiteral("kd 9S"));
        lay(1, QStringLiteral("kc 8D"));
        lay(2, QStringLiteral("qc 9D"));
        // Picked up and let go right of the stock, below the discard pile, touching nothing else.
        TCardPileView *from = column(1);
        const QPoint at = TopCardPoint(from);
        const QPoint table = from->mapFromGlobal(form->mapToGlobal(QPoint(form->width() - 4, 150)));
        QTest::mousePress(from, Qt::LeftButton, {}, at);
        QTest::mouseMove(from, at + QPoint(5, 5));
        QTest::mouseMove(from, table);
        QTest::mouseRelease(from, Qt::LeftButton, {}, table);
        QCOMPARE(ColumnText(column(0)), QStringLiteral("kd 9S 8D"));  // the first column that takes it
        QCOMPARE(form->MoveCount, 1);
    }

    void promptsWaitForTenMoves()
    {
        for (int i = 0; i < 10; ++i)
            form->DeckPileViewClick();
        game->dialogs.answer = Dialogs::Cancel;
        QVERIFY(!form->close());  // closing asks at ten
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Quit this game of Indian Patience?")});
        form->NewGame1Click(form->Restart1);  // Restart and New Game not yet
        QCOMPARE(game->dialogs.messages().size(), 1);
        QCOMPARE(form->MoveCount, 0);
        for (int i = 0; i < 11; ++i)
            form->DeckPileViewClick();
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->dialogs.messages().last(), QStringLiteral("Restart this game of Indian Patience?"));
        QCOMPARE(form->MoveCount, 11);
        Help::setFilePath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Cardenza.hlp"));
        QTest::keyClick(form, Qt::Key_F1);
        QCOMPARE(Help::lastTopic(), 1006);
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window != form)
                window->close();
    }

    void theMenuAndTheSharedAutoplayOption()
    {
        QStringList items;
        for (QAction *action : form->PopupMenu1->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->objectName() + QLatin1Char('=') + action->text());
        QCOMPARE(items, (QStringList{QStringLiteral("Undo1=&Undo"), QStringLiteral("Redo1=&Redo"), QStringLiteral("Hint1=&Hint"),
                                     QStringLiteral("Solve1=S&olve"), QStringLiteral("-"), QStringLiteral("Autoplay1=A&utoplay"),
                                     QStringLiteral("-"), QStringLiteral("WinnableOnly1=Winnable Deals Only"),
                                     QStringLiteral("-"), QStringLiteral("NewDeal1=&New Game"),
                                     QStringLiteral("Redeal1=&Restart"), QStringLiteral("Preferences1=Pre&ferences..."), QStringLiteral("Statistics1=S&tatistics..."),
                                     QStringLiteral("About1=Rule&s...")}));
        QVERIFY(!form->DoAutoplay);
        QTest::keyClick(form, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(IniFile::read(QStringLiteral("Solitaire.ini"), QStringLiteral("IndianPatience"),
                               QStringLiteral("Autoplay"), QStringLiteral("None")),
                 QStringLiteral("True"));
        TCard::SetCardSize(FS_SMALL);
        const DealtWindow<TsIndianPatienceForm> small;
        TCard::SetCardSize(FS_LARGE);
        QVERIFY(small->DoAutoplay && small->Autoplay1->isChecked());  // one option for both sizes
    }

    void theLastCardHomeWins()
    {
        for (TCardPileView *view : form->Tableau)
            EmptyInto(view, form->DeckPileView);
        for (int suit = 0; suit < 4; ++suit)
            for (int copy = 0; copy < 2; ++copy)
                for (int value = FS_ACE; value <= FS_KING; ++value) {
                    const bool last = suit == 3 && copy == 1 && value == FS_KING;
                    Place(form, CardSuit(suit), CardValue(value), last ? column(0) : form->Foundations[suit * 2 + copy]);
                }
        form->applyBaseCardRule();
        QVERIFY(form->DeckPileView->Cards->IsEmpty());
        QTest::mouseClick(column(0), Qt::LeftButton, Qt::ControlModifier, TopCardPoint(column(0)));
        QCOMPARE(form->windowTitle(), QStringLiteral("Indian Patience   Score: 104"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
        form->Undo1->trigger();
        QTest::mouseClick(column(0), Qt::LeftButton, Qt::ShiftModifier, TopCardPoint(column(0)));
        QCOMPARE(game->dialogs.modals(), 1);
    }

    void theWindowsKeepTheirWidthAndStretchTheirColumns_data()
    {
        QTest::addColumn<bool>("small");
        QTest::newRow("large") << false;
        QTest::newRow("small") << true;
    }
    void theWindowsKeepTheirWidthAndStretchTheirColumns()
    {
        QFETCH(bool, small);
        TCard::SetCardSize(small ? FS_SMALL : FS_LARGE);
        const RegisteredGame *entry = GameRegistry::find(QStringLiteral("Indian Patience"));
        QPointer<GameWindow> created = small ? entry->createSmall() : entry->createLarge();
        TCard::SetCardSize(FS_LARGE);
        auto *window = static_cast<TIndianPatienceForm *>(created.data());
        QCOMPARE(small ? static_cast<GameWindow *>(sIndianPatienceForm) : IndianPatienceForm.data(), window);
        const int width = small ? 725 : 885;
        QCOMPARE(window->size(), QSize(width, small ? 520 : 675));
        QCOMPARE(window->minimumWidth(), width);
        QCOMPARE(window->maximumWidth(), width);
        window->show();
        window->resize(width, 800);
        QCOMPARE(window->Tableau[9]->height(), 800 - (small ? 250 : 298));
        QCOMPARE(window->Foundations[7]->y(), 800 - (small ? 102 : 129));
        delete window;
    }

    void theSmallWindowFollowsItsTable()
    {
        TCard::SetCardSize(FS_SMALL);
        const DealtWindow<TsIndianPatienceForm> small;
        TCard::SetCardSize(FS_LARGE);
        QCOMPARE(small->DeckPileView->geometry(), QRect(8, 8, 107, 113));
        QCOMPARE(small->DiscardPileView->geometry(), QRect(128, 8, 593, 95));
        QCOMPARE(small->DiscardPileView->XOffset, 9.0f);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(small->Tableau[i]->geometry(), QRect(8 + 72 * i, 136, 61, 270));
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(small->Foundations[i]->geometry(), QRect(79 + 72 * i, 418, 61, 95));
            QCOMPARE(form->Foundations[i]->geometry(), QRect(96 + 88 * i, 546, 80, 125));
        }
        QCOMPARE(small->Tableau[0]->YOffset, 16.0f);
        QCOMPARE(small->dealText(), form->dealText());
    }

    void theLauncherOpensItAtTheChosenCardSize()
    {
        const ScreenOverride wide(1280);
        const LauncherWindow launcher;
        const GameWindow *small = OpenBothSizesFromTheLauncher(QStringLiteral("Indian Patience"));
        QVERIFY(small && small == sIndianPatienceForm);
    }
};

QTEST_MAIN(TestIndianPatience)
#include "tst_indianpatience.moc"
