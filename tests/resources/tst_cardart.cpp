// SPDX-License-Identifier: MIT
#include "resources/Providers.h"
#include "resources/Resources.h"

#include <QImage>
#include <QSet>
#include <QTest>

namespace {

struct CardSet {
    const char *pattern;
    QSize size;
};

const CardSet largeSet{"FSCARD%1", QSize(80, 125)};
const CardSet smallSet{"sFSCARD%1", QSize(61, 95)};

QString cardName(const CardSet &set, int number) { return QString::fromLatin1(set.pattern).arg(number); }

QImage card(const CardSet &set, int number) { return Resources::bitmap(cardName(set, number)); }

bool isInk(QRgb pixel) { return qAlpha(pixel) > 200 && qGray(pixel) < 150; }
bool isRedInk(QRgb pixel) { return isInk(pixel) && qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 110; }
bool isBlackInk(QRgb pixel) { return isInk(pixel) && qRed(pixel) < 90 && qGreen(pixel) < 90 && qBlue(pixel) < 90; }

// Counts separate blobs of ink inside a rectangle (4-connected).
int inkBlobs(const QImage &image, const QRect &area)
{
    QList<bool> seen(area.width() * area.height(), false);
    auto index = [&](int x, int y) { return (y - area.top()) * area.width() + (x - area.left()); };
    int blobs = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (seen[index(x, y)] || !isInk(image.pixel(x, y)))
                continue;
            ++blobs;
            QList<QPoint> stack{QPoint(x, y)};
            seen[index(x, y)] = true;
            while (!stack.isEmpty()) {
                const QPoint p = stack.takeLast();
                for (const QPoint &d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (area.contains(q) && !seen[index(q.x(), q.y())] && isInk(image.pixel(q))) {
                        seen[index(q.x(), q.y())] = true;
                        stack.append(q);
                    }
                }
            }
        }
    return blobs;
}

QRgb averageColour(const QImage &image, const QRect &area)
{
    qint64 r = 0, g = 0, b = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
        }
    const qint64 n = qint64(area.width()) * area.height();
    return qRgb(int(r / n), int(g / n), int(b / n));
}

}  // namespace

