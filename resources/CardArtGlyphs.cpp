// SPDX-License-Identifier: MIT
#include "resources/CardArtKit.h"
#include "resources/Resources.h"

#include <QFontDatabase>
#include <QHash>
#include <QList>
#include <QPainterPathStroker>
#include <QTransform>

#include <algorithm>

// Suit shapes and rank glyphs: everything on a card that is drawn as a path.

namespace CardArt {

namespace {

QPainterPath makeHeart()
{
    QPainterPath p;
    p.moveTo(0, 0.5);
    p.cubicTo(-0.12, 0.32, -0.5, 0.08, -0.5, -0.2);
    p.cubicTo(-0.5, -0.39, -0.37, -0.5, -0.245, -0.5);
    p.cubicTo(-0.11, -0.5, -0.03, -0.42, 0, -0.3);
    p.cubicTo(0.03, -0.42, 0.11, -0.5, 0.245, -0.5);
    p.cubicTo(0.37, -0.5, 0.5, -0.39, 0.5, -0.2);
    p.cubicTo(0.5, 0.08, 0.12, 0.32, 0, 0.5);
    p.closeSubpath();
    return p;
}

QPainterPath makeDiamond()
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.quadTo(0.17, -0.21, 0.39, 0);
    p.quadTo(0.17, 0.21, 0, 0.5);
    p.quadTo(-0.17, 0.21, -0.39, 0);
    p.quadTo(-0.17, -0.21, 0, -0.5);
    p.closeSubpath();
    return p;
}

QPainterPath polygonPath(const QPolygonF &corners)
{
    QPainterPath path;
    path.addPolygon(corners);
    path.closeSubpath();
    return path;
}

// The flared foot shared by spade and club.
QPainterPath stem()
{
    QPainterPath stem;
    stem.moveTo(-0.035, 0.12);
    stem.lineTo(0.035, 0.12);
    stem.cubicTo(0.04, 0.33, 0.1, 0.45, 0.22, 0.5);
    stem.lineTo(-0.22, 0.5);
    stem.cubicTo(-0.1, 0.45, -0.04, 0.33, -0.035, 0.12);
    stem.closeSubpath();
    return stem;
}

// Uniting shapes flattens their curves to a fixed tolerance in path units. In the unit
// box that leaves a few facets on each lobe, which the ordinary density hides; the
// fine shapes for denser screens are united at a hundred times their size.
QPainterPath unite(const QList<QPainterPath> &parts, bool fine)
{
    const qreal scale = fine ? 100.0 : 1.0;
    const QTransform up = QTransform::fromScale(scale, scale);
    QPainterPath shape = up.map(parts.first());
    for (qsizetype i = 1; i < parts.size(); ++i)
        shape = shape.united(up.map(parts[i]));
    return QTransform::fromScale(1 / scale, 1 / scale).map(shape.simplified());
}

QPainterPath makeSpade(bool fine)
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.cubicTo(0.1, -0.33, 0.47, -0.14, 0.47, 0.12);
    p.cubicTo(0.47, 0.29, 0.35, 0.39, 0.22, 0.39);
    p.cubicTo(0.12, 0.39, 0.05, 0.34, 0.02, 0.27);
    p.lineTo(-0.02, 0.27);
    p.cubicTo(-0.05, 0.34, -0.12, 0.39, -0.22, 0.39);
    p.cubicTo(-0.35, 0.39, -0.47, 0.29, -0.47, 0.12);
    p.cubicTo(-0.47, -0.14, -0.1, -0.33, 0, -0.5);
    p.closeSubpath();
    return unite({p, stem()}, fine);
}

QPainterPath makeClub(bool fine)
{
    const qreal r = 0.225;
    QPainterPath p;
    p.addEllipse(QPointF(0, -0.5 + r), r, r);
    QPainterPath left, right, heart;
    left.addEllipse(QPointF(-0.27, 0.06), r, r);
    right.addEllipse(QPointF(0.27, 0.06), r, r);
    heart.moveTo(0, -0.12);
    heart.lineTo(0.12, 0.08);
    heart.lineTo(0, 0.2);
    heart.lineTo(-0.12, 0.08);
    heart.closeSubpath();
    QList<QPainterPath> parts{p, left, right, heart, stem()};
    // The three lobes overlap round pinholes beside the heart, which the ordinary
    // density blurs to a faint speck; the fine shape fills them.
    if (fine)
        parts << polygonPath({QPointF(0, -0.5 + r), QPointF(0.27, 0.06), QPointF(-0.27, 0.06)});
    return unite(parts, fine);
}

