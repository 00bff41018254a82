// SPDX-License-Identifier: MIT
#include "platform/ImageList.h"

#include <QPainter>
#include <QTest>

namespace {

// A 20 x 30 picture: a red frame, a key-coloured middle and a blue dot.
QImage sample(qreal ratio = 1.0)
{
    QImage image(qCeil(20 * ratio), qCeil(30 * ratio), QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    painter.setPen(Qt::red);
    painter.drawRect(0, 0, 19, 29);
    painter.fillRect(8, 12, 4, 4, Qt::blue);
    return image;
}

}  // namespace

class TestImageList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aPictureMadeLaterEqualsOneAddedAtOnce()
    {
        ImageList eager(20, 30);
        ImageList lazy(20, 30);
        int made = 0;
        eager.AddMasked(sample());
        lazy.AddMaskedLater([&] {
            ++made;
            return sample();
        });
        QCOMPARE(lazy.Count(), 1);
        QCOMPARE(lazy.MadeCount(), 0);
        QCOMPARE(made, 0);
        QCOMPARE(lazy.Image(0), eager.Image(0));
        QCOMPARE(qAlpha(lazy.Image(0).pixel(5, 5)), 0);  // the key colour is transparent
        lazy.Image(0);
        QCOMPARE(made, 1);
        QCOMPARE(lazy.MadeCount(), 1);
    }

    void drawingMakesOnlyThePictureDrawn()
    {
        ImageList list(20, 30);
        for (int i = 0; i < 3; ++i)
            list.AddMaskedLater([] { return sample(); });
        QImage canvas(40, 40, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        list.Draw(painter, 10, 5, 1);
        list.Draw(painter, 10, 5, 7);  // out of range: nothing
        painter.end();
        QCOMPARE(list.MadeCount(), 1);
        QCOMPARE(canvas.pixelColor(10, 5), QColor(Qt::red));
        QCOMPARE(canvas.pixelColor(15, 10), QColor(Qt::white));
    }

    void aListAtRatioTwoHoldsTwiceThePixelsInTheSameLogicalPlace()
    {
        ImageList sharp(20, 30, 2.0);
        sharp.AddMasked(sample(2.0));
        sharp.AddMasked(sample(1.0));  // a plain picture is placed in logical pixels
        for (int i = 0; i < 2; ++i) {
            const QImage &picture = sharp.Image(i);
            QCOMPARE(picture.size(), QSize(40, 60));
            QCOMPARE(picture.devicePixelRatio(), 2.0);
            QCOMPARE(picture.pixelColor(17, 25).blue(), 255);  // the dot at (8..11, 12..15) logical
            QCOMPARE(picture.pixelColor(0, 0).red(), 255);
        }
        QImage canvas(80, 80, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(2.0);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        sharp.Draw(painter, 5, 5, 0);
        painter.end();
        QCOMPARE(canvas.pixelColor(10, 10), QColor(Qt::red));       // logical (5, 5)
        QCOMPARE(canvas.pixelColor(27, 35).blue(), 255);            // logical (13.5, 17.5)
        QCOMPARE(canvas.pixelColor(60, 60), QColor(Qt::white));     // outside the card
    }

    void aFractionalRatioRoundsThePicturesUp()
    {
        ImageList list(61, 95, 1.5);
        list.AddMasked(sample(1.5));
        QCOMPARE(list.Image(0).size(), QSize(92, 143));
        QCOMPARE(list.Width(), 61);
        QCOMPARE(list.Ratio(), 1.5);
    }
};

QTEST_MAIN(TestImageList)
#include "tst_imagelist.moc"
