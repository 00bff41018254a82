// SPDX-License-Identifier: MIT
#include "cards/CardPileView.h"

#include "cards/Card.h"
#include "cards/CardImages.h"
#include "platform/ImageList.h"
#include "resources/Resources.h"

#include <QPainter>
#include <QTimer>
#include <memory>

namespace {

constexpr int recycleMark = 0;
constexpr int emptyMark = 1;
const QColor outlineGrey(0x80, 0x80, 0x80);

// Offsets are fractional; a card sits at the offset rounded toward zero.
int truncated(double value) { return static_cast<int>(value); }

}  // namespace

TCardPileView::TCardPileView(QWidget *owner)
    : GraphicControl(owner), Cards(new TCardPile), DragPile(new TCardPile)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(TCard::CardWidth(), TCard::CardHeight());
}

TCardPileView::~TCardPileView()
{
    // The cards belong to the game; only the lists go.
    Cards->Empty(false);
    DragPile->Empty(false);
    delete Cards;
    delete DragPile;
}

void TCardPileView::LoadPileBitmaps() { CardImages::load(TCard::GetCardSize()); }

void TCardPileView::FreePileBitmaps() { CardImages::release(); }

ImageList *TCardPileView::PileMarks() { return CardImages::pileMarks(); }

QColor TCardPileView::EffectiveColor() const
{
    if (Color.isValid())
        return Color;
    const QWidget *window = parentWidget() ? parentWidget() : this;
    return window->palette().color(QPalette::Window);
}

QPointF TCardPileView::fanStep() const
{
    const QPointF designed(XOffset, YOffset);
    const int gaps = Cards->Count() - 1;
    if (!closesUp || gaps < 1)
        return designed;
    const double roomX = qMax(0, width() - TCard::CardWidth());
    const double roomY = qMax(0, height() - TCard::CardHeight());
    return {qMin(designed.x(), roomX / gaps), qMin(designed.y(), roomY / gaps)};
}

QPoint TCardPileView::cardOrigin(int index, QPointF step)
{
    return {truncated(index * step.x()), truncated(index * step.y())};
}

QRect TCardPileView::CardRectAt(int index) const
{
    return {cardOrigin(index), QSize(TCard::CardWidth(), TCard::CardHeight())};
}

// ---- painting ----

void TCardPileView::Paint()
{
    if (!isVisible())
        return;
    repaint();
}

