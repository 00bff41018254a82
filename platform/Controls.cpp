// SPDX-License-Identifier: MIT
#include "platform/Controls.h"

#include "platform/DragManager.h"

#include <QMouseEvent>
#include <optional>

namespace {

std::optional<Qt::MouseButton> buttonOf(const QMouseEvent *event)
{
    switch (event->button()) {
    case Qt::LeftButton: return Qt::LeftButton;
    case Qt::RightButton: return Qt::RightButton;
    case Qt::MiddleButton: return Qt::MiddleButton;
    default: return std::nullopt;
    }
}

}  // namespace

GraphicControl::GraphicControl(QWidget *parent) : QWidget(parent)
{
    // Moves without a button reach OnMouseMove too, as players' pointers hover.
    setMouseTracking(true);
}

GraphicControl::~GraphicControl() { DragManager::instance().forget(this); }

Qt::KeyboardModifiers GraphicControl::shiftState(const QMouseEvent *event)
{
    return event->modifiers() & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier);
}

// A press of a known button captures the mouse for this control until its release.
std::optional<Qt::MouseButton> GraphicControl::capturePress(QMouseEvent *event)
{
    event->accept();
    const auto button = buttonOf(event);
    if (button) {
        pressGlobal = lastGlobal = event->globalPosition().toPoint();
        captured = true;
    }
    return button;
}

void GraphicControl::mousePressEvent(QMouseEvent *event)
{
    const auto button = capturePress(event);
    if (!button)
        return;
    if (*button == Qt::LeftButton)
        clickArmed = true;
    const QPoint at = event->position().toPoint();
    MouseDown(*button, shiftState(event), at.x(), at.y());
}

void GraphicControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    const auto button = capturePress(event);
    if (!button)
        return;
    clickArmed = false;  // the release of a double click is no click
    if (*button == Qt::LeftButton)
        DblClick();
    const QPoint at = event->position().toPoint();
    MouseDown(*button, shiftState(event), at.x(), at.y());
}

void GraphicControl::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    lastGlobal = event->globalPosition().toPoint();
    if (captured && event->buttons() == Qt::NoButton)
        captured = false;  // the release went elsewhere (a window closed under it)
    const QPoint at = event->position().toPoint();
    MouseMove(shiftState(event), at.x(), at.y());
}

void GraphicControl::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const auto button = buttonOf(event);
    if (!button)
        return;
    lastGlobal = event->globalPosition().toPoint();
    captured = event->buttons() != Qt::NoButton;
    const QPoint at = event->position().toPoint();
    MouseUp(*button, shiftState(event), at.x(), at.y());
    if (*button != Qt::LeftButton)
        return;
    const bool click = clickArmed && rect().contains(at);
    clickArmed = false;
    if (click)
        Click();
}

void GraphicControl::endCapture()
{
    captured = false;
    clickArmed = false;
}

void GraphicControl::BeginDrag(bool immediate, const QImage &picture, QPoint hotSpot)
{
    DragManager::instance().begin(this, immediate, picture, hotSpot, pressGlobal, lastGlobal);
}

void GraphicControl::BeginDragByKeys() { DragManager::instance().beginByKeys(this); }

bool GraphicControl::Dragging() const
{
    const DragManager &drag = DragManager::instance();
    return drag.source() == this && (drag.pending() || drag.active());
}

void GraphicControl::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void GraphicControl::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void GraphicControl::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void GraphicControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void GraphicControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void GraphicControl::DoStartDrag()
{
    if (OnStartDrag)
        OnStartDrag(this);
}

void GraphicControl::DoEndDrag(QObject *target, int x, int y)
{
    if (OnEndDrag)
        OnEndDrag(this, target, x, y);
}
