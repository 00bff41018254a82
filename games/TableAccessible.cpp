// SPDX-License-Identifier: MIT
#include "games/TableAccessible.h"

#include "games/GameWindow.h"
#include "games/TableKeyboard.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRegularExpression>
#include <algorithm>

namespace {

QString counted(int count, const QString &what)
{
    return count == 1 ? QStringLiteral("1 %1").arg(what) : QStringLiteral("%1 %2s").arg(count).arg(what);
}

GameWindow *gameWindowOf(const QObject *object)
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget ? qobject_cast<GameWindow *>(widget->window()) : nullptr;
}

// A pile of a game's table: its role for the tools, its name and its value.
class PileAccessible : public QAccessibleWidget
{
public:
    PileAccessible(TCardPileView *view, GameWindow *form)
        : QAccessibleWidget(view, form->roleOf(view) == PileRole::Stock ? QAccessible::Button : QAccessible::ListItem),
          form(form)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const auto *view = static_cast<const TCardPileView *>(widget());
        switch (kind) {
        case QAccessible::Name: return TableAccessibility::pileName(form, view);
        case QAccessible::Description:
        case QAccessible::Value: return TableAccessibility::pileValue(view);
        default: return QAccessibleWidget::text(kind);
        }
    }

    // The pile under the keyboard's cursor has the focus, also while the window is
    // not the active one.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        const auto *keyboard = form ? form->findChild<TableKeyboard *>() : nullptr;
        state.focused = state.focused || (keyboard && keyboard->isShowing() && keyboard->focusedView() == widget());
        return state;
    }

private:
    QPointer<GameWindow> form;
};

QAccessibleInterface *pileFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("TCardPileView"))
        return nullptr;
    auto *view = static_cast<TCardPileView *>(object);
    GameWindow *form = gameWindowOf(view);
    return form && form->pileViews().contains(view) ? new PileAccessible(view, form) : nullptr;
}

// "Row 2, place 5": places (the pyramid's cards, the grid's places) by their rows.
QString placeName(const GameWindow *form, const TCardPileView *view)
{
    QList<int> tops;
    for (const TCardPileView *place : form->viewsOf(PileRole::Place))
        if (!tops.contains(place->y()))
            tops.append(place->y());
    std::sort(tops.begin(), tops.end());
    int column = 1;
    for (const TCardPileView *place : form->viewsOf(PileRole::Place))
        if (place->y() == view->y() && place->x() < view->x())
            ++column;
    return QStringLiteral("Row %1, place %2").arg(tops.indexOf(view->y()) + 1).arg(column);
}

// The words of the view's own name: "TerracePileView" reads "Terrace pile".
QString ownName(const TCardPileView *view)
{
    QString name = view->objectName();
    name.remove(QRegularExpression(QStringLiteral("(PileView|View|Pile)?\\d*$")));
    name.replace(QRegularExpression(QStringLiteral("(?<=[a-z])(?=[A-Z])")), QStringLiteral(" "));
    return name.isEmpty() ? QStringLiteral("Pile") : name + QStringLiteral(" pile");
}

}  // namespace

TableAccessibility::TableAccessibility(GameWindow *gameWindow, TableKeyboard *keyboard)
    : QObject(gameWindow), form(gameWindow)
{
    static const bool installed = [] {
        QAccessible::installFactory(pileFactory);
        return true;
    }();
    Q_UNUSED(installed)
    connect(keyboard, &TableKeyboard::cursorMoved, this, &TableAccessibility::announceFocus);
    connect(form, &GameWindow::tableRefreshed, this, &TableAccessibility::announceChanges);
    connect(form, &GameWindow::tableDealt, this, &TableAccessibility::announceChanges);
    form->installEventFilter(this);
}

// The caption carries the score: the window's name changes with it.
bool TableAccessibility::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == form && event->type() == QEvent::WindowTitleChange) {
        QAccessibleEvent named(form, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    }
    return QObject::eventFilter(watched, event);
}

QString TableAccessibility::cardName(const TCard *card)
{
    static const char *const values[] = {"Ace", "2", "3", "4", "5", "6", "7", "8", "9", "10", "Jack", "Queen", "King"};
    static const char *const suits[] = {"Clubs", "Spades", "Diamonds", "Hearts"};
    return QStringLiteral("%1 of %2").arg(QLatin1String(values[card->Value]), QLatin1String(suits[card->Suit]));
}

QString TableAccessibility::pileName(const GameWindow *form, const TCardPileView *view)
{
    const PileRole role = form->roleOf(view);
    const QString number = QString::number(form->viewsOf(role).indexOf(view) + 1);
    switch (role) {
    case PileRole::Stock: return QStringLiteral("Stock");
    case PileRole::Waste: return QStringLiteral("Waste");
    case PileRole::Column: return QStringLiteral("Column ") + number;
    case PileRole::Foundation: return QStringLiteral("Foundation ") + number;
    case PileRole::Cell: return QStringLiteral("Free cell ") + number;
    case PileRole::Discard: return QStringLiteral("Discard pile");
    case PileRole::Place: return placeName(form, view);
    default: return ownName(view);
    }
}

// What a sighted player sees: the face-up cards a fan shows, from the top down, on
// whatever lies beneath them; of a pile that does not fan, its top card or its size.
QString TableAccessibility::pileValue(const TCardPileView *view)
{
    const TCardPile *cards = view->Cards;
    const int count = cards->Count();
    if (count == 0)
        return QStringLiteral("empty");
    if (!cards->CardAt(count - 1)->FaceUp)
        return counted(count, QStringLiteral("card"));
    if (!view->fansOut())
        return cardName(cards->CardAt(count - 1));
    QStringList shown;
    int i = count - 1;
    for (; i >= 0 && cards->CardAt(i)->FaceUp && view->rect().contains(view->CardRectAt(i).topLeft()); --i)
        shown << cardName(cards->CardAt(i));
    bool faceDown = true;
    for (int j = 0; j <= i; ++j)
        faceDown = faceDown && !cards->CardAt(j)->FaceUp;
    if (i >= 0)
        shown << counted(i + 1, faceDown ? QStringLiteral("face-down card") : QStringLiteral("more card"));
    return shown.join(QStringLiteral(" on "));
}

void TableAccessibility::announceFocus(TCardPileView *view)
{
    if (view->hasFocus())
        return;  // a pile that took the focus has said so itself
    QAccessibleEvent event(view, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void TableAccessibility::announceChanges()
{
    for (const TCardPileView *view : form->pileViews()) {
        const QString value = pileValue(view);
        QString &last = lastValues[view];
        if (value == last)
            continue;
        last = value;
        QAccessibleEvent event(const_cast<TCardPileView *>(view), QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}
