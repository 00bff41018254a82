// SPDX-License-Identifier: MIT
#include "cards/Card.h"
#include "cards/CardPile.h"
#include "cards/CardPileView.h"
#include "platform/DragManager.h"
#include "platform/ImageList.h"
#include "support/CardKit.h"

#include <QPainter>
#include <QTest>
#include <QWindow>
#include <memory>

namespace {

const QColor tableGreen(0, 64, 0);

QImage opaque(const QImage &image) { return image.convertToFormat(QImage::Format_RGB32); }

// A card drawn alone on a piece of table, as a view shows its top card.
QImage cardOnTable(const TCard *card, QColor table)
{
    QImage image(TCard::CardWidth(), TCard::CardHeight(), QImage::Format_RGB32);
    image.fill(table);
    QPainter painter(&image);
    card->DrawCardOnCanvas(QPoint(0, 0), painter);
    return image;
}

// A card's rectangle without its rounded corners, where the cards beneath show.
QRect inner(QRect card) { return card.adjusted(8, 8, -8, -8); }

TCardPileView *viewOf(QObject *object) { return qobject_cast<TCardPileView *>(object); }

}  // namespace

class TestCardPileView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> table;
    TCardPile allCards;  // owns the cards
    TCardPile deck;      // the ones not dealt yet
    TCardPileView *column = nullptr;   // (8, 8), five face-up cards, YOffset 20, drag allowed
    TCardPileView *accepting = nullptr;
    TCardPileView *refusing = nullptr;
    QStringList endLog;

    TCardPileView *addView(QRect geometry)
    {
        auto *view = new TCardPileView(table.get());
        view->SetBounds(geometry.x(), geometry.y(), geometry.width(), geometry.height());
        view->show();
        return view;
    }

    void deal(TCardPileView *view, int count)
    {
        for (int i = 0; i < count; ++i) {
            TCard *card = deck.CardAt(TCardPile::Top);
            deck.RemoveCard(card);
            card->FaceUp = true;
            view->Cards->AddCard(card);
        }
    }

    // A point of another view, in the column's coordinates (where moves are sent).
    QPoint over(TCardPileView *view, QPoint at = QPoint(40, 40)) const
    {
        return column->mapFromGlobal(view->mapToGlobal(at));
    }

    void press(QPoint at) { QTest::mousePress(column, Qt::LeftButton, {}, at); }
    void moveTo(QPoint at) { QTest::mouseMove(column, at); }
    void release(QPoint at) { QTest::mouseRelease(column, Qt::LeftButton, {}, at); }

