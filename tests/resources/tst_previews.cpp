// SPDX-License-Identifier: MIT
#include "resources/Providers.h"
#include "resources/Resources.h"

#include <QCryptographicHash>
#include <QtTest>

namespace {

const QStringList launcherPictures = {"STARTUP", "CASTLE", "DBLKLONDIKE", "FORTYTHIEVES", "FREECELL",
                                      "GOLF", "INDIAN", "KLONDIKE", "MONTANA", "PYRAMID",
                                      "QUEENITALY", "SEAHAVEN", "SPIDER"};

bool isCardWhite(QRgb pixel) { return qRed(pixel) > 235 && qGreen(pixel) > 235 && qBlue(pixel) > 235; }

// The table cloth: green, with no red or blue to speak of.
bool isCloth(QRgb pixel) { return qRed(pixel) < 30 && qBlue(pixel) < 30 && qGreen(pixel) > 30; }

int countPixels(const QImage &image, const QRect &area, bool (*test)(QRgb))
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

QImage enlarged(const QImage &picture, QSize size)
{
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(picture.format());
}

int clearlyDifferingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 40 ? 1 : 0;
    return count;
}

}  // namespace

class TestPreviews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theLauncherFindsEveryPicture()
    {
        QCOMPARE(PreviewArt::names(), launcherPictures);
        for (const QString &name : launcherPictures)
            QVERIFY2(Resources::hasBitmap(name), qPrintable(name));
        QVERIFY(!PreviewArt::render(QStringLiteral("SOLITAIRE")).has_value());
    }

    void everyPictureFitsTheLauncherAndShowsCardsOnTheTable_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : launcherPictures)
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyPictureFitsTheLauncherAndShowsCardsOnTheTable()
    {
        QFETCH(QString, name);
        const QImage picture = Resources::bitmap(name.toLower());
        QCOMPARE(picture.size(), QSize(320, 125));
        // Opaque all over: the launcher shows it on a panel of another colour.
        QCOMPARE(countPixels(picture, picture.rect(), [](QRgb p) { return qAlpha(p) == 255; }), 320 * 125);
        const int white = countPixels(picture, picture.rect(), isCardWhite);
        const int cloth = countPixels(picture, picture.rect(), isCloth);
        QVERIFY2(white > 1500, qPrintable(QString::number(white)));
        QVERIFY2(cloth > 320 * 125 / 5, qPrintable(QString::number(cloth)));
    }

    void allPicturesDiffer()
    {
        QList<QImage> pictures;
        for (const QString &name : launcherPictures)
            pictures.append(Resources::bitmap(name));
        for (int i = 0; i < pictures.size(); ++i)
            for (int j = i + 1; j < pictures.size(); ++j)
                QVERIFY2(pictures[i] != pictures[j], qPrintable(launcherPictures[i] + " = " + launcherPictures[j]));
    }

    void startupLeavesRoomForTheStartPanel_data()
    {
        QTest::addColumn<int>("ratio");
        QTest::newRow("ordinary") << 1;
        QTest::newRow("dense") << 2;
    }

    void startupLeavesRoomForTheStartPanel()
    {
        QFETCH(int, ratio);
        // The launcher covers (70, 70) to (254, 110) of the picture with its start panel.
        const QImage picture = Resources::bitmap(QStringLiteral("STARTUP"), ratio);
        const QRect panel(70 * ratio, 70 * ratio, 185 * ratio, 41 * ratio);
        QCOMPARE(countPixels(picture, panel, isCloth), panel.width() * panel.height());
        // ... while the title and the hint above it are drawn.
        const QRect title(20 * ratio, 0, 280 * ratio, 70 * ratio);
        QVERIFY(countPixels(picture, title, isCloth) < title.width() * title.height() * 9 / 10);
    }

    void densePicturesAreDrawnForTheirDensity_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("size");
        for (const char *name : {"STARTUP", "KLONDIKE", "MONTANA"}) {
            QTest::addRow("%s@2", name) << QString::fromLatin1(name) << 2.0 << QSize(640, 250);
            QTest::addRow("%s@1.5", name) << QString::fromLatin1(name) << 1.5 << QSize(480, 188);
        }
        QTest::addRow("PYRAMID@1.25") << QStringLiteral("PYRAMID") << 1.25 << QSize(400, 157);
    }

    void densePicturesAreDrawnForTheirDensity()
    {
        QFETCH(QString, name);
        QFETCH(qreal, ratio);
        QFETCH(QSize, size);
        const QImage picture = Resources::bitmap(name, ratio);
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        // Every device pixel is painted, the extra edge row of a fractional ratio too.
        const int all = size.width() * size.height();
        QCOMPARE(countPixels(picture, picture.rect(), [](QRgb p) { return qAlpha(p) == 255; }), all);
        const int white = countPixels(picture, picture.rect(), isCardWhite);
        QVERIFY2(white > 1500 * ratio * ratio, qPrintable(QString::number(white)));
        // The miniatures come from cards drawn for the density, not from enlarged ones.
        const int differing = clearlyDifferingPixels(picture, enlarged(Resources::bitmap(name), size));
        QVERIFY2(differing > all / 40, qPrintable(QString::number(differing)));
    }

    // Pinned from the pictures as drawn before denser screens were served: the same
    // pixels in every run and every build.
    void ordinaryPicturesStayAsTheyWere_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("md5");
        QTest::newRow("STARTUP") << "STARTUP" << QByteArray("6bac1f2a77188b8a655e35bd0a58684f");
        QTest::newRow("KLONDIKE") << "KLONDIKE" << QByteArray("15f9eed3aad2c4ff0780ebb9ad6fd72e");
        QTest::newRow("SPIDER") << "SPIDER" << QByteArray("8dc9a61713d1726760a60f14921122f6");
        QTest::newRow("MONTANA") << "MONTANA" << QByteArray("4ac5bb09c33b4b39f456ba7221fae16b");
    }

    void ordinaryPicturesStayAsTheyWere()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, md5);
        const QImage picture = *PreviewArt::render(name);
        const QByteArrayView bits(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes());
        QCOMPARE(QCryptographicHash::hash(bits, QCryptographicHash::Md5).toHex(), md5);
    }
};

QTEST_MAIN(TestPreviews)
#include "tst_previews.moc"
