// SPDX-License-Identifier: MIT
#pragma once
#include "platform/Controls.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

// Runs the one drag the program can have at a time, entirely inside the program:
// it follows the pointer through an application-wide event filter, asks the drop
// target under the pointer (a pile view, or a window's bare table) whether it
// accepts, shows the drag picture in a small see-through window, and on release
// drops on the target that accepted last and tells the source how it ended.
class DragManager : public QObject
{
public:
    static DragManager &instance();

    // Called by GraphicControl::BeginDrag. A delayed drag starts once the pointer
    // has moved QApplication::startDragDistance() from pressPoint with the button held.
    void begin(GraphicControl *source, bool immediate, const QImage &picture, QPoint hotSpot,
               QPoint pressPoint, QPoint pointer);
    void cancel();
    // A drag carried by keys: it starts at once, with no pointer and no picture (the
    // source shows its cards lifted); while it lasts only the keys that carry and drop
    // the cards reach the program, and a mouse press gives it up. dropOn() releases
    // it over a target as a pointer released there would.
    void beginByKeys(GraphicControl *source);
    void dropOn(QWidget *target);
    bool carriedByKeys() const { return state == Active && byKeys; }
    // Forgets a source that is being destroyed, without calling back into it.
    void forget(const GraphicControl *control);

    bool pending() const { return state == Pending; }
    bool active() const { return state == Active; }
    const GraphicControl *source() const { return dragSource; }
    QWidget *target() const { return currentTarget; }        // control under the pointer
    bool targetAccepts() const { return currentTarget && accepted; }
    QWidget *pictureWindow() const { return picture; }

    // The drop target under a global point: the deepest visible widget there that
    // is a DropZone (or its nearest such ancestor), in any visible top-level
    // window of the program other than the drag picture.
    QWidget *findTargetAt(QPoint global) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum State { Idle, Pending, Active };

    DragManager() = default;
    // The last mouse event handled at a window, so that its copy delivered to a
    // widget right after is not handled twice.
    struct Echo {
        int type = 0;
        quint64 timestamp = 0;
        QPoint point;
        bool swallow = false;
        bool matches(const QEvent *event) const;
    };

    bool filterMouse(QEvent *event);
    static bool carriesByKeys(const QEvent *event);
    bool filterWhileCarried(QEvent *event);
    void carryOver(QWidget *widget);
    void watchEvents();
    static bool isHeldBack(const QEvent *event);
    bool holdBack(QEvent *event);
    bool filterPending(QEvent *event);
    bool filterActive(QEvent *event);
    void start(QPoint pointer);
    void moveTo(QPoint pointer);
    void drop(QPoint pointer);
    void finish(QWidget *target, QPoint pointer, bool cancelled, bool dropHandled = false);
    void reset();
    bool askDragOver(QWidget *widget, QPoint pointer, DragState dragState);
    void showPicture(QPoint pointer);
    void hidePicture();
    void updateCursor();

    State state = Idle;
    QPointer<GraphicControl> dragSource;
    QPointer<QWidget> currentTarget;
    QPointer<QWidget> picture;
    bool accepted = false;
    bool filtering = false;
    bool byKeys = false;
    Echo echo;
    bool cursorOverridden = false;
    QImage dragPicture;
    QPoint dragHotSpot;
    QPoint pressPoint;
    QPoint lastPointer;
};
