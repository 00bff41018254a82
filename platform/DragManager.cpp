// SPDX-License-Identifier: MIT
#include "platform/DragManager.h"

#include <QApplication>
#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace {

// The picture that follows the pointer: a frameless, see-through window that
// never takes the mouse or the focus.
class TDragPicture : public QWidget
{
public:
    explicit TDragPicture(const QImage &image)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                               | Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput
                               | Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint),
          picture(image)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_NoSystemBackground);
        resize(picture.deviceIndependentSize().toSize());
        // Without a compositor the mask keeps the table visible around the cards;
        // only X11 windows can be shaped that way. The mask is in logical pixels.
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            setMask(logicalMask());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture);
    }

private:
    QBitmap logicalMask() const
    {
        const QImage alpha = picture.createAlphaMask(Qt::ThresholdAlphaDither);
        if (picture.devicePixelRatio() == 1.0)
            return QBitmap::fromImage(alpha);
        return QBitmap::fromImage(alpha.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }

    QImage picture;
};

// The part of a picture that is not fully see-through: the picture window shows only
// that, so no empty margin can darken the table where windows cannot be see-through.
QRect opaqueArea(const QImage &image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0)
                area |= QRect(x, y, 1, 1);
    }
    return area;
}

QPoint globalPointOf(const QEvent *event)
{
    return static_cast<const QMouseEvent *>(event)->globalPosition().toPoint();
}

// A move with no button held means the release went astray (another program took
// the pointer); it ends the drag where the pointer is.
bool buttonsReleased(const QEvent *event)
{
    return static_cast<const QMouseEvent *>(event)->buttons() == Qt::NoButton;
}

bool isMouseEvent(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return true;
    default:
        return false;
    }
}

bool isEscape(const QEvent *event)
{
    return static_cast<const QKeyEvent *>(event)->key() == Qt::Key_Escape;
}

DropZone *dropTargetOf(QWidget *widget) { return dynamic_cast<DropZone *>(widget); }

}  // namespace

DragManager &DragManager::instance()
{
    static DragManager manager;
    return manager;
}

void DragManager::begin(GraphicControl *source, bool immediate, const QImage &image, QPoint hotSpot,
                         QPoint press, QPoint pointer)
{
    if (state != Idle)
        cancel();
    dragSource = source;
    const QImage picture = image.convertToFormat(QImage::Format_ARGB32);
    const qreal ratio = picture.devicePixelRatio();
    // Whole logical pixels, so the picture stays where the cards were.
    const QRectF opaque = opaqueArea(picture);
    const QRect logical = QRectF(opaque.topLeft() / ratio, opaque.size() / ratio).toAlignedRect();
    // A see-through margin on the right and bottom keeps the shaped edge off the corners.
    const QRect kept = logical.adjusted(0, 0, 1, 1);
    dragPicture = logical.isEmpty() ? QImage()
                                    : picture.copy(QRect(kept.topLeft() * ratio, kept.size() * ratio));
    dragPicture.setDevicePixelRatio(ratio);
    dragHotSpot = hotSpot - logical.topLeft();
    pressPoint = press;
    lastPointer = pointer;
    state = Pending;
    watchEvents();
    if (immediate || (pointer - press).manhattanLength() >= QApplication::startDragDistance())
        start(pointer);
}

void DragManager::watchEvents()
{
    if (!filtering) {
        qApp->installEventFilter(this);  // stays: it costs one comparison while idle
        filtering = true;
    }
}

void DragManager::beginByKeys(GraphicControl *source)
{
    if (state != Idle)
        cancel();
    watchEvents();
    dragSource = source;
    byKeys = true;
    dragPicture = QImage();
    pressPoint = lastPointer = source->mapToGlobal(source->rect().center());
    state = Active;
    source->clickArmed = false;
    source->DoStartDrag();
    // The cards start out over their own pile, as under a pointer.
    if (state == Active)
        carryOver(source);
}

// The carried cards go straight from the last place they were over to the target, as
// a pointer would leave the one and enter the other, and are released there.
void DragManager::dropOn(QWidget *target)
{
    if (!carriedByKeys() || !target)
        return;
    carryOver(target);
    if (state == Active)
        drop(lastPointer);
}

