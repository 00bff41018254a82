// SPDX-License-Identifier: MIT
#pragma once
#include <QPointer>
#include <QWidget>

class TCardPileView;

// What the keyboard shows on a table: a ring around the cards of the focused pile
// that Enter would take (its top card, more of a fan, or the empty place), and the
// cards held by keys, lifted above the place they came from. It lies over the whole
// table, above the piles, and lets every mouse event through to them.
class CardPileCursor : public QWidget
{
    Q_OBJECT
public:
    explicit CardPileCursor(QWidget *table);

    // The focused pile and how many of its top cards the ring takes in (at least one).
    void showOn(TCardPileView *view, int cards);
    void setHeld(TCardPileView *source);  // null: nothing held
    void hideCursor();
    TCardPileView *focusedView() const { return focused; }
    TCardPileView *heldBy() const { return held; }
    bool isShowing() const { return focused != nullptr; }

    // The ring's rectangle on the table, and how far held cards rise: both grow
    // with the card size.
    QRect ringRect() const;
    static int liftHeight();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    void paintHeldCards(QPainter &painter) const;
    void paintRing(QPainter &painter) const;

    QPointer<TCardPileView> focused;
    QPointer<TCardPileView> held;
    int ringCards = 1;
};
