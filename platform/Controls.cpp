// SPDX-License-Identifier: MIT
#include "platform/Controls.h"

#include "platform/DragManager.h"

#include <QMouseEvent>
#include <optional>

namespace {

std::optional<TMouseButton> buttonOf(const QMouseEvent *event)
{
    switch (event->button()) {
    case Qt::LeftButton: return mbLeft;
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return std::nullopt;
    }
}

}  // namespace

TGraphicControl::TGraphicControl(QWidget *parent) : QWidget(parent)
{
    // Moves without a button reach OnMouseMove too, as players' pointers hover.
    setMouseTracking(true);
}

TGraphicControl::~TGraphicControl() { TDragManager::instance().forget(this); }

TShiftState TGraphicControl::shiftState(const QMouseEvent *event)
{
    TShiftState shift = 0;
    const Qt::KeyboardModifiers keys = event->modifiers();
    if (keys & Qt::ShiftModifier)
        shift |= ssShift;
    if (keys & Qt::AltModifier)
        shift |= ssAlt;
    if (keys & Qt::ControlModifier)
        shift |= ssCtrl;
    const Qt::MouseButtons held = event->buttons();
    if (held & Qt::LeftButton)
        shift |= ssLeft;
    if (held & Qt::RightButton)
        shift |= ssRight;
    if (held & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

// A press of a known button captures the mouse for this control until its release.
std::optional<TMouseButton> TGraphicControl::capturePress(QMouseEvent *event)
{
    event->accept();
    const auto button = buttonOf(event);
    if (button) {
        pressGlobal = lastGlobal = event->globalPosition().toPoint();
        captured = true;
    }
    return button;
}

void TGraphicControl::mousePressEvent(QMouseEvent *event)
{
    const auto button = capturePress(event);
    if (!button)
        return;
    if (*button == mbLeft)
        clickArmed = true;
    const QPoint at = event->position().toPoint();
    MouseDown(*button, shiftState(event), at.x(), at.y());
}

void TGraphicControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    const auto button = capturePress(event);
    if (!button)
        return;
    clickArmed = false;  // the release of a double click is no click
    if (*button == mbLeft)
        DblClick();
    const QPoint at = event->position().toPoint();
    MouseDown(*button, shiftState(event) | ssDouble, at.x(), at.y());
}

void TGraphicControl::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    lastGlobal = event->globalPosition().toPoint();
    if (captured && event->buttons() == Qt::NoButton)
        captured = false;  // the release went elsewhere (a window closed under it)
    const QPoint at = event->position().toPoint();
    MouseMove(shiftState(event), at.x(), at.y());
}

void TGraphicControl::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const auto button = buttonOf(event);
    if (!button)
        return;
    lastGlobal = event->globalPosition().toPoint();
    captured = event->buttons() != Qt::NoButton;
    const QPoint at = event->position().toPoint();
    MouseUp(*button, shiftState(event), at.x(), at.y());
    if (*button != mbLeft)
        return;
    const bool click = clickArmed && rect().contains(at);
    clickArmed = false;
    if (click)
        Click();
}

void TGraphicControl::endCapture()
{
    captured = false;
    clickArmed = false;
}

void TGraphicControl::BeginDrag(bool immediate, const QImage &picture, QPoint hotSpot)
{
    TDragManager::instance().begin(this, immediate, picture, hotSpot, pressGlobal, lastGlobal);
}

bool TGraphicControl::Dragging() const
{
    const TDragManager &drag = TDragManager::instance();
    return drag.source() == this && (drag.pending() || drag.active());
}

void TGraphicControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TGraphicControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TGraphicControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TGraphicControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TGraphicControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TGraphicControl::DoStartDrag()
{
    if (OnStartDrag)
        OnStartDrag(this);
}

void TGraphicControl::DoEndDrag(QObject *target, int x, int y)
{
    if (OnEndDrag)
        OnEndDrag(this, target, x, y);
}