private Q_SLOTS:
    void init()
    {
        allCards.AddDeck();
        allCards.CopyPileTo(&deck);
        table = std::make_unique<QWidget>();
        table->setGeometry(40, 40, 800, 600);
        QPalette palette = table->palette();
        palette.setColor(QPalette::Window, tableGreen);
        table->setPalette(palette);

        column = addView(QRect(8, 8, 80, 337));
        column->YOffset = 20;
        column->AllowDrag = true;
        deal(column, 5);
        // The game's side of the protocol: any selected card may leave.
        column->OnMouseDown = [](QObject *sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            viewOf(sender)->CanDrag = viewOf(sender)->SelectedCard != nullptr;
        };
        column->OnEndDrag = [this](QObject *sender, QObject *, int, int) {
            TCardPileView *target = viewOf(sender)->DropTarget;
            endLog << (target ? target->objectName() : QString("none"));
        };

        accepting = addView(QRect(200, 8, 80, 337));
        accepting->setObjectName("accepting");
        accepting->OnDragOver = [this](QObject *, QObject *source, int, int, DragState, bool &accept) {
            viewOf(source)->DropTarget = accepting;
            accept = true;
        };
        refusing = addView(QRect(400, 8, 80, 337));
        refusing->setObjectName("refusing");
        table->show();
        QVERIFY(QTest::qWaitForWindowExposed(table.get()));
    }

    void cleanup()
    {
        table.reset();
        deck.Empty(false);
        allCards.Empty(true);
        endLog.clear();
        TCard::SetCardSize(FS_LARGE);
    }

    // ---- layout and painting ----

    void constructorSizesTheViewToOneCard()
    {
        QCOMPARE(TCardPileView().size(), QSize(80, 125));
        TCard::SetCardSize(FS_SMALL);
        QCOMPARE(TCardPileView().size(), QSize(61, 95));
    }

    void colourFollowsTheTableUnlessSet()
    {
        QCOMPARE(column->EffectiveColor(), tableGreen);
        column->Color = Qt::blue;
        QCOMPARE(column->EffectiveColor(), QColor(Qt::blue));
    }

    void cardsAreDrawnAtTruncatedOffsets_data()
    {
        QTest::addColumn<float>("xOffset");
        QTest::addColumn<float>("yOffset");
        QTest::addColumn<int>("cards");
        QTest::addColumn<QPoint>("topCardAt");
        QTest::newRow("column, fourth card") << 0.0f << 20.0f << 4 << QPoint(0, 60);
        QTest::newRow("stock, 52nd card") << 0.4f << 0.1f << 52 << QPoint(20, 5);
        QTest::newRow("pyramid stock, 52nd card") << 0.6f << 0.6f << 52 << QPoint(30, 30);
        QTest::newRow("waste, third card") << 12.5f << 0.0f << 3 << QPoint(25, 0);
    }
    void cardsAreDrawnAtTruncatedOffsets()
    {
        QFETCH(float, xOffset);
        QFETCH(float, yOffset);
        QFETCH(int, cards);
        QFETCH(QPoint, topCardAt);
        TCardPileView *view = addView(QRect(8, 360, 120, 200));
        view->XOffset = xOffset;
        view->YOffset = yOffset;
        const int shared = qMax(0, cards - deck.Count());  // a full deck borrows the column's cards
        for (int i = 0; i < shared; ++i)
            view->Cards->AddCard(column->Cards->CardAt(i));
        deal(view, cards - shared);
        const QImage shown = opaque(view->grab().toImage());
        const QImage top = cardOnTable(view->Cards->CardAt(TCardPile::Top), tableGreen);
        QCOMPARE(shown.copy(inner(QRect(topCardAt, top.size()))), top.copy(inner(top.rect())));
    }

    void coveredCardsShowTheirStrip()
    {
        const QImage shown = opaque(column->grab().toImage());
        const QImage third = cardOnTable(column->Cards->CardAt(2), tableGreen);
        QCOMPARE(shown.copy(8, 48, 64, 12), third.copy(8, 8, 64, 12));
        QCOMPARE(shown.pixelColor(40, 80 + 125 + 5), tableGreen);  // below the last card
    }

    void emptyPileShowsItsMark_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("mark");  // -1: none
        QTest::newRow("blank") << int(FS_BLANK) << -1;
        QTest::newRow("recycle") << int(FS_RECYCLE) << 0;
        QTest::newRow("empty") << int(FS_EMPTY) << 1;
    }
    void emptyPileShowsItsMark()
    {
        QFETCH(int, state);
        QFETCH(int, mark);
        accepting->State = static_cast<PileBitmap>(state);
        QImage expected(accepting->size(), QImage::Format_RGB32);
        expected.fill(tableGreen);
        if (mark >= 0) {
            QPainter painter(&expected);
            TCardPileView::PileMarks()->Draw(painter, 0, 0, mark);
        }
        QCOMPARE(opaque(accepting->grab().toImage()), expected);
        QCOMPARE(opaque(accepting->Render()), expected);
    }

    void borderIsBlackAboveAndGreyBelow()
    {
        refusing->IsBordered = true;
        const QImage shown = opaque(refusing->grab().toImage());
        const int right = refusing->width() - 1, bottom = refusing->height() - 1;
        QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(30, 0), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(0, 30), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(30, 1), QColor(0x80, 0x80, 0x80));
        QCOMPARE(shown.pixelColor(30, bottom), QColor(0x80, 0x80, 0x80));
        QCOMPARE(shown.pixelColor(right, 30), QColor(0x80, 0x80, 0x80));
        QCOMPARE(shown.pixelColor(right, 0), tableGreen);   // corners left open
        QCOMPARE(shown.pixelColor(0, bottom), tableGreen);
        QCOMPARE(shown.pixelColor(30, 30), tableGreen);
    }

    void bitmapBackgroundCopiesTheTableUnderTheView()
    {
        QImage picture(800, 600, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixelColor(x, y, QColor(x % 256, y % 256, x / 256 * 60));
        TCardPileView *view = addView(QRect(296, 8, 80, 125));
        view->BackgroundMode = FS_BITMAP;
        QCOMPARE(opaque(view->Render()).pixelColor(0, 0), tableGreen);  // no picture yet
        view->Background = &picture;
        const QImage shown = opaque(view->grab().toImage());
        QCOMPARE(shown, picture.copy(296, 8, 80, 125));
        view->BackgroundMode = FS_NORMAL;
        QCOMPARE(opaque(view->Render()).pixelColor(0, 0), tableGreen);
    }

    // ---- pressing ----

    void pressSelectsTheTopmostCardUnderThePointer_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("card");  // -1: none
        QTest::addColumn<QPoint>("hotSpot");
        QTest::newRow("visible strip of card 1") << QPoint(10, 25) << 1 << QPoint(10, 5);
        QTest::newRow("top edge belongs to the card") << QPoint(0, 20) << 1 << QPoint(0, 0);
        QTest::newRow("just above it") << QPoint(10, 19) << 0 << QPoint(10, 19);
        QTest::newRow("top card, lowest row") << QPoint(79, 204) << 4 << QPoint(79, 124);
        QTest::newRow("below the last card") << QPoint(10, 205) << -1 << QPoint();
        QTest::newRow("right of the cards") << QPoint(80, 100) << -1 << QPoint();
    }
    void pressSelectsTheTopmostCardUnderThePointer()
    {
        QFETCH(QPoint, at);
        QFETCH(int, card);
        QFETCH(QPoint, hotSpot);
        column->XOffset = 0;
        press(at);
        release(at);
        if (card < 0) {
            QCOMPARE(column->SelectedCard, nullptr);
            return;
        }
        QCOMPARE(column->SelectedCard, column->Cards->CardAt(card));
        QCOMPARE(column->CardRect, QRect(0, 20 * card, 80, 125));
        QCOMPARE(column->HotSpot, hotSpot);
    }

    void pressOnAnEmptyPileSelectsNothing()
    {
        QTest::mousePress(accepting, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(accepting->SelectedCard, nullptr);
        QTest::mouseRelease(accepting, Qt::LeftButton, {}, QPoint(5, 5));
    }

    void rightPressKeepsTheSelectionButWithdrawsTheDrag()
    {
        press(QPoint(10, 90));
        release(QPoint(10, 90));
        TCard *selected = column->SelectedCard;
        QVERIFY(selected);
        column->CanDrag = true;
        column->DropTarget = accepting;
        column->OnMouseDown = nullptr;
        QTest::mousePress(column, Qt::RightButton, {}, QPoint(10, 10));
        QTest::mouseRelease(column, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(column->SelectedCard, selected);
        QVERIFY(!column->CanDrag);
        QCOMPARE(column->DropTarget, nullptr);
    }

    // ---- dragging ----

    void dragCarriesThePressedCardAndThoseAbove()
    {
        const QList<TCard *> before = cardsOf(column->Cards);
        press(QPoint(10, 45));  // the third card from the top
        moveTo(QPoint(12, 48));
        QVERIFY(DragManager::instance().active());
        QCOMPARE(cardsOf(column->DragPile), before.mid(2));
        QCOMPARE(cardsOf(column->Cards), before.mid(0, 2));
        QWidget *picture = DragManager::instance().pictureWindow();
        QVERIFY(picture && picture->isVisible());
        QCOMPARE(picture->pos(), column->mapToGlobal(QPoint(12, 48)) - QPoint(10, 5));

        moveTo(over(refusing));  // no handler there: refused
        release(over(refusing));
        QCOMPARE(cardsOf(column->Cards), before);  // back in place and order
        QVERIFY(column->DragPile->IsEmpty());  // no reference outlives the drag
        QCOMPARE(endLog, QStringList({"none"}));
        QVERIFY(!DragManager::instance().active());
    }

    void noDragWithoutPermission_data()
    {
        QTest::addColumn<bool>("allowDrag");
        QTest::addColumn<bool>("canDrag");
        QTest::newRow("view forbids") << false << true;
        QTest::newRow("game forbids") << true << false;
    }
    void noDragWithoutPermission()
    {
        QFETCH(bool, allowDrag);
        QFETCH(bool, canDrag);
        column->AllowDrag = allowDrag;
        column->OnMouseDown = [canDrag](QObject *sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            viewOf(sender)->CanDrag = canDrag;
        };
        press(QPoint(10, 90));
        moveTo(over(accepting));
        release(over(accepting));
        QCOMPARE(column->Cards->Count(), 5);
        QCOMPARE(accepting->Cards->Count(), 0);
        QVERIFY(endLog.isEmpty());
    }

    void dropLandsOnTheStickyTarget_data()
    {
        QTest::addColumn<bool>("refusingFollowsTheProtocol");
        QTest::newRow("refusing view says no") << false;
        QTest::newRow("refusing view answers by DropTarget") << true;
    }
    void dropLandsOnTheStickyTarget()
    {
        QFETCH(bool, refusingFollowsTheProtocol);
        refusing->OnDragOver = [=](QObject *, QObject *source, int, int, DragState, bool &accept) {
            accept = refusingFollowsTheProtocol && viewOf(source)->DropTarget != nullptr;
        };
        const QList<TCard *> before = cardsOf(column->Cards);
        press(QPoint(10, 85));
        moveTo(over(accepting));
        moveTo(over(refusing));
        release(over(refusing));
        QCOMPARE(cardsOf(column->Cards), before.mid(0, 4));
        QCOMPARE(cardsOf(accepting->Cards), before.mid(4));
        QCOMPARE(refusing->Cards->Count(), 0);
        QCOMPARE(endLog, QStringList({"accepting"}));  // DropTarget stays set for the game
    }

    void manualDropLeavesTheCardsToTheDropHandler()
    {
        column->ManualDrop = true;
        QList<TCard *> handedOver;
        accepting->OnDragDrop = [&](QObject *, QObject *source, int, int) { handedOver = cardsOf(viewOf(source)->DragPile); };
        QList<TCard *> inEndDrag;
        column->OnEndDrag = [&](QObject *sender, QObject *, int, int) { inEndDrag = cardsOf(viewOf(sender)->DragPile); };
        const QList<TCard *> before = cardsOf(column->Cards);
        press(QPoint(10, 65));
        moveTo(over(accepting));
        release(over(accepting));
        QCOMPARE(cardsOf(column->Cards), before.mid(0, 3));
        QCOMPARE(accepting->Cards->Count(), 0);
        QCOMPARE(handedOver, before.mid(3));
        QCOMPARE(inEndDrag, before.mid(3));  // still there for the game to book
    }

    void manualDropWithoutADropHandlerGivesTheCardsBack_data()
    {
        QTest::addColumn<bool>("outsideEveryWindow");
        QTest::newRow("released outside every window") << true;
        QTest::newRow("released over a view without a drop handler") << false;
    }
    void manualDropWithoutADropHandlerGivesTheCardsBack()
    {
        QFETCH(bool, outsideEveryWindow);
        column->ManualDrop = true;
        const QList<TCard *> before = cardsOf(column->Cards);
        press(QPoint(10, 65));
        moveTo(over(accepting));  // the target accepts and is remembered...
        const QPoint away = outsideEveryWindow ? column->mapFromGlobal(table->mapToGlobal(QPoint(-300, -300)))
                                               : over(accepting);
        moveTo(away);
        release(away);  // ...but no drop handler takes the cards
        QCOMPARE(cardsOf(column->Cards), before);
        QVERIFY(column->DragPile->IsEmpty());
        QVERIFY(column->isVisible());
        QCOMPARE(endLog, QStringList({"none"}));
    }

    void escapeGivesTheCardsBack()
    {
        const QList<TCard *> before = cardsOf(column->Cards);
        press(QPoint(10, 65));
        moveTo(over(accepting));
        QCOMPARE(column->DropTarget, accepting);
        QTest::keyClick(table.get(), Qt::Key_Escape);
        QCOMPARE(cardsOf(column->Cards), before);
        QCOMPARE(accepting->Cards->Count(), 0);
        QCOMPARE(endLog, QStringList({"none"}));
        moveTo(over(accepting, QPoint(41, 41)));  // the button is still down: no new drag
        release(over(accepting, QPoint(41, 41)));
        QCOMPARE(cardsOf(column->Cards), before);
    }

    void delayedDragReleasedEarlyGivesTheCardsBack()
    {
        column->DragDelayed = true;
        int clicks = 0;
        column->OnClick = [&clicks](QObject *) { ++clicks; };
        const QList<TCard *> before = cardsOf(column->Cards);
        press(QPoint(10, 65));
        moveTo(QPoint(11, 65));
        QVERIFY(DragManager::instance().pending());
        release(QPoint(11, 65));
        QCOMPARE(cardsOf(column->Cards), before);
        QCOMPARE(clicks, 1);

        press(QPoint(10, 65));
        moveTo(QPoint(11, 65));
        moveTo(over(accepting));
        QVERIFY(DragManager::instance().active());
        release(over(accepting));
        QCOMPARE(cardsOf(accepting->Cards), before.mid(3));
        QCOMPARE(clicks, 1);
    }

    // Through the window system, from a view that hides itself while its card is
    // away (as a pyramid card does): the drag still ends, and a refused drop
    // brings the view back.
    void sourceThatHidesItselfStillEndsItsDrag_data()
    {
        QTest::addColumn<bool>("dropOnAccepting");
        QTest::newRow("accepted") << true;
        QTest::newRow("refused") << false;
    }
    void sourceThatHidesItselfStillEndsItsDrag()
    {
        QFETCH(bool, dropOnAccepting);
        column->OnStartDrag = [](QObject *sender) { viewOf(sender)->hide(); };
        QWindow *window = table->windowHandle();
        const QPoint start = table->mapFromGlobal(column->mapToGlobal(QPoint(10, 90)));
        const QPoint end = table->mapFromGlobal((dropOnAccepting ? accepting : refusing)->mapToGlobal(QPoint(40, 40)));
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        QTest::mouseMove(window, start + QPoint(4, 4));
        QVERIFY(column->isHidden());
        QTest::mouseMove(window, end);
        QTest::mouseRelease(window, Qt::LeftButton, {}, end);
        QVERIFY(!DragManager::instance().active());
        QCOMPARE(accepting->Cards->Count(), dropOnAccepting ? 1 : 0);
        QCOMPARE(column->Cards->Count(), dropOnAccepting ? 4 : 5);
        QCOMPARE(column->isVisible(), !dropOnAccepting);
    }

    void dragPictureHoldsTheDraggedCards_data()
    {
        QTest::addColumn<float>("xOffset");
        QTest::addColumn<float>("yOffset");
        QTest::addColumn<QPoint>("pressAt");
        QTest::addColumn<QSize>("size");
        QTest::newRow("one card, column") << 0.0f << 20.0f << QPoint(10, 100) << QSize(80, 145);
        QTest::newRow("three cards, column") << 0.0f << 20.0f << QPoint(10, 50) << QSize(80, 185);
        QTest::newRow("two cards, fanned") << 12.5f << 0.0f << QPoint(40, 10) << QSize(105, 125);
    }
    void dragPictureHoldsTheDraggedCards()
    {
        QFETCH(float, xOffset);
        QFETCH(float, yOffset);
        QFETCH(QPoint, pressAt);
        QFETCH(QSize, size);
        column->XOffset = xOffset;
        column->YOffset = yOffset;
        column->resize(200, 337);
        press(pressAt);
        moveTo(pressAt + QPoint(3, 3));
        const QImage picture = column->DragImage;
        QCOMPARE(picture.size(), size);
        const TCard *last = column->DragPile->CardAt(TCardPile::Top);
        const int lastIndex = column->DragPile->Count() - 1;
        const QPoint lastAt(int(lastIndex * xOffset), int(lastIndex * yOffset));
        QImage expected(picture.size(), QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        QPainter painter(&expected);
        last->DrawCardOnCanvas(lastAt, painter);
        painter.end();
        const QRect lastCard = inner(QRect(lastAt, QSize(80, 125)));
        QCOMPARE(picture.convertToFormat(expected.format()).copy(lastCard), expected.copy(lastCard));
        QCOMPARE(qAlpha(picture.pixel(size.width() - 1, size.height() - 1)), 0);  // see-through beyond the cards
        release(pressAt);
    }

    void aClosedUpFanKeepsItsTopCardInsideForEyeHandAndDrag_data()
    {
        QTest::addColumn<float>("xOffset");
        QTest::addColumn<float>("yOffset");
        QTest::addColumn<QSize>("size");
        QTest::newRow("across") << 12.0f << 0.0f << QSize(200, 125);
        QTest::newRow("down") << 0.0f << 20.0f << QSize(80, 337);
    }
    void aClosedUpFanKeepsItsTopCardInsideForEyeHandAndDrag()
    {
        QFETCH(float, xOffset);
        QFETCH(float, yOffset);
        QFETCH(QSize, size);
        column->XOffset = xOffset;
        column->YOffset = yOffset;
        column->resize(size);
        column->closesUp = true;
        deal(column, 20);  // 25 cards, far more than the offsets leave room for
        const QRect top = column->CardRectAt(24);
        QVERIFY(column->rect().contains(top));
        const QImage shown = opaque(column->grab().toImage());
        const QImage topCard = cardOnTable(column->Cards->CardAt(24), tableGreen);
        QCOMPARE(shown.copy(inner(top)), topCard.copy(inner(topCard.rect())));

        const QPointF step = column->fanStep();
        const QPoint belowTop = column->CardRectAt(23).topLeft() + QPoint(2, 2);
        press(belowTop);
        QCOMPARE(column->SelectedCard, column->Cards->CardAt(23));
        moveTo(belowTop + QPoint(3, 3));
        QCOMPARE(column->DragPile->Count(), 2);
        QCOMPARE(column->DragImage.size(), QSize(int(2 * step.x()) + 80, int(2 * step.y()) + 125));
        release(belowTop);
        QCOMPARE(column->Cards->Count(), 25);
    }
};

QTEST_MAIN(TestCardPileView)
#include "tst_cardpileview.moc"