// A picture of the given logical size with as many pixels as the screen shows there.
QImage TCardPileView::canvas(QSize logical) const
{
    const qreal ratio = devicePixelRatioF();
    QImage picture(logical * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

void TCardPileView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

QImage TCardPileView::Render() const
{
    QImage picture = canvas(size());
    if (picture.isNull())
        return picture;
    QPainter painter(&picture);
    fillBackground(painter);
    if (IsBordered)
        drawOutline(painter);
    const int count = Cards->Count();
    const QPointF step = fanStep();
    for (int i = 0; i < count; ++i)
        Cards->CardAt(i)->DrawCardOnCanvas(cardOrigin(i, step), painter);
    if (count == 0)
        drawPileMark(painter);
    drawHighlight(painter);
    return picture;
}

void TCardPileView::fillBackground(QPainter &painter) const
{
    painter.fillRect(rect(), EffectiveColor());
    if (BackgroundMode == FS_BITMAP && Background && !Background->isNull()) {
        // The part of the table picture that lies under the view.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), *Background, geometry());
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void TCardPileView::drawOutline(QPainter &painter) const
{
    // Black along the top and left, grey along the bottom and right.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(QRect(0, 0, width() - 2, height() - 2));
    painter.setPen(QPen(outlineGrey, 0));
    painter.drawRect(QRect(1, 1, width() - 2, height() - 2));
}

void TCardPileView::drawPileMark(QPainter &painter) const
{
    if (State == FS_RECYCLE)
        PileMarks()->Draw(painter, 0, 0, recycleMark);
    else if (State == FS_EMPTY)
        PileMarks()->Draw(painter, 0, 0, emptyMark);
}

// ---- mouse and drag ----

void TCardPileView::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    CanDrag = false;
    DropTarget = nullptr;
    if (button == Qt::LeftButton)
        selectCardAt(QPoint(x, y));
    GraphicControl::MouseDown(button, shift, x, y);
}

void TCardPileView::selectCardAt(QPoint point)
{
    SelectedCard = nullptr;
    // From the top card down, so an overlapped region belongs to the card drawn last.
    for (int i = Cards->Count() - 1; i >= 0; --i)
        if (CardRectAt(i).contains(point)) {
            selectCard(i, point);
            return;
        }
}

void TCardPileView::selectCard(int index, QPoint point)
{
    SelectedCard = Cards->CardAt(index);
    CardRect = CardRectAt(index);
    HotSpot = point - CardRect.topLeft();
}

void TCardPileView::PressCard(int index, Qt::KeyboardModifiers shift)
{
    CanDrag = false;
    DropTarget = nullptr;
    SelectedCard = nullptr;
    QPoint point = rect().center();
    if (index >= 0 && index < Cards->Count()) {
        point = CardRectAt(index).center();
        selectCard(index, point);
    }
    GraphicControl::MouseDown(Qt::LeftButton, shift, point.x(), point.y());
}

bool TCardPileView::LiftPressedCards()
{
    if (!CanDrag || !AllowDrag || Dragging() || !takeForDrag())
        return false;
    BeginDragByKeys();
    return Dragging();
}

QRect TCardPileView::HeldCardRect(int j) const
{
    return {cardOrigin(Cards->Count() + j, dragStep), QSize(TCard::CardWidth(), TCard::CardHeight())};
}

void TCardPileView::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    if (HasCapture() && CanDrag && AllowDrag && !Dragging())
        startCardDrag();
    GraphicControl::MouseMove(shift, x, y);
}

void TCardPileView::startCardDrag()
{
    if (!takeForDrag())
        return;
    DragImage = composeDragPicture(dragStep);
    BeginDrag(!DragDelayed, DragImage, HotSpot);
}

bool TCardPileView::takeForDrag()
{
    // A drag needs a card of this pile to carry; anything else is refused quietly.
    if (!SelectedCard || Cards->CardIndex(SelectedCard) < 0)
        return false;
    dragStep = fanStep();  // the spacing the player saw, before the cards leave
    takeDraggedCards();
    return true;
}

void TCardPileView::takeDraggedCards()
{
    DragPile->Empty(false);
    const int count = Cards->Count();
    const int first = Cards->CardIndex(SelectedCard);
    for (int i = first; i < count; ++i)
        DragPile->AddCard(Cards->CardAt(i));
    for (int i = count - 1; i >= first; --i)
        Cards->RemoveCard(Cards->CardAt(i));
}

QImage TCardPileView::composeDragPicture(QPointF step) const
{
    // One offset step larger than the cards need; everything around the cards
    // is see-through, so the table shows between them.
    const int count = DragPile->Count();
    const int width = truncated(count * step.x() + TCard::CardWidth());
    const int height = truncated(count * step.y() + TCard::CardHeight());
    QImage picture = canvas(QSize(width, height));
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    for (int j = 0; j < count; ++j)
        DragPile->CardAt(j)->DrawCardOnCanvas(cardOrigin(j, step), painter);
    return picture;
}

void TCardPileView::DoStartDrag()
{
    update();  // the dragged cards have left this pile
    GraphicControl::DoStartDrag();
}

void TCardPileView::DoEndDrag(QObject *target, int x, int y)
{
    if (DragCancelled())
        DropTarget = nullptr;  // a cancelled drag always gives the cards back
    // Cards that the game disposes of itself come back when no drop handler took
    // them: released outside every window, or over a place that had no handler.
    if (ManualDrop && !DropHandled())
        DropTarget = nullptr;
    if (!DropTarget || DropTarget == this) {
        DropTarget = nullptr;
        Cards->AddPile(DragPile);
        setVisible(true);
        Paint();
    } else if (!ManualDrop) {
        DropTarget->Cards->AddPile(DragPile);
        DropTarget->Paint();
    }
    GraphicControl::DoEndDrag(target, x, y);
    // The game has booked the move; stale references would outlive the cards.
    DragPile->Empty(false);
}

// ---- the highlight ring ----

void TCardPileView::highlight(int firstCard, int count, int msecs)
{
    ringFirst = qMax(0, firstCard);
    ringCount = qMax(0, count);
    if (!ringTimer) {
        ringTimer = new QTimer(this);
        ringTimer->setSingleShot(true);
        connect(ringTimer, &QTimer::timeout, this, &TCardPileView::clearHighlight);
    }
    ringTimer->start(msecs);
    update();
}

void TCardPileView::clearHighlight()
{
    if (ringTimer)
        ringTimer->stop();
    if (ringCount < 0)
        return;
    ringCount = -1;
    update();
}

QRect TCardPileView::highlightRect() const
{
    if (ringCount < 0)
        return {};
    const int last = ringCount == 0 ? qMin(ringFirst, Cards->Count()) : ringFirst + ringCount - 1;
    const int first = ringCount == 0 ? last : ringFirst;
    return CardRectAt(first).united(CardRectAt(last)).intersected(rect());
}

// A black edge and a bright band just inside it, over a light wash of the band's
// colour: the band reads on dark tables and card backs, the black edge on light
// tables, the wash on card faces. The ring is narrower than the margin of a card's
// corner index, so the cards it marks stay legible, and it lies inside the cards, so
// that a pile at the edge of its view shows all of it.
void TCardPileView::drawHighlight(QPainter &painter) const
{
    const QRect ring = highlightRect();
    if (ring.isEmpty())
        return;
    const QColor band(0, 230, 255);
    const qreal radius = TCard::CardWidth() >= 80 ? 5.0 : 4.0;
    const QRectF outer = QRectF(ring).adjusted(1.5, 1.5, -1.5, -1.5);
    const QRectF inner = QRectF(ring).adjusted(2.0, 2.0, -2.0, -2.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(band.red(), band.green(), band.blue(), 56));
    painter.drawRoundedRect(inner, radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 3.0));
    painter.drawRoundedRect(outer, radius, radius);
    painter.setPen(QPen(band, 2.0));
    painter.drawRoundedRect(inner, radius, radius);
    painter.restore();
}
