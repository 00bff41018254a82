// SPDX-License-Identifier: MIT
#include "shell/Background.h"

#include "cards/CardPileView.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

constexpr int maxBands = 65535;

int redOf(TColor color) { return int(color & 0xFF); }
int greenOf(TColor color) { return int((color >> 8) & 0xFF); }
int blueOf(TColor color) { return int((color >> 16) & 0xFF); }
QColor toQColor(TColor color) { return QColor(redOf(color), greenOf(color), blueOf(color)); }

}  // namespace

TzBackground::TzBackground(QWidget *owner) : QObject(owner), owner(owner), backBuffer(100, 100, QImage::Format_RGB32)
{
    backBuffer.fill(Qt::black);
    Changed();
    owner->installEventFilter(this);
}

TzBackground::~TzBackground()
{
    owner->removeEventFilter(this);
}

void TzBackground::SetFillType(gradType value)
{
    fillType = value;
    Changed();
}

void TzBackground::SetBitMap(const QImage &picture)
{
    bitMap = picture.copy();
    bufferStale = true;
    owner->update();
}

void TzBackground::SetBackType(TzBackType value)
{
    if (value == backType)
        return;
    backType = value;
    Changed();
}

void TzBackground::SetColor(TColor value)
{
    if (value == startColor)
        return;
    startColor = value;
    Changed();
}

void TzBackground::SetEndColor(TColor value)
{
    if (value == endColor)
        return;
    endColor = value;
    Changed();
}

void TzBackground::SetBands(int value)
{
    value = std::clamp(value, 0, maxBands);
    if (value == bands)
        return;
    bands = value;
    Changed();
}

void TzBackground::Changed()
{
    startRed = redOf(startColor);
    startGreen = greenOf(startColor);
    startBlue = blueOf(startColor);
    diffRed = redOf(endColor) - startRed;
    diffGreen = greenOf(endColor) - startGreen;
    diffBlue = blueOf(endColor) - startBlue;
    bufferStale = true;
    owner->update();
}

int TzBackground::MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long divisor = c;
    const long long magnitude = (std::llabs(product) + std::llabs(divisor) / 2) / std::llabs(divisor);
    const long long result = (product < 0) != (divisor < 0) ? -magnitude : magnitude;
    return result < INT_MIN || result > INT_MAX ? -1 : static_cast<int>(result);
}

QColor TzBackground::WindowColor() const
{
    return owner->palette().color(owner->backgroundRole());
}

QColor TzBackground::BandColor(int band) const
{
    if (bands == 0)
        return QColor(startRed, startGreen, startBlue);
    return QColor(startRed + MulDiv(band, diffRed, bands), startGreen + MulDiv(band, diffGreen, bands),
                  startBlue + MulDiv(band, diffBlue, bands));
}

void TzBackground::PaintFill(QPainter &canvas, QSize size) const
{
    switch (backType) {
    case btBitmap:
        PaintTiles(canvas, size);
        break;
    case btBlend:
        if (fillType == gCenter)
            PaintCenter(canvas, size);
        else
            PaintBlend(canvas, size);
        break;
    case btSteel:
        PaintSteel(canvas, size);
        break;
    case btNormal:
        canvas.fillRect(QRect(QPoint(0, 0), size), WindowColor());
        break;
    }
}

// The picture is laid from the top-left corner, row by row; the last row and
// column may run past the edge.
void TzBackground::PaintTiles(QPainter &canvas, QSize size) const
{
    canvas.fillRect(QRect(QPoint(0, 0), size), WindowColor());
    if (bitMap.isNull())
        return;
    const int tileWidth = bitMap.width(), tileHeight = bitMap.height();
    for (int row = 0; row <= size.height() / tileHeight; ++row)
        for (int column = 0; column <= size.width() / tileWidth; ++column)
            canvas.drawImage(column * tileWidth, row * tileHeight, bitMap);
}

