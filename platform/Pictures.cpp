// SPDX-License-Identifier: MIT
#include "platform/Pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

// Limits that keep a lying header from costing more than a sane picture would.
constexpr int maxSide = 16384;
constexpr qint64 maxPixels = 64ll * 1024 * 1024;
constexpr qint64 maxFileSize = 256ll * 1024 * 1024;

constexpr qsizetype headerSize = 128;
constexpr qsizetype vgaPaletteSize = 1 + 256 * 3;  // marker byte, then 256 RGB triples
constexpr uchar vgaPaletteMarker = 0x0C;

using Palette = std::array<QRgb, 256>;

// Colours of the 16-colour display adapter, used by files that carry no palette.
constexpr std::array<QRgb, 16> defaultEgaPalette = {
    0xff000000, 0xff0000aa, 0xff00aa00, 0xff00aaaa, 0xffaa0000, 0xffaa00aa, 0xffaa5500, 0xffaaaaaa,
    0xff555555, 0xff5555ff, 0xff55ff55, 0xff55ffff, 0xffff5555, 0xffff55ff, 0xffffff55, 0xffffffff,
};

// How the bits of one scan line make a pixel.
enum class PcxLayout {
    Monochrome,     // 1 bit, 1 plane: black and white
    PlanarIndexed,  // 1 bit in 2 to 4 planes: index into the header palette
    PackedIndexed,  // 2 or 4 bits in 1 plane: index into the header palette
    Indexed256,     // 8 bits, 1 plane: index into the palette at the end of the file
    Rgb,            // 8 bits in 3 planes: red, green and blue lines
};

struct PcxHeader {
    int version = 0;
    bool compressed = true;
    int bitsPerPixel = 0;
    int planes = 0;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    PcxLayout layout = PcxLayout::Monochrome;
};

int readWord(const uchar *bytes) { return bytes[0] | (bytes[1] << 8); }

bool layoutFor(int bitsPerPixel, int planes, PcxLayout &layout)
{
    if (bitsPerPixel == 1 && planes == 1)
        layout = PcxLayout::Monochrome;
    else if (bitsPerPixel == 1 && planes >= 2 && planes <= 4)
        layout = PcxLayout::PlanarIndexed;
    else if ((bitsPerPixel == 2 || bitsPerPixel == 4) && planes == 1)
        layout = PcxLayout::PackedIndexed;
    else if (bitsPerPixel == 8 && planes == 1)
        layout = PcxLayout::Indexed256;
    else if (bitsPerPixel == 8 && planes == 3)
        layout = PcxLayout::Rgb;
    else
        return false;
    return true;
}

bool parseHeader(const QByteArray &data, PcxHeader &header)
{
    if (data.size() < headerSize)
        return false;
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    if (bytes[0] != 0x0A)
        return false;
    header.version = bytes[1];
    if (header.version != 0 && header.version != 2 && header.version != 3 && header.version != 4
        && header.version != 5)
        return false;
    if (bytes[2] > 1)
        return false;
    header.compressed = bytes[2] == 1;
    header.bitsPerPixel = bytes[3];
    header.planes = bytes[65];
    if (!layoutFor(header.bitsPerPixel, header.planes, header.layout))
        return false;

    const int xMin = readWord(bytes + 4), yMin = readWord(bytes + 6);
    const int xMax = readWord(bytes + 8), yMax = readWord(bytes + 10);
    if (xMax < xMin || yMax < yMin)
        return false;
    header.width = xMax - xMin + 1;
    header.height = yMax - yMin + 1;
    if (header.width > maxSide || header.height > maxSide
        || qint64(header.width) * header.height > maxPixels)
        return false;

    header.bytesPerLine = readWord(bytes + 66);
    const int bytesNeeded = (header.width * header.bitsPerPixel + 7) / 8;
    return header.bytesPerLine >= bytesNeeded;
}

// The image bytes after the header, without the 256-colour palette at the end.
struct PixelData {
    const uchar *begin = nullptr;
    const uchar *end = nullptr;
};

bool hasVgaPalette(const QByteArray &data)
{
    return data.size() >= headerSize + vgaPaletteSize
        && uchar(data.at(data.size() - vgaPaletteSize)) == vgaPaletteMarker;
}

Palette makePalette(const QByteArray &data, const PcxHeader &header)
{
    Palette palette{};
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    if (header.layout == PcxLayout::Monochrome) {
        palette[0] = qRgb(0, 0, 0);
        palette[1] = qRgb(255, 255, 255);
    } else if (header.layout == PcxLayout::Indexed256) {
        if (hasVgaPalette(data)) {
            const uchar *triples = bytes + data.size() - vgaPaletteSize + 1;
            for (int i = 0; i < 256; ++i)
                palette[i] = qRgb(triples[3 * i], triples[3 * i + 1], triples[3 * i + 2]);
        } else {
            for (int i = 0; i < 256; ++i)  // no palette: treat the indices as grey levels
                palette[i] = qRgb(i, i, i);
        }
    } else if (header.version == 0 || header.version == 3) {
        std::copy(defaultEgaPalette.begin(), defaultEgaPalette.end(), palette.begin());
    } else {
        const uchar *triples = bytes + 16;
        for (int i = 0; i < 16; ++i)
            palette[i] = qRgb(triples[3 * i], triples[3 * i + 1], triples[3 * i + 2]);
    }
    return palette;
}

// Reads the run-length encoded (or raw) byte stream. A run may continue into the
// next scan line, as some writers produce; a stream that ends early fails.
class PcxStream
{
public:
    PcxStream(PixelData data, bool compressed) : position(data.begin), end(data.end), compressed(compressed) {}

