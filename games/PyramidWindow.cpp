// SPDX-License-Identifier: MIT
#include "games/PyramidWindow.h"

#include "games/GameRegistry.h"
#include "shell/Preferences.h"
#include "shell/Sounds.h"

#include <QLabel>

QPointer<TPyramidForm> PyramidForm;
QPointer<TsPyramidForm> sPyramidForm;
static const GameRegistration<TPyramidForm, TsPyramidForm> registration("Pyramid", "PYRAMID", PyramidForm,
                                                                        sPyramidForm);

namespace {

constexpr int rows = 7;
constexpr int places = rows * (rows + 1) / 2;
constexpr int passes = 3;

// The pyramid's lefts, row by row, for large and for small cards.
constexpr int largeLefts[places] = {288, 240, 328, 192, 280, 368, 144, 232, 320, 408, 104, 192, 280, 368,
                                    456, 56,  144, 232, 320, 408, 496, 16,  104, 192, 280, 368, 456, 544};
constexpr int smallLefts[places] = {232, 200, 264, 168, 232, 296, 128, 197, 267, 336, 88,  160, 232, 304,
                                    376, 50,  122, 194, 267, 339, 411, 16,  88,  160, 232, 304, 376, 448};

GameDescription pyramid()
{
    GameDescription d;
    d.caption = QStringLiteral("Pyramid");
    d.helpTopic = 1009;
    d.hasAutoplay = false;
    d.canMaximize = false;
    d.placementState = true;
    d.dropTargetSticks = false;
    d.large = {.clientWidth = 640, .clientHeight = 586, .fixedHeight = true, .placementSection = QStringLiteral("Pyramid")};
    d.small = {.clientWidth = 520, .clientHeight = 480, .fixedHeight = true, .placementSection = QStringLiteral("sPyramid")};
    // The pyramid's places lie over each other; a place whose card has gone shows what
    // lies beneath it.
    for (int row = 1, i = 0; row <= rows; ++row)
        for (int k = 0; k < row; ++k, ++i)
            d.layout.pile(QStringLiteral("CardPileView%1").arg(i + 1), PileRole::Place,
                          {largeLefts[i], 8 + 48 * (row - 1), 80, 125}, {smallLefts[i], 8 + 40 * (row - 1), 61, 95},
                          HiddenWhenEmpty | PairsOff | SendsHome);
    d.layout
        .pile(QStringLiteral("DeckPileView"), PileRole::Stock, {136, 432, 113, 145, 0.6f, 0.6f},
              {112, 353, 88, 113, 0.5f, 0.5f}, DelayedDrag, FS_RECYCLE)
        .pile(QStringLiteral("PlayPileView"), PileRole::Other, {272, 432, 80, 125}, {216, 353, 61, 95},
              Draggable | DelayedDrag | PairsOff | SendsHome)
        .pile(QStringLiteral("WastePileView"), PileRole::Waste, {368, 432, 113, 145, 0.6f, 0.6f},
              {296, 353, 88, 113, 0.5f, 0.5f}, Draggable | PairsOff | SendsHome)
        .pile(QStringLiteral("DiscardPileView"), PileRole::Discard, {544, 440, 80, 125}, {448, 361, 61, 95},
              Bordered);
    return d;
}

int value(const TCard *card) { return card->Value + 1; }  // Ace 1, Jack 11, Queen 12, King 13

}  // namespace

TPyramidForm::TPyramidForm(QWidget *parent) : TPyramidForm(CardScale::Large, parent) {}

TPyramidForm::TPyramidForm(CardScale scale, QWidget *parent)
    : GameWindow(pyramid(), scale, parent),
      Pyramid(viewsOf(PileRole::Place)),
      DeckPileView(viewOf(PileRole::Stock)),
      PlayPileView(viewOf(PileRole::Other)),
      WastePileView(viewOf(PileRole::Waste)),
      DiscardPileView(viewOf(PileRole::Discard)),
      Label1(new QLabel(this)),
      stockYOffset(DeckPileView->YOffset)
{
    const bool small = scale == CardScale::Small;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(small ? QRect(5, 454, 60, 16) : QRect(8, 560, 71, 19));
    Label1->setMinimumSize(Label1->size());
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(small ? 13 : 16);
    font.setItalic(true);
    Label1->setFont(font);
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
}

