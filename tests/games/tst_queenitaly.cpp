// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/QueenItalyWindow.h"
#include "platform/Help.h"
#include "platform/IniFile.h"
#include "shell/GameCatalog.h"

#include <QAction>
#include <QTest>

namespace {

struct QueenOfItaly : GameTestKit {
    DealtWindow<TQueenItalyForm> window;
    QueenOfItaly() { window->show(); }
};

QString stored(const char *section, const QString &key)
{
    return IniFile::read(QStringLiteral("Solitaire.ini"), QString::fromLatin1(section), key, QStringLiteral("None"));
}

// With two decks every card has a twin: this puts one on top of a view, taken from
// the stock if it lies there, otherwise from the columns or the waste, the terrace
// last, and never from a foundation.
TCard *Take(TQueenItalyForm *form, CardSuit suit, CardValue value, TCardPileView *onto, bool faceUp = true)
{
    const QList<TCardPileView *> sources =
        QList<TCardPileView *>{form->DeckPileView, form->DiscardPileView} + form->Tableau + QList<TCardPileView *>{form->TerracePileView};
    for (TCardPileView *view : sources)
        for (int i = 0; view != onto && i < view->Cards->Count(); ++i) {
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

const char *const firstDeal =
    "TerracePileView: 2C KD 7C 3H 3S KH 9D JS 2D 7S KC\n"
    "FoundPile1:\nFoundPile2:\nFoundPile3:\nFoundPile4:\nFoundPile5:\nFoundPile6:\nFoundPile7:\nFoundPile8:\n"
    "TableauPileView1: 8S\nTableauPileView2: JH\nTableauPileView3: 5D\nTableauPileView4: 2D\n"
    "TableauPileView5:\nTableauPileView6:\nTableauPileView7:\nTableauPileView8:\nTableauPileView9:\n"
    "DeckPileView: 9c 9h as 2h 5h 8h ts 7d qs 9d 6h 3s 4d ah 6c 6s 8d 7h 8h 4c 9s 3c jd 3d qh ts 4d qc jd 5s 3d 2h "
    "7c jc 6d th ac 4c 4s 6h 7d 6s 6c jh ad kh 9c 8c qs ks 9s kd ah 5d ad 8d 7h qd js 4h 2s kc as 5c 5c 5h ac qc qd "
    "2s 4s td tc 3c 3h jc 9h 8s th 6d 7s 4h qh 5s td 2c ks tc 8c\n"
    "DiscardPileView:\n";

}  // namespace

class TestQueenItaly : public QObject
{
    Q_OBJECT
    std::optional<QueenOfItaly> game;
    TQueenItalyForm *form = nullptr;

    void clickStock(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30});
    }
    void undo() { form->Undo1->trigger(); }
    void doubleClickTop(TCardPileView *view) { QTest::mouseDClick(view, Qt::LeftButton, {}, TopCardPoint(view)); }
    // The player chooses the base with a press on a column's card.
    void chooseBase(int column) { QTest::mouseClick(form->Tableau[column], Qt::LeftButton, {}, {30, 30}); }
    // The base is chosen with the given card, put in the first column for it.
    void chooseBaseWith(CardSuit suit, CardValue value)
    {
        EmptyInto(form->Tableau[0], form->DeckPileView);
        Take(form, suit, value, form->Tableau[0]);
        form->Tableau[0]->update();
        chooseBase(0);
    }
    void emptyColumns(std::initializer_list<int> columns)
    {
        for (const int c : columns)
            EmptyInto(form->Tableau[c], form->DeckPileView);
        repaintAll(form);
    }

private Q_SLOTS:
    void init()
    {
        game.emplace();
        form = game->window;
    }
    void cleanup() { game.reset(); }

