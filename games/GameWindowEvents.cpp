// SPDX-License-Identifier: MIT
// The common game window's size limits and the window's own events: resizing, the
// context menu, the keys and the presses on the bare table.
#include "games/GameWindow.h"

#include "platform/Screen.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

// ---- size limits ------------------------------------------------------------------------

void GameWindow::applySizeLimits()
{
    const WindowSize &size = windowSize();
    setMinimumWidth(size.clientWidth);
    setMaximumWidth(size.clientWidth);
    if (size.fixedHeight) {
        setMinimumHeight(size.clientHeight);
        setMaximumHeight(size.clientHeight);
    } else if (size.minimumHeight > 0) {
        setMinimumHeight(qMax(0, size.minimumHeight - Screen::frameAndCaptionHeight(*this)));
    }
}

// ---- window events ---------------------------------------------------------------------

void GameWindow::FormResize()
{
    const WindowSize &size = windowSize();
    // A window system that lets the window shrink below its minimum shows part of
    // the table laid out for the minimum, never a squeezed one.
    const int tableHeight = qMax(height(), minimumHeight());
    if (size.columnHeightMargin > 0)
        for (TCardPileView *column : viewsOf(PileRole::Column))
            column->resize(column->width(), tableHeight - size.columnHeightMargin);
    if (size.anchorMargin > 0)
        for (TCardPileView *view : anchoredViews())
            view->move(view->x(), tableHeight - size.anchorMargin);
}

// The window system reports the frame's size once the window is shown or, with a
// window manager, once that has framed it, which moves it: the limits follow.
void GameWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    applySizeLimits();
}

void GameWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    applySizeLimits();
}

void GameWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applySizeLimits();
    FormResize();
}

void GameWindow::contextMenuEvent(QContextMenuEvent *event)
{
    if (!dragUnderWay())
        PopupMenu1->popup(event->globalPos());
}

void GameWindow::keyPressEvent(QKeyEvent *event)
{
    if (dragUnderWay())
        return;
    if (event->key() == Qt::Key_F1) {
        About1Click();
        return;
    }
    if (event->key() == Qt::Key_Space)
        DeckPileViewClick();
    QWidget::keyPressEvent(event);
}

void GameWindow::mousePressEvent(QMouseEvent *event)
{
    // The middle button on the bare table is the stock's click too.
    if (event->button() == Qt::MiddleButton && !dragUnderWay())
        DeckPileViewClick();
    QWidget::mousePressEvent(event);
}
