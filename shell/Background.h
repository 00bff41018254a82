// SPDX-License-Identifier: MIT
#pragma once
#include "platform/Controls.h"
#include "shell/Colors.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <functional>

class QPainter;
class QWidget;
class TCardPileView;

enum gradType { gHorz, gVert, gCenter };
enum TzBackType { btBitmap, btBlend, btNormal, btSteel };

using TBackgroundPaintEvent = std::function<void(QObject *Sender, QPainter &Canvas)>;

// The table cloth of a game window: a tiled picture, a gradient or the window's own
// colour. It takes over painting the background of the window it is created with and
// keeps a copy of the fill in BackBuffer, which the pile views draw behind their
// cards so that they blend into the table.
class TzBackground : public QObject
{
    Q_OBJECT
public:
    explicit TzBackground(QWidget *owner);
    ~TzBackground() override;

    gradType FillType() const { return fillType; }
    void SetFillType(gradType value);
    const QImage &BitMap() const { return bitMap; }
    void SetBitMap(const QImage &picture);
    TzBackType BackType() const { return backType; }
    void SetBackType(TzBackType value);
    TColor Color() const { return startColor; }
    void SetColor(TColor value);
    TColor EndColor() const { return endColor; }
    void SetEndColor(TColor value);
    int Bands() const { return bands; }
    void SetBands(int value);  // 0 to 65535 colour steps

    TBackgroundPaintEvent OnPaint;  // after each paint, on the painted window
    NotifyEvent OnResize;          // when the owner window changes size

    // The fill of the last paint at the owner's current client size, in client
    // coordinates. Its address stays valid for the component's whole life.
    const QImage &BackBuffer() const { return backBuffer; }
    // Brings BackBuffer up to date at once (it is otherwise renewed when painting).
    void Refresh();
    // Paints the fill for a client area of the given size.
    void PaintFill(QPainter &canvas, QSize size) const;

    // a × b / c rounded to the nearest integer, halves away from zero; -1 when c is 0
    // or the result does not fit.
    static int MulDiv(int a, int b, int c);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Changed();
    void PaintOwner();
    QColor WindowColor() const;
    QColor BandColor(int band) const;
    void PaintTiles(QPainter &canvas, QSize size) const;
    void PaintBlend(QPainter &canvas, QSize size) const;
    void PaintCenter(QPainter &canvas, QSize size) const;
    void PaintSteel(QPainter &canvas, QSize size) const;

    QWidget *owner;
    gradType fillType = gVert;
    QImage bitMap;
    TzBackType backType = btBitmap;
    TColor startColor = 0x00FF00FF;
    TColor endColor = 0;
    int bands = 255;
    int startRed = 0, startGreen = 0, startBlue = 0;
    int diffRed = 0, diffGreen = 0, diffBlue = 0;
    QImage backBuffer;
    bool bufferStale = true;
};

// The background preferences a game window applies to its table.
struct TablePreferences {
    int BackgroundIndex = 0;  // 0 solid colour, 1 gradient, 2 tiled picture
    int GradientIndex = 0;    // 0 vertical, 1 horizontal
    TColor BackgroundColor = clDarkGreen;
    TColor GradientStartColor = clDarkGreen;
    TColor GradientEndColor = 0;
    const QImage *Picture = nullptr;  // the loaded table picture, or null
};

// The preferences held by the preferences dialog (defaults while it does not exist).
TablePreferences CurrentTablePreferences();

// A game window's table-preference step: a gradient or a loaded picture goes to the
// background component and every given pile view draws its part of it; otherwise the
// window takes the solid colour and the views use that colour.
void ApplyTableBackground(QWidget *window, TzBackground *background, const QList<TCardPileView *> &views,
                          const TablePreferences &preferences);
void ApplyTableBackground(QWidget *window, TzBackground *background, const QList<TCardPileView *> &views);
