// SPDX-License-Identifier: MIT
#include "resources/CardArtKit.h"

// The joker: a jester's bust in cap and bells, with the word as its index.
namespace CardArt {

namespace {

const QColor brightGold(0xE6, 0xB8, 0x48);

// The joker's index is the word written downwards in the corner.
void drawJokerIndex(QPainter &painter, const Metrics &m)
{
    const qreal letter = m.rankBox.height() * 0.62;
    const QString word = QStringLiteral("JOKER");
    drawBothEnds(painter, m, [&] {
        for (int i = 0; i < word.size(); ++i) {
            const QRectF box(m.rankBox.left(), m.rankBox.top() + i * letter * 1.35, m.rankBox.width(), letter);
            painter.fillPath(rankPath(word.mid(i, 1), box), i % 2 ? inkBlack() : inkRed());
        }
    });
}

QPainterPath capTail(QPointF a, QPointF outer, QPointF tip, QPointF inner, QPointF b)
{
    QPainterPath tail;
    tail.moveTo(a);
    tail.quadTo(outer, tip);
    tail.quadTo(inner, b);
    tail.closeSubpath();
    return tail;
}

void drawJesterCap(QPainter &painter)
{
    const QColor colours[3] = {inkRed(), brightGold, QColor(0x24, 0x4C, 0x9A)};
    const QPainterPath tails[3] = {
        capTail({-6, -14}, {-24, -56}, {-38, -12}, {-26, -28}, {-19, -8}),
        capTail({-9, -14}, {-8, -44}, {5, -58}, {10, -38}, {9, -14}),
        capTail({6, -14}, {24, -56}, {38, -12}, {26, -28}, {19, -8})};
    const QPointF bells[3] = {{-38, -10}, {5, -59}, {38, -10}};
    for (int i = 0; i < 3; ++i) {
        painter.setBrush(colours[i]);
        painter.drawPath(tails[i]);
    }
    painter.setBrush(brightGold);
    for (const QPointF &bell : bells)
        painter.drawEllipse(bell, 4.5, 4.5);
}

void drawJesterFace(QPainter &painter)
{
    const QColor ink(0x22, 0x1E, 0x1E);
    painter.setBrush(QColor(0xF6, 0xD9, 0xBC));
    painter.drawEllipse(QPointF(0, 6), 16, 19);
    painter.setBrush(brightGold);
    painter.drawRoundedRect(QRectF(-20, -15, 40, 8), 3, 3);
    painter.setBrush(inkRed());
    for (qreal x : {-12.0, 0.0, 12.0})
        painter.drawEllipse(QPointF(x, -11), 1.8, 1.8);
    painter.setBrush(QColor(0xEC, 0x9C, 0x90));
    painter.drawEllipse(QPointF(-9, 11), 3.6, 2.6);
    painter.drawEllipse(QPointF(9, 11), 3.6, 2.6);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(-6, 3), 1.8, 2.4);
    painter.drawEllipse(QPointF(6, 3), 1.8, 2.4);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(-10, -3, 8, 6), 30 * 16, 120 * 16);
    painter.drawArc(QRectF(2, -3, 8, 6), 30 * 16, 120 * 16);
    painter.drawArc(QRectF(-9, 6, 18, 14), 200 * 16, 140 * 16);
}

void drawRuff(QPainter &painter)
{
    for (int i = 0; i < 8; ++i) {
        const qreal x = -28 + 7 * i;
        QPainterPath point;
        point.moveTo(x, 22);
        point.lineTo(x + 7, 22);
        point.lineTo(x + 3.5, 36);
        point.closeSubpath();
        painter.setBrush(i % 2 ? inkRed() : QColor(Qt::white));
        painter.drawPath(point);
    }
}

// A harlequin tunic of red and gold diamonds.
void drawTunic(QPainter &painter)
{
    QPainterPath tunic;
    tunic.moveTo(-18, 28);
    tunic.lineTo(18, 28);
    tunic.cubicTo(24, 38, 27, 52, 27, 66);
    tunic.lineTo(-27, 66);
    tunic.cubicTo(-27, 52, -24, 38, -18, 28);
    tunic.closeSubpath();
    painter.setBrush(brightGold);
    painter.drawPath(tunic);
    painter.save();
    painter.setClipPath(tunic);
    painter.setBrush(inkRed());
    for (int row = 0; row < 5; ++row)
        for (int col = -4; col <= 4; col += 2) {
            const QPointF c(col * 7, 21 + row * 18);
            painter.drawPolygon(QPolygonF({c + QPointF(0, -9), c + QPointF(7, 0), c + QPointF(0, 9), c + QPointF(-7, 0)}));
        }
    painter.restore();
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tunic);
}

// A jester's bust: a three-tailed cap with bells, a grin, a pointed ruff.
void drawJester(QPainter &painter, const Metrics &m)
{
    painter.save();
    const qreal s = m.size.width() / 100.0;
    painter.translate(m.size.width() / 2.0, m.size.height() / 2.0 - 4 * s);
    painter.scale(s, s);
    painter.setPen(hairline(QPen(QColor(0x22, 0x1E, 0x1E), m.figureLine), m));
    drawTunic(painter);
    drawJesterCap(painter);
    drawRuff(painter);
    drawJesterFace(painter);
    painter.restore();
}

}  // namespace

QImage joker(const Metrics &m)
{
    QImage image = blankCard(m);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawJokerIndex(painter, m);
    drawJester(painter, m);
    return image;
}

}  // namespace CardArt
