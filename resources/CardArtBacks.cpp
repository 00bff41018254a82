// SPDX-License-Identifier: MIT
#include "resources/CardArtKit.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

// Backs, pile marks and the frame that takes a picture of the player's choice.
namespace CardArt {

namespace {

const QColor latticeRed(0xB0, 0x14, 0x2C);
const QColor ornamentBlue(0x1C, 0x3A, 0x82);
const QColor paleBlue(0x7E, 0x9E, 0xDC);
const QColor brightGold(0xE6, 0xB8, 0x48);

QPainterPath backArea(const Metrics &m) { return cardShape(m, m.backRim); }

QRectF backRect(const Metrics &m) { return backArea(m).boundingRect(); }

void drawInnerFrame(QPainter &painter, const Metrics &m, const QColor &color)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color, m.line));
    const qreal inset = m.backRim + 2.5;
    painter.drawPath(cardShape(m, inset));
}

// Diagonal lines in both directions through the card centre, every `step` pixels.
void drawDiagonals(QPainter &painter, const Metrics &m, qreal step, const QPen &pen)
{
    painter.setPen(pen);
    const QPointF c(m.size.width() / 2.0, m.size.height() / 2.0);
    const qreal reach = m.size.height();
    for (qreal d = -reach; d <= reach; d += step) {
        painter.drawLine(QPointF(c.x() + d - reach, c.y() - reach), QPointF(c.x() + d + reach, c.y() + reach));
        painter.drawLine(QPointF(c.x() + d + reach, c.y() - reach), QPointF(c.x() + d - reach, c.y() + reach));
    }
}

// A fine trellis of light lines with a bead where every two lines cross.
void drawLattice(QPainter &painter, const Metrics &m)
{
    const QPainterPath area = backArea(m);
    painter.fillPath(area, latticeRed);
    painter.save();
    painter.setClipPath(area);
    const qreal step = m.patternStep;
    drawDiagonals(painter, m, step, QPen(QColor(255, 214, 220, 150), m.line * 0.8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 240, 242));
    const QPointF c(m.size.width() / 2.0, m.size.height() / 2.0);
    for (int row = -30; row <= 30; ++row)
        for (int col = -12; col <= 12; ++col)
            if ((row + col) % 2 == 0 && (row % 2 == 0))
                painter.drawEllipse(QPointF(c.x() + col * step / 2 * 2, c.y() + row * step / 2), m.line * 0.75,
                                    m.line * 0.75);
    painter.restore();
    drawInnerFrame(painter, m, Qt::white);
}

QPainterPath rosette(QPointF centre, qreal radius, int petals)
{
    QPainterPath path;
    for (int i = 0; i < petals; ++i) {
        QPainterPath petal;
        petal.addEllipse(QPointF(0, -radius * 0.5), radius * 0.22, radius * 0.5);
        path.addPath(QTransform().translate(centre.x(), centre.y()).rotate(360.0 * i / petals).map(petal));
    }
    return path;
}

void drawMedallion(QPainter &painter, const Metrics &m, QPointF centre)
{
    const qreal r = m.size.width() * 0.27;
    painter.setPen(QPen(brightGold, m.line));
    painter.setBrush(ornamentBlue);
    painter.drawEllipse(centre, r, r * 1.25);
    painter.setPen(QPen(Qt::white, m.line * 0.8));
    painter.drawEllipse(centre, r - 2.2 * m.line, r * 1.25 - 2.2 * m.line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paleBlue);
    painter.drawPath(rosette(centre, r * 0.95, 12));
    painter.setBrush(Qt::white);
    painter.drawPath(rosette(centre, r * 0.62, 8));
    painter.setBrush(brightGold);
    painter.drawEllipse(centre, r * 0.16, r * 0.16);
}

