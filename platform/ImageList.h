// SPDX-License-Identifier: MIT
#pragma once
#include <QColor>
#include <QImage>
#include <QList>

class QPainter;

// A list of same-sized pictures drawn with transparency. Adding a picture with a key
// colour makes exactly the pixels of that colour transparent; a picture with its own
// alpha channel keeps it (our generated art has anti-aliased corners).
class TImageList
{
public:
    TImageList(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    int Count() const { return images.size(); }
    void Clear();
    void SetSize(int width, int height);  // also clears

    // The picture is cut (or padded) to the list's size.
    int AddMasked(const QImage &image, QColor key = QColor(255, 0, 255));
    // Windows-style mask: white mask pixels are transparent, black ones opaque.
    int AddWithMask(const QImage &image, const QImage &mask);
    void ReplaceWithMask(int index, const QImage &image, const QImage &mask);

    void Draw(QPainter &painter, int x, int y, int index) const;
    const QImage &Image(int index) const;

private:
    QImage fitted(const QImage &image) const;
    QImage applyMask(const QImage &image, const QImage &mask) const;

    int width;
    int height;
    QList<QImage> images;
};
