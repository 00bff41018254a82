// SPDX-License-Identifier: MIT
#include "resources/CardArtKit.h"

#include <QList>

#include <cmath>

namespace CardArt {

namespace {

// Pip centres in the pip area: x and y from 0 to 1; pips in the lower half stand on
// their heads, as on printed cards.
struct Pip {
    qreal x, y;
    bool flipped;
};

const QList<Pip> &pipLayout(int value)
{
    constexpr qreal third = 1.0 / 3.0, sixth = 1.0 / 6.0;
    static const QList<Pip> layouts[10] = {
        {{0.5, 0.5, false}},
        {{0.5, 0, false}, {0.5, 1, true}},
        {{0.5, 0, false}, {0.5, 0.5, false}, {0.5, 1, true}},
        {{0, 0, false}, {1, 0, false}, {0, 1, true}, {1, 1, true}},
        {{0, 0, false}, {1, 0, false}, {0.5, 0.5, false}, {0, 1, true}, {1, 1, true}},
        {{0, 0, false}, {1, 0, false}, {0, 0.5, false}, {1, 0.5, false}, {0, 1, true}, {1, 1, true}},
        {{0, 0, false}, {1, 0, false}, {0.5, 0.25, false}, {0, 0.5, false}, {1, 0.5, false},
         {0, 1, true}, {1, 1, true}},
        {{0, 0, false}, {1, 0, false}, {0.5, 0.25, false}, {0, 0.5, false}, {1, 0.5, false},
         {0.5, 0.75, true}, {0, 1, true}, {1, 1, true}},
        {{0, 0, false}, {1, 0, false}, {0, third, false}, {1, third, false}, {0.5, 0.5, false},
         {0, 2 * third, true}, {1, 2 * third, true}, {0, 1, true}, {1, 1, true}},
        {{0, 0, false}, {1, 0, false}, {0.5, sixth, false}, {0, third, false}, {1, third, false},
         {0, 2 * third, true}, {1, 2 * third, true}, {0.5, 5 * sixth, true}, {0, 1, true}, {1, 1, true}},
    };
    return layouts[value];
}

void drawPips(QPainter &painter, const Metrics &m, int suit, int value)
{
    const QRectF &area = m.pipArea;
    for (const Pip &pip : pipLayout(value)) {
        const QPointF centre(area.left() + pip.x * area.width(), area.top() + pip.y * area.height());
        drawSuit(painter, suit, centre, m.pipHeight, pip.flipped);
    }
}

// A double oval with curled leaves at the diagonals around the big spade.
void drawAceOrnament(QPainter &painter, const Metrics &m, QPointF centre, qreal size)
{
    painter.save();
    painter.translate(centre);
    const qreal rx = size * 0.7, ry = size * 0.86;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(inkBlack(), m.line));
    painter.drawEllipse(QPointF(0, 0), rx, ry);
    painter.setPen(QPen(inkRed(), m.line * 0.8));
    painter.drawEllipse(QPointF(0, 0), rx - m.line * 2, ry - m.line * 2);
    for (int i = 0; i < 4; ++i) {
        painter.save();
        painter.scale(i % 2 ? -1 : 1, i / 2 ? -1 : 1);
        QPainterPath leaf;
        leaf.moveTo(rx * 0.62, -ry * 0.82);
        leaf.cubicTo(rx * 0.8, -ry * 1.12, rx * 1.22, -ry * 1.0, rx * 1.05, -ry * 0.78);
        leaf.cubicTo(rx * 0.98, -ry * 0.7, rx * 0.88, -ry * 0.8, rx * 0.95, -ry * 0.86);
        painter.setPen(QPen(inkBlack(), m.line * 1.1, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(leaf);
        painter.restore();
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(inkRed());
    for (const QPointF &bead : {QPointF(0, -ry - m.line * 2.5), QPointF(0, ry + m.line * 2.5),
                                QPointF(-rx - m.line * 2.5, 0), QPointF(rx + m.line * 2.5, 0)})
        painter.drawEllipse(bead, m.line * 1.3, m.line * 1.3);
    painter.restore();
}

// The ace of spades carries the deck's showpiece: a large spade with an inlay.
void drawAceOfSpades(QPainter &painter, const Metrics &m)
{
    const QPointF centre(m.size.width() / 2.0, m.size.height() / 2.0);
    const qreal size = m.size.width() * 0.56;
    drawAceOrnament(painter, m, centre, size);
    drawSuit(painter, Spades, centre, size);
    QTransform inner;
    inner.translate(centre.x(), centre.y() - size * 0.04);
    inner.scale(size * 0.72, size * 0.72);
    painter.strokePath(inner.map(suitPath(Spades, m.pixelRatio)), QPen(Qt::white, m.line));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 ? 0.05 : 0.12) * size;
        const qreal angle = M_PI * i / 5.0 - M_PI / 2;
        const QPointF p(centre.x() + r * std::cos(angle), centre.y() - size * 0.05 + r * std::sin(angle));
        i == 0 ? star.moveTo(p) : star.lineTo(p);
    }
    star.closeSubpath();
    painter.fillPath(star, inkRed());
}

}  // namespace

QImage face(const Metrics &m, int suit, int value)
{
    if (value >= 10)
        return courtCard(m, suit, value);
    QImage image = blankCard(m);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawIndices(painter, m, suit, value);
    if (value == 0 && suit == Spades)
        drawAceOfSpades(painter, m);
    else if (value == 0)
        drawSuit(painter, suit, QPointF(m.size.width() / 2.0, m.size.height() / 2.0), m.acePipHeight);
    else
        drawPips(painter, m, suit, value);
    return image;
}

}  // namespace CardArt