// Text in the card font with capitals one unit high, baseline at y = 0; kept once made.
const QPainterPath &unitTextPath(const QString &text)
{
    static QHash<QString, QPainterPath> made;
    if (auto found = made.constFind(text); found != made.constEnd())
        return *found;
    QFont font(Resources::fontFamily());
    font.setPixelSize(100);
    font.setWeight(QFont::Bold);
    QPainterPath capital;
    capital.addText(0, 0, font, QStringLiteral("H"));
    QPainterPath path;
    path.addText(0, 0, font, text);
    const qreal scale = 1.0 / capital.boundingRect().height();
    return *made.insert(text, QTransform::fromScale(scale, scale).map(path));
}

QPainterPath textPath(const QString &text, qreal pixelHeight)
{
    return QTransform::fromScale(pixelHeight, pixelHeight).map(unitTextPath(text));
}

QPainterPath strokeSpine(const QPainterPath &spine, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(spine).simplified();
}

qreal stemWidth(qreal height) { return textPath(QStringLiteral("I"), height).boundingRect().width(); }

// The font's J and Q reach below the line; card indices keep them on it.
QPainterPath letterJ(qreal h)
{
    const qreal s = stemWidth(h), w = 0.62 * h;
    QPainterPath spine;
    spine.moveTo(w - s / 2, -h);
    spine.lineTo(w - s / 2, -0.4 * h);
    spine.cubicTo(w - s / 2, -0.1 * h, w * 0.72, -s / 2, w * 0.44, -s / 2);
    spine.cubicTo(w * 0.2, -s / 2, s / 2, -0.1 * h, s / 2, -0.26 * h);
    return strokeSpine(spine, s);
}

QPainterPath letterQ(qreal h)
{
    const QPainterPath ring = textPath(QStringLiteral("O"), h);
    const QRectF o = ring.boundingRect();
    const qreal s = stemWidth(h) * 0.9;
    QPainterPath spine;
    spine.moveTo(o.left() + o.width() * 0.55, -0.34 * h);
    spine.lineTo(o.right() + s * 0.1, -s * 0.3);
    return ring.united(strokeSpine(spine, s)).simplified();
}

// "10" is set tight, as on printed cards, so it keeps to the index column.
QPainterPath numberTen(qreal h)
{
    const QPainterPath one = textPath(QStringLiteral("1"), h);
    const QPainterPath zero = textPath(QStringLiteral("0"), h);
    QPainterPath path = one.translated(-one.boundingRect().left(), 0);
    path.addPath(zero.translated(path.boundingRect().right() - zero.boundingRect().left() + h * 0.04, 0));
    return path;
}

QPainterPath rankGlyph(const QString &rank, qreal h)
{
    if (rank == QStringLiteral("10"))
        return numberTen(h);
    if (rank == QStringLiteral("J"))
        return letterJ(h);
    if (rank == QStringLiteral("Q"))
        return letterQ(h);
    return textPath(rank, h);
}

}  // namespace

QPainterPath suitPath(int suit, qreal pixelRatio)
{
    const int index = std::clamp(suit, 0, 3);
    if (pixelRatio > 1) {  // made at first need: the fine unions take a while
        static const QPainterPath fineShapes[4] = {makeClub(true), makeSpade(true), makeDiamond(), makeHeart()};
        return fineShapes[index];
    }
    static const QPainterPath shapes[4] = {makeClub(false), makeSpade(false), makeDiamond(), makeHeart()};
    return shapes[index];
}

void drawSuit(QPainter &painter, int suit, QPointF centre, qreal height, bool flipped)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(height, flipped ? -height : height);
    painter.fillPath(t.map(suitPath(suit, painter.device()->devicePixelRatio())), suitColor(suit));
}

QString rankText(int value)
{
    static const char *const ranks[13] = {"A", "2", "3", "4", "5", "6", "7",
                                          "8", "9", "10", "J", "Q", "K"};
    return QString::fromLatin1(ranks[std::clamp(value, 0, 12)]);
}

QPainterPath rankPath(const QString &rank, const QRectF &box)
{
    const QPainterPath path = rankGlyph(rank, box.height());
    const QRectF bounds = path.boundingRect();
    const qreal scale = std::min(1.0, box.height() / bounds.height());
    const qreal room = rank.size() > 1 ? box.width() + 1.0 : box.width();  // two digits may use the margin
    const qreal squeeze = std::min(scale, room / bounds.width());
    QTransform t;
    t.translate(box.center().x(), box.top());
    t.scale(squeeze, scale);
    t.translate(-bounds.center().x(), -bounds.top());
    return t.map(path);
}

}  // namespace CardArt
