// SPDX-License-Identifier: MIT
#include "platform/Pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct PcxLayout {
    QList<QRgb> headerPalette = {};  // up to 16 colours
    int version = 5;
    int encoding = 1;
    int bitsPerPixel = 8;
    int planes = 1;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int bytesPerLine = 0;
};

void putWord(QByteArray &bytes, int offset, int value)
{
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char((value >> 8) & 0xFF);
}

QByteArray header(const PcxLayout &layout)
{
    QByteArray bytes(128, '\0');
    bytes[0] = 0x0A;
    bytes[1] = char(layout.version);
    bytes[2] = char(layout.encoding);
    bytes[3] = char(layout.bitsPerPixel);
    putWord(bytes, 4, layout.xMin);
    putWord(bytes, 6, layout.yMin);
    putWord(bytes, 8, layout.xMax);
    putWord(bytes, 10, layout.yMax);
    for (int i = 0; i < layout.headerPalette.size(); ++i) {
        bytes[16 + 3 * i] = char(qRed(layout.headerPalette[i]));
        bytes[17 + 3 * i] = char(qGreen(layout.headerPalette[i]));
        bytes[18 + 3 * i] = char(qBlue(layout.headerPalette[i]));
    }
    bytes[65] = char(layout.planes);
    putWord(bytes, 66, layout.bytesPerLine);
    return bytes;
}

// Run-length encoding as the paint programs write it: runs of up to 63 equal bytes,
// and any byte with both top bits set goes out as a run of one.
QByteArray encodeRuns(const QByteArray &raw)
{
    QByteArray out;
    for (qsizetype i = 0; i < raw.size();) {
        qsizetype run = 1;
        while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63)
            ++run;
        if (run > 1 || (uchar(raw[i]) & 0xC0) == 0xC0)
            out.append(char(0xC0 | run));
        out.append(raw[i]);
        i += run;
    }
    return out;
}

QByteArray pcx(const PcxLayout &layout, const QByteArray &scanLines)
{
    return header(layout) + (layout.encoding == 1 ? encodeRuns(scanLines) : scanLines);
}

QByteArray vgaPalette(const QList<QRgb> &colours)
{
    QByteArray bytes(769, '\0');
    bytes[0] = 0x0C;
    for (int i = 0; i < colours.size(); ++i) {
        bytes[1 + 3 * i] = char(qRed(colours[i]));
        bytes[2 + 3 * i] = char(qGreen(colours[i]));
        bytes[3 + 3 * i] = char(qBlue(colours[i]));
    }
    return bytes;
}

QList<QRgb> rowOf(const QImage &image, int y)
{
    QList<QRgb> row;
    for (int x = 0; x < image.width(); ++x)
        row.append(image.pixel(x, y));
    return row;
}

constexpr QRgb black = 0xff000000, white = 0xffffffff;
constexpr QRgb red = 0xffff0000, green = 0xff00ff00, blue = 0xff0000ff, grey = 0xff808080;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

QImage quarters()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(red);
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            image.setPixel(x, y, blue);
    return image;
}

bool near(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 && qAbs(qBlue(a) - qBlue(b)) < 24;
}

}  // namespace