void DragManager::carryOver(QWidget *widget)
{
    const QPoint pointer = widget->mapToGlobal(widget->rect().center());
    lastPointer = pointer;
    if (widget == currentTarget) {
        accepted = askDragOver(widget, pointer, DragState::Move);
        return;
    }
    if (QWidget *left = currentTarget.data()) {
        currentTarget = nullptr;
        askDragOver(left, pointer, DragState::Leave);
        if (state != Active)
            return;
    }
    currentTarget = widget;
    accepted = askDragOver(widget, pointer, DragState::Enter);
}

bool DragManager::carriesByKeys(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease
        && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Return: case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

// Cards carried by keys: the carrying keys go on to whoever carries them, every other
// key and shortcut waits, and the first mouse press puts the cards back (and then
// does what it does).
bool DragManager::filterWhileCarried(QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        cancel();
        return false;
    }
    if (carriesByKeys(event))
        return false;
    return isHeldBack(event) && holdBack(event);
}

void DragManager::cancel()
{
    if (state != Idle)
        finish(nullptr, lastPointer, true);
}

void DragManager::forget(const GraphicControl *control)
{
    if (currentTarget == control)
        currentTarget = nullptr;
    if (dragSource == control) {
        dragSource = nullptr;
        reset();
    }
}

bool DragManager::eventFilter(QObject *watched, QEvent *event)
{
    const bool mouse = isMouseEvent(event);
    // A mouse event reaches the window object first and then, usually, a widget.
    // It is handled at the first stop; the widget's copy only repeats the answer.
    if (mouse && watched->isWidgetType() && echo.matches(event)) {
        const bool swallow = echo.swallow;
        echo = {};
        return swallow;
    }
    if (state == Idle)
        return false;
    if (byKeys)
        return filterWhileCarried(event);
    // While cards are in the player's hand, no key, shortcut or pop-up menu may act
    // on the piles: Escape gives the drag up, everything else waits for the drop.
    if (isHeldBack(event))
        return holdBack(event);
    if (mouse && watched->isWindowType()) {
        // Let the window route it on, so its own bookkeeping of pressed buttons
        // stays right; the widget that gets it (if any) swallows it.
        echo = {event->type(), static_cast<const QMouseEvent *>(event)->timestamp(), globalPointOf(event),
                filterMouse(event)};
        return false;
    }
    if (!watched->isWidgetType())
        return false;
    return mouse && filterMouse(event);
}

bool DragManager::Echo::matches(const QEvent *event) const
{
    const auto *mouseEvent = static_cast<const QMouseEvent *>(event);
    return event->type() == type && mouseEvent->timestamp() == timestamp && globalPointOf(event) == point;
}

bool DragManager::filterMouse(QEvent *event)
{
    return state == Pending ? filterPending(event) : filterActive(event);
}

bool DragManager::isHeldBack(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

bool DragManager::holdBack(QEvent *event)
{
    if (event->type() == QEvent::KeyPress && isEscape(event))
        cancel();
    // An accepted override turns a shortcut into a plain key press, which is then
    // swallowed too.
    event->accept();
    return true;
}

bool DragManager::filterPending(QEvent *event)
{
    lastPointer = globalPointOf(event);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (buttonsReleased(event))
            cancel();
        else if ((lastPointer - pressPoint).manhattanLength() >= QApplication::startDragDistance())
            start(lastPointer);
        return true;
    case QEvent::MouseButtonRelease: {
        // Released before the drag began: a plain click. The source gets its
        // things back first, then the release runs on as usual.
        GraphicControl *source = dragSource;
        reset();
        if (source) {
            source->dragCancelled = true;
            const QPoint at = source->mapFromGlobal(lastPointer);
            source->DoEndDrag(nullptr, at.x(), at.y());
            source->dragCancelled = false;
        }
        return false;
    }
    default:  // another button
        cancel();
        return true;
    }
}

bool DragManager::filterActive(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        if (buttonsReleased(event))
            drop(globalPointOf(event));
        else
            moveTo(globalPointOf(event));
        return true;
    case QEvent::MouseButtonRelease:
        drop(globalPointOf(event));
        return true;
    default:
        cancel();  // another button during a drag gives up the drag
        return true;
    }
}