class TestCardArt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPictureHasItsSizeAndRoundCorners_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        for (const CardSet &set : {largeSet, smallSet})
            for (int number = 100; number <= 157; ++number)
                QTest::newRow(qPrintable(cardName(set, number))) << cardName(set, number) << set.size;
    }

    void everyPictureHasItsSizeAndRoundCorners()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QVERIFY(Resources::hasBitmap(name));
        const QImage image = Resources::bitmap(name);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        const int r = size.width() - 1, b = size.height() - 1;
        for (const QPoint &corner : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(r, 0), QPoint(r - 1, 0),
                                     QPoint(r, 1), QPoint(0, b), QPoint(0, b - 1), QPoint(1, b), QPoint(r, b),
                                     QPoint(r - 1, b), QPoint(r, b - 1)})
            QVERIFY2(qAlpha(image.pixel(corner)) == 0, qPrintable(QStringLiteral("corner pixel %1,%2 is not clear")
                                                                       .arg(corner.x()).arg(corner.y())));
        // The edges between the corners and the whole inside are opaque.
        for (const QPoint &p : {QPoint(size.width() / 2, 0), QPoint(0, size.height() / 2), QPoint(r, size.height() / 2),
                                QPoint(size.width() / 2, b), QPoint(size.width() / 2, size.height() / 2)})
            QCOMPARE(qAlpha(image.pixel(p)), 255);
    }

    void namesAreLookedUpWithoutRegardToCase()
    {
        QCOMPARE(Resources::bitmap(QStringLiteral("fscard100")), Resources::bitmap(QStringLiteral("FSCARD100")));
        QCOMPARE(Resources::bitmap(QStringLiteral("SFSCARD151")), Resources::bitmap(QStringLiteral("sFSCARD151")));
        QCOMPARE(Resources::bitmap(QStringLiteral("sborderMask")), Resources::bitmap(QStringLiteral("sBORDERMASK")));
        QVERIFY(Resources::hasBitmap(QStringLiteral("sfscard157")));
        QCOMPARE(Resources::bitmap(QStringLiteral("sfscard100")).size(), QSize(61, 95));

        const QStringList names = CardArt::names();
        QCOMPARE(names.size(), 2 * 58 + 4);
        for (const char *exported : {"FSCARD100", "FSCARD157", "sFSCARD100", "sFSCARD157", "BORDER", "BORDERMASK",
                                     "sBORDER", "sBORDERMASK"})
            QVERIFY2(names.contains(QLatin1String(exported)), exported);
        for (const QString &name : names)
            QVERIFY2(CardArt::render(name.toUpper()).has_value(), qPrintable(name));
    }

    void borderFramesAndMasks_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("picture");
        QTest::newRow("large") << "BORDER" << "BORDERMASK" << QSize(80, 125) << QRect(QPoint(5, 5), QPoint(75, 120));
        QTest::newRow("small") << "sBORDER" << "sBORDERMASK" << QSize(61, 95) << QRect(QPoint(4, 4), QPoint(57, 91));
    }

    void borderFramesAndMasks()
    {
        QFETCH(QString, frame);
        QFETCH(QString, mask);
        QFETCH(QSize, size);
        QFETCH(QRect, picture);
        const QImage frameImage = Resources::bitmap(frame);
        const QImage maskImage = Resources::bitmap(mask);
        QCOMPARE(frameImage.size(), size);
        QCOMPARE(maskImage.size(), size);
        // White marks the transparent corners, black the opaque card.
        const int r = size.width() - 1, b = size.height() - 1;
        for (const QPoint &corner : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
            QCOMPARE(maskImage.pixel(corner), qRgb(255, 255, 255));
        for (const QPoint &inside : {picture.topLeft(), picture.bottomRight(), picture.center(), QPoint(size.width() / 2, 0)})
            QCOMPARE(maskImage.pixel(inside), qRgb(0, 0, 0));
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const int alpha = qAlpha(frameImage.pixel(x, y));
                QCOMPARE(qGray(maskImage.pixel(x, y)), 255 - alpha);
            }
    }

    void unknownNamesThrow_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"FSCARD99", "FSCARD158", "sFSCARD160", "FSCARD0100", "FSCARD", "SSFSCARD100",
                                 "FSCARD100X", "BORDERMASKS", "xBORDER", ""})
            QTest::newRow(*name ? name : "empty") << QString::fromLatin1(name);
    }

    void unknownNamesThrow()
    {
        QFETCH(QString, name);
        QVERIFY(!CardArt::render(name.toUpper()).has_value());
        QVERIFY(!Resources::hasBitmap(name));
        QVERIFY_THROWS_EXCEPTION(Resources::MissingResource, Resources::bitmap(name));
    }

    void indicesAreRedOrBlackBySuit_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("small");
        QTest::addColumn<bool>("red");
        for (bool small : {false, true})
            for (int number = 100; number < 152; ++number)
                QTest::addRow("%s%d", small ? "s" : "", number) << number << small << (number >= 126);
    }

    void indicesAreRedOrBlackBySuit()
    {
        QFETCH(int, number);
        QFETCH(bool, small);
        QFETCH(bool, red);
        const QImage image = card(small ? smallSet : largeSet, number);
        // The strip that stays visible when cards are fanned over each other.
        const QRect index = small ? QRect(1, 1, 8, 15) : QRect(2, 2, 10, 18);
        int redInk = 0, blackInk = 0;
        for (int y = index.top(); y <= index.bottom(); ++y)
            for (int x = index.left(); x <= index.right(); ++x) {
                redInk += isRedInk(image.pixel(x, y)) ? 1 : 0;
                blackInk += isBlackInk(image.pixel(x, y)) ? 1 : 0;
            }
        QVERIFY2((red ? redInk : blackInk) >= (small ? 12 : 20),
                 qPrintable(QStringLiteral("red %1 black %2").arg(redInk).arg(blackInk)));
        QCOMPARE(red ? blackInk : redInk, 0);
        // The index is in the corner rotated half a turn too.
        const QImage turned = image.transformed(QTransform().rotate(180));
        int turnedInk = 0;
        for (int y = index.top(); y <= index.bottom(); ++y)
            for (int x = index.left(); x <= index.right(); ++x)
                turnedInk += (red ? isRedInk(turned.pixel(x, y)) : isBlackInk(turned.pixel(x, y))) ? 1 : 0;
        QCOMPARE(turnedInk, red ? redInk : blackInk);
    }

    void numberCardsShowOnePipPerValue_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("small");
        QTest::addColumn<int>("pips");
        for (bool small : {false, true})
            for (int suit : {0, 2, 3})  // the ace of spades is the ornate one
                for (int value = 0; value < 10; ++value) {
                    const int number = 100 + 13 * suit + value;
                    QTest::addRow("%s%d", small ? "s" : "", number) << number << small << value + 1;
                }
    }

    void numberCardsShowOnePipPerValue()
    {
        QFETCH(int, number);
        QFETCH(bool, small);
        QFETCH(int, pips);
        const QImage image = card(small ? smallSet : largeSet, number);
        const int margin = small ? 11 : 14;  // keeps the two indices out
        const QRect pipArea(margin, 2, image.width() - 2 * margin, image.height() - 4);
        QCOMPARE(inkBlobs(image, pipArea), pips);
    }

    void lowerPipsStandOnTheirHeads_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("small");
        for (bool small : {false, true})
            for (int value : {1, 2, 3, 4, 5, 7, 8, 9})  // every layout but the seven
                QTest::addRow("%s%d", small ? "s" : "", 139 + value) << 139 + value << small;
    }

    void lowerPipsStandOnTheirHeads()
    {
        QFETCH(int, number);
        QFETCH(bool, small);
        const QImage image = card(small ? smallSet : largeSet, number);
        const QImage turned = image.transformed(QTransform().rotate(180));
        // Pips on the middle line stand upright; everything above and below it mirrors.
        const int middleBand = small ? 7 : 9;
        int differing = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (std::abs(2 * y + 1 - image.height()) < 2 * middleBand)
                    continue;
                const QRgb a = image.pixel(x, y), b = turned.pixel(x, y);
                if (std::abs(qGray(a) - qGray(b)) > 40 || std::abs(qAlpha(a) - qAlpha(b)) > 40)
                    ++differing;
            }
        QVERIFY2(differing <= 4, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
    }

    void noTwoPicturesAreAlike()
    {
        QList<QImage> pictures;
        for (const CardSet &set : {largeSet, smallSet})
            for (int number = 100; number <= 157; ++number)
                pictures.append(card(set, number));
        QSet<QByteArray> seen;
        for (const QImage &picture : pictures)
            seen.insert(QByteArray(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes()));
        QCOMPARE(seen.size(), pictures.size());
        // Court cards of one suit differ clearly, not by a few pixels.
        for (int suit = 0; suit < 4; ++suit)
            for (int a = 10; a < 13; ++a)
                for (int b = a + 1; b < 13; ++b) {
                    const QImage first = card(largeSet, 100 + 13 * suit + a);
                    const QImage second = card(largeSet, 100 + 13 * suit + b);
                    int differing = 0;
                    for (int y = 0; y < first.height(); ++y)
                        for (int x = 0; x < first.width(); ++x)
                            differing += std::abs(qGray(first.pixel(x, y)) - qGray(second.pixel(x, y))) > 60 ? 1 : 0;
                    QVERIFY2(differing > 600, qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
                }
    }

    void backsAndPileMarksHaveTheirColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("colour");
        for (const CardSet &set : {largeSet, smallSet}) {
            QTest::newRow(qPrintable(cardName(set, 153))) << cardName(set, 153) << "red";
            QTest::newRow(qPrintable(cardName(set, 154))) << cardName(set, 154) << "blue";
            QTest::newRow(qPrintable(cardName(set, 155))) << cardName(set, 155) << "sea";
            QTest::newRow(qPrintable(cardName(set, 156))) << cardName(set, 156) << "grey";
            QTest::newRow(qPrintable(cardName(set, 157))) << cardName(set, 157) << "grey";
        }
    }

    void backsAndPileMarksHaveTheirColours()
    {
        QFETCH(QString, name);
        QFETCH(QString, colour);
        const QImage image = Resources::bitmap(name);
        const QRgb average = averageColour(image, image.rect().adjusted(6, 6, -6, -6));
        if (colour == QLatin1String("red")) {
            QVERIFY(qRed(average) > qBlue(average) + 60);
        } else if (colour == QLatin1String("blue")) {
            QVERIFY(qBlue(average) > qRed(average) + 40);
        } else if (colour == QLatin1String("sea")) {
            const QRgb sea = averageColour(image, QRect(8, image.height() * 3 / 4, image.width() - 16, 8));
            QVERIFY(qBlue(sea) > qRed(sea) + 40);
        } else {
            // Grey with a mark on it: the edge strip is neutral grey, neither white nor dark.
            const QRgb edge = averageColour(image, QRect(4, 8, 4, image.height() - 16));
            QVERIFY(std::abs(qRed(edge) - qBlue(edge)) < 12 && std::abs(qGreen(edge) - qBlue(edge)) < 12);
            QVERIFY(qGray(edge) > 120 && qGray(edge) < 225);
        }
    }
};

QTEST_MAIN(TestCardArt)
#include "tst_cardart.moc"