void drawOrnamental(QPainter &painter, const Metrics &m)
{
    const QPainterPath area = backArea(m);
    painter.fillPath(area, ornamentBlue);
    painter.save();
    painter.setClipPath(area);
    const QRectF rect = backRect(m);
    const qreal step = m.patternStep * 2.4;
    const QPointF c = rect.center();
    painter.setPen(Qt::NoPen);
    for (int row = -8; row <= 8; ++row)
        for (int col = -5; col <= 5; ++col) {
            const QPointF p(c.x() + col * step + (row % 2 ? step / 2 : 0), c.y() + row * step * 0.75);
            painter.setBrush(QColor(0x3A, 0x5C, 0xAE));
            painter.drawPath(rosette(p, step * 0.55, 4));
            painter.setBrush(paleBlue);
            painter.drawEllipse(p, step * 0.08, step * 0.08);
        }
    painter.restore();
    drawInnerFrame(painter, m, brightGold);
    drawMedallion(painter, m, c);
}

void drawSeaAndSky(QPainter &painter, const QRectF &rect, qreal horizon)
{
    QLinearGradient sky(rect.topLeft(), QPointF(rect.left(), horizon));
    sky.setColorAt(0, QColor(0x4E, 0x93, 0xD0));
    sky.setColorAt(1, QColor(0xF4, 0xDD, 0xB4));
    painter.fillRect(QRectF(rect.left(), rect.top(), rect.width(), horizon - rect.top()), sky);
    QLinearGradient sea(QPointF(rect.left(), horizon), rect.bottomLeft());
    sea.setColorAt(0, QColor(0x2C, 0x6E, 0xA6));
    sea.setColorAt(1, QColor(0x10, 0x34, 0x5E));
    painter.fillRect(QRectF(rect.left(), horizon, rect.width(), rect.bottom() - horizon), sea);
    QRadialGradient sun(QPointF(rect.left() + rect.width() * 0.25, horizon - rect.height() * 0.1), rect.width() * 0.2);
    sun.setColorAt(0, QColor(255, 248, 220, 255));
    sun.setColorAt(0.45, QColor(255, 236, 180, 220));
    sun.setColorAt(1, QColor(255, 236, 180, 0));
    painter.fillRect(rect, sun);
}

void drawWaves(QPainter &painter, const QRectF &rect, qreal horizon, qreal line)
{
    painter.setPen(QPen(QColor(255, 255, 255, 150), line * 0.8, Qt::SolidLine, Qt::RoundCap));
    const qreal w = rect.width() / 9.0;
    for (int row = 0; row < 5; ++row) {
        const qreal y = horizon + (row + 0.7) * (rect.bottom() - horizon) / 5.5;
        for (int i = 0; i < 6; ++i) {
            const qreal x = rect.left() + (i + (row % 2 ? 0.2 : 0.7)) * w * 1.6;
            QPainterPath wave;
            wave.moveTo(x, y);
            wave.quadTo(x + w * 0.4, y - w * 0.35, x + w * 0.8, y);
            painter.drawPath(wave);
        }
    }
}

// A square sail hanging from its yard, bellied by the wind.
QPainterPath sail(qreal x, qreal top, qreal bottom, qreal halfWidth)
{
    QPainterPath path;
    path.moveTo(x - halfWidth, top);
    path.lineTo(x + halfWidth, top);
    path.quadTo(x + halfWidth * 1.12, (top + bottom) / 2, x + halfWidth * 0.92, bottom);
    path.quadTo(x, bottom + (bottom - top) * 0.22, x - halfWidth * 0.92, bottom);
    path.quadTo(x - halfWidth * 1.12, (top + bottom) / 2, x - halfWidth, top);
    return path;
}

QPainterPath hullShape()
{
    QPainterPath hull;
    hull.moveTo(4, 70);
    hull.lineTo(18, 70);
    hull.lineTo(20, 74);
    hull.lineTo(84, 74);
    hull.lineTo(97, 68);
    hull.cubicTo(92, 82, 86, 90, 78, 93);
    hull.lineTo(22, 93);
    hull.cubicTo(14, 90, 8, 82, 4, 70);
    hull.closeSubpath();
    return hull;
}

