// SPDX-License-Identifier: MIT
#include "cards/Card.h"
#include "cards/CardPileView.h"
#include "platform/ImageList.h"
#include "platform/Screen.h"
#include "resources/Resources.h"

#include <QPainter>
#include <QTest>

namespace {

// What a card drawn alone looks like: the card's own paint over transparency.
QImage drawn(const TCard &card)
{
    QImage image(TCard::CardWidth(), TCard::CardHeight(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    card.DrawCardOnCanvas(QPoint(0, 0), painter);
    return image;
}

// The same resource picture keyed and drawn the way image lists draw it.
QImage resourceDrawn(const QString &name)
{
    ImageList list(TCard::CardWidth(), TCard::CardHeight());
    list.AddMasked(Resources::bitmap(name));
    QImage image(list.Width(), list.Height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    list.Draw(painter, 0, 0, 0);
    return image;
}

// Pixels whose colour differs by more than a rounding step in some channel.
int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > 24 || qAbs(qGreen(p) - qGreen(q)) > 24 || qAbs(qBlue(p) - qBlue(q)) > 24)
                ++count;
        }
    return count;
}

}  // namespace

class TestCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        Screen::overridePictureRatio(std::nullopt);
        TCard::SetBackIndex(0);
        TCard::SetCardSize(FS_LARGE);
    }

    void constructorsDefaultToFaceDown()
    {
        const TCard plain;
        QCOMPARE(plain.Suit, FS_CLUBS);
        QCOMPARE(plain.Value, FS_ACE);
        QVERIFY(!plain.FaceUp);
        QVERIFY(!TCard(FS_HEARTS, FS_TEN).FaceUp);
        QVERIFY(TCard(FS_HEARTS, FS_TEN, 1).FaceUp);
        QVERIFY(!TCard(FS_HEARTS, FS_TEN, 0).FaceUp);
    }

    void colourFollowsSuit_data()
    {
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("colour");
        QTest::newRow("clubs") << int(FS_CLUBS) << int(FS_BLACK);
        QTest::newRow("spades") << int(FS_SPADES) << int(FS_BLACK);
        QTest::newRow("diamonds") << int(FS_DIAMONDS) << int(FS_RED);
        QTest::newRow("hearts") << int(FS_HEARTS) << int(FS_RED);
    }
    void colourFollowsSuit()
    {
        QFETCH(int, suit);
        QFETCH(int, colour);
        TCard card(static_cast<CardSuit>(suit), FS_SEVEN);
        QCOMPARE(int(card.GetCardColor()), colour);
        QCOMPARE(int(card.Color), colour);  // the cache is written too
    }

    void twoFlipsRestoreTheFace()
    {
        TCard card(FS_SPADES, FS_KING, 1);
        card.Flip();
        QVERIFY(!card.FaceUp);
        card.Flip();
        QVERIFY(card.FaceUp);
    }

    void faceUpCardDrawsItsNumberedImage_data()
    {
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("resource");
        QTest::newRow("ace of clubs") << int(FS_CLUBS) << int(FS_ACE) << "FSCARD100";
        QTest::newRow("two of spades") << int(FS_SPADES) << int(FS_TWO) << "FSCARD114";
        QTest::newRow("queen of diamonds") << int(FS_DIAMONDS) << int(FS_QUEEN) << "FSCARD137";
        QTest::newRow("king of hearts") << int(FS_HEARTS) << int(FS_KING) << "FSCARD151";
    }
    void faceUpCardDrawsItsNumberedImage()
    {
        QFETCH(int, suit);
        QFETCH(int, value);
        QFETCH(QString, resource);
        const TCard card(static_cast<CardSuit>(suit), static_cast<CardValue>(value), 1);
        QCOMPARE(drawn(card), resourceDrawn(resource));
        QImage face;
        TCard(static_cast<CardSuit>(suit), static_cast<CardValue>(value)).GetCardBitmap(face);
        QCOMPARE(face.size(), QSize(80, 125));  // the face even when face down
    }

    void jokerIsLoadedButNoCardShowsIt()
    {
        const TCard card;
        QCOMPARE(TCard::GetCardImageList()->Count(), 53);
        QCOMPARE(TCard::GetBackImageList()->Count(), 3);
        const QImage joker = resourceDrawn("FSCARD152");
        for (int suit = FS_CLUBS; suit <= FS_HEARTS; ++suit)
            for (int value = FS_ACE; value <= FS_KING; value += 6)
                QVERIFY(drawn(TCard(CardSuit(suit), CardValue(value), 1)) != joker);
    }

    void faceDownCardDrawsTheChosenBack_data()
    {
        QTest::addColumn<int>("backIndex");
        QTest::addColumn<QString>("resource");
        QTest::newRow("lattice") << 0 << "FSCARD153";
        QTest::newRow("ornament") << 1 << "FSCARD154";
        QTest::newRow("ship") << 2 << "FSCARD155";
        QTest::newRow("out of range high") << 7 << "FSCARD153";
        QTest::newRow("out of range negative") << -1 << "FSCARD153";
    }
    void faceDownCardDrawsTheChosenBack()
    {
        QFETCH(int, backIndex);
        QFETCH(QString, resource);
        const TCard card(FS_DIAMONDS, FS_FIVE);
        TCard::SetBackIndex(backIndex);
        QCOMPARE(TCard::GetBackIndex(), backIndex);
        QCOMPARE(drawn(card), resourceDrawn(resource));
    }

    void settingTheSameSizeReloadsNothing()
    {
        const TCard card;
        const int loads = TCard::LoadCount();
        TCard::SetCardSize(FS_LARGE);
        QCOMPARE(TCard::LoadCount(), loads);

        TCard::SetCardSize(FS_SMALL);
        QCOMPARE(TCard::LoadCount(), loads + 1);
        QCOMPARE(TCard::GetCardImageList()->Width(), 61);
        QCOMPARE(TCard::GetCardImageList()->Height(), 95);
        QCOMPARE(TCard::CardWidth(), 61);
        QCOMPARE(TCardPileView::PileMarks()->Width(), 61);  // the marks follow the size
        QCOMPARE(drawn(TCard(FS_HEARTS, FS_KING, 1)), resourceDrawn("sFSCARD151"));

        TCard::SetCardSize(FS_SMALL);
        QCOMPARE(TCard::LoadCount(), loads + 1);
    }

    // A game deals most cards face down: a face is drawn when a card first shows it,
    // and then looks exactly as if all had been drawn at once.
    void facesAreDrawnWhenFirstShownAndLookTheSame()
    {
        TCard::FreeCardBitmaps();
        TCard::SetCardSize(FS_LARGE);
        const ImageList *faces = TCard::GetCardImageList();
        QCOMPARE(faces->MadeCount(), 0);
        QCOMPARE(drawn(TCard(FS_SPADES, FS_QUEEN, 1)), resourceDrawn("FSCARD124"));
        drawn(TCard(FS_SPADES, FS_QUEEN));  // face down: the back, no face
        QCOMPARE(faces->MadeCount(), 1);
        QCOMPARE(TCard::GetBackImageList()->MadeCount(), 1);
    }

    // On a dense screen the cards have twice the pixels in the same logical place,
    // drawn for that density rather than enlarged.
    void aDenseScreenGetsCardsDrawnForIt()
    {
        Screen::overridePictureRatio(2.0);
        TCard::SetCardSize(FS_LARGE);  // the ratio changed: made again
        QImage face;
        TCard(FS_HEARTS, FS_ACE).GetCardBitmap(face);
        QCOMPARE(face.size(), QSize(160, 250));
        QCOMPARE(face.devicePixelRatio(), 2.0);
        QCOMPARE(TCard::CardWidth(), 80);
        Screen::overridePictureRatio(std::nullopt);
        TCard::SetCardSize(FS_LARGE);
        QImage ordinary;
        TCard(FS_HEARTS, FS_ACE).GetCardBitmap(ordinary);
        QCOMPARE(ordinary.size(), QSize(80, 125));
        const QImage enlarged = ordinary.scaled(face.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(differingPixels(face.convertToFormat(QImage::Format_ARGB32),
                                enlarged.convertToFormat(QImage::Format_ARGB32)) > face.width() * face.height() / 50);
    }
};

QTEST_MAIN(TestCard)
#include "tst_card.moc"
