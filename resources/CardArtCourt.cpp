// SPDX-License-Identifier: MIT
#include "resources/CardArtKit.h"

// The court figures are drawn as busts in a framed panel, one half upright and the
// other turned, in a design space 100 units wide whose bottom edge (y = 108) is the
// middle of the panel.
namespace CardArt {

namespace {

enum Rank { Jack = 10, Queen = 11, King = 12 };
constexpr qreal designWidth = 100.0;
constexpr qreal designHeight = 108.0;

const QColor gold(0xE0, 0xB0, 0x3A);
const QColor skin(0xF6, 0xD9, 0xBC);
const QColor ink(0x22, 0x1E, 0x1E);
const QColor royalBlue(0x24, 0x4C, 0x9A);
const QColor deepRed(0xB0, 0x1C, 0x30);
const QColor ermine(0xFC, 0xFA, 0xF2);

QPen outlinePen(qreal width) { return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void fillOutlined(QPainter &painter, const QPainterPath &path, const QColor &fill)
{
    painter.setBrush(fill);
    painter.drawPath(path);
}

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// Each suit dresses its court in its own accent colour: jacks' caps and doublets,
// queens' flowers, the jewel of kings' sceptres.
QColor suitAccent(int suit)
{
    static const QColor accents[4] = {QColor(0x2F, 0x7A, 0x3A), royalBlue, deepRed, QColor(0x8A, 0x2A, 0x62)};
    return accents[suit & 3];
}

QColor robeColor(int value)
{
    if (value == King)
        return deepRed;
    return value == Queen ? royalBlue : gold;
}

QColor trimColor(int suit, int value)
{
    if (value == Jack)
        return suitAccent(suit);
    return gold;
}

// Kings wear gold studs, queens pearls, jacks a striped doublet.
void drawRobePattern(QPainter &painter, const QPainterPath &robe, int value)
{
    painter.save();
    painter.setClipPath(robe, Qt::IntersectClip);
    painter.setPen(Qt::NoPen);
    if (value == Jack) {
        painter.setBrush(QColor(0xC8, 0x92, 0x22));
        for (qreal x = 14; x < 90; x += 8)
            painter.drawRect(QRectF(x, 60, 3, 52));
    } else {
        painter.setBrush(value == King ? gold : QColor(0xD8, 0xE2, 0xF6));
        for (int row = 0; row < 6; ++row)
            for (qreal x = 16 + (row % 2) * 5; x < 88; x += 10)
                painter.drawEllipse(QPointF(x, 70 + row * 7), 1.3, 1.3);
    }
    painter.restore();
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(robe);
}

void drawRobe(QPainter &painter, int suit, int value)
{
    QPainterPath robe;
    robe.moveTo(17, 110);
    robe.lineTo(19, 84);
    robe.cubicTo(20, 73, 28, 67, 40, 65);
    robe.lineTo(60, 65);
    robe.cubicTo(72, 67, 80, 73, 81, 84);
    robe.lineTo(83, 110);
    robe.closeSubpath();
    fillOutlined(painter, robe, robeColor(value));
    drawRobePattern(painter, robe, value);
    // A panel down the front in the suit's colour family, with a row of studs.
    fillOutlined(painter, polygonPath({{42, 70}, {58, 70}, {61, 110}, {39, 110}}), trimColor(suit, value));
    painter.setBrush(value == Jack ? gold : ermine);
    for (qreal y = 80; y < 108; y += 8)
        painter.drawEllipse(QPointF(50, y), 2, 2);
}

// The right arm comes forward to hold the rank's attribute.
void drawArm(QPainter &painter, int suit, int value)
{
    QPainterPath sleeve;
    sleeve.moveTo(64, 71);
    sleeve.cubicTo(74, 70, 81, 76, 86, 86);
    sleeve.lineTo(80, 93);
    sleeve.cubicTo(75, 87, 69, 82, 62, 81);
    sleeve.closeSubpath();
    fillOutlined(painter, sleeve, trimColor(suit, value).darker(115));
    fillOutlined(painter, polygonPath({{86, 86}, {88.5, 88.5}, {82.5, 95.5}, {80, 93}}), ermine);
    painter.setBrush(skin);
    painter.drawEllipse(QPointF(86.5, 94), 3.6, 3.6);
}

void drawCollar(QPainter &painter, int value)
{
    if (value == King) {
        QPainterPath collar;
        collar.moveTo(24, 74);
        collar.cubicTo(34, 62, 66, 62, 76, 74);
        collar.cubicTo(66, 82, 34, 82, 24, 74);
        fillOutlined(painter, collar, ermine);
        painter.setBrush(ink);
        for (qreal x : {32.0, 42.0, 58.0, 68.0})
            painter.drawEllipse(QPointF(x, 73), 1.2, 1.8);
    } else if (value == Queen) {
        QPainterPath neckline;
        neckline.moveTo(36, 66);
        neckline.quadTo(50, 84, 64, 66);
        fillOutlined(painter, neckline, skin);
        painter.setBrush(ermine);
        for (int i = 0; i <= 6; ++i) {
            const qreal t = i / 6.0;
            painter.drawEllipse(QPointF(38 + 24 * t, 68 + 10 * (1 - (2 * t - 1) * (2 * t - 1))), 1.8, 1.8);
        }
    } else {
        fillOutlined(painter, polygonPath({{38, 66}, {62, 66}, {50, 80}}), ermine);
    }
}

void drawHair(QPainter &painter, int value)
{
    if (value == Queen) {
        QPainterPath hair;
        hair.moveTo(50, 22);
        hair.cubicTo(30, 22, 28, 44, 30, 70);
        hair.lineTo(40, 68);
        hair.lineTo(60, 68);
        hair.lineTo(70, 70);
        hair.cubicTo(72, 44, 70, 22, 50, 22);
        fillOutlined(painter, hair, QColor(0xC2, 0x7A, 0x2C));
    } else if (value == Jack) {
        QPainterPath hair;
        hair.moveTo(36, 30);
        hair.cubicTo(34, 44, 35, 52, 38, 56);
        hair.lineTo(62, 56);
        hair.cubicTo(65, 52, 66, 44, 64, 30);
        hair.closeSubpath();
        fillOutlined(painter, hair, QColor(0x6B, 0x3E, 0x1E));
    }
}

void drawFace(QPainter &painter, int value)
{
    painter.setBrush(skin);
    painter.drawRect(QRectF(45, 52, 10, 14));
    painter.drawEllipse(QPointF(50, 42), 12, 14);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(45.5, 41), 1.6, 1.9);
    painter.drawEllipse(QPointF(54.5, 41), 1.6, 1.9);
    painter.setPen(QPen(QColor(0xB8, 0x7A, 0x5A), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(50, 42), QPointF(49, 47));
    painter.drawLine(QPointF(49, 47), QPointF(51, 47.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE8, 0x9A, 0x8A));
    painter.drawEllipse(QPointF(43, 48), 2.4, 1.6);
    painter.drawEllipse(QPointF(57, 48), 2.4, 1.6);
    painter.setBrush(value == Queen ? deepRed : QColor(0xA8, 0x4A, 0x3A));
    painter.drawEllipse(QPointF(50, 51.5), value == Queen ? 2.8 : 2.4, 1.2);
    painter.restore();
}

void drawBeard(QPainter &painter)
{
    QPainterPath beard;
    beard.moveTo(38, 45);
    beard.cubicTo(38, 58, 44, 66, 50, 68);
    beard.cubicTo(56, 66, 62, 58, 62, 45);
    beard.cubicTo(58, 52, 54, 49, 50, 49);
    beard.cubicTo(46, 49, 42, 52, 38, 45);
    fillOutlined(painter, beard, QColor(0x7A, 0x4A, 0x22));
    QPainterPath moustache;
    moustache.moveTo(50, 49);
    moustache.cubicTo(45, 47, 42, 51, 40, 50);
    moustache.cubicTo(43, 54, 47, 52, 50, 51);
    moustache.cubicTo(53, 52, 57, 54, 60, 50);
    moustache.cubicTo(58, 51, 55, 47, 50, 49);
    fillOutlined(painter, moustache, QColor(0x5A, 0x34, 0x16));
}

void drawCrown(QPainter &painter, int value)
{
    if (value == King) {
        QPainterPath crown;
        crown.moveTo(36, 31);
        crown.lineTo(34, 14);
        crown.lineTo(42, 22);
        crown.lineTo(50, 8);
        crown.lineTo(58, 22);
        crown.lineTo(66, 14);
        crown.lineTo(64, 31);
        crown.closeSubpath();
        fillOutlined(painter, crown, gold);
        painter.setBrush(gold);
        for (const QPointF &tip : {QPointF(34, 13), QPointF(50, 7), QPointF(66, 13)})
            painter.drawEllipse(tip, 2.3, 2.3);
        fillOutlined(painter, polygonPath({{35, 26}, {65, 26}, {64, 31}, {36, 31}}), gold);
        painter.setBrush(royalBlue);
        painter.drawEllipse(QPointF(50, 21), 2.6, 3.2);
        painter.setBrush(deepRed);
        painter.drawEllipse(QPointF(41.5, 28.5), 1.8, 1.5);
        painter.drawEllipse(QPointF(58.5, 28.5), 1.8, 1.5);
    } else {
        QPainterPath tiara;
        tiara.moveTo(38, 30);
        tiara.cubicTo(40, 22, 44, 24, 44, 20);
        tiara.cubicTo(47, 15, 53, 15, 56, 20);
        tiara.cubicTo(56, 24, 60, 22, 62, 30);
        tiara.closeSubpath();
        fillOutlined(painter, tiara, gold);
        painter.setBrush(ermine);
        for (const QPointF &pearl : {QPointF(44, 19.5), QPointF(50, 14.5), QPointF(56, 19.5)})
            painter.drawEllipse(pearl, 1.9, 1.9);
        painter.setBrush(deepRed);
        painter.drawEllipse(QPointF(50, 23.5), 2.2, 2.6);
    }
}

void drawCap(QPainter &painter, int suit)
{
    QPainterPath feather;
    feather.moveTo(60, 24);
    feather.cubicTo(70, 8, 82, 6, 88, 10);
    feather.cubicTo(80, 12, 72, 18, 64, 28);
    feather.closeSubpath();
    fillOutlined(painter, feather, ermine);
    QPainterPath cap;
    cap.moveTo(34, 34);
    cap.cubicTo(30, 18, 52, 12, 68, 20);
    cap.cubicTo(72, 24, 70, 30, 66, 34);
    cap.closeSubpath();
    fillOutlined(painter, cap, suitAccent(suit));
    fillOutlined(painter, polygonPath({{34, 31}, {66, 31}, {66, 35}, {34, 35}}), gold);
}

// Each rank holds its own attribute at the right: sceptre, flower or halberd.
void drawAttribute(QPainter &painter, int suit, int value)
{
    if (value == King) {
        fillOutlined(painter, polygonPath({{82, 22}, {85, 22}, {85, 110}, {82, 110}}), gold);
        painter.setBrush(gold);
        painter.drawEllipse(QPointF(83.5, 18), 5, 5);
        fillOutlined(painter, polygonPath({{82.5, 8}, {84.5, 8}, {84.5, 14}, {82.5, 14}}), gold);
        painter.setBrush(suitAccent(suit));
        painter.drawEllipse(QPointF(83.5, 18), 2, 2);
    } else if (value == Queen) {
        painter.drawLine(QPointF(84, 104), QPointF(84, 30));
        fillOutlined(painter, polygonPath({{84, 56}, {92, 48}, {88, 58}}), QColor(0x3C, 0x8A, 0x3E));
        QPainterPath bloom;
        bloom.moveTo(78, 24);
        bloom.lineTo(81, 30);
        bloom.lineTo(84, 22);
        bloom.lineTo(87, 30);
        bloom.lineTo(90, 24);
        bloom.cubicTo(91, 34, 86, 38, 84, 38);
        bloom.cubicTo(82, 38, 77, 34, 78, 24);
        fillOutlined(painter, bloom, suitAccent(suit));
    } else {
        painter.drawLine(QPointF(85, 110), QPointF(85, 12));
        QPainterPath blade;
        blade.moveTo(85, 6);
        blade.lineTo(88, 14);
        blade.lineTo(85, 18);
        blade.lineTo(94, 20);
        blade.cubicTo(95, 26, 92, 30, 85, 30);
        blade.lineTo(79, 24);
        blade.lineTo(85, 20);
        blade.lineTo(82, 14);
        blade.closeSubpath();
        fillOutlined(painter, blade, QColor(0xC8, 0xCC, 0xD4));
    }
}

void drawCourtFigure(QPainter &painter, const Metrics &m, int suit, int value, const QRectF &half)
{
    painter.save();
    painter.setClipRect(half);
    const qreal scale = half.width() / designWidth;
    painter.translate(half.left(), half.bottom() - designHeight * scale);
    painter.scale(scale, scale);
    painter.setPen(hairline(outlinePen(m.figureLine), m));
    painter.save();
    painter.translate(2.5, 0);
    drawAttribute(painter, suit, value);
    painter.restore();
    drawHair(painter, value);
    drawRobe(painter, suit, value);
    drawArm(painter, suit, value);
    drawCollar(painter, value);
    drawFace(painter, value);
    if (value == King)
        drawBeard(painter);
    if (value == Jack)
        drawCap(painter, suit);
    else
        drawCrown(painter, value);
    painter.restore();
    drawSuit(painter, suit, QPointF(half.left() + half.width() * 0.16, half.top() + half.width() * 0.17),
             half.width() * 0.2);
}

}  // namespace

QImage courtCard(const Metrics &m, int suit, int value)
{
    QImage image = blankCard(m);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawIndices(painter, m, suit, value);
    const QRectF half(m.panel.left(), m.panel.top(), m.panel.width(), m.panel.height() / 2);
    painter.fillRect(m.panel, QColor(0xFB, 0xF6, 0xE8));
    drawBothEnds(painter, m, [&] { drawCourtFigure(painter, m, suit, value, half); });
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(suitColor(suit), m.line));
    painter.drawLine(QPointF(m.panel.left(), m.panel.center().y()), QPointF(m.panel.right(), m.panel.center().y()));
    painter.drawRect(m.panel);
    painter.setPen(QPen(gold, m.line * 0.8));
    painter.drawRect(m.panel.adjusted(m.line * 1.6, m.line * 1.6, -m.line * 1.6, -m.line * 1.6));
    return image;
}

}  // namespace CardArt
