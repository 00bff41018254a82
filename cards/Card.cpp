// SPDX-License-Identifier: MIT
#include "cards/Card.h"

#include "cards/CardImages.h"
#include "platform/ImageList.h"

#include <QPainter>
#include <QPoint>

namespace {
CardSize cardSize = FS_LARGE;
int backIndex = 0;
}  // namespace

TCard::TCard() : TCard(FS_CLUBS, FS_ACE, 0) {}

TCard::TCard(CardSuit suit, CardValue value) : TCard(suit, value, 0) {}

TCard::TCard(CardSuit suit, CardValue value, int faceUp)
    : Suit(suit), Value(value), Color(FS_BLACK), FaceUp(faceUp != 0)
{
    CardImages::load(cardSize);
}

CardColor TCard::GetCardColor()
{
    Color = (Suit == FS_CLUBS || Suit == FS_SPADES) ? FS_BLACK : FS_RED;
    return Color;
}

void TCard::DrawCardOnCanvas(const QPoint &point, QPainter &canvas) const
{
    if (FaceUp) {
        CardImages::faces()->Draw(canvas, point.x(), point.y(), 13 * Suit + Value);
        return;
    }
    // A back index outside the list draws the first back rather than nothing.
    ImageList *backs = CardImages::backs();
    const int index = backIndex >= 0 && backIndex < backs->Count() ? backIndex : 0;
    backs->Draw(canvas, point.x(), point.y(), index);
}

void TCard::GetCardBitmap(QImage &bitmap) const { bitmap = CardImages::faces()->Image(13 * Suit + Value); }

void TCard::LoadCardBitmaps() { CardImages::load(FS_LARGE); }

void TCard::LoadSmallCardBitmaps() { CardImages::load(FS_SMALL); }

void TCard::FreeCardBitmaps() { CardImages::release(); }

void TCard::SetCardSize(CardSize size)
{
    cardSize = size;
    CardImages::load(size);
}

CardSize TCard::GetCardSize() { return cardSize; }
void TCard::SetBackIndex(int index) { backIndex = index; }
int TCard::GetBackIndex() { return backIndex; }

ImageList *TCard::GetCardImageList() { return CardImages::faces(); }
ImageList *TCard::GetBackImageList() { return CardImages::backs(); }

int TCard::CardWidth() { return cardSize == FS_SMALL ? 61 : 80; }
int TCard::CardHeight() { return cardSize == FS_SMALL ? 95 : 125; }
int TCard::LoadCount() { return CardImages::loadCount(); }

QString CardText(const TCard *card)
{
    static const char ranks[] = "A23456789TJQK";
    static const char suits[] = "CSDH";
    const QString text = QString(QLatin1Char(ranks[card->Value])) + QLatin1Char(suits[card->Suit]);
    return card->FaceUp ? text : text.toLower();
}
