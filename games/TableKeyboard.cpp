// SPDX-License-Identifier: MIT
#include "games/TableKeyboard.h"

#include "cards/CardPileCursor.h"
#include "games/GameWindow.h"
#include "platform/DragManager.h"

#include <QKeyEvent>
#include <algorithm>

namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

TableKeyboard::TableKeyboard(GameWindow *gameWindow)
    : QObject(gameWindow), form(gameWindow), overlay(new CardPileCursor(gameWindow))
{
    setObjectName(QStringLiteral("TableKeyboard"));
    form->installEventFilter(this);
    for (TCardPileView *view : form->pileViews())
        view->installEventFilter(this);
    connect(form, &GameWindow::tableRefreshed, this, &TableKeyboard::refresh);
    connect(form, &GameWindow::tableDealt, this, &TableKeyboard::refresh);
}

bool TableKeyboard::isShowing() const { return showing; }

TCardPileView *TableKeyboard::heldBy() const
{
    const DragManager &drags = DragManager::instance();
    if (!drags.carriedByKeys())
        return nullptr;
    for (TCardPileView *view : form->pileViews())
        if (view == drags.source())
            return view;
    return nullptr;
}

bool TableKeyboard::isHolding() const { return heldBy() != nullptr; }

bool TableKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKey(static_cast<QKeyEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        hideCursor();
        break;
    case QEvent::FocusIn:
        // A pile given the focus from outside (an assistive tool) takes the cursor.
        if (watched != form && watched != current
            && static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason) {
            showing = true;
            moveTo(static_cast<TCardPileView *>(watched));
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// Arrows, Tab, Enter without modifiers; Shift+Tab and Shift+Enter; Escape while the
// cursor shows or cards are held.
bool TableKeyboard::isTableKey(int key, Qt::KeyboardModifiers modifiers) const
{
    if (modifiers == Qt::ShiftModifier)
        return key == Qt::Key_Backtab || isEnter(key);
    if (modifiers != Qt::NoModifier)
        return false;
    switch (key) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Return: case Qt::Key_Enter:
        return true;
    case Qt::Key_Escape:
        return showing || isHolding();
    default:
        return false;
    }
}

bool TableKeyboard::handleKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (!isTableKey(key, modifiers))
        return false;
    if (!showing && key != Qt::Key_Escape) {
        // The first key only shows where the cursor is.
        showing = true;
        moveTo(current && !current->isHidden() ? current.data() : readingOrder().value(0));
        return true;
    }
    switch (key) {
    case Qt::Key_Left: case Qt::Key_Backtab: step(-1); break;
    case Qt::Key_Right: case Qt::Key_Tab: step(1); break;
    case Qt::Key_Up: isFan(current) ? choose(1) : changeRow(-1); break;
    case Qt::Key_Down: isFan(current) ? choose(-1) : changeRow(1); break;
    case Qt::Key_Escape: putBack(); break;
    default: modifiers == Qt::ShiftModifier ? sendHome() : enter(); break;
    }
    return true;
}

// ---- where the cursor goes ---------------------------------------------------------------

QList<QList<TCardPileView *>> TableKeyboard::rows() const
{
    QList<TCardPileView *> shown;
    for (TCardPileView *view : form->pileViews())
        if (!view->isHidden())
            shown.append(view);
    std::stable_sort(shown.begin(), shown.end(),
                     [](const TCardPileView *a, const TCardPileView *b) { return a->y() < b->y(); });
    // Piles whose tops lie within an eighth of a card of a row's first belong to it.
    const int tolerance = TCard::CardHeight() / 8;
    QList<QList<TCardPileView *>> table;
    for (TCardPileView *view : std::as_const(shown)) {
        if (table.isEmpty() || view->y() - table.last().first()->y() > tolerance)
            table.append(QList<TCardPileView *>());
        table.last().append(view);
    }
    for (QList<TCardPileView *> &row : table)
        std::stable_sort(row.begin(), row.end(),
                         [](const TCardPileView *a, const TCardPileView *b) { return a->x() < b->x(); });
    return table;
}

QList<TCardPileView *> TableKeyboard::readingOrder() const
{
    QList<TCardPileView *> order;
    for (const QList<TCardPileView *> &row : rows())
        order += row;
    return order;
}

