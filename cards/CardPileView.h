// SPDX-License-Identifier: MIT
#pragma once
#include "cards/CardPile.h"
#include "platform/Controls.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>

class TCard;
class ImageList;
class QTimer;

enum PileBitmap { FS_BLANK = 0, FS_RECYCLE = 1, FS_EMPTY = 2 };
enum BackgroundType { FS_NORMAL = 0, FS_BITMAP = 1 };

// Shows one pile of cards on a game window and lets the player press and drag
// cards out of it. It knows no rules: the game decides through CanDrag and
// DropTarget what may leave and where it may land.
class TCardPileView : public GraphicControl
{
    Q_OBJECT
public:
    explicit TCardPileView(QWidget *owner = nullptr);
    ~TCardPileView() override;

    // Published properties.
    float XOffset = 0.0f;
    float YOffset = 0.0f;
    bool IsBordered = false;
    bool AllowDrag = false;
    bool DragDelayed = false;
    PileBitmap State = FS_BLANK;
    BackgroundType BackgroundMode = FS_NORMAL;
    QColor Color;  // follows the parent window's colour unless set
    // A fan too long for the view closes up, so that its top card always lies wholly
    // inside; painting, hit-testing and the drag picture share the closer spacing.
    bool closesUp = false;

    // Public members the games use.
    TCardPile *Cards;
    TCard *SelectedCard = nullptr;
    TCardPile *DragPile;
    bool CanDrag = false;
    TCardPileView *DropTarget = nullptr;
    bool ManualDrop = false;
    const QImage *Background = nullptr;  // the window's table picture, not owned
    QRect CardRect;                       // rectangle of SelectedCard
    QPoint HotSpot;                       // press point inside CardRect
    QImage DragImage;                     // the picture dragged with the pointer
    const QImage &GetDragImages() const { return DragImage; }

    // Geometry helpers in the toolkit's names.
    void SetBounds(int left, int top, int width, int height) { setGeometry(left, top, width, height); }
    void SetHint(const QString &hint) { setToolTip(hint); }
    QColor EffectiveColor() const;

    // Composes the pile off-screen and shows it at once.
    void Paint();
    void Invalidate() { update(); }
    QImage Render() const;  // the picture Paint shows

    // A ring round cards firstCard to firstCard + count - 1 (count 0: round the place
    // the next card would take), drawn over them for `msecs` milliseconds or until
    // cleared: the game points out cards with it.
    void highlight(int firstCard, int count, int msecs);
    void clearHighlight();
    // The ring's rectangle in view coordinates; empty while none is shown.
    QRect highlightRect() const;

    static void LoadPileBitmaps();
    static void FreePileBitmaps();
    static ImageList *PileMarks();

    // Where card i of this pile lies, in view coordinates, at the current card size.
    QRect CardRectAt(int index) const;
    // The distance from one card to the next as drawn: the offsets, or less where the
    // view closes up a fan too long for it.
    QPointF fanStep() const;
    // Do the cards lie far enough apart for each to be told apart (a column, a fanned
    // waste), rather than on one another (a stock, a foundation)?
    bool fansOut() const { return qAbs(XOffset) >= 4.0f || qAbs(YOffset) >= 4.0f; }

    // The keyboard's hand: a left-button press on card `index` (none when out of
    // range), raising the same events a press of the mouse there raises; then, when
    // the press allows a drag, the cards from the pressed one up lifted and carried by
    // keys. A lift that does not happen returns false.
    void PressCard(int index, Qt::KeyboardModifiers shift = {});
    bool LiftPressedCards();
    // Where held card j lay before it was lifted, in view coordinates.
    QRect HeldCardRect(int j) const;

    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void DoStartDrag() override;
    void DoEndDrag(QObject *target, int x, int y) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:  // the highlight ring
    void drawHighlight(QPainter &painter) const;
    int ringFirst = 0;
    int ringCount = -1;  // below zero: no ring
    QTimer *ringTimer = nullptr;

private:
    QPoint cardOrigin(int index) const { return cardOrigin(index, fanStep()); }
    static QPoint cardOrigin(int index, QPointF step);
    void selectCardAt(QPoint point);
    void selectCard(int index, QPoint point);
    bool takeForDrag();
    void takeDraggedCards();
    QImage composeDragPicture(QPointF step) const;
    QImage canvas(QSize logical) const;
    void startCardDrag();
    void fillBackground(QPainter &painter) const;
    void drawOutline(QPainter &painter) const;
    void drawPileMark(QPainter &painter) const;

    QPointF dragStep;  // the spacing of the cards when they were taken
};
