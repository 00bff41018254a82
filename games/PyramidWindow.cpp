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

// Positions count row by row from the apex; card k of row r lies on cards k - 1 and
// k of row r - 1 and is covered by cards k and k + 1 of row r + 1.
constexpr int rows = 7;
constexpr int places = rows * (rows + 1) / 2;

int firstOfRow(int row) { return row * (row - 1) / 2 + 1; }

int pyramidRow(int position)
{
    int row = 1;
    while (position >= firstOfRow(row + 1))
        ++row;
    return row;
}

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
    d.large = {.clientWidth = 640, .clientHeight = 586, .fixedHeight = true, .placementSection = QStringLiteral("Pyramid")};
    d.small = {.clientWidth = 520, .clientHeight = 480, .fixedHeight = true, .placementSection = QStringLiteral("sPyramid")};
    for (int position = 1; position <= places; ++position) {
        const int row = pyramidRow(position);
        // Only the bottom row is free at the start.
        const unsigned flags = DropByHand | SendsHome | (row == rows ? Draggable : 0u);
        d.layout.pile(QStringLiteral("CardPileView%1").arg(position), PileRole::Place,
                      {largeLefts[position - 1], 8 + 48 * (row - 1), 80, 125},
                      {smallLefts[position - 1], 8 + 40 * (row - 1), 61, 95}, flags);
    }
    d.layout
        .pile(QStringLiteral("DeckPileView"), PileRole::Stock, {136, 432, 113, 145, 0.6f, 0.6f},
              {112, 353, 88, 113, 0.5f, 0.5f}, DelayedDrag, FS_RECYCLE)
        .pile(QStringLiteral("PlayPileView"), PileRole::Place, {272, 432, 80, 125}, {216, 353, 61, 95},
              Draggable | DelayedDrag | DropByHand | SendsHome)
        .pile(QStringLiteral("WastePileView"), PileRole::Waste, {368, 432, 113, 145, 0.6f, 0.6f},
              {296, 353, 88, 113, 0.5f, 0.5f}, Draggable | DropByHand | SendsHome)
        .pile(QStringLiteral("DiscardPileView"), PileRole::Discard, {544, 440, 80, 125}, {448, 361, 61, 95},
              Bordered);
    return d;
}

}  // namespace

TPyramidForm::TPyramidForm(QWidget *parent) : TPyramidForm(CardScale::Large, parent) {}

TPyramidForm::TPyramidForm(CardScale scale, QWidget *parent)
    : GameWindow(pyramid(), scale, parent),
      DeckPileView(viewNamed(QStringLiteral("DeckPileView"))),
      PlayPileView(viewNamed(QStringLiteral("PlayPileView"))),
      WastePileView(viewNamed(QStringLiteral("WastePileView"))),
      DiscardPileView(viewNamed(QStringLiteral("DiscardPileView"))),
      Label1(new QLabel(this)),
      stockYOffset(DeckPileView->YOffset)
{
    for (int position = 1; position <= places; ++position)
        Pyramid.append(viewNamed(QStringLiteral("CardPileView%1").arg(position)));
    const bool small = scale == CardScale::Small;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(small ? QRect(5, 454, 60, 16) : QRect(8, 560, 71, 19));
    labelSize = Label1->size();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(small ? 13 : 16);
    font.setItalic(true);
    Label1->setFont(font);
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    wireDrops();
    // The bare table and the stock take nothing: a card released there goes back.
    OnDragOver = [](QObject *, QObject *source, int, int, DragState, bool &accept) {
        if (TCardPileView *view = asView(source))
            view->DropTarget = nullptr;
        accept = false;
    };
}

