// SPDX-License-Identifier: MIT
#pragma once
#include <QString>
#include <cstdint>

class QPainter;
class QPoint;
class QImage;
class ImageList;

enum CardSuit : std::uint8_t { FS_CLUBS = 0, FS_SPADES = 1, FS_DIAMONDS = 2, FS_HEARTS = 3 };
enum CardValue : std::uint8_t {
    FS_ACE = 0, FS_TWO, FS_THREE, FS_FOUR, FS_FIVE, FS_SIX, FS_SEVEN,
    FS_EIGHT, FS_NINE, FS_TEN, FS_JACK, FS_QUEEN, FS_KING = 12
};
enum CardSize : std::uint8_t { FS_SMALL = 0, FS_LARGE = 1 };
enum CardColor : std::uint8_t { FS_BLACK = 0, FS_RED = 1 };

// One playing card. It holds four bytes of state and no pictures: every card draws
// from the image sets shared by the whole program, at the current card size.
class TCard
{
public:
    TCard();
    TCard(CardSuit suit, CardValue value);
    TCard(CardSuit suit, CardValue value, int faceUp);

    CardSuit Suit;
    CardValue Value;
    CardColor Color;
    bool FaceUp;

    CardColor GetCardColor();
    void Flip() { FaceUp = !FaceUp; }
    void DrawCardOnCanvas(const QPoint &point, QPainter &canvas) const;
    void GetCardBitmap(QImage &bitmap) const;  // the face, whatever FaceUp says

    // Shared by every card and every window.
    static void LoadCardBitmaps();
    static void LoadSmallCardBitmaps();
    static void FreeCardBitmaps();
    static void SetCardSize(CardSize size);
    static CardSize GetCardSize();
    static void SetBackIndex(int index);
    static int GetBackIndex();
    static ImageList *GetCardImageList();
    static ImageList *GetBackImageList();
    static int CardWidth();   // 61 for small cards, 80 for large
    static int CardHeight();  // 95 for small cards, 125 for large

    // Counts image-set loads, so a test can tell that nothing was reloaded.
    static int LoadCount();
};

// A card as text: rank A 2 .. 9 T J Q K and suit C S D H, upper case face up,
// lower case face down ("QH", "tc").
QString CardText(const TCard *card);
