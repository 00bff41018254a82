// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/PyramidWindow.h"
#include "platform/DragManager.h"
#include "shell/GameCatalog.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSet>
#include <QTest>
#include <random>

namespace {

// A dealt Pyramid window on the screen, with the kit's seams.
struct Pyramid : GameTestKit {
    DealtWindow<TPyramidForm> window;
    Pyramid()
    {
        window->show();
        QApplication::setActiveWindow(window);
    }
};

// Two cards change places wherever they lie; each place keeps its face.
void exchange(GameWindow *form, TCard *a, TCard *b)
{
    const bool aUp = a->FaceUp, bUp = b->FaceUp;
    for (TCardPileView *view : form->pileViews()) {
        QList<TCard *> cards;
        for (int i = 0; i < view->Cards->Count(); ++i) {
            TCard *card = view->Cards->CardAt(i);
            cards << (card == a ? b : card == b ? a : card);
        }
        view->Cards->Empty(false);
        for (TCard *card : std::as_const(cards))
            view->Cards->AddCard(card);
        view->update();
    }
    a->FaceUp = bUp;
    b->FaceUp = aUp;
}

// The card of that suit and value takes the place of the view's top card.
TCard *put(GameWindow *form, CardSuit suit, CardValue value, TCardPileView *view)
{
    TCard *card = FindCard(form, suit, value);
    exchange(form, card, view->Cards->CardAt(TCardPile::Top));
    return card;
}

void dragOnto(TCardPileView *from, QWidget *to)
{
    const QPoint over = qobject_cast<TCardPileView *>(to) ? TopCardPoint(static_cast<TCardPileView *>(to))
                                                            : QPoint(to->width() / 2, to->height() / 2);
    DragWithMouse(from, TopCardPoint(from), to, over);
}

QPoint tableCorner(const QWidget *form) { return {form->width() - 12, 12}; }

}  // namespace

class TestPyramid : public QObject
{
    Q_OBJECT
    std::optional<Pyramid> game;
    TPyramidForm *form = nullptr;

    TCardPileView *at(int position) const { return form->Pyramid[position - 1]; }
    void clicks(int count)
    {
        for (int i = 0; i < count; ++i)
            QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30});
    }
    // Every pyramid card but the ones kept goes to the discard pile; the places in
    // the rows above the lowest kept one are free, as play would have left them.
    void clearPyramidBut(QList<int> kept)
    {
        for (int position = 28; position >= 1; --position) {
            if (kept.contains(position))
                continue;
            TCard *card = at(position)->Cards->CardAt(0);
            at(position)->Cards->RemoveCard(card);
            form->DiscardPileView->Cards->AddCard(card);
            at(position)->hide();
        }
        for (const int position : kept)
            at(position)->AllowDrag = true;
    }