// Bands + 1 stripes, from the start colour to the end colour: top to bottom for
// gVert, left to right for gHorz.
void TzBackground::PaintBlend(QPainter &canvas, QSize size) const
{
    const bool vertical = fillType == gVert;
    const int length = vertical ? size.height() : size.width();
    for (int band = 0; band <= bands; ++band) {
        const int from = MulDiv(band, length, bands + 1);
        const int to = MulDiv(band + 1, length, bands + 1);
        if (to <= from)
            continue;
        const QRect stripe = vertical ? QRect(0, from, size.width(), to - from)
                                      : QRect(from, 0, to - from, size.height());
        canvas.fillRect(stripe, BandColor(band));
    }
}

// Concentric frames from the edge (start colour) to the centre (end colour).
void TzBackground::PaintCenter(QPainter &canvas, QSize size) const
{
    const int steps = 2 * (bands + 1);
    for (int band = 0; band <= bands; ++band) {
        const int dx = MulDiv(band, size.width(), steps);
        const int dy = MulDiv(band, size.height(), steps);
        canvas.fillRect(QRect(QPoint(0, 0), size).adjusted(dx, dy, -dx, -dy), BandColor(band));
    }
}

// A grey dotted pattern.
void TzBackground::PaintSteel(QPainter &canvas, QSize size) const
{
    const QRect area(QPoint(0, 0), size);
    canvas.fillRect(area, QColor(0xC0, 0xC0, 0xC0));
    canvas.fillRect(area, QBrush(QColor(0x80, 0x80, 0x80), Qt::Dense6Pattern));
}

void TzBackground::Refresh()
{
    const QSize size = owner->size();
    if (!bufferStale && backBuffer.size() == size)
        return;
    if (size.isEmpty())
        return;
    if (backBuffer.size() != size)
        backBuffer = QImage(size, QImage::Format_RGB32);
    QPainter canvas(&backBuffer);
    PaintFill(canvas, size);
    bufferStale = false;
}

// The window shows exactly what BackBuffer holds.
void TzBackground::PaintOwner()
{
    Refresh();
    QPainter canvas(owner);
    canvas.drawImage(0, 0, backBuffer);
    if (OnPaint)
        OnPaint(this, canvas);
}

bool TzBackground::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != owner)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        if (!owner->isMinimized())
            PaintOwner();
        break;
    case QEvent::Resize:
        if (OnResize)
            OnResize(this);
        bufferStale = true;
        Refresh();
        owner->update();
        break;
    case QEvent::PaletteChange:
        bufferStale = true;
        owner->update();
        break;
    default:
        break;
    }
    return false;
}

void ApplyTableBackground(QWidget *window, TzBackground *background, const QList<TCardPileView *> &views,
                          const TablePreferences &preferences)
{
    const bool pictureLoaded = preferences.Picture && !preferences.Picture->isNull();
    const bool gradient = preferences.BackgroundIndex == 1;
    const bool picture = preferences.BackgroundIndex == 2 && pictureLoaded;
    if (gradient) {
        background->SetBackType(btBlend);
        background->SetColor(preferences.GradientStartColor);
        background->SetEndColor(preferences.GradientEndColor);
        background->SetFillType(preferences.GradientIndex == 1 ? gHorz : gVert);
    } else if (picture) {
        background->SetBitMap(*preferences.Picture);
        background->SetBackType(btBitmap);
    } else {
        background->SetBackType(btNormal);
        const QColor solid = toQColor(preferences.BackgroundColor);
        if (window->palette().color(QPalette::Window) != solid) {
            QPalette palette = window->palette();
            palette.setColor(QPalette::Window, solid);
            window->setPalette(palette);
        }
    }
    background->Refresh();
    for (TCardPileView *view : views) {
        view->BackgroundMode = gradient || picture ? FS_BITMAP : FS_NORMAL;
        if (gradient || picture)
            view->Background = &background->BackBuffer();
        view->update();
    }
    window->update();
}