// A three-master under full sail, drawn in a box 100 units wide and 100 high.
void drawShip(QPainter &painter, const QRectF &box, const QPen &rigging)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 100.0, box.height() / 100.0);
    const QColor wood(0x5A, 0x30, 0x16);
    painter.setPen(rigging);
    const qreal masts[3] = {28, 52, 75};
    const qreal tops[3] = {12, 2, 14};
    painter.drawLine(QPointF(84, 72), QPointF(100, 60));                  // bowsprit
    painter.drawLine(QPointF(100, 60), QPointF(masts[2], tops[2] + 2));    // forestay
    painter.drawLine(QPointF(4, 68), QPointF(masts[0], tops[0] + 2));      // backstay
    for (int i = 0; i < 3; ++i)
        painter.drawLine(QPointF(masts[i], tops[i] - 4), QPointF(masts[i], 76));
    painter.setBrush(QColor(0xFA, 0xF4, 0xE4));
    for (int i = 0; i < 3; ++i) {
        const qreal half = i == 1 ? 13 : 11;
        const qreal lower = tops[i] + 52 - (i == 1 ? 0 : 8);
        painter.drawPath(sail(masts[i], tops[i] + 4, tops[i] + 24, half * 0.78));
        painter.drawPath(sail(masts[i], tops[i] + 28, lower, half));
        painter.drawLine(QPointF(masts[i] - half * 0.85, tops[i] + 4), QPointF(masts[i] + half * 0.85, tops[i] + 4));
        painter.drawLine(QPointF(masts[i] - half * 1.05, tops[i] + 28), QPointF(masts[i] + half * 1.05, tops[i] + 28));
    }
    QPainterPath jib;
    jib.moveTo(masts[2] + 3, tops[2] + 8);
    jib.lineTo(97, 61);
    jib.quadTo(90, 60, masts[2] + 4, 52);
    jib.closeSubpath();
    painter.drawPath(jib);
    painter.setBrush(QColor(0xC8, 0x10, 0x2E));
    for (int i = 0; i < 3; ++i) {
        QPainterPath pennant;
        pennant.moveTo(masts[i], tops[i] - 4);
        pennant.quadTo(masts[i] + 5, tops[i] - 4.5, masts[i] + 10, tops[i] - 1);
        pennant.lineTo(masts[i], tops[i]);
        painter.drawPath(pennant);
    }
    painter.setBrush(wood);
    painter.drawPath(hullShape());
    painter.setPen(Qt::NoPen);
    painter.setBrush(brightGold);
    painter.drawRect(QRectF(12, 79, 77, 2.6));
    painter.setBrush(QColor(0x1E, 0x12, 0x0A));
    for (qreal x = 24; x < 82; x += 10)
        painter.drawRect(QRectF(x, 83.5, 3.2, 2.4));
    painter.restore();
}

void drawSailingShip(QPainter &painter, const Metrics &m)
{
    const QPainterPath area = backArea(m);
    const QRectF rect = backRect(m);
    const qreal horizon = rect.top() + rect.height() * 0.64;
    painter.save();
    painter.setClipPath(area);
    drawSeaAndSky(painter, rect, horizon);
    drawWaves(painter, rect, horizon, m.line);
    const qreal shipWidth = rect.width() * 0.86;
    const QRectF shipBox(rect.center().x() - shipWidth / 2, rect.top() + rect.height() * 0.25, shipWidth,
                         rect.height() * 0.52);
    drawShip(painter, shipBox, hairline(QPen(QColor(0x2A, 0x1A, 0x10), m.line * 0.7), m));
    painter.setPen(QPen(QColor(0x30, 0x30, 0x40), m.line * 0.8, Qt::SolidLine, Qt::RoundCap));
    const qreal b = rect.width() * 0.04;
    for (const QPointF &bird : {QPointF(0.7, 0.12), QPointF(0.82, 0.17), QPointF(0.2, 0.1)}) {
        const QPointF p(rect.left() + bird.x() * rect.width(), rect.top() + bird.y() * rect.height());
        QPainterPath wings;
        wings.moveTo(p.x() - b, p.y() - b * 0.4);
        wings.quadTo(p.x() - b * 0.4, p.y() - b * 0.6, p.x(), p.y());
        wings.quadTo(p.x() + b * 0.4, p.y() - b * 0.6, p.x() + b, p.y() - b * 0.4);
        painter.drawPath(wings);
    }
    painter.restore();
    drawInnerFrame(painter, m, QColor(255, 255, 255, 230));
}

