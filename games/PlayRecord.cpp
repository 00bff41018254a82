// SPDX-License-Identifier: MIT
#include "games/PlayRecord.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

PlayRecord::PlayRecord(QWidget *gameWindow) : QObject(gameWindow), window(gameWindow)
{
    // The player's input reaches the window's views, its menu and the window itself.
    QCoreApplication::instance()->installEventFilter(this);
    start();
}

void PlayRecord::start(const QString &dealtDeck)
{
    started = QDateTime::fromMSecsSinceEpoch(PlayClock::now(), Qt::UTC);
    undos = redos = hints = 0;
    if (dealtDeck != deck)
        solverVerdict.clear();
    deck = dealtDeck;
    const bool minimised = window->isMinimized();
    clock.start();
    if (minimised)
        clock.pause();
}

void PlayRecord::resume(const QDateTime &since, qint64 playedMs, int undoCount, int redoCount, int hintCount)
{
    started = since;
    clock.start(playedMs);
    undos = undoCount;
    redos = redoCount;
    hints = hintCount;
}

// The window, its views, and what it opens (its menu, its dialogs).
bool PlayRecord::belongsToWindow(QWidget *widget) const
{
    for (; widget; widget = widget->parentWidget())
        if (widget == window)
            return true;
    return false;
}

bool PlayRecord::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        if (watched->isWidgetType() && belongsToWindow(static_cast<QWidget *>(watched)))
            clock.input();
        break;
    case QEvent::WindowStateChange:
    case QEvent::Hide:
    case QEvent::Show:
        if (watched == window) {
            if (window->isMinimized() || event->type() == QEvent::Hide)
                clock.pause();
            else
                clock.resume();
        }
        break;
    default: break;
    }
    return false;
}
