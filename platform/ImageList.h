// SPDX-License-Identifier: MIT
#pragma once
#include <QColor>
#include <QImage>
#include <QList>

#include <functional>

class QPainter;

// A list of same-sized pictures drawn with transparency. Adding a picture with a key
// colour makes exactly the pixels of that colour transparent; a picture with its own
// alpha channel keeps it (our generated art has anti-aliased corners).
//
// Sizes are logical pixels. A list made for a device pixel ratio holds pictures of
// that many device pixels per logical one, so they stay sharp on dense screens; a
// picture added to it is placed in logical pixels whatever its own ratio.
class ImageList
{
public:
    ImageList(int width, int height, qreal ratio = 1.0);

    int Width() const { return width; }
    int Height() const { return height; }
    qreal Ratio() const { return ratio; }
    int Count() const { return images.size(); }
    void Clear();
    void SetSize(int width, int height);  // also clears

    // The picture is cut (or padded) to the list's size.
    int AddMasked(const QImage &image, QColor key = QColor(255, 0, 255));
    // The same, with the picture made the first time it is drawn or asked for.
    int AddMaskedLater(std::function<QImage()> make, QColor key = QColor(255, 0, 255));
    // Windows-style mask: white mask pixels are transparent, black ones opaque.
    int AddWithMask(const QImage &image, const QImage &mask);
    void ReplaceWithMask(int index, const QImage &image, const QImage &mask);

    void Draw(QPainter &painter, int x, int y, int index) const;
    const QImage &Image(int index) const;
    int MadeCount() const;  // how many pictures exist yet

private:
    struct Entry {
        QImage picture;
        std::function<QImage()> make;  // until the picture is made
        QColor key;
    };

    QImage fitted(const QImage &image) const;
    QImage masked(const QImage &image, QColor key) const;
    QImage applyMask(const QImage &image, const QImage &mask) const;
    const QImage &made(int index) const;

    int width;
    int height;
    qreal ratio;
    mutable QList<Entry> images;
};
