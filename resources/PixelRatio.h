// SPDX-License-Identifier: MIT
#pragma once
#include <QImage>
#include <QSizeF>
#include <QtMath>

#include <algorithm>

// Every picture is drawn in logical pixels on a canvas that has `ratio` device pixels
// per logical pixel, so dense screens get pictures drawn for them rather than blown up.
namespace PixelRatio {

constexpr qreal lowest = 1.0;
constexpr qreal highest = 4.0;

// Keeps a ratio to what a screen can sensibly ask for; nonsense (zero, negative,
// not a number) means the ordinary density.
inline qreal clamped(qreal ratio) { return ratio > lowest ? std::min(ratio, highest) : lowest; }

// Device pixels for a logical length, rounded up; the tolerance keeps 80 x 1.1 at 88.
inline int devicePixels(qreal logical, qreal ratio) { return qCeil(logical * ratio - 1e-6); }

inline QSize deviceSize(const QSizeF &logical, qreal ratio)
{
    return QSize(devicePixels(logical.width(), ratio), devicePixels(logical.height(), ratio));
}

// A canvas of the given logical size; a QPainter on it works in logical pixels.
inline QImage canvas(const QSizeF &logical, qreal ratio, QImage::Format format)
{
    const qreal safe = clamped(ratio);
    QImage image(deviceSize(logical, safe), format);
    image.setDevicePixelRatio(safe);
    return image;
}

}  // namespace PixelRatio