void TableKeyboard::step(int by)
{
    const QList<TCardPileView *> order = readingOrder();
    if (order.isEmpty())
        return;
    const int at = order.indexOf(current);
    const int size = int(order.size());
    moveTo(at < 0 ? order.first() : order[(at + by + size) % size]);
}

// To the pile of the next row up or down that lies nearest below or above this one.
void TableKeyboard::changeRow(int by)
{
    const QList<QList<TCardPileView *>> table = rows();
    int row = 0;
    while (row < table.size() && !table[row].contains(current))
        ++row;
    const int next = row + by;
    if (row == table.size() || next < 0 || next >= table.size())
        return;
    const int middle = current->geometry().center().x();
    const auto distance = [middle](const TCardPileView *view) { return qAbs(view->geometry().center().x() - middle); };
    moveTo(*std::min_element(table[next].cbegin(), table[next].cend(),
                             [&](const TCardPileView *a, const TCardPileView *b) { return distance(a) < distance(b); }));
}

bool TableKeyboard::isFan(const TCardPileView *view) const
{
    return view && view->fansOut();
}

// The face-up cards at the top of a fan; one for any other pile.
int TableKeyboard::choosable(const TCardPileView *view) const
{
    if (!isFan(view))
        return 1;
    int faceUp = 0;
    for (int i = view->Cards->Count() - 1; i >= 0 && view->Cards->CardAt(i)->FaceUp; --i)
        ++faceUp;
    return qMax(1, faceUp);
}

void TableKeyboard::choose(int by)
{
    if (isHolding())
        return;
    chosen = qBound(1, chosen + by, choosable(current));
    refresh();
}

void TableKeyboard::moveTo(TCardPileView *view)
{
    if (!view)
        return;
    if (view != current) {
        current = view;
        chosen = 1;
    }
    // The pile takes the keyboard focus, so that assistive tools follow the cursor.
    if (form->isActiveWindow())
        view->setFocus(Qt::OtherFocusReason);
    refresh();
    Q_EMIT cursorMoved(view);
}

// ---- what Enter does ----------------------------------------------------------------------

// Cards in hand land on the pile; otherwise the pile is pressed as the mouse would
// press the chosen card (or the empty place), and what the press lets go is lifted.
// A press that lifts nothing ends as a click.
void TableKeyboard::enter()
{
    QPointer<TCardPileView> view = current;
    if (!view)
        return;
    if (isHolding()) {
        DragManager::instance().dropOn(view);
        chosen = 1;
        refresh();
        return;
    }
    if (GameWindow::dragUnderWay())
        return;
    const int count = view->Cards->Count();
    view->PressCard(count - qMin(chosen, count));
    if (view && !view->LiftPressedCards()) {
        const QPoint centre = view->rect().center();
        view->MouseUp(Qt::LeftButton, {}, centre.x(), centre.y());
        if (view)
            view->Click();
    }
    chosen = 1;
    refresh();
}

void TableKeyboard::sendHome()
{
    if (current && !GameWindow::dragUnderWay())
        current->DblClick();
    chosen = 1;
    refresh();
}

void TableKeyboard::putBack()
{
    if (isHolding())
        DragManager::instance().cancel();
    else
        hideCursor();
    refresh();
}

// ---- what the table shows -------------------------------------------------------------------

void TableKeyboard::hideCursor()
{
    showing = false;
    refresh();
}

// A pile that hides once empty (a pyramid's place) hands the cursor to the nearest
// pile still shown.
void TableKeyboard::refresh()
{
    if (current && current->isHidden()) {
        const QPoint centre = current->geometry().center();
        const auto distance = [centre](const TCardPileView *view) {
            return (view->geometry().center() - centre).manhattanLength();
        };
        const QList<TCardPileView *> order = readingOrder();
        const auto nearest = std::min_element(order.cbegin(), order.cend(), [&](auto *a, auto *b) {
            return distance(a) < distance(b);
        });
        current = nearest == order.cend() ? nullptr : *nearest;
        chosen = 1;
    }
    chosen = current ? qBound(1, chosen, choosable(current)) : 1;
    overlay->setHeld(heldBy());
    if (showing && current)
        overlay->showOn(current, chosen);
    else
        overlay->hideCursor();
}