void DragManager::start(QPoint pointer)
{
    GraphicControl *source = dragSource;
    if (!source) {
        reset();
        return;
    }
    state = Active;
    lastPointer = pointer;
    source->clickArmed = false;  // a drag is no click
    source->DoStartDrag();
    if (state != Active)
        return;  // the handler gave up the drag
    QApplication::setOverrideCursor(Qt::ClosedHandCursor);
    cursorOverridden = true;
    showPicture(pointer);
    moveTo(pointer);
}

QWidget *DragManager::findTargetAt(QPoint global) const
{
    QWidgetList windows;
    if (dragSource)
        windows.append(dragSource->window());  // the usual case first
    windows.append(QApplication::topLevelWidgets());
    for (QWidget *window : std::as_const(windows)) {
        if (!window->isVisible() || window == picture.data())
            continue;
        const QPoint local = window->mapFromGlobal(global);
        if (!window->rect().contains(local))
            continue;
        QWidget *hit = window->childAt(local);
        for (QWidget *widget = hit ? hit : window; widget; widget = widget->parentWidget()) {
            if (dropTargetOf(widget))
                return widget;
            if (widget->isWindow())
                break;
        }
        return nullptr;
    }
    return nullptr;
}

bool DragManager::askDragOver(QWidget *widget, QPoint pointer, DragState dragState)
{
    DropZone *target = dropTargetOf(widget);
    if (!target || !target->OnDragOver)
        return false;  // a control without a handler refuses
    const DragOverEvent handler = target->OnDragOver;
    const QPoint at = widget->mapFromGlobal(pointer);
    bool accept = true;
    handler(widget, dragSource.data(), at.x(), at.y(), dragState, accept);
    return accept;
}

void DragManager::moveTo(QPoint pointer)
{
    lastPointer = pointer;
    QWidget *under = findTargetAt(pointer);
    if (under != currentTarget) {
        if (QWidget *left = currentTarget.data()) {
            currentTarget = nullptr;
            askDragOver(left, pointer, DragState::Leave);
            if (state != Active)
                return;
        }
        currentTarget = under;
        accepted = under && askDragOver(under, pointer, DragState::Enter);
    } else if (under) {
        accepted = askDragOver(under, pointer, DragState::Move);
    }
    if (state != Active)
        return;
    if (picture)
        picture->move(pointer - dragHotSpot);
    updateCursor();
}

void DragManager::drop(QPoint pointer)
{
    if (pointer != lastPointer) {
        moveTo(pointer);
        if (state != Active)
            return;
    }
    const QPointer<QWidget> target = targetAccepts() ? currentTarget.data() : nullptr;
    hidePicture();
    bool handled = false;
    if (DropZone *dropTarget = target ? dropTargetOf(target) : nullptr; dropTarget && dropTarget->OnDragDrop) {
        const DragDropEvent handler = dropTarget->OnDragDrop;
        const QPoint at = target->mapFromGlobal(pointer);
        handler(target, dragSource.data(), at.x(), at.y());
        handled = true;
    }
    finish(target.data(), pointer, false, handled);
}

void DragManager::finish(QWidget *target, QPoint pointer, bool cancelled, bool dropHandled)
{
    const QPointer<GraphicControl> source = dragSource;
    reset();
    if (!source)
        return;
    source->endCapture();
    const QPoint at = target ? target->mapFromGlobal(pointer) : source->mapFromGlobal(pointer);
    source->dragCancelled = cancelled;
    source->dropHandled = dropHandled;
    source->DoEndDrag(target, at.x(), at.y());
    if (source) {
        source->dragCancelled = false;
        source->dropHandled = false;
    }
}

void DragManager::reset()
{
    state = Idle;
    byKeys = false;
    hidePicture();
    if (cursorOverridden) {
        QApplication::restoreOverrideCursor();
        cursorOverridden = false;
    }
    dragSource = nullptr;
    currentTarget = nullptr;
    accepted = false;
    dragPicture = QImage();
}

void DragManager::showPicture(QPoint pointer)
{
    hidePicture();
    if (dragPicture.isNull())
        return;
    picture = new TDragPicture(dragPicture);
    picture->move(pointer - dragHotSpot);
    picture->show();
}

void DragManager::hidePicture()
{
    if (!picture)
        return;
    picture->hide();
    picture->deleteLater();
    picture = nullptr;
}

void DragManager::updateCursor()
{
    if (cursorOverridden)
        QApplication::changeOverrideCursor(targetAccepts() ? Qt::ClosedHandCursor : Qt::ForbiddenCursor);
}