    bool read(uchar *target, qsizetype count)
    {
        while (count > 0) {
            if (runLeft == 0 && !nextRun())
                return false;
            const qsizetype take = std::min<qsizetype>(count, runLeft);
            if (literal) {
                std::memcpy(target, position, size_t(take));
                position += take;
            } else {
                std::memset(target, runValue, size_t(take));
            }
            target += take;
            count -= take;
            runLeft -= take;
        }
        return true;
    }

private:
    bool nextRun()
    {
        if (!compressed) {
            runLeft = end - position;
            literal = true;
            return runLeft > 0;
        }
        for (;;) {
            if (position >= end)
                return false;
            const uchar code = *position++;
            if ((code & 0xC0) != 0xC0) {
                runValue = code;
                runLeft = 1;
                literal = false;
                return true;
            }
            if (position >= end)
                return false;
            runValue = *position++;
            runLeft = code & 0x3F;
            literal = false;
            if (runLeft > 0)
                return true;
        }
    }

    const uchar *position;
    const uchar *end;
    bool compressed;
    bool literal = false;
    uchar runValue = 0;
    qsizetype runLeft = 0;
};

// Even the best run-length encoding yields at most 63 bytes from every two, so a
// header that promises more than that cannot be backed by the file.
bool plausibleSize(const PcxHeader &header, PixelData data)
{
    const qint64 available = data.end - data.begin;
    const qint64 decoded = qint64(header.bytesPerLine) * header.planes * header.height;
    const qint64 possible = header.compressed ? (available / 2 + 1) * 63 : available;
    return decoded <= possible;
}

int bitsAt(const uchar *line, int index, int bitsPerPixel)
{
    const int bit = index * bitsPerPixel;
    const int shift = 8 - bitsPerPixel - (bit & 7);
    return (line[bit >> 3] >> shift) & ((1 << bitsPerPixel) - 1);
}

// One scan line (all its planes, each bytesPerLine long) into width pixels.
using LineConverter = void (*)(const PcxHeader &, const Palette &, const uchar *, QRgb *);

void convertPacked(const PcxHeader &header, const Palette &palette, const uchar *line, QRgb *pixels)
{
    for (int x = 0; x < header.width; ++x)
        pixels[x] = palette[bitsAt(line, x, header.bitsPerPixel)];
}

void convertPlanar(const PcxHeader &header, const Palette &palette, const uchar *line, QRgb *pixels)
{
    for (int x = 0; x < header.width; ++x) {
        int index = 0;
        for (int plane = 0; plane < header.planes; ++plane)
            index |= bitsAt(line + plane * header.bytesPerLine, x, 1) << plane;
        pixels[x] = palette[index];
    }
}

void convertIndexed256(const PcxHeader &header, const Palette &palette, const uchar *line, QRgb *pixels)
{
    for (int x = 0; x < header.width; ++x)
        pixels[x] = palette[line[x]];
}

void convertRgb(const PcxHeader &header, const Palette &, const uchar *line, QRgb *pixels)
{
    const uchar *red = line;
    const uchar *green = line + header.bytesPerLine;
    const uchar *blue = green + header.bytesPerLine;
    for (int x = 0; x < header.width; ++x)
        pixels[x] = qRgb(red[x], green[x], blue[x]);
}

LineConverter converterFor(PcxLayout layout)
{
    switch (layout) {
    case PcxLayout::Monochrome:
    case PcxLayout::PackedIndexed:
        return convertPacked;
    case PcxLayout::PlanarIndexed:
        return convertPlanar;
    case PcxLayout::Indexed256:
        return convertIndexed256;
    case PcxLayout::Rgb:
        break;
    }
    return convertRgb;
}

PixelData pixelData(const QByteArray &data, const PcxHeader &header)
{
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    PixelData pixels{bytes + headerSize, bytes + data.size()};
    if (header.layout == PcxLayout::Indexed256 && hasVgaPalette(data))
        pixels.end -= vgaPaletteSize;
    return pixels;
}

}  // namespace

namespace Pictures {

QImage decodePcx(const QByteArray &data)
{
    PcxHeader header;
    if (!parseHeader(data, header))
        return {};
    const PixelData pixels = pixelData(data, header);
    if (!plausibleSize(header, pixels))
        return {};

    QImage image(header.width, header.height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const Palette palette = makePalette(data, header);
    std::vector<uchar> line(size_t(header.bytesPerLine) * size_t(header.planes));
    const LineConverter convert = converterFor(header.layout);
    PcxStream stream(pixels, header.compressed);
    for (int y = 0; y < header.height; ++y) {
        if (!stream.read(line.data(), qsizetype(line.size())))
            return {};
        convert(header, palette, line.data(), reinterpret_cast<QRgb *>(image.scanLine(y)));
    }
    return image;
}

bool isGifName(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    return name.endsWith(QLatin1String(".gif")) || name.endsWith(QLatin1String(".GIF"));
}

bool isBmpName(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    return name.endsWith(QLatin1String(".bmp")) || name.endsWith(QLatin1String(".BMP"));
}

QImage loadBitmapFile(const QString &fileName)
{
    QImageReader reader(fileName, "BMP");
    return reader.read();
}

QImage loadWithLibrary(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxFileSize)
        return {};
    const QByteArray data = file.readAll();
    if (!data.isEmpty() && uchar(data.at(0)) == 0x0A)
        return decodePcx(data);
    return QImage::fromData(data);
}

QImage load(const QString &fileName)
{
    return isBmpName(fileName) ? loadBitmapFile(fileName) : loadWithLibrary(fileName);
}

}  // namespace Pictures
