// SPDX-License-Identifier: MIT
#include "cards/CardPileCursor.h"

#include "cards/Card.h"
#include "cards/CardPileView.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// Black, amber, black: the amber reads on dark tables and card backs, the black
// edges on light tables and card faces.
const QColor ringEdge(0, 0, 0);
const QColor ringBand(255, 190, 0);
const QColor shadow(0, 0, 0, 96);

int ringWidth() { return TCard::CardWidth() >= 80 ? 4 : 3; }

// Outside the cards by the band and its edges, so the card's own edge stays visible.
int ringMargin() { return ringWidth() + 2; }

}  // namespace

CardPileCursor::CardPileCursor(QWidget *table) : QWidget(table)
{
    setObjectName(QStringLiteral("CardPileCursor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    table->installEventFilter(this);
    follow();
    hide();
}

int CardPileCursor::liftHeight() { return TCard::CardHeight() / 10; }

void CardPileCursor::follow()
{
    setGeometry(parentWidget()->rect());
    raise();
}

bool CardPileCursor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void CardPileCursor::showOn(TCardPileView *view, int cards)
{
    focused = view;
    ringCards = qMax(1, cards);
    follow();
    setVisible(view || held);
    update();
}

void CardPileCursor::setHeld(TCardPileView *source)
{
    held = source;
    follow();
    setVisible(focused || held);
    update();
}

void CardPileCursor::hideCursor()
{
    focused = nullptr;
    setVisible(held != nullptr);
    update();
}

QRect CardPileCursor::ringRect() const
{
    if (!focused)
        return {};
    const int count = focused->Cards->Count();
    QRect cards = focused->CardRectAt(qMax(0, count - 1));
    for (int i = qMax(0, count - ringCards); i < count; ++i)
        cards |= focused->CardRectAt(i);
    // A fan longer than its view shows no more than the view does.
    cards &= focused->rect();
    const int margin = ringMargin();
    return cards.translated(focused->pos()).adjusted(-margin, -margin, margin, margin);
}

void CardPileCursor::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (held)
        paintHeldCards(painter);
    if (focused && focused->isVisible())
        paintRing(painter);
}

void CardPileCursor::paintHeldCards(QPainter &painter) const
{
    const QPoint origin = held->pos();
    const QPoint rise(0, -liftHeight());
    const int count = held->DragPile->Count();
    for (int j = 0; j < count; ++j) {
        const QRect place = held->HeldCardRect(j).translated(origin);
        painter.setPen(Qt::NoPen);
        painter.setBrush(shadow);
        painter.drawRoundedRect(QRectF(place).adjusted(2, 2, 2, 2), 4, 4);
    }
    for (int j = 0; j < count; ++j)
        held->DragPile->CardAt(j)->DrawCardOnCanvas(held->HeldCardRect(j).translated(origin).topLeft() + rise,
                                                   painter);
}

void CardPileCursor::paintRing(QPainter &painter) const
{
    const int band = ringWidth();
    // At the window's edge the ring stays inside, over the card's border.
    const QRectF outer = QRectF(ringRect() & rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF inner = outer.adjusted(band + 1, band + 1, -(band + 1), -(band + 1));
    QPainterPath ring;
    ring.addRoundedRect(outer, 6, 6);
    ring.addRoundedRect(inner, 3, 3);
    painter.setBrush(ringBand);
    painter.setPen(QPen(ringEdge, 1));
    painter.drawPath(ring);
}
