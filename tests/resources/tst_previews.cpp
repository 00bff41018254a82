// SPDX-License-Identifier: MIT
#include "resources/Providers.h"
#include "resources/Resources.h"

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

    void picturesAreTheSameEveryRun()
    {
        for (const QString &name : {QStringLiteral("KLONDIKE"), QStringLiteral("SPIDER"), QStringLiteral("MONTANA")})
            QCOMPARE(*PreviewArt::render(name), *PreviewArt::render(name));
    }

    void startupLeavesRoomForTheStartPanel()
    {
        // The launcher covers (70, 70) to (254, 110) of the picture with its start panel.
        const QImage picture = Resources::bitmap(QStringLiteral("STARTUP"));
        const QRect panel(70, 70, 185, 41);
        QCOMPARE(countPixels(picture, panel, isCloth), panel.width() * panel.height());
        // ... while the title and the hint above it are drawn.
        QVERIFY(countPixels(picture, QRect(20, 0, 280, 70), isCloth) < 280 * 70 * 9 / 10);
    }
};

QTEST_MAIN(TestPreviews)
#include "tst_previews.moc"
