// SPDX-License-Identifier: MIT
// The pictures drawn at build time, which the program reads instead of drawing.
#include "resources/Resources.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString builtPictures = QStringLiteral(CARDENZA_PICTURE_DIR);

// How two pictures differ as they show (premultiplied): the largest difference of a
// channel, and the share of pixels off by more than a rounding step.
struct Difference {
    int largest = 0;
    double shareOff = 0;
};

Difference differenceOf(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Difference difference;
    int off = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = reinterpret_cast<const QRgb *>(x.constScanLine(row))[column];
            const QRgb q = reinterpret_cast<const QRgb *>(y.constScanLine(row))[column];
            int largest = 0;
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q), qAlpha(p) - qAlpha(q)})
                largest = qMax(largest, qAbs(d));
            difference.largest = qMax(difference.largest, largest);
            off += largest > 2 ? 1 : 0;
        }
    difference.shareOff = double(off) / (x.width() * x.height());
    return difference;
}

}  // namespace

class TestPictureFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        Resources::usePictureFolder(QString());
        Resources::releasePictures();
    }

    void everyPictureIsThereAtBothDensities()
    {
        const QDir folder(builtPictures);
        for (const QString &name : Resources::bitmapNames())
            for (qreal ratio : {1.0, 2.0})
                QVERIFY2(folder.exists(Resources::pictureFileName(name, ratio)),
                         qPrintable(Resources::pictureFileName(name, ratio)));
    }

    void aPictureReadIsThePictureDrawn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("ratio");
        for (const char *name : {"FSCARD100", "FSCARD151", "sFSCARD137", "FSCARD155", "sFSCARD157", "STARTUP",
                                 "KLONDIKE", "JESTER1", "HELPGLYPH"})
            for (qreal ratio : {1.0, 2.0})
                QTest::addRow("%s@%g", name, ratio) << QString::fromLatin1(name) << ratio;
    }
    void aPictureReadIsThePictureDrawn()
    {
        QFETCH(QString, name);
        QFETCH(qreal, ratio);
        Resources::usePictureFolder(builtPictures);
        const QImage read = Resources::bitmap(name, ratio);
        const QImage drawn = Resources::draw(name, ratio);
        QCOMPARE(read.size(), drawn.size());
        QCOMPARE(read.devicePixelRatio(), ratio);
        // The same up to straight-alpha rounding and the anti-aliasing of a few
        // letter edges, which the glyph cache of another process may shade apart.
        const Difference difference = differenceOf(read, drawn);
        QVERIFY2(difference.largest <= 16 && difference.shareOff < 0.02,
                 qPrintable(QStringLiteral("%1 %2").arg(difference.largest).arg(difference.shareOff)));
    }

    void theWinAnimationIsReadFrameByFrame()
    {
        Resources::usePictureFolder(builtPictures);
        for (qreal ratio : {1.0, 2.0}) {
            const QList<QImage> read = Resources::frames(QStringLiteral("WIN_AVI"), ratio);
            const QList<QImage> drawn = Resources::drawFrames(QStringLiteral("WIN_AVI"), ratio);
            QCOMPARE(read.size(), drawn.size());
            for (qsizetype i = 0; i < read.size(); ++i) {
                QCOMPARE(read[i].devicePixelRatio(), ratio);
                QVERIFY(differenceOf(read[i], drawn[i]).shareOff < 0.02);
            }
        }
    }

    void anUnreadableFrameHasAllFramesDrawn()
    {
        QTemporaryDir folder;
        const QDir dir(folder.path());
        QVERIFY(QFile::copy(QDir(builtPictures).filePath(Resources::videoFrameFileName(QStringLiteral("WIN_AVI"), 0, 1.0)),
                            dir.filePath(Resources::videoFrameFileName(QStringLiteral("WIN_AVI"), 0, 1.0))));
        QFile broken(dir.filePath(Resources::videoFrameFileName(QStringLiteral("WIN_AVI"), 1, 1.0)));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a frame");
        broken.close();
        Resources::usePictureFolder(folder.path());
        QCOMPARE(Resources::frames(QStringLiteral("WIN_AVI")), Resources::drawFrames(QStringLiteral("WIN_AVI")));
    }

    // A file that is missing, empty or not a picture is drawn as usual; nothing stops.
    void aBrokenFolderFallsBackToDrawing()
    {
        QTemporaryDir folder;
        QFile broken(QDir(folder.path()).filePath(Resources::pictureFileName(QStringLiteral("FSCARD110"), 1.0)));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG\r\n\x1a\n this is not the rest of a picture");
        broken.close();
        QFile empty(QDir(folder.path()).filePath(Resources::pictureFileName(QStringLiteral("FSCARD111"), 1.0)));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        Resources::usePictureFolder(folder.path());
        for (const char *name : {"FSCARD110", "FSCARD111", "FSCARD112"})
            QCOMPARE(Resources::bitmap(QString::fromLatin1(name)), Resources::draw(QString::fromLatin1(name)));
        Resources::usePictureFolder(folder.path() + QStringLiteral("/gone"));
        Resources::releasePictures();
        QCOMPARE(Resources::bitmap(QStringLiteral("STARTUP")).size(), QSize(320, 125));
    }

    // The card lists keep their pictures; the resources do not keep a second copy.
    void anUnkeptPictureIsReadAgainEachTime()
    {
        Resources::usePictureFolder(builtPictures);
        const QImage first = Resources::unkeptBitmap(QStringLiteral("FSCARD120"), 1.0);
        const QImage second = Resources::unkeptBitmap(QStringLiteral("FSCARD120"), 1.0);
        QCOMPARE(first, second);
        QVERIFY(first.constBits() != second.constBits());
    }
};

QTEST_MAIN(TestPictureFolder)
#include "tst_picturefolder.moc"
