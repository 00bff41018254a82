// SPDX-License-Identifier: MIT
#pragma once
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

// Drawing kit for the launcher's game previews: a miniature green table on which
// real card pictures, scaled down, are laid out the way each game deals them.
// Cards are named as players write them: rank then suit, "AS", "TD", "7C", "KH".
namespace PreviewKit {

constexpr int previewWidth = 320;
constexpr int previewHeight = 125;

// The family of the font carried inside the program (the one on the cards).
QString fontFamily();

// A preview canvas with the table cloth painted on it, for `ratio` device pixels
// per logical pixel.
QImage table(qreal ratio);

class MiniTable
{
public:
    MiniTable(QImage &canvas, int cardWidth);

    int cardWidth() const { return width; }
    int cardHeight() const { return height; }

    void face(QPoint at, const QString &card);
    void back(QPoint at);
    // An empty pile: a faint rounded outline on the cloth.
    void outline(QPoint at);
    // An empty stock that can be turned over again: the outline with a circling arrow.
    void recycle(QPoint at);
    // A pile of face-down cards, drawn as a stepped stack.
    void stock(QPoint at, int layers, QPoint step = QPoint(1, 1));
    // A column: face-down cards, then face-up cards, fanned downwards.
    void column(QPoint at, int faceDown, const QStringList &faceUp, int downStep, int upStep);
    // Face-up cards, each the given step from the one below (a waste, a terrace, a row).
    void fan(QPoint at, const QStringList &cards, QPoint step);
    // The game's name in a rounded label centred in the given box.
    void label(const QString &name, const QRect &box, int pixelSize = 12);

private:
    void card(QPoint at, const QImage &picture);

    QPainter painter;
    int width;
    int height;
    qreal ratio;
};

}  // namespace PreviewKit
