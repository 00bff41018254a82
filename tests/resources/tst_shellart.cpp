// SPDX-License-Identifier: MIT
#include "resources/Providers.h"
#include "resources/Resources.h"

#include <QCryptographicHash>
#include <QtTest>

#include <cstdlib>

namespace {

// Mean difference per channel and pixel between two pictures of the same size.
double difference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column)
            sum += std::abs(qRed(p[column]) - qRed(q[column])) + std::abs(qGreen(p[column]) - qGreen(q[column]))
                   + std::abs(qBlue(p[column]) - qBlue(q[column]));
    }
    return double(sum) / (3.0 * x.width() * x.height());
}

bool rowsAreBackground(const QImage &image, int fromRow)
{
    const QRgb background = image.pixel(0, 0);
    for (int row = fromRow; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column)
            if (image.pixel(column, row) != background)
                return false;
    return true;
}

QByteArray checksum(const QImage &image)
{
    const QByteArrayView bits(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    return QCryptographicHash::hash(bits, QCryptographicHash::Md5).toHex();
}

}  // namespace

class TestShellArt : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void jesterPosesShareOneBackgroundAndFitTheInfoBox()
    {
        const QImage first = Resources::bitmap(QStringLiteral("JESTER1"));
        const QColor background = first.pixelColor(0, 0);
        QCOMPARE(background.alpha(), 255);
        QList<QImage> poses;
        for (const char *name : {"JESTER1", "JESTER2", "JESTER3"}) {
            const QImage pose = Resources::bitmap(QString::fromLatin1(name));
            QCOMPARE(pose.size(), QSize(68, 97));
            // The windows take pixel (0, 0) as their colour: all four corners must match it.
            for (const QPoint corner : {QPoint(0, 0), QPoint(67, 0), QPoint(0, 96), QPoint(67, 96)})
                QCOMPARE(pose.pixelColor(corner), background);
            for (const QImage &other : poses)
                QVERIFY2(difference(pose, other) > 1.0, name);
            poses << pose;
            // The info box shows the top 90 rows; nothing of the jester may hide below.
            QVERIFY2(rowsAreBackground(pose, 90), name);
        }
    }

    void decorationsHaveTheirSizes()
    {
        const QImage picture = Resources::bitmap(QStringLiteral("INFOPIC"));
        QCOMPARE(picture.size(), QSize(306, 279));
        // It sits in the info box, whose colour comes from the jester: the edges blend in.
        QCOMPARE(picture.pixelColor(0, 0), Resources::bitmap(QStringLiteral("JESTER2")).pixelColor(0, 0));
        const QImage glyph = Resources::bitmap(QStringLiteral("HelpGlyph"));
        QCOMPARE(glyph.size(), QSize(18, 18));
        QCOMPARE(glyph.pixelColor(0, 0).alpha(), 0);
        QVERIFY(glyph.pixelColor(9, 9).alpha() == 255);
        const QImage icon = Resources::bitmap(QStringLiteral("TRAYICON"));
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.pixelColor(0, 31).alpha(), 0);
        QVERIFY(icon.pixelColor(16, 20).alpha() == 255);
    }

    void everyPictureIsListed()
    {
        const QStringList names = Resources::bitmapNames();
        for (const char *name : {"JESTER1", "JESTER2", "JESTER3", "INFOPIC", "HELPGLYPH", "TRAYICON"}) {
            QVERIFY2(names.contains(QString::fromLatin1(name)), name);
            QVERIFY(Resources::hasBitmap(QString::fromLatin1(name).toLower()));
        }
        QVERIFY(Resources::videoNames().contains(QStringLiteral("WIN_AVI")));
    }

    void unknownNamesAreNotAnswered()
    {
        QVERIFY(!ShellArt::render(QStringLiteral("JESTER4")));
        QVERIFY(!WinVideo::render(QStringLiteral("WIN_AVI2")));
        QVERIFY_THROWS_EXCEPTION(Resources::MissingResource, Resources::frames(QStringLiteral("LOSE_AVI")));
    }

    void winAnimationHasTenFrames()
    {
        const QList<QImage> frames = Resources::frames(QStringLiteral("win_avi"));
        QCOMPARE(frames.size(), 10);
        for (const QImage &frame : frames)
            QCOMPARE(frame.size(), QSize(376, 154));
    }

    void winAnimationMovesAndLoopsSmoothly()
    {
        const QList<QImage> frames = Resources::frames(QStringLiteral("WIN_AVI"));
        QList<double> steps;
        for (int i = 0; i < frames.size(); ++i)
            steps << difference(frames[i], frames[(i + 1) % frames.size()]);
        const double largest = *std::max_element(steps.begin(), steps.end() - 1);
        for (int i = 0; i < steps.size(); ++i)
            QVERIFY2(steps[i] > 2.0, qPrintable(QStringLiteral("frame %1 does not move on").arg(i + 1)));
        // From the last frame back to the first is a step like any other, not a jump.
        QVERIFY2(steps.last() <= largest * 1.25, qPrintable(QStringLiteral("loop jump %1 vs %2").arg(steps.last()).arg(largest)));
    }

    void densePicturesMeasureTheirLogicalSizeTimesTheRatio_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("size");
        QTest::newRow("JESTER1@2") << "JESTER1" << 2.0 << QSize(136, 194);
        QTest::newRow("JESTER3@1.5") << "JESTER3" << 1.5 << QSize(102, 146);
        QTest::newRow("INFOPIC@2") << "INFOPIC" << 2.0 << QSize(612, 558);
        QTest::newRow("HELPGLYPH@2") << "HELPGLYPH" << 2.0 << QSize(36, 36);
        QTest::newRow("HELPGLYPH@1.5") << "HELPGLYPH" << 1.5 << QSize(27, 27);
        QTest::newRow("TRAYICON@2") << "TRAYICON" << 2.0 << QSize(64, 64);
        QTest::newRow("TRAYICON@3") << "TRAYICON" << 3.0 << QSize(96, 96);
    }

    void densePicturesMeasureTheirLogicalSizeTimesTheRatio()
    {
        QFETCH(QString, name);
        QFETCH(qreal, ratio);
        QFETCH(QSize, size);
        const QImage picture = Resources::bitmap(name, ratio);
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        // The same picture as the ordinary one, only finer.
        const QImage ordinary = Resources::bitmap(name);
        const QImage shrunk = picture.scaled(ordinary.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY2(difference(shrunk, ordinary) < 8.0, qPrintable(name));
    }

    void denseJesterFitsTheInfoBoxAndIsDrawnFinely()
    {
        const QImage ordinary = Resources::bitmap(QStringLiteral("JESTER2"));
        const QImage dense = Resources::bitmap(QStringLiteral("JESTER2"), 2);
        const QColor background = ordinary.pixelColor(0, 0);
        for (const QPoint corner : {QPoint(0, 0), QPoint(135, 0), QPoint(0, 193), QPoint(135, 193)})
            QCOMPARE(dense.pixelColor(corner), background);
        QVERIFY(rowsAreBackground(dense, 180));
        const QImage enlarged = ordinary.scaled(dense.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int differing = 0;
        for (int y = 0; y < dense.height(); ++y)
            for (int x = 0; x < dense.width(); ++x)
                differing += std::abs(qGray(dense.pixel(x, y)) - qGray(enlarged.pixel(x, y))) > 40 ? 1 : 0;
        QVERIFY2(differing > dense.width() * dense.height() / 50, qPrintable(QString::number(differing)));
    }

    void winAnimationAtEveryRatio_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("size");
        QTest::newRow("2") << 2.0 << QSize(752, 308);
        QTest::newRow("1.5") << 1.5 << QSize(564, 231);
    }

    void winAnimationAtEveryRatio()
    {
        QFETCH(qreal, ratio);
        QFETCH(QSize, size);
        const QList<QImage> frames = Resources::frames(QStringLiteral("WIN_AVI"), ratio);
        QCOMPARE(frames.size(), 10);
        for (const QImage &frame : frames) {
            QCOMPARE(frame.size(), size);
            QCOMPARE(frame.devicePixelRatio(), ratio);
        }
        QCOMPARE(Resources::frames(QStringLiteral("win_avi"), ratio).first().cacheKey(), frames.first().cacheKey());
        QVERIFY(Resources::frames(QStringLiteral("WIN_AVI")).first().cacheKey() != frames.first().cacheKey());
        QCOMPARE(Resources::frames(QStringLiteral("WIN_AVI"), 50).first().size(), QSize(1504, 616));
    }

    // Pinned from the pictures as drawn before denser screens were served.
    void ordinaryPicturesStayAsTheyWere()
    {
        QCOMPARE(checksum(Resources::bitmap(QStringLiteral("JESTER1"))), "92b60cf554617b1c751c391c94858f02");
        QCOMPARE(checksum(Resources::bitmap(QStringLiteral("HELPGLYPH"))), "e6ffbfb08ac6efb3bf3dd8b2068fb898");
        QCOMPARE(checksum(Resources::frames(QStringLiteral("WIN_AVI")).at(1)), "4b1544909d6bb1aa7bf8d0fc2fcce830");
    }

    void exportWritesDensePicturesBesideTheOrdinaryOnes()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const QDir dir(directory.path());
        const int pictures = Resources::bitmapNames().size() + 10;
        QCOMPARE(Resources::exportAll(directory.path(), 2), pictures);
        QCOMPARE(QImage(dir.filePath(QStringLiteral("FSCARD100@2x.png"))).size(), QSize(160, 250));
        QCOMPARE(QImage(dir.filePath(QStringLiteral("WIN_AVI-10@2x.png"))).size(), QSize(752, 308));
        QVERIFY(dir.entryList({QStringLiteral("*.wav")}).isEmpty());
        QCOMPARE(dir.entryList(QDir::Files).size(), pictures);
        // The ordinary export writes the plain names, sounds included.
        const int all = pictures + Resources::waveNames().size();
        QCOMPARE(Resources::exportAll(directory.path()), all);
        QCOMPARE(QImage(dir.filePath(QStringLiteral("FSCARD100.png"))).size(), QSize(80, 125));
        QCOMPARE(dir.entryList(QDir::Files).size(), pictures + all);
    }

    void winAnimationIsTheSameEveryRun()
    {
        const std::optional<QList<QImage>> once = WinVideo::render(QStringLiteral("WIN_AVI"));
        const std::optional<QList<QImage>> again = WinVideo::render(QStringLiteral("WIN_AVI"));
        QVERIFY(once && again);
        QCOMPARE(*once, *again);
    }
};

QTEST_MAIN(TestShellArt)
#include "tst_shellart.moc"
