// SPDX-License-Identifier: MIT
// "Solve": the winning line played out at the deal animation's pace, each step made
// as the keyboard's hand makes it; any input of the player's stops it.
#include "games/SolverHelp.h"

#include "games/GameWindow.h"
#include "games/PlayRecord.h"
#include "platform/DragManager.h"

#include <QApplication>
#include <QTimer>

namespace {

constexpr int solveStepMs = 200;  // one step of the deal animation, its sound's length

const QString solveRefused = QStringLiteral("Solve stopped: the game did not take its move.");
const QString stoppedByPlayer = QStringLiteral("Solve stopped.");

}  // namespace

void SolverHelp::Solve1Click()
{
    if (!knowsGame() || seek)
        return;
    if (isSolving()) {
        stopSolving(stoppedByPlayer);
        return;
    }
    startSearch(Purpose::Solve);
}

void SolverHelp::startSolving(const QStringList &winningLine)
{
    line = winningLine;
    solving = true;
    qApp->installEventFilter(this);
    stepTimer->start(GameWindow::animationOn() ? solveStepMs : 0);
}

// One step of the line; a step's own sounds and the win window run inside it.
void SolverHelp::playNextStep()
{
    if (!solving || line.isEmpty())
        return;
    const QString step = line.takeFirst();
    playing = true;
    const bool taken = playStep(step);
    playing = false;
    if (taken)
        window->playRecord()->countHint();
    if (!solving)
        return;  // the table or the player stopped it meanwhile
    if (!taken)
        stopSolving(solveRefused);
    else if (line.isEmpty())
        stopSolving();
    else
        stepTimer->start(GameWindow::animationOn() ? solveStepMs : 0);
}

// The step as the keyboard's hand makes it, through the views' own press, click and
// the drag protocol: "click VIEW" presses the view's top card (or the empty view)
// and clicks it; "FROMVIEW -> TOVIEW xN" presses the Nth card from the top, lifts it
// with the cards above it and drops them on the target.
bool SolverHelp::playStep(const QString &step)
{
    const QStringList words = step.split(QLatin1Char(' '));
    const SolverPosition before = SolverPosition::of(window);
    const int moves = window->MoveCount;
    if (words.size() == 2 && words[0] == QLatin1String("click")) {
        TCardPileView *view = window->viewNamed(words[1]);
        if (!view)
            return false;
        view->PressCard(view->Cards->Count() - 1);
        const QPoint centre = view->rect().center();
        view->MouseUp(Qt::LeftButton, {}, centre.x(), centre.y());
        view->Click();
    } else {
        TCardPileView *from = words.size() == 4 ? window->viewNamed(words[0]) : nullptr;
        TCardPileView *to = words.size() == 4 ? window->viewNamed(words[2]) : nullptr;
        const int count = words.value(3).mid(1).toInt();
        if (!from || !to || count < 1 || count > from->Cards->Count())
            return false;
        from->PressCard(from->Cards->Count() - count);
        if (!from->LiftPressedCards())
            return false;
        DragManager::instance().dropOn(to);
    }
    return window->MoveCount != moves || !samePosition(before.table, SolverPosition::of(window).table);
}

void SolverHelp::stopSolving(const QString &why)
{
    if (purpose == Purpose::Solve)
        cancelSearch();
    const bool wasSolving = solving;
    solving = false;
    line.clear();
    stepTimer->stop();
    qApp->removeEventFilter(this);
    if (!why.isEmpty())
        showNote(why);
    if (wasSolving)
        Q_EMIT solveStopped();
}

// While Solve plays, any key, button or menu of the player's stops it, and then does
// what it does. Input inside a step belongs to the window the step opened (the win
// window); input held back meanwhile arrives after the step.
bool SolverHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (playing)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
        if (isSolving())
            stopSolving(stoppedByPlayer);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
