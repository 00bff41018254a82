// SPDX-License-Identifier: MIT
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>

class CardPileCursor;
class GameWindow;
class QKeyEvent;
class TCardPileView;

// Play without a mouse. A cursor goes from pile to pile in reading order (Left and
// Right, Tab and Shift+Tab), Up and Down choose how many cards of a fan to take (or,
// on a pile that is no fan, go to the row above or below), Enter presses the pile as
// the mouse would and lifts what the press lets go, and Enter on another pile drops
// the cards there through the same drag protocol a mouse drag runs. Shift+Enter is
// the double-click, Escape puts lifted cards back. The cursor appears with the first
// of these keys and goes with the first mouse press.
class TableKeyboard : public QObject
{
    Q_OBJECT
public:
    explicit TableKeyboard(GameWindow *form);

    // The visible piles, row by row from the top, each row from the left.
    QList<TCardPileView *> readingOrder() const;
    TCardPileView *focusedView() const { return current; }
    int chosenCards() const { return chosen; }
    bool isShowing() const;
    bool isHolding() const;
    TCardPileView *heldBy() const;  // the pile whose cards the keys carry, or null
    CardPileCursor *cursor() const { return overlay; }

Q_SIGNALS:
    // The cursor moved to another pile, or changed the cards it takes.
    void cursorMoved(TCardPileView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isTableKey(int key, Qt::KeyboardModifiers modifiers) const;
    bool handleKey(const QKeyEvent *event);
    void step(int by);
    void changeRow(int by);
    void choose(int by);
    void enter();
    void sendHome();
    void putBack();
    void moveTo(TCardPileView *view);
    void refresh();
    void hideCursor();
    bool isFan(const TCardPileView *view) const;
    int choosable(const TCardPileView *view) const;
    QList<QList<TCardPileView *>> rows() const;

    GameWindow *form;
    CardPileCursor *overlay;
    QPointer<TCardPileView> current;
    int chosen = 1;
    bool showing = false;
};