private Q_SLOTS:
    void init()
    {
        game.emplace();
        form = game->window;
    }
    void cleanup() { game.reset(); }

    void theFirstDealOfSeedSevenIsPinned()
    {
        QCOMPARE(form->dealText(),
                 QStringLiteral("CardPileView1: AH\nCardPileView2: 4C\nCardPileView3: 2D\nCardPileView4: 7C\n"
                                "CardPileView5: JS\nCardPileView6: 8D\nCardPileView7: 7S\nCardPileView8: AS\n"
                                "CardPileView9: 6H\nCardPileView10: JC\nCardPileView11: 6C\nCardPileView12: 5D\n"
                                "CardPileView13: 2S\nCardPileView14: 5S\nCardPileView15: TS\nCardPileView16: JH\n"
                                "CardPileView17: 3D\nCardPileView18: 8C\nCardPileView19: 3C\nCardPileView20: KH\n"
                                "CardPileView21: KD\nCardPileView22: KC\nCardPileView23: 4D\nCardPileView24: JD\n"
                                "CardPileView25: 9H\nCardPileView26: 9S\nCardPileView27: 2H\nCardPileView28: 3H\n"
                                "DeckPileView: 9c tc 3s 7h 4h 4s 8s 5c ks qc qh th 9d 7d 6d 6s td ac 5h qd 2c qs ad "
                                "8h\nPlayPileView:\nWastePileView:\nDiscardPileView:\n"));
        for (int position = 1; position <= 28; ++position)
            QCOMPARE(at(position)->AllowDrag, position >= 22);
        QCOMPARE(form->Label1->text(), QStringLiteral("First Pass"));
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("24"));
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        QCOMPARE(form->windowTitle(), QStringLiteral("Pyramid"));
        QVERIFY(!form->Undo1->isEnabled());
        QVERIFY(game->sounds.played().isEmpty());
    }

    void anAnimatedDealSoundsOnceAndRestartDealsTheSameCards()
    {
        const QString first = form->dealText();
        QTest::mouseDClick(at(22), Qt::LeftButton, {}, TopCardPoint(at(22)));  // the King of clubs
        QVERIFY(!at(22)->isVisible());
        PreferencesDlg->DoAnimation = true;
        form->NewGame1Click(form->Restart1);
        QCOMPARE(form->dealText(), first);
        QVERIFY(at(22)->isVisible());
        QCOMPARE(game->sounds.names(), (QStringList{QStringLiteral("RESTART"), QStringLiteral("DEAL")}));
        game->sounds.clear();
        form->NewGame1->trigger();
        QCOMPARE(game->sounds.names(), (QStringList{QStringLiteral("SHUFFLE"), QStringLiteral("DEAL")}));
        QCOMPARE(form->DeckPileView->YOffset, 0.6f);
    }

    void pairsAddUpToThirteen_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<int>("partner");
        QTest::addColumn<bool>("pairs");
        QTest::newRow("6 and 7") << int(FS_SIX) << int(FS_SEVEN) << true;
        QTest::newRow("Queen and Ace") << int(FS_QUEEN) << int(FS_ACE) << true;
        QTest::newRow("Jack and 2") << int(FS_JACK) << int(FS_TWO) << true;
        QTest::newRow("3 and 10") << int(FS_THREE) << int(FS_TEN) << true;
        QTest::newRow("two Kings") << int(FS_KING) << int(FS_KING) << false;
        QTest::newRow("King and Ace") << int(FS_KING) << int(FS_ACE) << false;
        QTest::newRow("5 and 9") << int(FS_FIVE) << int(FS_NINE) << false;
    }
    void pairsAddUpToThirteen()
    {
        QFETCH(int, dragged);
        QFETCH(int, partner);
        QFETCH(bool, pairs);
        TCard *moving = put(form, FS_SPADES, CardValue(dragged), at(25));
        TCard *other = put(form, FS_HEARTS, CardValue(partner), at(26));
        const QString before = form->dealText();
        dragOnto(at(25), at(26));
        QVERIFY(!DragManager::instance().active());
        if (!pairs) {
            QCOMPARE(form->dealText(), before);
            QVERIFY(at(25)->isVisible());
            QCOMPARE(form->MoveCount, 0);
            return;
        }
        QCOMPARE(form->DiscardPileView->Cards->CardAt(0), moving);
        QCOMPARE(form->DiscardPileView->Cards->CardAt(1), other);  // the partner on top
        QVERIFY(!at(25)->isVisible() && !at(26)->isVisible());
        QCOMPARE(form->MoveCount, 1);
        QCOMPARE(form->windowTitle(), QStringLiteral("Pyramid   Score: 2"));
        QCOMPARE(game->sounds.played(), QStringList{QStringLiteral("AUTOPLAY async")});
    }

    void aKingGoesAloneByDragDoubleClickOrModifiedPress()
    {
        put(form, FS_SPADES, FS_KING, at(23));
        put(form, FS_HEARTS, FS_KING, at(24));
        dragOnto(at(22), form->DiscardPileView);  // the King of clubs
        QTest::mouseDClick(at(23), Qt::LeftButton, {}, TopCardPoint(at(23)));
        QTest::mouseClick(at(24), Qt::LeftButton, Qt::ControlModifier, TopCardPoint(at(24)));
        QCOMPARE(form->DiscardPileView->Cards->Count(), 3);
        QVERIFY(!at(22)->isVisible() && !at(23)->isVisible() && !at(24)->isVisible());
        QCOMPARE(form->MoveCount, 3);
        QCOMPARE(game->sounds.played(), QStringList{QStringLiteral("AUTOPLAY sync")});  // by drag only
        // A King that is not free stays; so does a card that is not a King.
        const QString before = form->dealText();
        QTest::mouseDClick(at(21), Qt::LeftButton, {}, CardPoint(at(21), 0));
        QTest::mouseDClick(at(25), Qt::LeftButton, {}, TopCardPoint(at(25)));
        dragOnto(at(26), form->DiscardPileView);
        QCOMPARE(form->dealText(), before);
        QCOMPARE(form->MoveCount, 3);
    }

    void aCardIsFreeOnlyWhenBothCoveringCardsAreGone()
    {
        put(form, FS_SPADES, FS_SIX, at(22));
        put(form, FS_HEARTS, FS_SEVEN, at(23));
        put(form, FS_CLUBS, FS_KING, at(24));
        put(form, FS_SPADES, FS_FIVE, at(16));
        put(form, FS_HEARTS, FS_EIGHT, at(17));
        dragOnto(at(22), at(23));
        QVERIFY(at(16)->AllowDrag);
        QVERIFY(!at(17)->AllowDrag);  // the King still lies on it
        dragOnto(at(17), at(16));      // refused: the Eight is not free yet
        QCOMPARE(form->MoveCount, 1);
        QTest::mouseDClick(at(24), Qt::LeftButton, {}, TopCardPoint(at(24)));
        QVERIFY(at(17)->AllowDrag);
        dragOnto(at(17), at(16));
        QCOMPARE(form->DiscardPileView->Cards->Count(), 5);
        QVERIFY(at(11)->AllowDrag);  // covered by 16 and 17, both gone
        QVERIFY(!at(12)->AllowDrag);
    }

    void theApexIsFreedByItsTwoCoveringCards()
    {
        clearPyramidBut({1, 2, 3});
        at(1)->AllowDrag = false;
        put(form, FS_SPADES, FS_KING, at(3));
        put(form, FS_HEARTS, FS_SIX, at(2));
        form->DeckPileViewClick();
        put(form, FS_CLUBS, FS_SEVEN, form->PlayPileView);
        QTest::mouseDClick(at(3), Qt::LeftButton, {}, TopCardPoint(at(3)));
        QVERIFY(!at(1)->AllowDrag);
        dragOnto(at(2), form->PlayPileView);
        QVERIFY(at(1)->AllowDrag);
        QVERIFY(form->PlayPileView->Cards->IsEmpty());
        form->Undo1->trigger();
        QVERIFY(!at(1)->AllowDrag);
        QVERIFY(at(2)->isVisible());
        QCOMPARE(form->PlayPileView->Cards->CardAt(0)->Value, FS_SEVEN);
    }

    void aCardCannotPairWithACardItCovers()
    {
        put(form, FS_SPADES, FS_SIX, at(22));
        put(form, FS_HEARTS, FS_SEVEN, at(16));
        const QString before = form->dealText();
        dragOnto(at(22), at(16));
        QCOMPARE(form->dealText(), before);
        QVERIFY(at(22)->isVisible());
    }

    void aCardReleasedAwayFromItsPartnerGoesBack()
    {
        put(form, FS_SPADES, FS_SIX, at(22));
        put(form, FS_HEARTS, FS_SEVEN, at(23));
        const QString before = form->dealText();
        // Over the partner, then on over the bare table: the target does not stick.
        TCardPileView *source = at(22);
        const QPoint from = TopCardPoint(source);
        QTest::mousePress(source, Qt::LeftButton, {}, from);
        QTest::mouseMove(source, from + QPoint(6, 6));
        QVERIFY(!source->isVisible());  // the card has left its place
        const QPoint partner = source->mapFromGlobal(at(23)->mapToGlobal(TopCardPoint(at(23))));
        QTest::mouseMove(source, partner);
        QCOMPARE(source->DropTarget, form->DiscardPileView);  // where the pair would go
        const QPoint table = source->mapFromGlobal(form->mapToGlobal(tableCorner(form)));
        QTest::mouseMove(source, table);
        QTest::mouseRelease(source, Qt::LeftButton, {}, table);
        QCOMPARE(form->dealText(), before);
        QVERIFY(source->isVisible());
        // Over the partner, then released outside every window.
        DragWithMouse(source, from, at(23), TopCardPoint(at(23)));
        QCOMPARE(form->MoveCount, 1);
        form->Undo1->trigger();
        QTest::mousePress(source, Qt::LeftButton, {}, from);
        QTest::mouseMove(source, partner);
        QTest::mouseMove(source, {-300, -300});
        QTest::mouseRelease(source, Qt::LeftButton, {}, {-300, -300});
        QCOMPARE(form->dealText(), before);
        QVERIFY(source->isVisible());
        QCOMPARE(form->MoveCount, 0);
    }

    void pairsWithThePlayPositionAndTheWaste()
    {
        clicks(3);  // two cards on the waste, one on the play position
        exchange(form, FindCard(form, FS_HEARTS, FS_ACE), form->WastePileView->Cards->CardAt(0));
        put(form, FS_CLUBS, FS_QUEEN, form->WastePileView);
        put(form, FS_SPADES, FS_EIGHT, form->PlayPileView);
        put(form, FS_DIAMONDS, FS_FIVE, at(27));
        const QString start = form->dealText();
        const int moves = form->MoveCount;
        // The waste's top card pairs with the card beneath it.
        QCOMPARE(form->WastePileView->Cards->Count(), 2);
        dragOnto(form->WastePileView, form->WastePileView);
        QVERIFY(form->WastePileView->Cards->IsEmpty());
        QCOMPARE(form->DiscardPileView->Cards->Count(), 2);
        // A pyramid card pairs with the play card.
        dragOnto(at(27), form->PlayPileView);
        QVERIFY(form->PlayPileView->Cards->IsEmpty());
        QVERIFY(!at(27)->isVisible());
        QCOMPARE(form->MoveCount, moves + 2);
        QCOMPARE(game->sounds.names(), (QStringList{QStringLiteral("STOCK"), QStringLiteral("STOCK"),
                                                    QStringLiteral("STOCK"), QStringLiteral("AUTOPLAY"),
                                                    QStringLiteral("AUTOPLAY")}));
        form->Undo1->trigger();
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), start);
        QCOMPARE(form->MoveCount, moves);
        QVERIFY(at(27)->isVisible());
    }

    void theStockIsGoneThroughThreeTimes()
    {
        const TCard *firstTurned = form->DeckPileView->Cards->CardAt(TCardPile::Top);
        clicks(24);
        QVERIFY(form->DeckPileView->toolTip().isEmpty());
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        const QString endOfFirst = form->dealText();
        clicks(1);  // a new pass, and its first card comes up at once
        QCOMPARE(form->Label1->text(), QStringLiteral("Second Pass"));
        QVERIFY(form->Label1->width() >= form->Label1->sizeHint().width());  // the words fit
        QCOMPARE(form->PlayPileView->Cards->CardAt(0), firstTurned);
        QCOMPARE(form->DeckPileView->Cards->Count(), 23);
        QCOMPARE(form->WastePileView->Cards->Count(), 0);
        clicks(23);
        QCOMPARE(form->dealText(), endOfFirst);  // the same order as the first time
        clicks(1);
        QCOMPARE(form->Label1->text(), QStringLiteral("Third Pass"));
        clicks(23);
        QCOMPARE(form->DeckPileView->State, FS_BLANK);
        QCOMPARE(form->MoveCount, 72);
        game->sounds.clear();
        clicks(1);  // the play card moves on, and that is all
        QCOMPARE(form->WastePileView->Cards->Count(), 24);
        QVERIFY(form->PlayPileView->Cards->IsEmpty());
        QCOMPARE(form->MoveCount, 72);
        QCOMPARE(form->Pass, 3);
        QVERIFY(game->sounds.played().isEmpty());
        const int records = form->UndoList->Count();
        clicks(1);
        QCOMPARE(form->UndoList->Count(), records);
    }

    void undoTakesBackAPairWithTheFreeStatesItChanged()
    {
        put(form, FS_SPADES, FS_SIX, at(22));
        put(form, FS_HEARTS, FS_SEVEN, at(23));
        const QString before = form->dealText();
        dragOnto(at(22), at(23));
        QVERIFY(at(16)->AllowDrag);
        game->sounds.clear();
        QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->dealText(), before);
        QVERIFY(at(22)->isVisible() && at(23)->isVisible());
        QVERIFY(!at(16)->AllowDrag);
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
        QCOMPARE(form->windowTitle(), QStringLiteral("Pyramid"));
        QCOMPARE(game->sounds.names(), QStringList{QStringLiteral("UNDO")});
        dragOnto(at(22), at(23));  // and the pair can be made again
        QCOMPARE(form->DiscardPileView->Cards->Count(), 2);
    }

    void aNewDealForgetsWhichRecordsWentTogether()
    {
        put(form, FS_SPADES, FS_SIX, at(22));
        put(form, FS_HEARTS, FS_SEVEN, at(23));
        dragOnto(at(22), at(23));  // the pair's two records are undone as one
        form->NewGame1Click(form->Restart1);
        clicks(1);
        const QString afterOne = form->dealText();
        clicks(1);  // the second record of this game is no pair's
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), afterOne);
        QCOMPARE(form->MoveCount, 1);
    }

    void undoTakesBackAKingAndItsMove()
    {
        put(form, FS_DIAMONDS, FS_KING, form->DeckPileView);  // the next stock card
        QTest::mouseDClick(at(22), Qt::LeftButton, {}, TopCardPoint(at(22)));  // the King of clubs
        clicks(1);
        const QString beforeDrag = form->dealText();
        dragOnto(form->PlayPileView, form->DiscardPileView);
        QVERIFY(form->PlayPileView->Cards->IsEmpty());
        QCOMPARE(form->MoveCount, 3);
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), beforeDrag);
        QCOMPARE(form->MoveCount, 2);
        form->Undo1->trigger();
        form->Undo1->trigger();
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(at(22)->isVisible());
        QVERIFY(at(22)->AllowDrag);
        QCOMPARE(at(22)->Cards->CardAt(0)->Value, FS_KING);
        QVERIFY(form->DiscardPileView->Cards->IsEmpty());
        QVERIFY(!form->Undo1->isEnabled());
    }

    void undoTakesBackAStockTurnWithThePreviousPlayCard()
    {
        const QString dealt = form->dealText();
        clicks(1);
        const QString afterOne = form->dealText();
        clicks(1);
        QCOMPARE(form->WastePileView->Cards->Count(), 1);
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), afterOne);
        QCOMPARE(form->DeckPileView->toolTip(), QStringLiteral("23"));
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), dealt);  // face down in the stock again
        QCOMPARE(form->MoveCount, 0);
    }

    void undoTakesBackANewPassInOneClick()
    {
        clicks(24);
        const QString endOfFirst = form->dealText();
        clicks(1);
        QCOMPARE(form->Pass, 2);
        QCOMPARE(form->MoveCount, 25);
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), endOfFirst);
        QCOMPARE(form->Pass, 1);
        QCOMPARE(form->Label1->text(), QStringLiteral("First Pass"));
        QCOMPARE(form->MoveCount, 24);
        clicks(1);
        QCOMPARE(form->Pass, 2);
        for (int i = 0; i < 25; ++i)
            form->Undo1->trigger();
        QCOMPARE(form->MoveCount, 0);
        QVERIFY(!form->Undo1->isEnabled());
    }

    void undoTakesBackTheLastPassesMoveToTheWaste()
    {
        clicks(72);
        const QString lastTurn = form->dealText();
        clicks(1);
        form->Undo1->trigger();
        QCOMPARE(form->dealText(), lastTurn);
        QCOMPARE(form->MoveCount, 72);
        QCOMPARE(form->DeckPileView->State, FS_BLANK);
        QCOMPARE(form->Label1->text(), QStringLiteral("Third Pass"));
        form->Undo1->trigger();  // the last turn of the third pass: the stock has a card again
        QCOMPARE(form->DeckPileView->State, FS_RECYCLE);
        QCOMPARE(form->MoveCount, 71);
    }

    void clearingThePyramidAloneIsNoWin()
    {
        put(form, FS_HEARTS, FS_KING, at(1));
        clicks(1);
        put(form, FS_SPADES, FS_KING, form->PlayPileView);
        clearPyramidBut({1});
        for (TCardPileView *view : {form->DeckPileView, form->WastePileView})
            while (TCard *card = view->Cards->CardAt(0)) {
                view->Cards->RemoveCard(card);
                card->FaceUp = true;
                form->DiscardPileView->Cards->AddCard(card);
            }
        QTest::mouseDClick(at(1), Qt::LeftButton, {}, TopCardPoint(at(1)));
        QCOMPARE(form->windowTitle(), QStringLiteral("Pyramid   Score: 51"));
        QVERIFY(!form->GameOver);
        QCOMPARE(game->dialogs.modals(), 0);
        QTest::mouseDClick(form->PlayPileView, Qt::LeftButton, {}, TopCardPoint(form->PlayPileView));
        QCOMPARE(form->windowTitle(), QStringLiteral("Pyramid   Score: 52"));
        QVERIFY(form->GameOver);
        QCOMPARE(game->dialogs.modals(), 1);
        clicks(1);
        QCOMPARE(game->dialogs.modals(), 1);
    }

    // A player who only makes legal moves, by mouse, with undos in between: no card is
    // ever lost or doubled, and undoing everything gives back the deal and no moves.
    void aLongLegalGameUndoesBackToTheDeal()
    {
        const QString dealt = form->dealText();
        std::mt19937 random(11);
        const auto below = [&random](int bound) { return int(std::uniform_int_distribution<int>(0, bound - 1)(random)); };
        int removals = 0;
        for (int step = 0; step < 400; ++step) {
            QList<TCardPileView *> free = {form->PlayPileView, form->WastePileView};
            for (TCardPileView *place : std::as_const(form->Pyramid))
                if (place->isVisible() && place->AllowDrag)
                    free << place;
            QList<QPair<TCardPileView *, TCardPileView *>> moves;
            for (TCardPileView *source : std::as_const(free))
                for (TCardPileView *target : std::as_const(free)) {
                    const TCard *a = source->Cards->CardAt(TCardPile::Top);
                    const int under = target->Cards->Count() - (target == source ? 2 : 1);
                    const TCard *b = under >= 0 ? target->Cards->CardAt(under) : nullptr;
                    if (a && b && (target != source || source == form->WastePileView) && a->Value + b->Value == 11)
                        moves.append(qMakePair(source, target));
                    if (a && a->Value == FS_KING && target == source)
                        moves.append(qMakePair(source, static_cast<TCardPileView *>(nullptr)));
                }
            const int discarded = form->DiscardPileView->Cards->Count();
            if (below(5) == 0 && form->Undo1->isEnabled()) {
                form->Undo1->trigger();
            } else if (!moves.isEmpty() && below(3) > 0) {
                const auto [source, target] = moves[below(int(moves.size()))];
                if (target)
                    dragOnto(source, target);
                else
                    QTest::mouseDClick(source, Qt::LeftButton, {}, TopCardPoint(source));
                QVERIFY(form->DiscardPileView->Cards->Count() > discarded);
                ++removals;
            } else {
                clicks(1);
            }
            QSet<const TCard *> cards;
            for (const TCardPileView *view : form->pileViews())
                for (int i = 0; i < view->Cards->Count(); ++i)
                    cards.insert(view->Cards->CardAt(i));
            QCOMPARE(cards.size(), 52);
        }
        QVERIFY(removals > 20);
        while (form->Undo1->isEnabled())
            form->Undo1->trigger();
        QCOMPARE(form->dealText(), dealt);
        QCOMPARE(form->MoveCount, 0);
        QCOMPARE(form->Pass, 1);
        for (int position = 1; position <= 28; ++position)
            QVERIFY(at(position)->isVisible() && at(position)->AllowDrag == (position >= 22));
    }

    void theWinWindowOpensOnlyOnceTheDragIsOver()
    {
        clicks(1);
        put(form, FS_SPADES, FS_KING, form->PlayPileView);
        clearPyramidBut({});
        while (TCard *card = form->DeckPileView->Cards->CardAt(0)) {
            form->DeckPileView->Cards->RemoveCard(card);
            card->FaceUp = true;
            form->DiscardPileView->Cards->AddCard(card);
        }
        bool dragOverWhenShown = false;
        game->dialogs.onModal = [&](const Dialogs::Record &) {
            dragOverWhenShown = !GameWindow::dragUnderWay();
            return int(Dialogs::Ok);
        };
        dragOnto(form->PlayPileView, form->DiscardPileView);
        QCOMPARE(game->dialogs.modals(), 1);
        QVERIFY(dragOverWhenShown);
        QVERIFY(form->GameOver);
    }

    void theLabelColourFollowsTheTableColour_data()
    {
        QTest::addColumn<uint>("table");
        QTest::addColumn<QColor>("label");
        QTest::newRow("dark green") << uint(clDarkGreen) << QColor(Qt::white);
        QTest::newRow("just below") << uint(8388606) << QColor(Qt::white);
        QTest::newRow("from 8388607") << uint(8388607) << QColor(Qt::black);
        QTest::newRow("white") << uint(0xFFFFFF) << QColor(Qt::black);
    }
    void theLabelColourFollowsTheTableColour()
    {
        QFETCH(uint, table);
        QFETCH(QColor, label);
        QCOMPARE(form->Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
        PreferencesDlg->BackgroundColor = table;
        form->Preferences1->trigger();  // the dialog closes with the new colour
        QCOMPARE(form->Label1->palette().color(QPalette::WindowText), label);
        const DealtWindow<TPyramidForm> another;
        QCOMPARE(another->Label1->palette().color(QPalette::WindowText), label);
    }

    void theSmallWindowFollowsItsTable()
    {
        TCard::SetCardSize(FS_SMALL);
        QPointer<TsPyramidForm> small = createGameWindow<TsPyramidForm>();
        TCard::SetCardSize(FS_LARGE);
        small->show();
        QCOMPARE(small->dealText(), form->dealText());
        const int lefts[28] = {232, 200, 264, 168, 232, 296, 128, 197, 267, 336, 88,  160, 232, 304,
                               376, 50,  122, 194, 267, 339, 411, 16,  88,  160, 232, 304, 376, 448};
        const int rowTops[7] = {8, 48, 88, 128, 168, 208, 248};
        for (int row = 1, position = 1; row <= 7; ++row)
            for (int k = 1; k <= row; ++k, ++position)
                QCOMPARE(small->Pyramid[position - 1]->geometry(), QRect(lefts[position - 1], rowTops[row - 1], 61, 95));
        QCOMPARE(small->DeckPileView->geometry(), QRect(112, 353, 88, 113));
        QCOMPARE(small->DeckPileView->YOffset, 0.5f);
        QCOMPARE(small->PlayPileView->geometry(), QRect(216, 353, 61, 95));
        QCOMPARE(small->WastePileView->geometry(), QRect(296, 353, 88, 113));
        QCOMPARE(small->WastePileView->XOffset, 0.5f);
        QCOMPARE(small->DiscardPileView->geometry(), QRect(448, 361, 61, 95));
        QCOMPARE(small->Label1->pos(), QPoint(5, 454));
        QCOMPARE(small->Label1->size().expandedTo(QSize(60, 16)), small->Label1->size());
        QCOMPARE(small->Label1->font().pixelSize(), 13);
        QCOMPARE(form->Label1->pos(), QPoint(8, 560));
        QCOMPARE(form->Label1->size().expandedTo(QSize(71, 19)), form->Label1->size());
        QCOMPARE(form->Pyramid[27]->geometry(), QRect(544, 296, 80, 125));
        QCOMPARE(form->Pyramid[10]->geometry(), QRect(104, 200, 80, 125));
        // Neither window can be resized or maximised.
        QCOMPARE(small->minimumSize(), QSize(520, 480));
        QCOMPARE(small->maximumSize(), QSize(520, 480));
        QCOMPARE(form->minimumSize(), QSize(640, 586));
        QCOMPARE(form->maximumSize(), QSize(640, 586));
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        // Each keeps its place in its own section; there are no options to keep.
        QVERIFY(small->close());
        QVERIFY(form->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QString file = QString::fromLatin1(game->settings.read(QStringLiteral("Solitaire.ini")));
        const auto keysOf = [&file](const QString &section) {
            const int start = file.indexOf(QStringLiteral("[%1]\n").arg(section));
            if (start < 0)
                return QStringList();
            QStringList keys;
            for (const QString &line : file.mid(start).split(QLatin1Char('\n')).mid(1)) {
                if (line.isEmpty() || line.startsWith(QLatin1Char('[')))
                    break;
                keys << line.section(QLatin1Char('='), 0, 0);
            }
            return keys;
        };
        const QStringList placement = {QStringLiteral("Flags"), QStringLiteral("ShowCmd"), QStringLiteral("MinMaxPos"),
                                       QStringLiteral("NormPos")};
        QCOMPARE(keysOf(QStringLiteral("sPyramid")), placement);
        QCOMPARE(keysOf(QStringLiteral("Pyramid")), placement);
    }

    void theLauncherOpensPyramid()
    {
        game.reset();
        GameTestKit kit;
        ScreenOverride screen(1280);
        LauncherWindow launcher;
        PreferencesDlg->CardSize = 1;
        SolitaireForm->SelectGame(GameCatalog::indexOf(QStringLiteral("Pyramid")));
        QVERIFY(PyramidForm);
        QCOMPARE(PyramidForm->Label1->text(), QStringLiteral("First Pass"));
        QCOMPARE(PyramidForm->gameDescription().helpTopic, 1009);
        QVERIFY(!PyramidForm->Autoplay1);
    }
};

QTEST_MAIN(TestPyramid)
#include "tst_pyramid.moc"
