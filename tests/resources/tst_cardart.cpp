// SPDX-License-Identifier: MIT
#include "resources/Providers.h"
#include "resources/Resources.h"

#include <QCryptographicHash>
#include <QImage>
#include <QSet>
#include <QTest>

#include <cmath>

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

QByteArray checksum(const QImage &image)
{
    const QByteArrayView bits(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    return QCryptographicHash::hash(bits, QCryptographicHash::Md5).toHex();
}

// Pixels whose grey levels differ by more than 40 between two pictures of one size.
int clearlyDifferingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 40 ? 1 : 0;
    return count;
}

double meanGreyDifference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return double(sum) / (a.width() * a.height());
}

QSize deviceSize(QSize logical, qreal ratio)
{
    return QSize(int(std::ceil(logical.width() * ratio)), int(std::ceil(logical.height() * ratio)));
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
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("picture");
        const QRect large(QPoint(5, 5), QPoint(75, 120)), small(QPoint(4, 4), QPoint(57, 91));
        QTest::newRow("large") << "BORDER" << "BORDERMASK" << 1.0 << QSize(80, 125) << large;
        QTest::newRow("small") << "sBORDER" << "sBORDERMASK" << 1.0 << QSize(61, 95) << small;
        QTest::newRow("large@2") << "BORDER" << "BORDERMASK" << 2.0 << QSize(160, 250)
                                 << QRect(large.topLeft() * 2, large.bottomRight() * 2);
        QTest::newRow("small@1.5") << "sBORDER" << "sBORDERMASK" << 1.5 << QSize(92, 143)
                                   << QRect(QPoint(6, 6), QPoint(85, 136));
    }

    void borderFramesAndMasks()
    {
        QFETCH(QString, frame);
        QFETCH(QString, mask);
        QFETCH(qreal, ratio);
        QFETCH(QSize, size);
        QFETCH(QRect, picture);
        const QImage frameImage = Resources::bitmap(frame, ratio);
        const QImage maskImage = Resources::bitmap(mask, ratio);
        QCOMPARE(frameImage.size(), size);
        QCOMPARE(maskImage.size(), size);
        QCOMPARE(maskImage.devicePixelRatio(), ratio);
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

    void densePicturesMeasureTheirLogicalSizeTimesTheRatio_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("logical");
        for (qreal ratio : {2.0, 1.5, 1.25, 3.0})
            for (const CardSet &set : {largeSet, smallSet})
                for (int number : {100, 112, 139, 152, 153, 155, 156, 157})
                    QTest::addRow("%s@%g", qPrintable(cardName(set, number)), ratio)
                        << cardName(set, number) << ratio << set.size;
    }

    void densePicturesMeasureTheirLogicalSizeTimesTheRatio()
    {
        QFETCH(QString, name);
        QFETCH(qreal, ratio);
        QFETCH(QSize, logical);
        const QImage image = Resources::bitmap(name, ratio);
        const QSize size = deviceSize(logical, ratio);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.devicePixelRatio(), ratio);
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        // Round corners and an opaque card inside them. A device pixel that the rounding
        // up adds at the edge lies half outside the card.
        const int r = size.width() - 1, b = size.height() - 1;
        for (const QPoint &corner : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        const int right = int(logical.width() * ratio) - 1, bottom = int(logical.height() * ratio) - 1;
        const QPoint centre(size.width() / 2, size.height() / 2);
        for (const QPoint &p : {QPoint(centre.x(), 0), QPoint(0, centre.y()), QPoint(right, centre.y()),
                                QPoint(centre.x(), bottom), centre})
            QCOMPARE(qAlpha(image.pixel(p)), 255);
    }

    void denseCardsAreDrawnForTheirDensityNotEnlarged_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"FSCARD100", "sFSCARD100", "FSCARD112", "sFSCARD112", "FSCARD137", "FSCARD152",
                                 "sFSCARD155"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void denseCardsAreDrawnForTheirDensityNotEnlarged()
    {
        QFETCH(QString, name);
        const QImage ordinary = Resources::bitmap(name);
        const QImage dense = Resources::bitmap(name, 2);
        const QImage enlarged = ordinary.scaled(dense.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const int differing = clearlyDifferingPixels(dense, enlarged);
        QVERIFY2(differing > dense.width() * dense.height() / 25, qPrintable(QString::number(differing)));
        // ... while everything stands where it stands on the ordinary card.
        const QImage shrunk = dense.scaled(ordinary.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double mean = meanGreyDifference(shrunk, ordinary);
        QVERIFY2(mean < 5.0, qPrintable(QString::number(mean)));
    }

    // Pinned from the pictures as drawn before denser screens were served: the
    // ordinary density stays the same pixel for pixel.
    void ordinaryPicturesStayAsTheyWere()
    {
        const QList<std::pair<QString, QByteArray>> pinned{{"FSCARD100", "fbb2738491eea04afa4e74de83c19d09"},
                                                           {"FSCARD112", "2441544a3057319b0599bf089c6a222d"},
                                                           {"sFSCARD155", "266c75a989ff75423e51be6008b54984"},
                                                           {"BORDERMASK", "395220a92d2b3a582faef3ed72e0e683"}};
        for (const auto &[name, sum] : pinned)
            QCOMPARE(checksum(Resources::bitmap(name)), sum);
    }

    void picturesAreKeptPerNameAndRatio()
    {
        const QImage dense = Resources::bitmap(QStringLiteral("FSCARD120"), 2);
        QCOMPARE(Resources::bitmap(QStringLiteral("fscard120"), 2).cacheKey(), dense.cacheKey());
        const QImage ordinary = Resources::bitmap(QStringLiteral("FSCARD120"));
        QVERIFY(ordinary.cacheKey() != dense.cacheKey());
        QCOMPARE(ordinary.size(), QSize(80, 125));
        QCOMPARE(Resources::bitmap(QStringLiteral("FSCARD120"), 1.5).size(), QSize(120, 188));
        QVERIFY(Resources::bitmap(QStringLiteral("FSCARD120"), 1.5).cacheKey() != dense.cacheKey());
    }

    void nonsenseRatiosAreBroughtIntoRange()
    {
        const QImage ordinary = Resources::bitmap(QStringLiteral("FSCARD121"));
        for (qreal ratio : {0.0, -3.0, 0.5, qQNaN()})
            QCOMPARE(Resources::bitmap(QStringLiteral("FSCARD121"), ratio).cacheKey(), ordinary.cacheKey());
        const QImage densest = Resources::bitmap(QStringLiteral("FSCARD121"), 4);
        for (qreal ratio : {4.5, 1000.0, 1e300, qInf()})
            QCOMPARE(Resources::bitmap(QStringLiteral("FSCARD121"), ratio).cacheKey(), densest.cacheKey());
        QCOMPARE(densest.size(), QSize(320, 500));
        QCOMPARE(densest.devicePixelRatio(), 4.0);
        // The drawing itself refuses a giant canvas, asked directly.
        QCOMPARE(CardArt::render(QStringLiteral("SFSCARD121"), 1e9)->size(), QSize(244, 380));
        QCOMPARE(CardArt::render(QStringLiteral("BORDERMASK"), -1)->size(), QSize(80, 125));
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
