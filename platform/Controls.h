// SPDX-License-Identifier: MIT
#pragma once
#include <QWidget>
#include <functional>
#include <optional>

class QImage;

// The toolkit vocabulary the card views and game windows are written in: mouse
// buttons, shift state, and the events of a control in the order the games rely on.
enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned {
    ssShift = 1u << 0, ssAlt = 1u << 1, ssCtrl = 1u << 2,
    ssLeft = 1u << 3, ssRight = 1u << 4, ssMiddle = 1u << 5, ssDouble = 1u << 6
};
using TShiftState = unsigned;

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TNotifyEvent = std::function<void(QObject *Sender)>;
using TMouseEvent = std::function<void(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject *Sender, TShiftState Shift, int X, int Y)>;
using TDragOverEvent = std::function<void(QObject *Sender, QObject *Source, int X, int Y, TDragState State, bool &Accept)>;
using TDragDropEvent = std::function<void(QObject *Sender, QObject *Source, int X, int Y)>;
using TStartDragEvent = std::function<void(QObject *Sender)>;
using TEndDragEvent = std::function<void(QObject *Sender, QObject *Target, int X, int Y)>;

// Anything a drag can be released over: a pile view, or a game window's bare table.
// A target without an OnDragOver handler refuses.
class TDropTarget
{
public:
    virtual ~TDropTarget() = default;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
};

// A window-less control: mouse events arrive in the toolkit's order (press, moves
// while captured, release, then Click; a double click raises DblClick and then a
// MouseDown with ssDouble), and it can be the source of a drag.
class TGraphicControl : public QWidget, public TDropTarget
{
    Q_OBJECT
    friend class TDragManager;

public:
    explicit TGraphicControl(QWidget *parent = nullptr);
    ~TGraphicControl() override;

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;

    // Starts a drag from this control: at once, or after the pointer has moved
    // the start-drag distance with the button held. The picture follows the
    // pointer, kept at the given hot spot.
    void BeginDrag(bool immediate, const QImage &picture, QPoint hotSpot);
    bool Dragging() const;  // a drag from this control is waiting to start or running
    bool HasCapture() const { return captured; }
    // True while DoEndDrag runs for a drag the player cancelled (Escape, another
    // button) or released before it began: the dragged things go back home.
    bool DragCancelled() const { return dragCancelled; }
    // True while DoEndDrag runs after a drop handler (OnDragDrop) of the target ran.
    bool DropHandled() const { return dropHandled; }

    // The toolkit's hooks; overrides do their own work first, then call these.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    virtual void DoStartDrag();
    virtual void DoEndDrag(QObject *target, int x, int y);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    static TShiftState shiftState(const QMouseEvent *event);
    std::optional<TMouseButton> capturePress(QMouseEvent *event);
    void endCapture();

    bool captured = false;
    bool clickArmed = false;     // a left press that may still become a Click
    bool dragCancelled = false;
    bool dropHandled = false;
    QPoint pressGlobal;
    QPoint lastGlobal;
};