class TestPictures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void monochromeWithPaddedLines()
    {
        PcxLayout layout{.bitsPerPixel = 1, .xMax = 9, .yMax = 1, .bytesPerLine = 2};
        // 1010110011 / 0111111110, padded to two bytes per line.
        const QByteArray lines("\xAC\xC0\x7F\x80", 4);
        const QImage image = Pictures::decodePcx(pcx(layout, lines));
        QCOMPARE(image.size(), QSize(10, 2));
        QCOMPARE(rowOf(image, 0), (QList<QRgb>{white, black, white, black, white, white, black, black, white, white}));
        QCOMPARE(rowOf(image, 1), (QList<QRgb>{black, white, white, white, white, white, white, white, white, black}));
    }

    void sixteenColoursInFourPlanes()
    {
        QList<QRgb> palette;
        for (int i = 0; i < 16; ++i)
            palette.append(qRgb(i * 16, 255 - i * 16, i));
        PcxLayout layout{.headerPalette = palette, .bitsPerPixel = 1, .planes = 4, .xMax = 3, .yMax = 0,
                     .bytesPerLine = 2};
        // Pixels with indices 1, 2, 4, 15: plane p holds bit p of each index.
        const QByteArray lines("\x90\x00\x50\x00\x30\x00\x10\x00", 8);
        const QImage image = Pictures::decodePcx(pcx(layout, lines));
        QCOMPARE(rowOf(image, 0), (QList<QRgb>{palette[1], palette[2], palette[4], palette[15]}));
    }

    void sixteenColoursWithoutHeaderPalette()
    {
        // Version 3 files carry no palette: the display adapter's colours apply.
        PcxLayout layout{.version = 3, .bitsPerPixel = 4, .xMax = 1, .yMax = 0, .bytesPerLine = 2};
        layout.headerPalette = {red, red};
        const QImage image = Pictures::decodePcx(pcx(layout, QByteArray("\x1E\x00", 2)));
        QCOMPARE(rowOf(image, 0), (QList<QRgb>{0xff0000aa, 0xffffff55}));
    }

    void fourBitPacked()
    {
        QList<QRgb> palette;
        for (int i = 0; i < 16; ++i)
            palette.append(qRgb(255 - i, i * 8, 100));
        PcxLayout layout{.headerPalette = palette, .bitsPerPixel = 4, .xMax = 2, .yMax = 1, .bytesPerLine = 2};
        const QByteArray lines("\x3F\x70\x00\xA0", 4);
        const QImage image = Pictures::decodePcx(pcx(layout, lines));
        QCOMPARE(rowOf(image, 0), (QList<QRgb>{palette[3], palette[15], palette[7]}));
        QCOMPARE(rowOf(image, 1), (QList<QRgb>{palette[0], palette[0], palette[10]}));
    }

    void paletteOf256AtTheEnd()
    {
        PcxLayout layout{.bitsPerPixel = 8, .xMax = 3, .yMax = 1, .bytesPerLine = 4};
        // Index 0x0C inside the picture must not be mistaken for the palette marker.
        const QByteArray lines("\x00\x01\x02\x0C\x03\x03\x03\x03", 8);
        const QRgb c = 0xff123456;
        const QByteArray file = pcx(layout, lines) + vgaPalette({black, red, green, blue, 0, 0, 0, 0, 0, 0, 0, 0, c});
        const QImage image = Pictures::decodePcx(file);
        QCOMPARE(rowOf(image, 0), (QList<QRgb>{black, red, green, c}));
        QCOMPARE(rowOf(image, 1), (QList<QRgb>{blue, blue, blue, blue}));
    }

    void eightBitWithoutPaletteIsGrey()
    {
        PcxLayout layout{.bitsPerPixel = 8, .xMax = 2, .yMax = 0, .bytesPerLine = 4};
        const QImage image = Pictures::decodePcx(pcx(layout, QByteArray("\x00\x80\xFF\x00", 4)));
        QCOMPARE(rowOf(image, 0), (QList<QRgb>{black, grey, white}));
    }

    void trueColourInThreePlanes()
    {
        PcxLayout layout{.bitsPerPixel = 8, .planes = 3, .xMax = 2, .yMax = 1, .bytesPerLine = 4};
        // Each line: a red line, a green line and a blue line, each padded to four bytes.
        const QByteArray lines("\xFF\x00\x12\x00" "\x00\xFF\x34\x00" "\x00\x00\x56\x00"
                               "\x80\x80\x80\x00" "\x80\x80\x80\x00" "\x80\x80\x80\x00", 24);
        const QImage image = Pictures::decodePcx(pcx(layout, lines));
        QCOMPARE(image.size(), QSize(3, 2));
        QCOMPARE(rowOf(image, 0), (QList<QRgb>{red, green, 0xff123456}));
        QCOMPARE(rowOf(image, 1), (QList<QRgb>{grey, grey, grey}));
    }

    void rawEncodingAndWindowOrigin()
    {
        // Encoding 0 stores the lines as they are; the picture spans Xmin..Xmax, Ymin..Ymax.
        PcxLayout layout{.encoding = 0, .bitsPerPixel = 8, .xMin = 100, .yMin = 7, .xMax = 101, .yMax = 8,
                     .bytesPerLine = 2};
        const QByteArray file = pcx(layout, QByteArray("\xC1\x02\x03\xFF", 4)) + vgaPalette(
            [] { QList<QRgb> p(256, black); p[0xC1] = red; p[2] = green; p[3] = blue; p[0xFF] = white; return p; }());
        const QImage image = Pictures::decodePcx(file);
        QCOMPARE(image.size(), QSize(2, 2));
        QCOMPARE(rowOf(image, 0), (QList<QRgb>{red, green}));
        QCOMPARE(rowOf(image, 1), (QList<QRgb>{blue, white}));
    }

    void runsMayCrossLines()
    {
        PcxLayout layout{.bitsPerPixel = 8, .xMax = 1, .yMax = 2, .bytesPerLine = 2};
        // One run of five, then a literal: the run covers two and a half lines.
        const QByteArray file = header(layout) + QByteArray("\xC5\x80\x01", 3);
        const QImage image = Pictures::decodePcx(file);
        QCOMPARE(rowOf(image, 0), (QList<QRgb>{grey, grey}));
        QCOMPARE(rowOf(image, 1), (QList<QRgb>{grey, grey}));
        QCOMPARE(rowOf(image, 2), (QList<QRgb>{grey, qRgb(1, 1, 1)}));
    }

    void liarsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        const PcxLayout good{.bitsPerPixel = 8, .xMax = 3, .yMax = 3, .bytesPerLine = 4};
        const QByteArray pixels(16, '\x05');
        QVERIFY(!Pictures::decodePcx(pcx(good, pixels)).isNull());

        auto with = [&](auto change) { PcxLayout layout = good; change(layout); return pcx(layout, pixels); };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only, cut") << pcx(good, pixels).left(100);
        QTest::newRow("wrong maker") << QByteArray(pcx(good, pixels)).replace(0, 1, "\x0B");
        QTest::newRow("version 1") << with([](PcxLayout &s) { s.version = 1; });
        QTest::newRow("encoding 2") << with([](PcxLayout &s) { s.encoding = 2; });
        QTest::newRow("3 bits") << with([](PcxLayout &s) { s.bitsPerPixel = 3; });
        QTest::newRow("no planes") << with([](PcxLayout &s) { s.planes = 0; });
        QTest::newRow("8 bits in 2 planes") << with([](PcxLayout &s) { s.planes = 2; });
        QTest::newRow("Xmax < Xmin") << with([](PcxLayout &s) { s.xMin = 5; s.xMax = 4; });
        QTest::newRow("Ymax < Ymin") << with([](PcxLayout &s) { s.yMin = 9; s.yMax = 0; });
        QTest::newRow("lines too short") << with([](PcxLayout &s) { s.bytesPerLine = 3; });
        QTest::newRow("no bytes per line") << with([](PcxLayout &s) { s.bytesPerLine = 0; });
        QTest::newRow("huge") << with([](PcxLayout &s) { s.xMax = 65535; s.yMax = 65535; s.bytesPerLine = 65535; });
        QTest::newRow("too many pixels")
            << with([](PcxLayout &s) { s.xMax = 16383; s.yMax = 16383; s.bitsPerPixel = 1; s.bytesPerLine = 2048; });
        QTest::newRow("promises more than it holds")
            << with([](PcxLayout &s) { s.xMax = 7999; s.yMax = 7999; s.bytesPerLine = 8000; });
        QTest::newRow("truncated run") << pcx(good, pixels).chopped(1);
        QTest::newRow("run count at the end") << header(good) + QByteArray("\xCF\x05\xC1", 3);
    }

    void liarsAreRefused()
    {
        QFETCH(QByteArray, file);
        QVERIFY(Pictures::decodePcx(file).isNull());
    }

    void everyTruncationIsRefused()
    {
        PcxLayout layout{.bitsPerPixel = 8, .planes = 3, .xMax = 6, .yMax = 4, .bytesPerLine = 8};
        QByteArray lines;
        for (int i = 0; i < 8 * 3 * 5; ++i)
            lines.append(char(i % 7 == 0 ? 0xC7 : i / 9));
        const QByteArray file = pcx(layout, lines);
        QVERIFY(!Pictures::decodePcx(file).isNull());
        for (qsizetype length = 0; length < file.size(); ++length)
            QVERIFY2(Pictures::decodePcx(file.left(length)).isNull(), qPrintable(QString::number(length)));
    }

    void malformedCorpusNeverCrashes()
    {
        const QDir corpus(QStringLiteral("pcx-corpus"));
        const QStringList files = corpus.entryList(QDir::Files);
        QVERIFY2(files.size() >= 10, "the malformed PCX corpus is missing");
        for (const QString &name : files) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const QImage image = Pictures::decodePcx(bytes);
            if (!image.isNull()) {
                QVERIFY2(image.width() <= 16384 && image.height() <= 16384, qPrintable(name));
                QVERIFY2(qint64(image.width()) * image.height() <= bytes.size() * 63 * 8, qPrintable(name));
            }
            // The same file through the loader (extension and content decide).
            const QImage loaded = Pictures::load(file.fileName());
            QCOMPARE(loaded.isNull(), image.isNull());
        }
    }

    void namesChooseTheLoader()
    {
        QVERIFY(Pictures::isGifName("back.gif"));
        QVERIFY(Pictures::isGifName("/home/me/Pictures/BACK.GIF"));
        QVERIFY(!Pictures::isGifName("back.Gif"));
        QVERIFY(!Pictures::isGifName("back.gif.pcx"));
        QVERIFY(!Pictures::isGifName("/tmp/old.gif/back"));
        QVERIFY(!Pictures::isGifName("gif"));
        QVERIFY(Pictures::isBmpName("cloth.bmp"));
        QVERIFY(Pictures::isBmpName("C:/cloth.BMP"));
        QVERIFY(!Pictures::isBmpName("cloth.Bmp"));
        QVERIFY(!Pictures::isBmpName("cloth.bmp.jpg"));
    }

    void loadingFollowsTheNameAndTheContent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");  // null: no such file
        QTest::addColumn<QString>("expected");    // "same", "close" (lossy), "grey" or "none"
        const QByteArray jpeg = encoded(quarters(), "JPEG");
        const QByteArray bmp = encoded(quarters(), "BMP");
        const PcxLayout onePixel{.bitsPerPixel = 8, .xMax = 0, .yMax = 0, .bytesPerLine = 2};
        QTest::newRow("JPEG") << "cloth.jpg" << jpeg << "close";
        // Inside the library the content decides: a PCX named .jpg, pictures named .Bmp.
        QTest::newRow("PCX named .jpg") << "pcx.jpg" << pcx(onePixel, QByteArray("\x80\x00", 2)) << "grey";
        QTest::newRow("JPEG named .Bmp") << "jpeg.Bmp" << jpeg << "close";
        QTest::newRow("bitmap named .Bmp") << "real.Bmp" << bmp << "same";
        QTest::newRow("noise named .jpeg") << "noise.jpeg" << QByteArray("not a picture at all") << "none";
        // The built-in loader takes .bmp and .BMP, and reads bitmaps only.
        QTest::newRow("bitmap named .BMP") << "cloth.BMP" << bmp << "same";
        QTest::newRow("JPEG named .bmp") << "cloth.bmp" << jpeg << "none";
        for (const char *missing : {"gone.bmp", "gone.pcx", "gone.jpg"})
            QTest::newRow(missing) << missing << QByteArray() << "none";
    }

    void loadingFollowsTheNameAndTheContent()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(content.isNull() || writeFile(dir.filePath(name), content));
        const QImage loaded = Pictures::load(dir.filePath(name));
        if (expected == QLatin1String("none")) {
            QVERIFY(loaded.isNull());
        } else if (expected == QLatin1String("grey")) {
            QCOMPARE(loaded.size(), QSize(1, 1));
            QCOMPARE(loaded.pixel(0, 0), grey);
        } else if (expected == QLatin1String("same")) {
            QCOMPARE(loaded.convertToFormat(QImage::Format_RGB32), quarters());
        } else {
            QCOMPARE(loaded.size(), quarters().size());
            QVERIFY(near(loaded.pixel(2, 2), red) && near(loaded.pixel(13, 13), blue));
        }
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
