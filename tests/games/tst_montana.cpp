// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/GameRegistry.h"
#include "shell/GameCatalog.h"
#include "games/MontanaWindow.h"
#include "platform/Help.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

namespace {

struct Montana : GameTestKit {
    DealtWindow<TMontanaForm> window;
    Montana()
    {
        window->show();
        QApplication::setActiveWindow(window);
    }
};

// "2C" and the like; "--" is a gap and "??" any card no other token names.
bool ParseCard(const QString &token, CardSuit *suit, CardValue *value)
{
    static const QString ranks = QStringLiteral("A23456789TJQK"), suits = QStringLiteral("CSDH");
    if (token.size() != 2 || ranks.indexOf(token[0]) < 0 || suits.indexOf(token[1]) < 0)
        return false;
    *value = CardValue(ranks.indexOf(token[0]));
    *suit = CardSuit(suits.indexOf(token[1]));
    return true;
}

// The grid as text, four rows of thirteen tokens.
QStringList GridText(const TMontanaForm *form)
{
    QStringList rows;
    for (int row = 0; row < TMontanaForm::Rows; ++row) {
        QStringList tokens;
        for (int column = 0; column < TMontanaForm::Columns; ++column) {
            const TCard *card = form->Grid[row * TMontanaForm::Columns + column]->Cards->CardAt(TCardPile::Top);
            tokens << (card ? CardText(card) : QStringLiteral("--"));
        }
        rows << tokens.join(QLatin1Char(' '));
    }
    return rows;
}

}  // namespace

class TestMontana : public QObject
{
    Q_OBJECT
    std::optional<Montana> game;
    TMontanaForm *form = nullptr;

    TCardPileView *at(int row, int column) const { return form->Grid[row * 13 + column]; }
    QString cardAt(int row, int column) const
    {
        const TCard *card = at(row, column)->Cards->CardAt(TCardPile::Top);
        return card ? CardText(card) : QStringLiteral("--");
    }