void TPyramidForm::wireDrops()
{
    for (TCardPileView *place : std::as_const(Pyramid))
        place->OnDragDrop = [this](QObject *target, QObject *source, int, int) {
            pairOnPyramid(asView(target), asView(source));
        };
    for (TCardPileView *place : {PlayPileView, WastePileView})
        place->OnDragDrop = [this](QObject *target, QObject *source, int, int) {
            pairOnPlace(asView(target), asView(source));
        };
    DiscardPileView->OnDragDrop = [this](QObject *, QObject *source, int, int) { kingOnDiscard(asView(source)); };
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

// ---- the deal -----------------------------------------------------------------------

void TPyramidForm::dealCards(bool animate)
{
    DeckPileView->YOffset = 0.2f;
    for (int position = 1; position <= places; ++position) {
        TCardPileView *place = Pyramid[position - 1];
        place->raise();
        place->show();
        place->AllowDrag = pyramidRow(position) == rows;
        dealCard(place, true, animate);
        if (animate)
            DeckPileView->Paint();
    }
    playDealStep(DeckPileView);
    DeckPileView->YOffset = stockYOffset;
    DeckPileView->Paint();
    Pass = 1;
    UpdateStock();
}

// ---- free cards ---------------------------------------------------------------------------

int TPyramidForm::positionOf(const TCardPileView *view) const
{
    return int(Pyramid.indexOf(const_cast<TCardPileView *>(view))) + 1;
}

// A card in the player's hand has not left its place yet.
bool TPyramidForm::isGone(int position) const
{
    const TCardPileView *place = Pyramid[position - 1];
    return place->Cards->IsEmpty() && place->DragPile->IsEmpty();
}

// The play position and the waste are always free.
bool TPyramidForm::isFree(const TCardPileView *view) const
{
    if (positionOf(view))
        return view->AllowDrag;
    return view == PlayPileView || view == WastePileView;
}

// The cards a position lies on are free exactly when both cards covering them are gone.
void TPyramidForm::UpdateFreeCards(int position)
{
    const int row = pyramidRow(position);
    const int k = position - firstOfRow(row) + 1;
    for (const int below : {k - 1, k}) {
        if (row == 1 || below < 1 || below > row - 1)
            continue;
        const int covering = firstOfRow(row) + below - 1;
        Pyramid[firstOfRow(row - 1) + below - 2]->AllowDrag = isGone(covering) && isGone(covering + 1);
    }
}

void TPyramidForm::RepaintOverlaps(int position)
{
    for (int p = firstOfRow(qMax(1, pyramidRow(position) - 1)); p <= places; ++p)
        if (Pyramid[p - 1]->isVisible())
            Pyramid[p - 1]->update();
    update();
}

void TPyramidForm::takeFromTable(TCardPileView *view)
{
    const int position = positionOf(view);
    if (!position) {
        view->Paint();
        return;
    }
    view->lower();
    view->hide();
    UpdateFreeCards(position);
    RepaintOverlaps(position);
}

void TPyramidForm::putBackOnTable(TCardPileView *view)
{
    const int position = positionOf(view);
    if (!position) {
        view->Paint();
        return;
    }
    view->raise();
    view->show();
    UpdateFreeCards(position);
    RepaintOverlaps(position);
}

// ---- the two questions and the drag ---------------------------------------------------------

bool TPyramidForm::mayDrag(TCardPileView *view, TCard *card)
{
    return view != WastePileView || card == view->Cards->CardAt(TCardPile::Top);
}

// A partner makes 13 with the dragged card (Ace 1, Jack 11, Queen 12); a King goes
// alone to the discard pile.
bool TPyramidForm::mayDrop(TCardPileView *target, TCardPileView *, const TCardPile *cards)
{
    if (cards->Count() != 1)
        return false;
    const TCard *moving = cards->CardAt(0);
    if (target == DiscardPileView)
        return moving->Value == FS_KING;
    const TCard *partner = target->Cards->CardAt(TCardPile::Top);
    return partner && isFree(target) && (moving->Value + 1) + (partner->Value + 1) == 13;
}

// A card taken from the pyramid leaves its place at once; nothing is chosen for it.
void TPyramidForm::viewStartDrag(TCardPileView *source)
{
    source->Paint();
    if (const int position = positionOf(source)) {
        source->hide();
        RepaintOverlaps(position);
    }
}

// Only the view under the pointer counts: a card released anywhere else goes back.
void TPyramidForm::viewDragOver(TCardPileView *target, TCardPileView *source)
{
    source->DropTarget = mayDrop(target, source, source->DragPile) ? target : nullptr;
}

// A removal is counted, and the win checked, once the drag is over.
void TPyramidForm::viewEndDrag(TCardPileView *source)
{
    if (removalPending) {
        removalPending = false;
        moveDone();
        return;
    }
    if (positionOf(source) && !source->Cards->IsEmpty()) {
        source->raise();
        source->show();
        source->Paint();
    }
}

// ---- removals ----------------------------------------------------------------------------------

void TPyramidForm::discardDragged(TCardPileView *source)
{
    DiscardPileView->Cards->AddPile(source->DragPile);
    UndoList->AddPileMove(source, DiscardPileView, source->DragPile);
    source->DragPile->Empty(false);  // booked: nothing may come back from the hand
    removalPending = true;
}

// The partner ends on top of the discard pile.
void TPyramidForm::pairOnPyramid(TCardPileView *target, TCardPileView *source)
{
    discardDragged(source);
    DiscardPileView->Cards->AddPile(target->Cards);
    UndoList->AddPileMove(target, DiscardPileView, target->Cards);
    target->Cards->Empty(false);
    takeFromTable(source);
    takeFromTable(target);
    DiscardPileView->Paint();
    play(&TSoundManager::PlayAutoplayAsync);
}

void TPyramidForm::pairOnPlace(TCardPileView *target, TCardPileView *source)
{
    discardDragged(source);
    moveTopCard(target, DiscardPileView);
    takeFromTable(source);
    play(&TSoundManager::PlayAutoplay);
}

void TPyramidForm::kingOnDiscard(TCardPileView *source)
{
    discardDragged(source);
    takeFromTable(source);
    DiscardPileView->Paint();
    play(&TSoundManager::PlayAutoplay);
}

void TPyramidForm::sendHome(TCardPileView *view)
{
    const TCard *top = view->Cards->CardAt(TCardPile::Top);
    if (top && top->Value == FS_KING && isFree(view)) {
        moveTopCard(view, DiscardPileView);
        takeFromTable(view);
        ++MoveCount;
    }
    CheckWin();
}

// ---- the stock -----------------------------------------------------------------------------------

void TPyramidForm::turnStock()
{
    if (!PlayPileView->Cards->IsEmpty())
        moveTopCard(PlayPileView, WastePileView);
    if (!DeckPileView->Cards->IsEmpty())
        turnToPlay();
    else if (Pass == 3)
        return;  // after the last pass the play card only moves on to the waste
    else
        startNewPass();
    play(&TSoundManager::PlayStock);
    CheckWin();
    UpdateStock();
}

void TPyramidForm::turnToPlay()
{
    DeckPileView->Cards->CardAt(TCardPile::Top)->FaceUp = true;
    moveTopCard(DeckPileView, PlayPileView);
    ++MoveCount;
}

// The waste turns over into the stock, the card that went there first on top again,
// and that card comes up at once. The new pass itself is no move.
void TPyramidForm::startNewPass()
{
    TCardPile *waste = WastePileView->Cards;
    UndoList->AddPileMove(WastePileView, DeckPileView, waste);
    DeckPileView->Cards->AddPile(waste);
    waste->Empty(false);
    DeckPileView->Cards->Flip();
    ++Pass;
    if (!DeckPileView->Cards->IsEmpty())
        turnToPlay();
    WastePileView->Paint();
    DeckPileView->Paint();
}

void TPyramidForm::UpdateStock()
{
    static const char *const passes[] = {"First Pass", "Second Pass", "Third Pass"};
    const int count = DeckPileView->Cards->Count();
    DeckPileView->SetHint(count > 0 ? QString::number(count) : QString());
    DeckPileView->State = count == 0 && Pass == 3 ? FS_BLANK : FS_RECYCLE;
    DeckPileView->Paint();
    Label1->setText(QString::fromLatin1(passes[qBound(1, Pass, 3) - 1]));
    Label1->resize(Label1->sizeHint().expandedTo(labelSize));  // as wide as its words
}

// ---- undo ------------------------------------------------------------------------------------------

int TPyramidForm::undoLastAction()
{
    UndoList->PeekLast();
    if (UndoList->LastTarget == DiscardPileView)
        return undoRemoval();
    if (UndoList->LastSource == DeckPileView)
        return undoStockTurn();
    if (lastIsNewPass())
        return undoNewPass();
    undoOrdinaryRecord();  // the play card moved on after the last pass: no move
    return 0;
}

bool TPyramidForm::lastIsNewPass()
{
    UndoList->PeekLast();
    return UndoList->LastSource == WastePileView && UndoList->LastTarget == DeckPileView;
}

bool TPyramidForm::lastIsPlayToWaste()
{
    UndoList->PeekLast();
    return UndoList->LastSource == PlayPileView && UndoList->LastTarget == WastePileView;
}

// A pair is two records, a King one; either way it was one move.
int TPyramidForm::undoRemoval()
{
    const bool king = UndoList->LastPile->CardAt(0)->Value == FS_KING;
    undoRemovalRecord();
    if (!king)
        undoRemovalRecord();
    return 1;
}

void TPyramidForm::undoRemovalRecord()
{
    UndoList->PeekLast();
    TCardPileView *source = UndoList->LastSource;
    UndoList->UndoLast();
    UndoList->DropLast();
    DiscardPileView->Paint();
    putBackOnTable(source);
}

// The turned card goes back face down, with whatever the same click did before it:
// a new pass, and the previous play card's move to the waste.
int TPyramidForm::undoStockTurn()
{
    undoOrdinaryRecord();
    DeckPileView->Cards->CardAt(TCardPile::Top)->FaceUp = false;
    DeckPileView->Paint();
    if (lastIsNewPass())
        undoNewPass();
    else if (lastIsPlayToWaste())
        undoOrdinaryRecord();
    return 1;
}

// The stock's cards go back to the waste face up, in their order.
int TPyramidForm::undoNewPass()
{
    UndoList->PeekLast();
    UndoList->UndoLast();
    for (int i = 0; i < UndoList->LastPile->Count(); ++i)
        UndoList->LastPile->CardAt(i)->FaceUp = true;
    UndoList->DropLast();
    WastePileView->Paint();
    DeckPileView->Paint();
    --Pass;
    if (lastIsPlayToWaste())
        undoOrdinaryRecord();
    return 0;
}
