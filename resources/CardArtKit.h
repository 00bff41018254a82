// SPDX-License-Identifier: MIT
#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QString>

// The drawing kit shared by the card pictures. Each card size has its own metrics,
// so both sets are drawn natively rather than scaled from one another.
namespace CardArt {

struct Metrics {
    QSize size;
    qreal radius;       // corner rounding of the card outline
    QRectF rankBox;     // top-left index: the rank glyph fits this box
    QPointF indexSuit;  // centre of the small suit under the rank
    qreal indexSuitHeight;
    QRectF pipArea;     // centres of the outer pips span this rectangle
    qreal pipHeight;
    qreal acePipHeight;
    QRectF panel;       // framed panel of the court cards
    qreal line;         // thin line width for ornaments
    qreal figureLine;   // outline of the court figures and the jester
    qreal backRim;      // white rim around the pattern of a back
    qreal patternStep;  // spacing of the lattice on the red back
    qreal pixelRatio;   // device pixels per logical pixel of the picture
};

Metrics metrics(bool small, qreal pixelRatio = 1.0);

enum Suit { Clubs, Spades, Diamonds, Hearts };

const QColor &inkRed();
const QColor &inkBlack();
QColor suitColor(int suit);

// Suit shapes in a unit box centred on the origin (height 1), smoother for denser
// screens.
QPainterPath suitPath(int suit, qreal pixelRatio);
// Draws a suit shape of the given height centred on a point, upside down if asked.
void drawSuit(QPainter &painter, int suit, QPointF centre, qreal height, bool flipped = false);

// The rank (or a letter) in the card font, fitted into a box.
QPainterPath rankPath(const QString &rank, const QRectF &box);
QString rankText(int value);

// A transparent canvas of the card's size, at the metrics' pixel ratio.
QImage cardCanvas(const Metrics &m);
// A transparent picture of the card's size with the white, outlined card on it.
QImage blankCard(const Metrics &m, const QColor &fill = Qt::white);
// The pen made cosmetic: its width is in device pixels at the ordinary density and
// in logical pixels on denser canvases, so figures drawn at any scale keep thin,
// even outlines.
QPen hairline(QPen pen, const Metrics &m);
QPainterPath cardShape(const Metrics &m, qreal inset = 0.0);

// Draws the index at the top-left and, rotated, at the bottom-right corner.
void drawIndices(QPainter &painter, const Metrics &m, int suit, int value);
// Runs a drawing once as it is and once rotated half a turn about the card centre.
template <typename Draw>
void drawBothEnds(QPainter &painter, const Metrics &m, Draw draw);

QImage face(const Metrics &m, int suit, int value);
QImage courtCard(const Metrics &m, int suit, int value);
QImage joker(const Metrics &m);
QImage back(const Metrics &m, int which);
QImage pileMark(const Metrics &m, bool recycle);
QImage borderFrame(const Metrics &m);
QImage borderMask(const Metrics &m);

}  // namespace CardArt

template <typename Draw>
void CardArt::drawBothEnds(QPainter &painter, const Metrics &m, Draw draw)
{
    draw();
    painter.save();
    painter.translate(m.size.width(), m.size.height());
    painter.rotate(180);
    draw();
    painter.restore();
}
