// SPDX-License-Identifier: MIT
#include "tools/icons/ProgramIcon.h"

#include "resources/CardArtKit.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

using CardArt::Metrics;

// How the pair lies at one size. Small icons keep the ace upright on whole pixels,
// with a plain back and no shadow, so that its heart stays crisp.
struct Layout {
    qreal height;      // of a card, as a share of the icon
    qreal width;       // of a card, as a share of its height
    qreal heart;       // height of the ace's heart, as a share of the card's
    qreal spread;      // distance of the two feet, as a share of the icon
    qreal backTilt;    // degrees
    qreal frontTilt;
    bool plainBack;
    bool indices;
    bool shadow;
};

Layout layoutFor(int size)
{
    if (size <= 24)
        return {0.80, 0.70, 0.56, 0.26, -9, 0, true, false, false};
    if (size <= 40)
        return {0.78, 0.68, 0.52, 0.20, -14, 0, true, false, false};
    if (size < 128)
        return {0.76, 0.66, 0.48, 0.06, -18, 8, false, false, true};
    return {0.76, 0.64, 0.44, 0.06, -18, 8, false, true, true};
}

// The deck's large card, scaled to its share of the icon. The ace's heart is
// drawn larger than on the real card so that it still reads at 16 pixels.
Metrics iconCard(int size, const Layout &layout)
{
    const Metrics &deck = CardArt::metrics(false);
    const int height = qRound(size * layout.height);
    const qreal k = qreal(height) / deck.size.height();
    const auto scaled = [](const QRectF &r, qreal by) { return QRectF(r.topLeft() * by, r.size() * by); };
    // The corner index is drawn a little larger, to be read from across a menu.
    const qreal index = k * 1.25;
    Metrics m = deck;
    m.size = QSize(qRound(height * layout.width), height);
    m.radius = std::max(1.5, deck.radius * k);
    m.rankBox = scaled(deck.rankBox, index);
    m.indexSuit = deck.indexSuit * index;
    m.indexSuitHeight = deck.indexSuitHeight * index;
    m.acePipHeight = height * layout.heart;
    m.line = std::max(0.5, deck.line * k);
    m.backRim = std::max(1.0, deck.backRim * k);
    m.patternStep = std::max(2.5, deck.patternStep * k);
    return m;
}

QImage aceOfHearts(const Metrics &m, bool withIndices)
{
    QImage card = CardArt::blankCard(m);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(m.size.width() / 2.0, m.size.height() / 2.0);
    CardArt::drawSuit(p, CardArt::Hearts, centre, m.acePipHeight);
    if (withIndices)
        CardArt::drawIndices(p, m, CardArt::Hearts, 0);
    return card;
}

// Too small for the lattice to show: the back's red inside its white rim.
QImage plainBack(const Metrics &m)
{
    QImage card = CardArt::blankCard(m);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal rim = std::max(m.backRim, m.size.height() / 12.0);
    p.fillPath(CardArt::cardShape(m, rim), CardArt::inkRed().darker(112));
    return card;
}

// A card turned about the middle of its bottom edge, which sits at `foot`.
QTransform turned(const Metrics &m, QPointF foot, qreal angle)
{
    QTransform t;
    t.translate(foot.x(), foot.y());
    t.rotate(angle);
    t.translate(-m.size.width() / 2.0, -m.size.height());
    return t;
}

void drawTurned(QPainter &p, const QImage &card, const QTransform &t)
{
    p.save();
    p.setTransform(t, true);
    p.drawImage(0, 0, card);
    p.restore();
}

// A soft dark copy of the card's outline, cast onto the card beneath.
QImage shadowOf(const QImage &card, int alpha)
{
    QImage shadow(card.size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    QPainter p(&shadow);
    p.drawImage(0, 0, card);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(shadow.rect(), QColor(40, 20, 10, alpha));
    return shadow;
}

// Moves the pair to the middle of the square; an upright ace lands on whole pixels.
QTransform centring(int size, const QRectF &pair, const QTransform &front, bool frontUpright)
{
    QPointF shift = QPointF(size / 2.0, size / 2.0) - pair.center();
    if (frontUpright) {
        const QPointF corner = front.map(QPointF(0, 0)) + shift;
        shift += QPointF(std::round(corner.x()), std::round(corner.y())) - corner;
    }
    return QTransform::fromTranslate(shift.x(), shift.y());
}

}  // namespace

QImage programIcon(int size)
{
    const Layout layout = layoutFor(size);
    const Metrics m = iconCard(size, layout);
    const QPointF foot(size / 2.0, size * 0.95);
    const QPointF apart(size * layout.spread / 2.0, 0);
    QTransform back = turned(m, foot - apart, layout.backTilt);
    QTransform front = turned(m, foot + apart, layout.frontTilt);
    const QRectF cardRect(QPointF(0, 0), QSizeF(m.size));
    const QRectF pair = back.mapRect(cardRect).united(front.mapRect(cardRect));
    const QTransform middle = centring(size, pair, front, layout.frontTilt == 0);
    back *= middle;
    front *= middle;

    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    drawTurned(p, layout.plainBack ? plainBack(m) : CardArt::back(m, 0), back);
    const QImage ace = aceOfHearts(m, layout.indices);
    if (layout.shadow) {
        const qreal cast = size / 64.0;
        drawTurned(p, shadowOf(ace, 60), front * QTransform::fromTranslate(-cast, cast * 0.5));
    }
    drawTurned(p, ace, front);
    return icon;
}