    // Lays the grid out as the rows say; the cards no token names fill the "??" places,
    // Kings first and Twos last, and whatever is left (the Aces) is out of play.
    void arrange(const QStringList &rows)
    {
        QList<TCard *> pool;
        for (TCardPileView *view : form->pileViews())
            while (TCard *card = view->Cards->CardAt(0)) {
                view->Cards->RemoveCard(card);
                pool << card;
            }
        auto take = [&pool](CardSuit suit, CardValue value) -> TCard * {
            for (TCard *card : pool)
                if (card->Suit == suit && card->Value == value) {
                    pool.removeOne(card);
                    return card;
                }
            return nullptr;
        };
        QList<TCardPileView *> anyCard;
        for (int row = 0; row < 4; ++row) {
            const QStringList tokens = rows[row].split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QCOMPARE(tokens.size(), 13);
            for (int column = 0; column < 13; ++column) {
                CardSuit suit;
                CardValue value;
                if (ParseCard(tokens[column], &suit, &value))
                    at(row, column)->Cards->AddCard(take(suit, value));
                else if (tokens[column] == QLatin1String("??"))
                    anyCard << at(row, column);
            }
        }
        std::stable_sort(pool.begin(), pool.end(), [](const TCard *a, const TCard *b) { return a->Value > b->Value; });
        for (TCardPileView *place : anyCard)
            place->Cards->AddCard(pool.takeFirst());
        for (TCard *card : pool)
            form->DiscardPileView->Cards->AddCard(card);
        for (TCardPileView *view : form->pileViews()) {
            for (int i = 0; i < view->Cards->Count(); ++i)
                view->Cards->CardAt(i)->FaceUp = true;
            view->update();
        }
        form->ShowScore();
    }
    void click(int row, int column, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(at(row, column), button, {}, {30, 40});
    }
    void drag(int row, int column, int toRow, int toColumn)
    {
        DragWithMouse(at(row, column), {30, 40}, at(toRow, toColumn), {30, 40});
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
        QCOMPARE(GridText(form), (QStringList{
                                      QStringLiteral("-- JS 6H 2S 3D KD 9H 8H QD 6S TH 5C 7H"),
                                      QStringLiteral("4C 8D JC 5S 8C KC 9S -- 5H 6D QH 8S 3S"),
                                      QStringLiteral("2D 7S 6C TS 3C 4D 2H QS -- 7D QC 4S TC"),
                                      QStringLiteral("7C -- 5D JH KH JD 3H 2C TD 9D KS 4H 9C"),
                                  }));
        QVERIFY(form->dealText().endsWith(QStringLiteral("CardPileView52: 9C\nDiscardPileView: AH AD AC AS\n")));
        QVERIFY(!form->DiscardPileView->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana   Score: 1"));  // the Two of diamonds heads row 3
        QVERIFY(game->sounds.played().isEmpty());
        QVERIFY(form->Shuffle1->isEnabled());
    }

    void newGameAndRestart()
    {
        PreferencesDlg->DoAnimation = true;
        const QStringList first = GridText(form);
        click(1, 7);  // the gap after the Nine of spades takes the Ten
        click(3, 1);  // and the one after the Seven of clubs the Eight
        QCOMPARE(form->MoveCount, 2);
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(GridText(form), first);  // the fixed seed deals the same cards again, the moves gone
        QCOMPARE(form->MoveCount, 0);
        QCOMPARE(game->sounds.names().count(QStringLiteral("SHUFFLE")), 1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("DEAL")), 13);
        game->sounds.clear();
        PreferencesDlg->DoAnimation = false;
        const QString second = form->dealText();
        click(0, 0);
        form->NewGame1Click(form->Restart1);
        QCOMPARE(form->dealText(), second);  // every card face up again, in the same places
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("RESTART")});
    }

    void clickingACardSendsItToItsGap()
    {
        arrange({QStringLiteral("-- 3C ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??"),
                 QStringLiteral("2H 7S -- ?? ?? ?? ?? ?? ?? ?? ?? ?? ??"),
                 QStringLiteral("2C -- ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??"),
                 QStringLiteral("?? 8S ?? ?? -- ?? ?? ?? ?? ?? ?? 3H 2S")});
        click(0, 1);  // the Three of clubs: the gap after the Two of clubs
        QCOMPARE(cardAt(2, 1), QStringLiteral("3C"));
        QCOMPARE(cardAt(0, 1), QStringLiteral("--"));
        click(3, 12);  // a Two: the topmost empty first-column place
        QCOMPARE(cardAt(0, 0), QStringLiteral("2S"));
        click(1, 0);  // no first-column place is empty: the Two stays
        QCOMPARE(cardAt(1, 0), QStringLiteral("2H"));
        click(3, 1);  // the Eight of spades: the gap after the Seven
        QCOMPARE(cardAt(1, 2), QStringLiteral("8S"));
        QCOMPARE(form->MoveCount, 3);
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana   Score: 4"));
        QVERIFY(game->sounds.played().isEmpty());  // moves are silent
    }

    void aDoubleClickIsTwoClicks()
    {
        // In the pinned deal the Ten of spades has the gap after the Nine to go to; the
        // second click lands on the place it left, which takes the Seven of clubs.
        QTest::mouseDClick(at(2, 3), Qt::LeftButton, {}, {30, 40});
        QCOMPARE(cardAt(1, 7), QStringLiteral("TS"));
        QCOMPARE(cardAt(2, 3), QStringLiteral("7C"));
        QCOMPARE(cardAt(3, 0), QStringLiteral("--"));
        QCOMPARE(form->MoveCount, 2);
        form->Undo1->trigger();
        form->Undo1->trigger();
        QCOMPARE(GridText(form)[2], QStringLiteral("2D 7S 6C TS 3C 4D 2H QS -- 7D QC 4S TC"));
    }

    void aTwoLeavesTheRowItHeadsForAHigherEmptyPlace()
    {
        arrange({QStringLiteral("-- ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??"),
                 QStringLiteral("?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? --"),
                 QStringLiteral("2D 3D 4D ?? ?? ?? ?? ?? ?? ?? ?? ?? --"),
                 QStringLiteral("?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? --")});
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana   Score: 3"));
        click(2, 0);
        QCOMPARE(cardAt(0, 0), QStringLiteral("2D"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana   Score: 1"));  // its run is broken
    }

    void aCardWithoutAGapCanBeDraggedButGoesBack()
    {
        arrange({QStringLiteral("2C 3C 4C ?? ?? ?? ?? ?? ?? ?? ?? ?? --"),
                 QStringLiteral("?? 5C ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? --"),
                 QStringLiteral("?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? --"),
                 QStringLiteral("?? KH -- -- ?? ?? ?? ?? ?? ?? ?? ?? ??")});
        const QString before = form->dealText();
        click(1, 1);  // the Four of clubs is followed by a card, not a gap
        QCOMPARE(form->dealText(), before);
        drag(1, 1, 3, 2);  // right of a King: refused, and there is no default place
        QCOMPARE(form->dealText(), before);
        DragWithMouse(at(1, 1), {30, 40}, form, {form->width() / 2, form->height() - 3});
        QCOMPARE(form->dealText(), before);
        click(3, 2);  // the gap after a King cannot be filled by a click either
        click(3, 3);  // nor a gap after a gap
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
    }

    void clickingAGapBringsInItsCard()
    {
        arrange({QStringLiteral("-- 3H ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??"),
                 QStringLiteral("2H ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??"),
                 QStringLiteral("-- 9S ?? 2C ?? ?? ?? ?? ?? ?? ?? 2D ??"),
                 QStringLiteral("?? 6D -- ?? ?? ?? ?? 7D ?? 2S -- ?? ??")});
        click(0, 0);  // beside a Three: the Two of its suit, from the first column
        QCOMPARE(cardAt(0, 0), QStringLiteral("2H"));
        QCOMPARE(cardAt(1, 0), QStringLiteral("--"));
        click(1, 0);  // beside anything else: the first Two outside the first column
        QCOMPARE(cardAt(1, 0), QStringLiteral("2C"));
        click(2, 0);
        QCOMPARE(cardAt(2, 0), QStringLiteral("2D"));
        click(3, 2);  // after the Six of diamonds: the Seven
        QCOMPARE(cardAt(3, 2), QStringLiteral("7D"));
        QCOMPARE(form->MoveCount, 4);
        // Each of the four clicks is one move, taken back by one click on Undo.
        for (const auto &[row, column, card] : {std::tuple{3, 7, "7D"}, {2, 11, "2D"}, {2, 3, "2C"}, {1, 0, "2H"}}) {
            form->Undo1->trigger();
            QCOMPARE(cardAt(row, column), QString::fromLatin1(card));
        }
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
        QCOMPARE(game->sounds.names().count(QStringLiteral("UNDO")), 4);
    }

    void shuffleRemainingKeepsTheRunsAndTheirGaps()
    {
        arrange({QStringLiteral("2C 3C 4C 5C ?? ?? ?? ?? ?? ?? -- ?? ??"),
                 QStringLiteral("2D -- ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??"),
                 QStringLiteral("3S 2S ?? ?? ?? 7S ?? ?? ?? ?? ?? -- ??"),
                 QStringLiteral("2H 3H ?? ?? ?? ?? ?? ?? 6S -- ?? ?? ??")});
        click(3, 9);  // one move, which the redeal makes impossible to take back
        QCOMPARE(cardAt(3, 9), QStringLiteral("7S"));
        QVERIFY(form->Undo1->isEnabled());
        const int moves = form->MoveCount;
        game->sounds.clear();
        QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(game->sounds.names(), (QStringList{QStringLiteral("SHUFFLE"), QStringLiteral("DEAL"),
                                                    QStringLiteral("DEAL"), QStringLiteral("DEAL"),
                                                    QStringLiteral("DEAL")}));  // animated: one per row
        QCOMPARE(form->Redeals, 1);
        QVERIFY(!form->Undo1->isEnabled());
        QCOMPARE(form->MoveCount, moves);
        QCOMPARE(GridText(form)[0].left(11), QStringLiteral("2C 3C 4C 5C"));
        QCOMPARE(cardAt(0, 4), QStringLiteral("--"));  // the gap right after the run
        QCOMPARE(cardAt(1, 0), QStringLiteral("2D"));
        QCOMPARE(cardAt(3, 2), QStringLiteral("--"));
        int gaps = 0;
        for (TCardPileView *place : form->Grid) {
            gaps += place->Cards->IsEmpty() ? 1 : 0;
            QVERIFY(place->Cards->Count() <= 1);
            QVERIFY(place->Cards->IsEmpty() || place->Cards->CardAt(0)->Value != FS_ACE);
        }
        QCOMPARE(gaps, 4);  // two kept after runs, and one Ace's place for each of the other rows
        QCOMPARE(form->DiscardPileView->Cards->Count(), 4);
        const QString caption = form->windowTitle();
        QCOMPARE(caption, form->ShowScore() > 0 ? QStringLiteral("Montana   Score: %1").arg(form->Score)
                                                : QStringLiteral("Montana"));
        form->Shuffle1->trigger();
        QVERIFY(!form->Shuffle1->isEnabled());  // twice a game
        const QString after = form->dealText();
        QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(form->dealText(), after);
        form->NewGame1Click(form->NewGame1);
        QVERIFY(form->Shuffle1->isEnabled());
        QCOMPARE(form->Redeals, 0);
    }

    void aRedealBringsTheCaptionUpToDate()
    {
        // No row has a run, so every card is dealt again; with the fixed seed the Two
        // of spades comes to the first place.
        arrange({QStringLiteral("KD -- KC KH 2S QD QH QS QC JS JC JH JD"),
                 QStringLiteral("TH -- TS TC TD 9H 9S 9D 9C 8H 8D 8C 8S"),
                 QStringLiteral("7H -- 7S 7D 7C 6H 6S 6D 6C 5C 5S 5H 5D"),
                 QStringLiteral("4C -- 4D 4S 4H 3D 3S 3C 3H KS 2D 2H 2C")});
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana"));
        form->Shuffle1->trigger();
        QCOMPARE(cardAt(0, 0), QStringLiteral("2S"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana   Score: 1"));
    }

    void theMenuHasItsOwnItemInItsPlace()
    {
        QStringList items;
        for (QAction *action : form->PopupMenu1->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(items, (QStringList{QStringLiteral("&Undo"), QStringLiteral("&Redo"), QStringLiteral("&Hint"), QStringLiteral("S&olve"),
                                     QStringLiteral("-"), QStringLiteral("&Shuffle Remaining"), QStringLiteral("-"),
                                     QStringLiteral("Winnable Deals Only"), QStringLiteral("-"), QStringLiteral("&New Game"), QStringLiteral("&Restart"),
                                     QStringLiteral("&Preferences..."), QStringLiteral("S&tatistics..."), QStringLiteral("Rul&es...")}));
        QCOMPARE(form->Shuffle1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QVERIFY(!form->Autoplay1);
    }

    void aCompletedGridWinsOnceAndEndsTheShuffles()
    {
        arrange({QStringLiteral("2C 3C 4C 5C 6C 7C 8C 9C TC JC QC KC --"),
                 QStringLiteral("2D 3D 4D 5D 6D 7D 8D 9D TD JD QD KD --"),
                 QStringLiteral("2S 3S 4S 5S 6S 7S 8S 9S TS JS QS -- KS"),
                 QStringLiteral("2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH --")});
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana   Score: 47"));
        click(2, 12);
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana   Score: 48"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
        QVERIFY(!form->Shuffle1->isEnabled());
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->windowTitle(), QStringLiteral("Montana   Score: 47"));
        QVERIFY(!form->Shuffle1->isEnabled());  // undo does not give the shuffles back
        click(2, 12);
        QCOMPARE(game->dialogs.modals(), 1);
        QVERIFY(form->close());  // won: no question
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void promptsAndHelp()
    {
        const QStringList twoWalks = {QStringLiteral("-- ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ??"),
                                      QStringLiteral("2C ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? --"),
                                      QStringLiteral("2D ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? ?? --"),
                                      QStringLiteral("2S ?? ?? ?? ?? ?? ?? ?? ?? ?? 2H ?? --")};
        // The Two of spades goes up and down the first column: one move per click.
        auto walk = [this](int clicks) {
            for (int i = 0; i < clicks; ++i)
                click(i % 2 == 0 ? 3 : 0, 0);
        };
        arrange(twoWalks);
        walk(5);
        QCOMPARE(form->MoveCount, 5);
        game->dialogs.answer = Dialogs::Cancel;
        form->NewGame1Click(form->Restart1);  // five moves: no question
        QVERIFY(game->dialogs.messages().isEmpty());
        QCOMPARE(form->MoveCount, 0);
        arrange(twoWalks);
        walk(5);
        QVERIFY(!form->close());  // closing asks at five
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Quit this game of Montana?")});
        walk(1);
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->dialogs.messages().last(), QStringLiteral("Restart this game of Montana?"));
        QCOMPARE(form->MoveCount, 6);
        Help::setFilePath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Cardenza.hlp"));
        QTest::keyClick(form, Qt::Key_F1);
        QCOMPARE(Help::lastTopic(), 1008);
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window != form)
                window->close();
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
        const RegisteredGame *entry = GameRegistry::find(QStringLiteral("Montana"));
        QVERIFY(entry);
        QPointer<GameWindow> window = small ? entry->createSmall() : entry->createLarge();
        TCard::SetCardSize(FS_LARGE);
        const QSize client = small ? QSize(800, 420) : QSize(1041, 580);
        QCOMPARE(window->size(), client);
        QCOMPARE(window->minimumSize(), client);
        QCOMPARE(window->maximumSize(), client);
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(small ? static_cast<GameWindow *>(sMontanaForm) : MontanaForm.data(), window.data());
        delete window.data();
    }

    void theSmallGridSitsEdgeToEdge()
    {
        TCard::SetCardSize(FS_SMALL);
        const DealtWindow<TsMontanaForm> small;
        TCard::SetCardSize(FS_LARGE);
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 13; ++column) {
                const int index = row * 13 + column;
                QCOMPARE(small->Grid[index]->objectName(), QStringLiteral("CardPileView%1").arg(index + 1));
                QCOMPARE(small->Grid[index]->geometry(), QRect(3 + 61 * column, 8 + 104 * row, 61, 95));
                QCOMPARE(form->Grid[index]->geometry(), QRect(80 * column, 8 + 144 * row, 80, 125));
            }
        QCOMPARE(small->DiscardPileView->geometry(), QRect(72, 576, 129, 17));
        QCOMPARE(small->dealText(), form->dealText());
    }

    void theLauncherOpensItAtTheChosenCardSize()
    {
        const ScreenOverride wide(1280);
        const LauncherWindow launcher;
        const GameWindow *small = OpenBothSizesFromTheLauncher(QStringLiteral("Montana"));
        QVERIFY(small && small == sMontanaForm);
    }
};

QTEST_MAIN(TestMontana)
#include "tst_montana.moc"
