// SPDX-License-Identifier: MIT
#pragma once
#include <QWidget>
#include <functional>
#include <optional>

class QImage;

// The toolkit vocabulary the card views and game windows are written in: the events
// of a control in the order the games rely on. Buttons and modifier keys are Qt's own.
enum class DragState { Enter, Leave, Move };

using NotifyEvent = std::function<void(QObject *Sender)>;
using MouseEvent = std::function<void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>;
using MouseMoveEvent = std::function<void(QObject *Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
using DragOverEvent = std::function<void(QObject *Sender, QObject *Source, int X, int Y, DragState State, bool &Accept)>;
using DragDropEvent = std::function<void(QObject *Sender, QObject *Source, int X, int Y)>;
using StartDragEvent = std::function<void(QObject *Sender)>;
using EndDragEvent = std::function<void(QObject *Sender, QObject *Target, int X, int Y)>;

// Anything a drag can be released over: a pile view, or a game window's bare table.
// A target without an OnDragOver handler refuses.
class DropZone
{
public:
    virtual ~DropZone() = default;
    DragOverEvent OnDragOver;
    DragDropEvent OnDragDrop;
};

// A window-less control: mouse events arrive in the toolkit's order (press, moves
// while captured, release, then Click; a double click raises DblClick and then a
// MouseDown), and it can be the source of a drag.
class GraphicControl : public QWidget, public DropZone
{
    Q_OBJECT
    friend class DragManager;

public:
    explicit GraphicControl(QWidget *parent = nullptr);
    ~GraphicControl() override;

    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;
    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    StartDragEvent OnStartDrag;
    EndDragEvent OnEndDrag;

    // Starts a drag from this control: at once, or after the pointer has moved
    // the start-drag distance with the button held. The picture follows the
    // pointer, kept at the given hot spot.
    void BeginDrag(bool immediate, const QImage &picture, QPoint hotSpot);
    // Starts a drag carried by keys instead of the pointer, at once.
    void BeginDragByKeys();
    bool Dragging() const;  // a drag from this control is waiting to start or running
    bool HasCapture() const { return captured; }
    // True while DoEndDrag runs for a drag the player cancelled (Escape, another
    // button) or released before it began: the dragged things go back home.
    bool DragCancelled() const { return dragCancelled; }
    // True while DoEndDrag runs after a drop handler (OnDragDrop) of the target ran.
    bool DropHandled() const { return dropHandled; }

    // The toolkit's hooks; overrides do their own work first, then call these.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
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
    static Qt::KeyboardModifiers shiftState(const QMouseEvent *event);
    std::optional<Qt::MouseButton> capturePress(QMouseEvent *event);
    void endCapture();

    bool captured = false;
    bool clickArmed = false;     // a left press that may still become a Click
    bool dragCancelled = false;
    bool dropHandled = false;
    QPoint pressGlobal;
    QPoint lastGlobal;
};