// The pass label reads white on a dark table and black on a light one.
void TPyramidForm::ApplyBackground()
{
    GameWindow::ApplyBackground();
    const TColor table = PreferencesDlg ? PreferencesDlg->BackgroundColor : clDarkGreen;
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, table < 8388607 ? Qt::white : Qt::black);
    Label1->setPalette(palette);
}

// The stock lies flatter while the pyramid is dealt from it.
void TPyramidForm::dealCards(bool animate)
{
    DeckPileView->YOffset = 0.2f;
    for (TCardPileView *place : std::as_const(Pyramid)) {
        dealCard(place, true, animate);
        if (animate)
            DeckPileView->Paint();
    }
    playDealStep(DeckPileView);
    DeckPileView->YOffset = stockYOffset;
    DeckPileView->Paint();
    Pass = 1;
}

// ---- the two questions ------------------------------------------------------------------

// A free card may leave; of the waste, only its top card.
bool TPyramidForm::mayDrag(TCardPileView *view, TCard *card)
{
    return view != WastePileView || card == view->Cards->CardAt(TCardPile::Top);
}

// A card lands on a free partner that makes 13 with it, the two leaving together; a
// King goes alone to the discard pile. The play position and the waste are always
// free, and the waste's top card may pair with the card beneath it.
bool TPyramidForm::mayDrop(TCardPileView *target, TCardPileView *, const TCardPile *cards)
{
    if (cards->Count() != 1)
        return false;
    const TCard *moving = cards->CardAt(0);
    if (target == DiscardPileView)
        return moving->Value == FS_KING;
    const TCard *partner = target->Cards->CardAt(TCardPile::Top);
    return partner && target->AllowDrag && value(moving) + value(partner) == 13;
}

// A pair on the pyramid sounds without waiting for the sound; the other removals wait.
void TPyramidForm::viewEndDrag(TCardPileView *source, TCardPileView *over)
{
    if (source->DropTarget)
        play(Pyramid.contains(over) ? &TSoundManager::PlayAutoplayAsync : &TSoundManager::PlayAutoplay);
    GameWindow::viewEndDrag(source, over);
}

void TPyramidForm::sendHome(TCardPileView *view)
{
    const TCard *top = view->Cards->CardAt(TCardPile::Top);
    if (top && top->Value == FS_KING && view->AllowDrag) {
        moveTopCard(view, DiscardPileView);
        moveDone();
        return;
    }
    CheckWin();
}

// ---- the stock and its passes -----------------------------------------------------------

// The play card moves on to the waste and the next stock card comes up. An empty
// stock starts a new pass: the waste turns over, and its first card comes up at once;
// the new pass itself is no move. After the last pass the play card only moves on.
void TPyramidForm::turnStock()
{
    moveTopCard(PlayPileView, WastePileView);
    if (DeckPileView->Cards->IsEmpty()) {
        if (Pass == passes)
            return;
        turnOverWaste(WastePileView, DeckPileView);
        ++Pass;
    }
    if (TCard *card = DeckPileView->Cards->CardAt(TCardPile::Top)) {
        card->FaceUp = true;
        moveTopCard(DeckPileView, PlayPileView);
        ++MoveCount;
    }
    play(&TSoundManager::PlayStock);
    CheckWin();
}

// ---- what the table shows ---------------------------------------------------------------

// A card is free when both cards covering it are gone: card k of a row lies under
// cards k and k + 1 of the row below. The stock shows its recycle mark while a pass
// is left, and the label names the pass.
void TPyramidForm::tableChanged()
{
    const auto gone = [this](int i) { return Pyramid[i]->Cards->IsEmpty(); };
    for (int row = 1, i = 0; row <= rows; ++row)
        for (int k = 0; k < row; ++k, ++i)
            Pyramid[i]->AllowDrag = row == rows || (gone(i + row) && gone(i + row + 1));
    DeckPileView->State = DeckPileView->Cards->IsEmpty() && Pass == passes ? FS_BLANK : FS_RECYCLE;
    DeckPileView->Paint();
    static const char *const names[passes] = {"First Pass", "Second Pass", "Third Pass"};
    Label1->setText(QString::fromLatin1(names[Pass - 1]));
    Label1->adjustSize();  // as wide as its words
}