    void dealsTheTerraceAndFourCardsToChooseFrom()
    {
        QCOMPARE(form->dealText(), QString::fromLatin1(firstDeal));
        QCOMPARE(FaceUpCount(form->TerracePileView), 11);
        QCOMPARE(form->TerracePileView->CardRectAt(10).left(), 120);  // fanned 12 pixels apart
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("89"));
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        QCOMPARE(form->windowTitle(), QStringLiteral("Queen of Italy"));
        QVERIFY(!form->BaseChosen);
        QVERIFY(game->sounds.played().isEmpty());
        PreferencesDlg->DoAnimation = true;
        form->NewGame1Click(form->NewGame1);
        QCOMPARE(game->sounds.names().count(QStringLiteral("DEAL")), 5);  // the terrace, then each column
        for (int c = 0; c < 9; ++c)
            QCOMPARE(form->Tableau[c]->Cards->Count(), c < 4 ? 1 : 0);
    }

    void theLauncherOpensItAndF1ShowsItsRules()
    {
        const ScreenOverride wide(1280);
        const LauncherWindow launcher;
        PreferencesDlg->CardSize = 1;
        SolitaireForm->SelectGame(GameCatalog::indexOf(QStringLiteral("Queen of Italy")));
        QVERIFY(QueenItalyForm && QueenItalyForm->isVisible());
        Help::setFilePath(QFINDTESTDATA("../../resources/help/Cardenza.html"));
        QTest::keyClick(QueenItalyForm, Qt::Key_F1);
        QCOMPARE(Help::lastTopic(), 1010);
    }

    void nothingButTheChoiceOfTheBaseCanBeDoneFirst()
    {
        clickStock();
        QTest::keyClick(form, Qt::Key_Space);
        QTest::mouseClick(form, Qt::MiddleButton, {}, {10, form->height() - 200});
        doubleClickTop(form->TerracePileView);
        QTest::mouseClick(form->TerracePileView, Qt::LeftButton, Qt::ShiftModifier, TopCardPoint(form->TerracePileView));
        DragWithMouse(form->TerracePileView, TopCardPoint(form->TerracePileView), form->Tableau[6], {30, 30});
        QTest::mouseClick(form->Tableau[2], Qt::MiddleButton, {}, {30, 30});
        QCOMPARE(form->dealText(), QString::fromLatin1(firstDeal));
        PreferencesDlg->DoAnimation = true;
        game->sounds.clear();
        chooseBase(2);  // the Five of diamonds
        QCOMPARE(form->Foundations[0]->Cards->Count(), 1);
        QCOMPARE(form->BaseValue, FS_FIVE);
        for (TCardPileView *column : form->Tableau)
            QCOMPARE(column->Cards->Count(), 1);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("83"));
        QCOMPARE(game->sounds.names(), QStringList(6, QStringLiteral("DEAL")));
        QCOMPARE(form->windowTitle(), QStringLiteral("Queen of Italy   Score: 1"));
        QCOMPARE(form->MoveCount, 0);  // part of the deal: no move, no undo
        QVERIFY(!form->Undo1->isEnabled());
        form->NewGame1Click(form->Restart1);
        QCOMPARE(form->dealText(), QString::fromLatin1(firstDeal));
        QVERIFY(!form->BaseChosen);
    }

    void aFoundationRunsRoundFromItsBaseAndHoldsThirteen()
    {
        chooseBaseWith(FS_SPADES, FS_QUEEN);
        emptyColumns({8});
        for (int step = 1; step < 13; ++step) {
            Take(form, FS_SPADES, CardValue((FS_QUEEN + step) % 13), form->Tableau[8]);
            doubleClickTop(form->Tableau[8]);
        }
        QCOMPARE(form->Foundations[0]->Cards->Count(), 13);
        QCOMPARE(form->Foundations[0]->Cards->CardAt(1)->Value, FS_KING);
        QCOMPARE(form->Foundations[0]->Cards->CardAt(2)->Value, FS_ACE);
        QCOMPARE(form->Foundations[0]->Cards->CardAt(TCardPile::Top)->Value, FS_JACK);
        QCOMPARE(form->windowTitle(), QStringLiteral("Queen of Italy   Score: 13"));
        // The other Queen of spades, dragged over the full foundation, lands on an empty one.
        Take(form, FS_SPADES, FS_QUEEN, form->Tableau[8]);
        DragWithMouse(form->Tableau[8], TopCardPoint(form->Tableau[8]), form->Foundations[0], {30, 30});
        QCOMPARE(form->Foundations[0]->Cards->Count(), 13);
        QCOMPARE(form->windowTitle(), QStringLiteral("Queen of Italy   Score: 14"));
    }

    void columnsBuildDownRoundTheCornerInAlternatingColours_data()
    {
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("ontoSuit");
        QTest::addColumn<int>("ontoValue");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("black King on red Ace") << int(FS_SPADES) << int(FS_KING) << int(FS_HEARTS) << int(FS_ACE) << true;
        QTest::newRow("black King on black Ace") << int(FS_SPADES) << int(FS_KING) << int(FS_CLUBS) << int(FS_ACE) << false;
        QTest::newRow("red Ace on black King") << int(FS_HEARTS) << int(FS_ACE) << int(FS_SPADES) << int(FS_KING) << false;
        QTest::newRow("red Ace on black Two") << int(FS_HEARTS) << int(FS_ACE) << int(FS_CLUBS) << int(FS_TWO) << true;
        QTest::newRow("red Queen on black King") << int(FS_DIAMONDS) << int(FS_QUEEN) << int(FS_SPADES) << int(FS_KING) << true;
        QTest::newRow("black Queen on black King") << int(FS_CLUBS) << int(FS_QUEEN) << int(FS_SPADES) << int(FS_KING) << false;
        QTest::newRow("red Jack on black King") << int(FS_HEARTS) << int(FS_JACK) << int(FS_SPADES) << int(FS_KING) << false;
        QTest::newRow("red Five on black Six") << int(FS_DIAMONDS) << int(FS_FIVE) << int(FS_CLUBS) << int(FS_SIX) << true;
    }
    void columnsBuildDownRoundTheCornerInAlternatingColours()
    {
        QFETCH(int, suit);
        QFETCH(int, value);
        QFETCH(int, ontoSuit);
        QFETCH(int, ontoValue);
        QFETCH(bool, accepted);
        chooseBase(0);
        emptyColumns({1, 2});
        Take(form, CardSuit(ontoSuit), CardValue(ontoValue), form->Tableau[2]);
        Take(form, CardSuit(suit), CardValue(value), form->Tableau[1]);
        repaintAll(form);
        DragWithMouse(form->Tableau[1], TopCardPoint(form->Tableau[1]), form->Tableau[2], TopCardPoint(form->Tableau[2]));
        QCOMPARE(form->Tableau[2]->Cards->Count(), accepted ? 2 : 1);
        QCOMPARE(form->MoveCount, form->Tableau[1]->Cards->IsEmpty() ? 1 : 0);
    }

    void aTerraceCardGoesOnlyHome()
    {
        chooseBase(0);  // the Eight of spades; the terrace ends in the King of clubs
        emptyColumns({8});
        Take(form, FS_HEARTS, FS_ACE, form->Tableau[7]);
        repaintAll(form);
        const QString before = form->dealText();
        DragWithMouse(form->TerracePileView, TopCardPoint(form->TerracePileView), form->Tableau[8], {30, 30});
        DragWithMouse(form->TerracePileView, TopCardPoint(form->TerracePileView), form->Tableau[7],
                      TopCardPoint(form->Tableau[7]));
        QCOMPARE(form->dealText(), before);
        for (int value = FS_EIGHT; value <= FS_QUEEN; ++value)
            Take(form, FS_CLUBS, CardValue(value), form->Foundations[1]);
        form->Foundations[1]->update();
        doubleClickTop(form->TerracePileView);
        QCOMPARE(form->Foundations[1]->Cards->CardAt(TCardPile::Top)->Value, FS_KING);
        QCOMPARE(form->TerracePileView->Cards->Count(), 10);
        undo();
        QCOMPARE(form->TerracePileView->Cards->Count(), 11);
        QCOMPARE(form->MoveCount, 0);
    }

    void releasedOverTheTableACardGoesToAFilledColumnBeforeAnEmptyOne()
    {
        chooseBase(0);
        emptyColumns({0, 1, 2, 3, 4, 5, 6, 7, 8});
        Take(form, FS_SPADES, FS_NINE, form->Tableau[6]);
        Take(form, FS_HEARTS, FS_EIGHT, form->Tableau[7]);
        Take(form, FS_CLUBS, FS_QUEEN, form->Tableau[8]);
        repaintAll(form);
        // Released right of the columns, over nothing but the table.
        const QPoint table(form->width() - 10, form->height() / 2);
        DragWithMouse(form->Tableau[7], TopCardPoint(form->Tableau[7]), form, table);
        QCOMPARE(form->Tableau[6]->Cards->Count(), 2);
        DragWithMouse(form->Tableau[8], TopCardPoint(form->Tableau[8]), form, table);
        QCOMPARE(form->Tableau[0]->Cards->Count(), 1);
        QCOMPARE(form->Tableau[0]->Cards->CardAt(0)->Value, FS_QUEEN);
        QCOMPARE(form->MoveCount, 2);
    }

    void afterTheFirstTurnoverACardComesOnlyOntoAnEmptyWaste()
    {
        chooseBase(0);
        emptyColumns({8});  // 84 cards in the stock
        clickStock(84);
        QCOMPARE(form->DeckPileView->Cards->Count(), 0);
        QVERIFY(form->DeckPileView->toolTip().isEmpty());
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        const QString firstPass = form->dealText();
        clickStock();  // turns the waste over and a card with it
        QCOMPARE(form->DeckPileView->Cards->Count(), 83);
        QCOMPARE(form->DiscardPileView->Cards->Count(), 1);
        QVERIFY(form->StockTurned);
        QCOMPARE(form->MoveCount, 85);
        clickStock();  // the waste holds a card: nothing
        QCOMPARE(form->DeckPileView->Cards->Count(), 83);
        DragWithMouse(form->DiscardPileView, TopCardPoint(form->DiscardPileView), form->Tableau[8], {30, 30});
        QCOMPARE(form->Tableau[8]->Cards->Count(), 1);
        clickStock();
        QCOMPARE(form->DeckPileView->Cards->Count(), 82);
        QCOMPARE(form->MoveCount, 87);
        undo();
        undo();
        QCOMPARE(form->DiscardPileView->Cards->Count(), 1);
        undo();  // the card and the turnover: the waste comes back face up in its order
        QCOMPARE(form->dealText(), firstPass);
        QVERIFY(!form->StockTurned);
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        QCOMPARE(form->MoveCount, 84);
    }

    void undoingASecondTurnoverKeepsTheStockTurned()
    {
        chooseBase(0);
        emptyColumns({8});
        clickStock(85);  // the first pass and the first turnover
        DragWithMouse(form->DiscardPileView, TopCardPoint(form->DiscardPileView), form->Tableau[8], {30, 30});
        const QString beforeSecondPass = form->dealText();
        clickStock();
        // The rest of the second pass lies on the waste already.
        while (TCard *card = form->DeckPileView->Cards->CardAt(TCardPile::Top)) {
            form->DeckPileView->Cards->RemoveCard(card);
            card->FaceUp = true;
            form->DiscardPileView->Cards->InsertCard(card, 0);
        }
        clickStock();
        QCOMPARE(form->Turnovers, 2);
        undo();
        QCOMPARE(form->Turnovers, 1);
        QVERIFY(form->StockTurned);
        QCOMPARE(form->DeckPileView->State, FS_BLANK);
        undo();  // the first click of the second pass, and with it the cards laid out after it
        QCOMPARE(form->dealText(), beforeSecondPass);
        QCOMPARE(form->Turnovers, 1);
    }

    void autoplayTakesTheTerraceFirstWithItsOwnRecord()
    {
        chooseBase(0);  // the Eight of spades
        Take(form, FS_SPADES, FS_NINE, form->TerracePileView);
        Take(form, FS_SPADES, FS_NINE, form->Tableau[4]);
        repaintAll(form);
        form->Autoplay1->trigger();
        QCOMPARE(stored("QueenItaly", QStringLiteral("Autoplay")), QStringLiteral("True"));
        QCOMPARE(form->Autoplay1->text(), QStringLiteral("&Autoplay"));
        game->sounds.clear();
        clickStock();
        QCOMPARE(form->Foundations[0]->Cards->Count(), 2);
        QCOMPARE(form->TerracePileView->Cards->Count(), 11);
        QCOMPARE(form->Tableau[4]->Cards->CardAt(TCardPile::Top)->Value, FS_NINE);
        QCOMPARE(game->sounds.names().mid(0, 2), (QStringList{QStringLiteral("STOCK"), QStringLiteral("AUTOPLAY")}));
        QCOMPARE(form->Foundations[1]->Cards->CardAt(0)->Value, FS_EIGHT);  // then the first column's Eight
        undo();  // each card autoplay sent goes back on its own
        QCOMPARE(form->Tableau[0]->Cards->Count(), 1);
        QCOMPARE(form->TerracePileView->Cards->Count(), 11);
        undo();
        QCOMPARE(form->TerracePileView->Cards->Count(), 12);
        QCOMPARE(form->DiscardPileView->Cards->Count(), 1);
        undo();
        QCOMPARE(form->DiscardPileView->Cards->Count(), 0);
        QCOMPARE(form->MoveCount, 0);
    }

    void theLastCardHomeWinsOnce()
    {
        chooseBaseWith(FS_SPADES, FS_EIGHT);
        const CardSuit suits[] = {FS_SPADES, FS_CLUBS, FS_DIAMONDS, FS_HEARTS};
        for (int f = 0; f < 8; ++f)
            for (int step = f == 0 ? 1 : 0; step < 13; ++step) {
                const bool last = f == 7 && step == 12;
                Take(form, suits[f % 4], CardValue((FS_EIGHT + step) % 13), last ? form->Tableau[0] : form->Foundations[f]);
            }
        repaintAll(form);
        QTest::mouseClick(form->Tableau[0], Qt::LeftButton, Qt::ControlModifier, TopCardPoint(form->Tableau[0]));
        QCOMPARE(form->windowTitle(), QStringLiteral("Queen of Italy   Score: 104"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
        clickStock();
        QCOMPARE(game->dialogs.modals(), 1);
        QVERIFY(form->close());
        QVERIFY(game->dialogs.messages().isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void promptsNameTheGame()
    {
        chooseBase(0);
        clickStock(5);
        game->dialogs.answer = Dialogs::Cancel;
        QVERIFY(!form->close());
        QCOMPARE(game->dialogs.messages(), QStringList{QStringLiteral("Quit this game of Queen of Italy?")});
        clickStock();
        form->NewGame1Click(form->Restart1);
        QCOMPARE(game->dialogs.messages().last(), QStringLiteral("Restart this game of Queen of Italy?"));
        QCOMPARE(form->MoveCount, 6);
    }

    void theLargeWindowKeepsStockAndWasteAtTheBottom()
    {
        QCOMPARE(form->pos(), QPoint(160, 48));
        QCOMPARE(form->size(), QSize(882, 700));
        QCOMPARE(form->minimumWidth(), 882);
        QCOMPARE(form->maximumWidth(), 882);
        QCOMPARE(OuterMinimumHeight(form), 600);
        QCOMPARE(form->DiscardPileView->geometry(), QRect(136, 552, 745, 125));
        form->resize(882, 800);
        QCOMPARE(form->Tableau[8]->height(), 800 - 427);
        QCOMPARE(form->DeckPileView->y(), 800 - 148);
        QCOMPARE(form->DiscardPileView->y(), 800 - 148);
    }

    void theSmallWindowFollowsItsTableAndKeepsItsOwnOptions()
    {
        form->Autoplay1->trigger();
        TCard::SetCardSize(FS_SMALL);
        QPointer<TsQueenItalyForm> small = createGameWindow<TsQueenItalyForm>();
        TCard::SetCardSize(FS_LARGE);
        small->show();
        QVERIFY(!small->DoAutoplay);  // its own section
        small->Autoplay1->trigger();
        QCOMPARE(stored("sQueenItaly", QStringLiteral("Autoplay")), QStringLiteral("True"));
        QCOMPARE(small->TerracePileView->geometry(), QRect(248, 8, 170, 95));
        QCOMPARE(small->TerracePileView->XOffset, 9.0f);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(small->Foundations[i]->geometry(), QRect(48 + 72 * i, 107, 61, 95));
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(small->Tableau[i]->geometry(), QRect(16 + 72 * i, 208, 61, 207));
            QCOMPARE(small->Tableau[i]->YOffset, 16.0f);
        }
        QCOMPARE(small->DeckPileView->geometry(), QRect(12, 424, 89, 110));
        QCOMPARE(small->DiscardPileView->geometry(), QRect(104, 424, 566, 95));
        QCOMPARE(small->DiscardPileView->XOffset, 9.0f);
        QCOMPARE(small->minimumWidth(), 670);
        QCOMPARE(small->maximumWidth(), 670);
        QCOMPARE(OuterMinimumHeight(small), 480);
        small->resize(670, 600);
        QCOMPARE(small->Tableau[0]->height(), 600 - 333);
        QCOMPARE(small->DeckPileView->y(), 600 - 116);
        QCOMPARE(small->DiscardPileView->y(), 600 - 116);
        QCOMPARE(small->dealText(), QString::fromLatin1(firstDeal));
        QVERIFY(small->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(stored("sQueenItaly", QStringLiteral("NormPos")) != QStringLiteral("None"));
    }
};

QTEST_MAIN(TestQueenItaly)
#include "tst_queenitaly.moc"
