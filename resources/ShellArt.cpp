// SPDX-License-Identifier: MIT
#include "resources/PixelRatio.h"
#include "resources/Providers.h"
#include "resources/Resources.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace {

// The jester's wardrobe, shared by every picture he appears in.
const QColor parchment(246, 238, 216);
const QColor ink(58, 38, 40);
const QColor crimson(200, 40, 60);
const QColor emerald(40, 138, 90);
const QColor gold(240, 190, 50);
const QColor goldDark(176, 124, 20);
const QColor skin(248, 214, 182);
const QColor shoe(92, 48, 112);

constexpr qreal outline = 0.9;

QImage canvas(int width, int height, qreal ratio, const QColor &fill)
{
    QImage image = PixelRatio::canvas(QSizeF(width, height), ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void outlined(QPainter &p, const QPainterPath &path, const QBrush &fill, qreal width = outline)
{
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

// A thick limb with a dark rim: the rim is drawn first, a little wider.
void limb(QPainter &p, const QPolygonF &joints, const QColor &color, qreal width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, width + 2 * outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(joints);
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(joints);
}

void bell(QPainter &p, QPointF centre, qreal radius)
{
    QRadialGradient shine(centre - QPointF(radius * 0.4, radius * 0.4), radius * 1.6);
    shine.setColorAt(0, QColor(255, 244, 190));
    shine.setColorAt(0.5, gold);
    shine.setColorAt(1, goldDark);
    p.setPen(QPen(ink, outline * 0.8));
    p.setBrush(shine);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(ink, outline * 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(0, radius * 0.2), centre + QPointF(0, radius * 0.85));
}

enum class Face { Smile, Wink, Laugh };

struct Pose {
    qreal headTilt;        // degrees about the neck
    qreal capSwing;        // 0 hanging, 1 flung up by laughter
    QPolygonF leftArm;     // shoulder, elbow, hand
    QPolygonF rightArm;
    Face face;
};

const QPointF neck(34, 37);
const QPointF headCentre(34, 28);

const Pose &pose(int number)
{
    static const Pose standing{0, 0, {{26, 41}, {18.5, 49}, {25, 55.5}}, {{42, 41}, {49.5, 49}, {43, 55.5}}, Face::Smile};
    static const Pose waving{-11, 0.35, {{26, 41}, {18.5, 49}, {25, 55.5}}, {{42, 41}, {51, 37}, {54, 27}}, Face::Wink};
    static const Pose laughing{5, 1, {{26, 41}, {16, 37}, {11.5, 28}}, {{42, 41}, {52, 37}, {56.5, 28}}, Face::Laugh};
    switch (number) {
    case 2: return waving;
    case 3: return laughing;
    default: return standing;
    }
}

// One floppy point of the cap, from its base on the band to the bell at its tip.
QPainterPath capPoint(QPointF baseA, QPointF baseB, QPointF tip, QPointF bendA, QPointF bendB)
{
    QPainterPath path(baseA);
    path.quadTo(bendA, tip);
    path.quadTo(bendB, baseB);
    path.closeSubpath();
    return path;
}

void drawCap(QPainter &p, qreal swing)
{
    const QPointF leftTip(8 - 2 * swing, 23 - 11 * swing);
    const QPointF rightTip(60 + 2 * swing, 23 - 11 * swing);
    const QPointF middleTip(34 + 5 * swing, 3);
    outlined(p, capPoint({31, 19}, {25.5, 24}, leftTip, {19, 7 + 2 * swing}, {17, 17 - 2 * swing}), crimson);
    outlined(p, capPoint({37, 19}, {42.5, 24}, rightTip, {49, 7 + 2 * swing}, {51, 17 - 2 * swing}), crimson);
    outlined(p, capPoint({28.5, 21}, {39.5, 21}, middleTip, {29 + 2 * swing, 8}, {38 + 3 * swing, 8}), emerald);
    // The band round the brow, with a row of little diamonds.
    QPainterPath band;
    band.moveTo(24.5, 24.5);
    band.quadTo(34, 16.5, 43.5, 24.5);
    band.lineTo(43, 27);
    band.quadTo(34, 20, 25, 27);
    band.closeSubpath();
    outlined(p, band, gold);
    p.setPen(Qt::NoPen);
    p.setBrush(crimson);
    for (qreal x : {29.0, 34.0, 39.0}) {
        const qreal y = 22.2 + 0.045 * (x - 34) * (x - 34);
        p.drawPolygon(QPolygonF({{x, y - 1.3}, {x + 1.1, y}, {x, y + 1.3}, {x - 1.1, y}}));
    }
    for (const QPointF &tip : {leftTip, rightTip, middleTip})
        bell(p, tip, 2.7);
}

// Little jingle marks beside the flying side bells.
void drawJingle(QPainter &p, qreal swing)
{
    p.setPen(QPen(goldDark, 0.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF left(8 - 2 * swing, 23 - 11 * swing);
    const QPointF right(60 + 2 * swing, 23 - 11 * swing);
    for (qreal r : {4.3, 5.9}) {
        p.drawArc(QRectF(left.x() - r, left.y() - r, 2 * r, 2 * r), 105 * 16, 60 * 16);
        p.drawArc(QRectF(right.x() - r, right.y() - r, 2 * r, 2 * r), 15 * 16, 60 * 16);
    }
}

void drawEyes(QPainter &p, Face face)
{
    const QPointF left(30.6, 27.2);
    const QPointF right(37.4, 27.2);
    auto openEye = [&](QPointF at) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(at, 1.15, 1.55);
        p.setBrush(Qt::white);
        p.drawEllipse(at + QPointF(-0.4, -0.6), 0.45, 0.45);
    };
    auto shutEye = [&](QPointF at, bool laughing) {
        QPainterPath lid(at + QPointF(-1.6, laughing ? 0.6 : 0));
        lid.quadTo(at + QPointF(0, laughing ? -1.8 : 1.4), at + QPointF(1.6, laughing ? 0.6 : 0));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 0.95, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(lid);
    };
    if (face == Face::Laugh) {
        shutEye(left, true);
        shutEye(right, true);
    } else {
        face == Face::Wink ? shutEye(left, false) : openEye(left);
        openEye(right);
    }
}

void drawMouth(QPainter &p, Face face)
{
    if (face == Face::Laugh) {
        QPainterPath mouth(QPointF(29.6, 31));
        mouth.quadTo(34, 31.8, 38.4, 31);
        mouth.quadTo(37.8, 36.6, 34, 36.6);
        mouth.quadTo(30.2, 36.6, 29.6, 31);
        outlined(p, mouth, QColor(122, 30, 44), 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(236, 120, 128));
        p.drawEllipse(QPointF(34, 35.4), 2.2, 1.0);
        return;
    }
    QPainterPath smile(QPointF(30.4, 31.2));
    smile.quadTo(34, 34.6, 37.6, 31.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 0.95, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(smile);
}

void drawFace(QPainter &p, Face face)
{
    // Ears peek out under the band.
    outlined(p, QPainterPath([] { QPainterPath e; e.addEllipse(QPointF(25.3, 28.5), 1.8, 2.4); e.addEllipse(QPointF(42.7, 28.5), 1.8, 2.4); return e; }()), skin);
    QPainterPath head;
    head.addEllipse(headCentre + QPointF(0, 0.5), 8.6, 9.0);
    QRadialGradient flesh(headCentre + QPointF(-2.5, -2), 11);
    flesh.setColorAt(0, QColor(255, 230, 204));
    flesh.setColorAt(1, skin);
    outlined(p, head, flesh);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 120, 120, face == Face::Laugh ? 150 : 110));
    p.drawEllipse(QPointF(28.4, 31), 1.9, 1.4);
    p.drawEllipse(QPointF(39.6, 31), 1.9, 1.4);
    p.setBrush(QColor(226, 160, 130));
    p.drawEllipse(QPointF(34, 29.6), 1.2, 1.0);
    drawEyes(p, face);
    drawMouth(p, face);
}

void drawHead(QPainter &p, const Pose &pose)
{
    p.save();
    p.translate(neck);
    p.rotate(pose.headTilt);
    p.translate(-neck);
    drawFace(p, pose.face);
    drawCap(p, pose.capSwing);
    if (pose.capSwing >= 1)
        drawJingle(p, pose.capSwing);
    p.restore();
}

// Pointed collar flaps fanning over the shoulders, a bell on every point.
void drawCollar(QPainter &p)
{
    const int flaps = 5;
    const qreal spread = 28.0;
    auto at = [](qreal degrees, qreal r) {
        const qreal a = qDegreesToRadians(degrees);
        return QPointF(34 + r * std::cos(a), 36 + 0.8 * r * std::sin(a));
    };
    QList<QPointF> tips;
    for (int i = 0; i < flaps; ++i) {
        const qreal angle = 90.0 + (i - 2) * spread;
        QPainterPath flap(at(angle - spread / 2, 7));
        flap.lineTo(at(angle, 15.5));
        flap.lineTo(at(angle + spread / 2, 7));
        flap.quadTo(at(angle, 5), at(angle - spread / 2, 7));
        outlined(p, flap, i % 2 ? gold : QColor(255, 250, 236), 0.8);
        tips << at(angle, 15.5);
    }
    for (const QPointF &tip : tips)
        bell(p, tip, 1.3);
}

void drawTunic(QPainter &p)
{
    QPainterPath tunic(QPointF(25.5, 39));
    tunic.lineTo(42.5, 39);
    tunic.lineTo(46, 62);
    const QList<QPointF> hem{{43, 66}, {40, 62}, {37, 66}, {34, 62}, {31, 66}, {28, 62}, {25, 66}, {22, 62}};
    for (const QPointF &point : hem)
        tunic.lineTo(point);
    tunic.closeSubpath();
    p.save();
    p.setPen(Qt::NoPen);
    p.setClipRect(QRectF(0, 0, 34, 97));
    p.fillPath(tunic, crimson);
    p.setClipRect(QRectF(34, 0, 34, 97));
    p.fillPath(tunic, emerald);
    p.restore();
    outlined(p, tunic, Qt::NoBrush);
    // Belt and buttons.
    p.setPen(QPen(ink, 0.7));
    p.setBrush(gold);
    p.drawRect(QRectF(23.6, 54.5, 20.8, 2.6));
    for (qreal y : {44.5, 49.5})
        p.drawPolygon(QPolygonF({{34, y - 1.6}, {35.3, y}, {34, y + 1.6}, {32.7, y}}));
    for (qreal x : {25.0, 31.0, 37.0, 43.0})
        bell(p, QPointF(x, 66.6), 1.2);
}

void drawLegs(QPainter &p)
{
    limb(p, QPolygonF({{30, 63}, {29, 83}}), emerald, 5.2);
    limb(p, QPolygonF({{38, 63}, {39, 83}}), crimson, 5.2);
    // Curled slippers, each toe ending in a bell.
    QPainterPath left(QPointF(31.5, 81.5));
    left.lineTo(31.5, 86.5);
    left.quadTo(22, 87.5, 19.5, 84);
    left.quadTo(18.5, 80.5, 16.5, 81);
    left.quadTo(21, 79, 26.5, 81.5);
    left.closeSubpath();
    QPainterPath right(QPointF(36.5, 81.5));
    right.lineTo(36.5, 86.5);
    right.quadTo(46, 87.5, 48.5, 84);
    right.quadTo(49.5, 80.5, 51.5, 81);
    right.quadTo(47, 79, 41.5, 81.5);
    right.closeSubpath();
    outlined(p, left, shoe);
    outlined(p, right, shoe);
    bell(p, QPointF(16.3, 80.2), 1.5);
    bell(p, QPointF(51.7, 80.2), 1.5);
}

void drawArm(QPainter &p, const QPolygonF &arm, const QColor &sleeve)
{
    limb(p, arm, sleeve, 5.0);
    const QPointF hand = arm.last();
    const QPointF elbow = arm[1];
    const QPointF along = (hand - elbow) / std::hypot(hand.x() - elbow.x(), hand.y() - elbow.y());
    // A golden cuff just before the hand.
    p.setPen(QPen(ink, 5.0 + 2 * outline, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(hand - along * 2.6, hand - along * 1.2);
    p.setPen(QPen(gold, 5.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(hand - along * 2.4, hand - along * 1.4);
    QPainterPath palm;
    palm.addEllipse(hand, 2.5, 2.5);
    outlined(p, palm, skin, 0.8);
}

void drawShadow(QPainter &p)
{
    QRadialGradient shade(QPointF(34, 87.5), 20);
    shade.setColorAt(0, QColor(120, 90, 50, 70));
    shade.setColorAt(1, QColor(120, 90, 50, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.save();
    p.translate(34, 87.5);
    p.scale(1, 0.12);
    p.translate(-34, -87.5);
    p.drawEllipse(QPointF(34, 87.5), 20, 20);
    p.restore();
}

// The court jester in one of his three poses: 1 standing with his hands on his
// hips, 2 tilting his head and waving, 3 laughing with his bells flying. The
// figure keeps within the top 90 rows, which the info box shows.
QImage jester(int number, qreal ratio)
{
    QImage image = canvas(68, 97, ratio, parchment);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const Pose &look = pose(number);
    drawShadow(p);
    drawLegs(p);
    drawArm(p, look.leftArm, emerald);
    drawArm(p, look.rightArm, crimson);
    drawTunic(p);
    drawCollar(p);
    drawHead(p, look);
    return image;
}

void drawCard(QPainter &p, const QString &name, QPointF pivot, qreal angle, qreal reach)
{
    const QImage card = Resources::bitmap(name, p.device()->devicePixelRatio());
    const QSizeF size = card.deviceIndependentSize();
    p.save();
    p.translate(pivot);
    p.rotate(angle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 60, 20, 60));
    p.drawRoundedRect(QRectF(QPointF(-size.width() / 2.0 + 2.5, -reach + 2.5), size), 5, 5);
    p.drawImage(QPointF(-size.width() / 2.0, -reach), card);
    p.restore();
}

void drawSparkle(QPainter &p, QPointF centre, qreal size, const QColor &color)
{
    QPainterPath star(centre + QPointF(0, -size));
    star.quadTo(centre, centre + QPointF(size, 0));
    star.quadTo(centre, centre + QPointF(0, size));
    star.quadTo(centre, centre + QPointF(-size, 0));
    star.quadTo(centre, centre + QPointF(0, -size));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(star);
}

// The picture behind the info box's credits: a fan of the royal cards held out
// by the jester's cap, faint enough for the text to stay easy to read on it.
QImage infoPicture(qreal ratio)
{
    QImage art = canvas(306, 279, ratio, Qt::transparent);
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPointF pivot(153, 292);
        const QStringList fan{"FSCARD110", "FSCARD137", "FSCARD151", "FSCARD126", "FSCARD113"};
        for (int i = 0; i < fan.size(); ++i)
            drawCard(p, fan[i], pivot, -30.0 + 15.0 * i, 192);
        // Sparkles keep to the margins the credit lines leave free.
        const QList<QPointF> sparkles{{262, 22}, {294, 76}, {272, 140}, {12, 250}, {292, 262}};
        for (int i = 0; i < sparkles.size(); ++i)
            drawSparkle(p, sparkles[i], 7 + (i % 3) * 3, goldDark);
    }
    QImage image = canvas(306, 279, ratio, parchment);
    QPainter p(&image);
    p.setOpacity(0.3);
    p.drawImage(0, 0, art);
    return image;
}

QImage helpGlyph(qreal ratio)
{
    QImage image = canvas(18, 18, ratio, Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient ball(QPointF(6.5, 5.5), 12);
    ball.setColorAt(0, QColor(120, 170, 250));
    ball.setColorAt(1, QColor(24, 70, 170));
    p.setPen(QPen(QColor(16, 44, 110), 1));
    p.setBrush(ball);
    p.drawEllipse(QRectF(1, 1, 16, 16));
    QFont font(Resources::fontFamily());
    font.setPixelSize(13);
    font.setBold(true);
    QPainterPath mark;
    mark.addText(0, 0, font, QStringLiteral("?"));
    const QRectF box = mark.boundingRect();
    p.translate(9 - box.center().x(), 9 - box.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(mark);
    return image;
}

// The program's icon: a playing card wearing the jester's cap.
QImage trayIcon(qreal ratio)
{
    QImage image = canvas(32, 32, ratio, Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient paper(0, 8, 0, 31);
    paper.setColorAt(0, Qt::white);
    paper.setColorAt(1, QColor(250, 240, 220));
    p.setPen(QPen(ink, 1.2));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(6.6, 8.6, 18.8, 22.8), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(crimson);
    p.drawPolygon(QPolygonF({{16, 16}, {20, 22}, {16, 28}, {12, 22}}));
    p.translate(16, 0);
    p.scale(0.5, 0.5);
    p.translate(-34, 0);
    drawCap(p, 0.6);
    return image;
}

using Painter = std::function<QImage(qreal ratio)>;

const QList<QPair<QString, Painter>> &catalogue()
{
    static const QList<QPair<QString, Painter>> all{
        {"JESTER1", [](qreal ratio) { return jester(1, ratio); }},
        {"JESTER2", [](qreal ratio) { return jester(2, ratio); }},
        {"JESTER3", [](qreal ratio) { return jester(3, ratio); }},
        {"INFOPIC", infoPicture},
        {"HELPGLYPH", helpGlyph},
        {"TRAYICON", trayIcon},
    };
    return all;
}

}  // namespace

namespace ShellArt {

QStringList names()
{
    QStringList list;
    for (const auto &entry : catalogue())
        list << entry.first;
    return list;
}

std::optional<QImage> render(const QString &upperName, qreal ratio)
{
    for (const auto &entry : catalogue())
        if (entry.first == upperName)
            return entry.second(PixelRatio::clamped(ratio));
    return std::nullopt;
}

}  // namespace ShellArt