void fillGreyCard(QPainter &painter, const Metrics &m)
{
    QLinearGradient grey(0, 0, 0, m.size.height());
    grey.setColorAt(0, QColor(0xC6, 0xC8, 0xC6));
    grey.setColorAt(1, QColor(0xA4, 0xA6, 0xA4));
    painter.fillPath(cardShape(m, 0.5), grey);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 110), m.line));
    painter.drawPath(cardShape(m, 2.5));
    painter.setPen(QPen(QColor(0x50, 0x52, 0x50), 1.0));
    painter.drawPath(cardShape(m, 0.5));
}

void drawRecycleMark(QPainter &painter, const Metrics &m)
{
    const QPointF c(m.size.width() / 2.0, m.size.height() / 2.0);
    const qreal r = m.size.width() * 0.24;
    const qreal width = m.size.width() * 0.075;
    painter.setPen(QPen(QColor(0x2E, 0x7D, 0x32), width, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 120 * 16, 290 * 16);
    // Arrowhead at the open end of the ring, pointing along the turn.
    const qreal end = (120.0 - 0.0) * M_PI / 180.0;
    const QPointF tip(c.x() + r * std::cos(end), c.y() - r * std::sin(end));
    QPainterPath head;
    head.moveTo(tip + QPointF(-width * 1.6 * std::cos(end), width * 1.6 * std::sin(end)));
    head.lineTo(tip + QPointF(width * 1.6 * std::cos(end), -width * 1.6 * std::sin(end)));
    head.lineTo(tip + QPointF(width * 2.2 * std::sin(end), width * 2.2 * std::cos(end)));
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.fillPath(head, QColor(0x2E, 0x7D, 0x32));
}

void drawCrossMark(QPainter &painter, const Metrics &m)
{
    const QPointF c(m.size.width() / 2.0, m.size.height() / 2.0);
    const qreal r = m.size.width() * 0.2;
    painter.setPen(QPen(QColor(0xA8, 0x1E, 0x22), m.size.width() * 0.08, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
    painter.drawLine(c + QPointF(r, -r), c + QPointF(-r, r));
}

}  // namespace

QImage back(const Metrics &m, int which)
{
    QImage image = blankCard(m);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (which == 0)
        drawLattice(painter, m);
    else if (which == 1)
        drawOrnamental(painter, m);
    else
        drawSailingShip(painter, m);
    return image;
}

QImage pileMark(const Metrics &m, bool recycle)
{
    QImage image = cardCanvas(m);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    fillGreyCard(painter, m);
    if (recycle)
        drawRecycleMark(painter, m);
    else
        drawCrossMark(painter, m);
    return image;
}

QImage borderFrame(const Metrics &m) { return blankCard(m); }

// White where the frame is transparent, black where it is opaque, grey on the
// anti-aliased rim.
QImage borderMask(const Metrics &m)
{
    const QImage frame = borderFrame(m);
    QImage mask(frame.size(), QImage::Format_RGB32);
    mask.setDevicePixelRatio(frame.devicePixelRatio());
    for (int y = 0; y < mask.height(); ++y) {
        const auto *source = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        auto *target = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < mask.width(); ++x) {
            const int level = 255 - qAlpha(source[x]);
            target[x] = qRgb(level, level, level);
        }
    }
    return mask;
}

}  // namespace CardArt
