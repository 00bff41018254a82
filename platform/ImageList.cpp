// SPDX-License-Identifier: MIT
#include "platform/ImageList.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>

ImageList::ImageList(int w, int h, qreal pictureRatio) : width(w), height(h), ratio(pictureRatio) {}

void ImageList::Clear() { images.clear(); }

void ImageList::SetSize(int w, int h)
{
    width = w;
    height = h;
    images.clear();
}

QImage ImageList::fitted(const QImage &image) const
{
    // Rounded up, as the pictures are drawn; the tolerance keeps 80 x 1.1 at 88.
    const auto devicePixels = [this](int logical) { return qCeil(logical * ratio - 1e-6); };
    QImage result(devicePixels(width), devicePixels(height), QImage::Format_ARGB32);
    result.setDevicePixelRatio(ratio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image.convertToFormat(QImage::Format_ARGB32));
    painter.end();
    return result;
}

QImage ImageList::masked(const QImage &image, QColor key) const
{
    QImage picture = fitted(image);
    const QRgb keyRgb = key.rgb() & 0xFFFFFF;
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFF) == keyRgb)
                line[x] = 0;
    }
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

int ImageList::AddMasked(const QImage &image, QColor key)
{
    images.append({masked(image, key), {}, key});
    return images.size() - 1;
}

int ImageList::AddMaskedLater(std::function<QImage()> make, QColor key)
{
    images.append({QImage(), std::move(make), key});
    return images.size() - 1;
}

const QImage &ImageList::made(int index) const
{
    Entry &entry = images[index];
    if (entry.make) {
        entry.picture = masked(entry.make(), entry.key);
        entry.make = nullptr;
    }
    return entry.picture;
}

int ImageList::MadeCount() const
{
    return int(std::count_if(images.cbegin(), images.cend(), [](const Entry &entry) { return !entry.make; }));
}

QImage ImageList::applyMask(const QImage &image, const QImage &mask) const
{
    QImage picture = fitted(image);
    const QImage maskPicture = fitted(mask);
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        const auto *maskLine = reinterpret_cast<const QRgb *>(maskPicture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const int transparency = qGray(maskLine[x]);  // white = fully transparent
            const int alpha = qAlpha(line[x]) * (255 - transparency) / 255;
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), alpha);
        }
    }
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

int ImageList::AddWithMask(const QImage &image, const QImage &mask)
{
    images.append({applyMask(image, mask), {}, QColor()});
    return images.size() - 1;
}

void ImageList::ReplaceWithMask(int index, const QImage &image, const QImage &mask)
{
    if (index >= 0 && index < images.size())
        images[index] = {applyMask(image, mask), {}, QColor()};
}

void ImageList::Draw(QPainter &painter, int x, int y, int index) const
{
    if (index >= 0 && index < images.size())
        painter.drawImage(QPointF(x, y), made(index));
}

const QImage &ImageList::Image(int index) const
{
    Q_ASSERT(index >= 0 && index < images.size());
    return made(index);
}
