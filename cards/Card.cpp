// SPDX-License-Identifier: MIT
#include "cards/Card.h"

#include "cards/CardPileView.h"
#include "platform/ImageList.h"
#include "resources/Resources.h"

#include <QPainter>
#include <QPoint>

namespace {
_CardSize cardSize = FS_LARGE;
int backIndex = 0;
TImageList *cardImages = nullptr;
TImageList *backImages = nullptr;
bool loaded = false;
int loadCount = 0;

constexpr int firstImageNumber = 100;
constexpr int jokerNumber = 152;
constexpr int firstBackNumber = 153;
constexpr int backCount = 3;
}  // namespace

TCard::TCard() : TCard(FS_CLUBS, FS_ACE, 0) {}

TCard::TCard(_CardSuit suit, _CardValue value) : TCard(suit, value, 0) {}

TCard::TCard(_CardSuit suit, _CardValue value, int faceUp)
    : Suit(suit), Value(value), Color(FS_BLACK), FaceUp(faceUp != 0)
{
    if (cardSize == FS_SMALL)
        LoadSmallCardBitmaps();
    else
        LoadCardBitmaps();
}

_CardColor TCard::GetCardColor()
{
    Color = (Suit == FS_CLUBS || Suit == FS_SPADES) ? FS_BLACK : FS_RED;
    return Color;
}

void TCard::DrawCardOnCanvas(const QPoint &point, QPainter &canvas) const
{
    if (FaceUp) {
        cardImages->Draw(canvas, point.x(), point.y(), 13 * Suit + Value);
        return;
    }
    // A back index outside the list draws the first back rather than nothing.
    const int index = backIndex >= 0 && backIndex < backImages->Count() ? backIndex : 0;
    backImages->Draw(canvas, point.x(), point.y(), index);
}

void TCard::GetCardBitmap(QImage &bitmap) const { bitmap = cardImages->Image(13 * Suit + Value); }

void TCard::LoadImageSet(int width, int height, const char *pattern)
{
    if (loaded)
        return;
    cardImages = new TImageList(width, height);
    for (int i = 0; i <= jokerNumber - firstImageNumber; ++i)
        cardImages->AddMasked(Resources::bitmap(QString::asprintf(pattern, firstImageNumber + i)));
    backImages = new TImageList(width, height);
    for (int i = 0; i < backCount; ++i)
        backImages->AddMasked(Resources::bitmap(QString::asprintf(pattern, firstBackNumber + i)));
    loaded = true;
    ++loadCount;
}

void TCard::LoadCardBitmaps() { LoadImageSet(80, 125, "FSCARD%d"); }

void TCard::LoadSmallCardBitmaps() { LoadImageSet(61, 95, "sFSCARD%d"); }

void TCard::FreeCardBitmaps()
{
    delete cardImages;
    delete backImages;
    cardImages = nullptr;
    backImages = nullptr;
    TCardPileView::FreePileBitmaps();
    loaded = false;
}

void TCard::SetCardSize(_CardSize size)
{
    if (size == cardSize)
        return;
    FreeCardBitmaps();
    cardSize = size;
    if (cardSize == FS_SMALL)
        LoadSmallCardBitmaps();
    else
        LoadCardBitmaps();
    TCardPileView::LoadPileBitmaps();
}

_CardSize TCard::GetCardSize() { return cardSize; }
void TCard::SetBackIndex(int index) { backIndex = index; }
int TCard::GetBackIndex() { return backIndex; }

TImageList *TCard::GetCardImageList()
{
    if (!loaded)
        cardSize == FS_SMALL ? LoadSmallCardBitmaps() : LoadCardBitmaps();
    return cardImages;
}

TImageList *TCard::GetBackImageList()
{
    if (!loaded)
        cardSize == FS_SMALL ? LoadSmallCardBitmaps() : LoadCardBitmaps();
    return backImages;
}

int TCard::CardWidth() { return cardSize == FS_SMALL ? 61 : 80; }
int TCard::CardHeight() { return cardSize == FS_SMALL ? 95 : 125; }
int TCard::LoadCount() { return loadCount; }

QString CardText(const TCard *card)
{
    static const char ranks[] = "A23456789TJQK";
    static const char suits[] = "CSDH";
    const QString text = QString(QLatin1Char(ranks[card->Value])) + QLatin1Char(suits[card->Suit]);
    return card->FaceUp ? text : text.toLower();
}
