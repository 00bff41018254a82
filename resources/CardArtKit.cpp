// SPDX-License-Identifier: MIT
#include "resources/CardArtKit.h"

#include "resources/PixelRatio.h"

#include <algorithm>

namespace CardArt {

namespace {

// The index of the large card stays readable in a fan of 20 pixels down and 12 across.
const Metrics largeMetrics{
    .size = QSize(80, 125),
    .radius = 5.0,
    .rankBox = QRectF(2.5, 3, 9.5, 9),
    .indexSuit = QPointF(7.25, 16.45),
    .indexSuitHeight = 6.9,
    .pipArea = QRectF(24, 19, 32, 87),
    .pipHeight = 14.5,
    .acePipHeight = 22.0,
    .panel = QRectF(14.5, 7.5, 51, 110),
    .line = 1.0,
    .figureLine = 0.75,
    .backRim = 4.0,
    .patternStep = 5.0,
    .pixelRatio = 1.0};

// Everything of the small card fits a fan of 16 pixels down and 9 across.
const Metrics smallMetrics{
    .size = QSize(61, 95),
    .radius = 4.0,
    .rankBox = QRectF(1.5, 2, 7, 7.5),
    .indexSuit = QPointF(5, 12.85),
    .indexSuitHeight = 5.9,
    .pipArea = QRectF(18.5, 14.5, 24, 66),
    .pipHeight = 11.0,
    .acePipHeight = 17.0,
    .panel = QRectF(11.5, 5.5, 38, 84),
    .line = 0.8,
    .figureLine = 0.6,
    .backRim = 3.0,
    .patternStep = 4.0,
    .pixelRatio = 1.0};

}  // namespace

Metrics metrics(bool small, qreal pixelRatio)
{
    Metrics m = small ? smallMetrics : largeMetrics;
    m.pixelRatio = PixelRatio::clamped(pixelRatio);
    return m;
}

const QColor &inkRed()
{
    static const QColor red(0xC8, 0x10, 0x2E);
    return red;
}

const QColor &inkBlack()
{
    static const QColor black(0x14, 0x14, 0x18);
    return black;
}

QColor suitColor(int suit) { return suit == Diamonds || suit == Hearts ? inkRed() : inkBlack(); }

QPainterPath cardShape(const Metrics &m, qreal inset)
{
    QPainterPath path;
    const QRectF rect = QRectF(QPointF(0, 0), QSizeF(m.size)).adjusted(inset, inset, -inset, -inset);
    const qreal radius = std::max(0.5, m.radius - inset * 0.7);
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QImage cardCanvas(const Metrics &m)
{
    QImage image = PixelRatio::canvas(m.size, m.pixelRatio, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPen hairline(QPen pen, const Metrics &m)
{
    pen.setWidthF(pen.widthF() * m.pixelRatio);
    pen.setCosmetic(true);
    return pen;
}

// The thin dark edge keeps a card apart from the table and from the card beneath it.
QImage blankCard(const Metrics &m, const QColor &fill)
{
    QImage image = cardCanvas(m);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x38, 0x38, 0x3C), 1.0));
    painter.setBrush(fill);
    painter.drawPath(cardShape(m, 0.5));
    return image;
}

void drawIndices(QPainter &painter, const Metrics &m, int suit, int value)
{
    const QPainterPath rank = rankPath(rankText(value), m.rankBox);
    drawBothEnds(painter, m, [&] {
        painter.fillPath(rank, suitColor(suit));
        drawSuit(painter, suit, m.indexSuit, m.indexSuitHeight);
    });
}

}  // namespace CardArt
