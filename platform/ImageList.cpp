// SPDX-License-Identifier: MIT
#include "platform/ImageList.h"

#include <QPainter>

TImageList::TImageList(int w, int h) : width(w), height(h) {}

void TImageList::Clear() { images.clear(); }

void TImageList::SetSize(int w, int h)
{
    width = w;
    height = h;
    images.clear();
}

QImage TImageList::fitted(const QImage &image) const
{
    QImage result(width, height, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image.convertToFormat(QImage::Format_ARGB32));
    painter.end();
    return result;
}

int TImageList::AddMasked(const QImage &image, QColor key)
{
    QImage picture = fitted(image);
    const QRgb keyRgb = key.rgb() & 0xFFFFFF;
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFF) == keyRgb)
                line[x] = 0;
    }
    images.append(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return images.size() - 1;
}

QImage TImageList::applyMask(const QImage &image, const QImage &mask) const
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

int TImageList::AddWithMask(const QImage &image, const QImage &mask)
{
    images.append(applyMask(image, mask));
    return images.size() - 1;
}

void TImageList::ReplaceWithMask(int index, const QImage &image, const QImage &mask)
{
    if (index >= 0 && index < images.size())
        images[index] = applyMask(image, mask);
}

void TImageList::Draw(QPainter &painter, int x, int y, int index) const
{
    if (index >= 0 && index < images.size())
        painter.drawImage(x, y, images[index]);
}

const QImage &TImageList::Image(int index) const { return images.at(index); }
