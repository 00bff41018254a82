// SPDX-License-Identifier: MIT
#include "games/PyramidWindow.h"

#include "games/GameRegistry.h"
#include "shell/Preferences.h"
#include "shell/Sounds.h"

#include <QLabel>

QPointer<TPyramidForm> PyramidForm;
QPointer<TsPyramidForm> sPyramidForm;
static const GameRegistration<TPyramidForm, TsPyramidForm> registration("Pyramid", PyramidForm, sPyramidForm);

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
    d.scorePrefix = QStringLiteral("Pyramid   Score: ");
    d.helpTopic = 1009;
    d.restartPrompt = QStringLiteral("Restart this game of Pyramid?");
    d.quitPrompt = QStringLiteral("Quit this game of Pyramid?");
    d.hasAutoplay = false;
    d.canMaximize = false;
    d.placementState = true;
    d.large = {640, 586, 640, 0, true, 0, 0, QStringLiteral("Pyramid"), QStringLiteral("Pyramid")};
    d.small = {520, 480, 520, 0, true, 0, 0, QStringLiteral("sPyramid"), QStringLiteral("sPyramid")};
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
        .pile(QStringLiteral("DiscardPileView"), PileRole::Foundation, {544, 440, 80, 125}, {448, 361, 61, 95},
              Bordered);
    return d;
}

}  // namespace

TPyramidForm::TPyramidForm(QWidget *parent) : TPyramidForm(CardScale::Large, parent) {}

TPyramidForm::TPyramidForm(CardScale scale, QWidget *parent)
    : TGameForm(pyramid(), scale, parent),
      DeckPileView(View(QStringLiteral("DeckPileView"))),
      PlayPileView(View(QStringLiteral("PlayPileView"))),
      WastePileView(View(QStringLiteral("WastePileView"))),
      DiscardPileView(View(QStringLiteral("DiscardPileView"))),
      Label1(new QLabel(this)),
      stockYOffset(DeckPileView->YOffset)
{
    for (int position = 1; position <= places; ++position)
        Pyramid.append(View(QStringLiteral("CardPileView%1").arg(position)));
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
    OnDragOver = [](QObject *, QObject *source, int, int, TDragState, bool &accept) {
        if (TCardPileView *view = AsView(source))
            view->DropTarget = nullptr;
        accept = false;
    };
}

void TPyramidForm::wireDrops()
{
    for (TCardPileView *place : std::as_const(Pyramid))
        place->OnDragDrop = [this](QObject *target, QObject *source, int, int) {
            PairOnPyramid(AsView(target), AsView(source));
        };
    for (TCardPileView *place : {PlayPileView, WastePileView})
        place->OnDragDrop = [this](QObject *target, QObject *source, int, int) {
            PairOnPlace(AsView(target), AsView(source));
        };
    DiscardPileView->OnDragDrop = [this](QObject *, QObject *source, int, int) { KingOnDiscard(AsView(source)); };
}

// The pass label reads white on a dark table and black on a light one.
void TPyramidForm::ApplyBackground()
{
    TGameForm::ApplyBackground();
    const TColor table = PreferencesDlg ? PreferencesDlg->BackgroundColor : clDarkGreen;
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, table < 8388607 ? Qt::white : Qt::black);
    Label1->setPalette(palette);
}

// ---- the deal -----------------------------------------------------------------------

void TPyramidForm::DealCards(bool animate)
{
    DeckPileView->YOffset = 0.2f;
    for (int position = 1; position <= places; ++position) {
        TCardPileView *place = Pyramid[position - 1];
        place->raise();
        place->show();
        place->AllowDrag = pyramidRow(position) == rows;
        DealCard(place, true, animate);
        if (animate)
            DeckPileView->Paint();
    }
    PlayDealStep(DeckPileView);
    DeckPileView->YOffset = stockYOffset;
    DeckPileView->Paint();
    Pass = 1;
    UpdateStock();
}

// ---- free cards ---------------------------------------------------------------------------

int TPyramidForm::PositionOf(const TCardPileView *view) const
{
    return int(Pyramid.indexOf(const_cast<TCardPileView *>(view))) + 1;
}

// A card in the player's hand has not left its place yet.
bool TPyramidForm::IsGone(int position) const
{
    const TCardPileView *place = Pyramid[position - 1];
    return place->Cards->IsEmpty() && place->DragPile->IsEmpty();
}

// The play position and the waste are always free.
bool TPyramidForm::IsFree(const TCardPileView *view) const
{
    if (PositionOf(view))
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
        Pyramid[firstOfRow(row - 1) + below - 2]->AllowDrag = IsGone(covering) && IsGone(covering + 1);
    }
}

void TPyramidForm::RepaintOverlaps(int position)
{
    for (int p = firstOfRow(qMax(1, pyramidRow(position) - 1)); p <= places; ++p)
        if (Pyramid[p - 1]->isVisible())
            Pyramid[p - 1]->update();
    update();
}

void TPyramidForm::TakeFromTable(TCardPileView *view)
{
    const int position = PositionOf(view);
    if (!position) {
        view->Paint();
        return;
    }
    view->lower();
    view->hide();
    UpdateFreeCards(position);
    RepaintOverlaps(position);
}

void TPyramidForm::PutBackOnTable(TCardPileView *view)
{
    const int position = PositionOf(view);
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

bool TPyramidForm::MayDrag(TCardPileView *view, TCard *card)
{
    return view != WastePileView || card == view->Cards->CardAt(TCardPile::Top);
}

// A partner makes 13 with the dragged card (Ace 1, Jack 11, Queen 12); a King goes
// alone to the discard pile.
bool TPyramidForm::MayDrop(TCardPileView *target, TCardPileView *, const TCardPile *cards)
{
    if (cards->Count() != 1)
        return false;
    const TCard *moving = cards->CardAt(0);
    if (target == DiscardPileView)
        return moving->Value == FS_KING;
    const TCard *partner = target->Cards->CardAt(TCardPile::Top);
    return partner && IsFree(target) && (moving->Value + 1) + (partner->Value + 1) == 13;
}

// A card taken from the pyramid leaves its place at once; nothing is chosen for it.
void TPyramidForm::ViewStartDrag(TCardPileView *source)
{
    source->Paint();
    if (const int position = PositionOf(source)) {
        source->hide();
        RepaintOverlaps(position);
    }
}

// Only the view under the pointer counts: a card released anywhere else goes back.
void TPyramidForm::ViewDragOver(TCardPileView *target, TCardPileView *source)
{
    source->DropTarget = MayDrop(target, source, source->DragPile) ? target : nullptr;
}

// A removal is counted, and the win checked, once the drag is over.
void TPyramidForm::ViewEndDrag(TCardPileView *source)
{
    if (removalPending) {
        removalPending = false;
        MoveDone();
        return;
    }
    if (PositionOf(source) && !source->Cards->IsEmpty()) {
        source->raise();
        source->show();
        source->Paint();
    }
}

// ---- removals ----------------------------------------------------------------------------------

void TPyramidForm::DiscardDragged(TCardPileView *source)
{
    DiscardPileView->Cards->AddPile(source->DragPile);
    UndoList->AddPileMove(source, DiscardPileView, source->DragPile);
    source->DragPile->Empty(false);  // booked: nothing may come back from the hand
    removalPending = true;
}

// The partner ends on top of the discard pile.
void TPyramidForm::PairOnPyramid(TCardPileView *target, TCardPileView *source)
{
    DiscardDragged(source);
    DiscardPileView->Cards->AddPile(target->Cards);
    UndoList->AddPileMove(target, DiscardPileView, target->Cards);
    target->Cards->Empty(false);
    TakeFromTable(source);
    TakeFromTable(target);
    DiscardPileView->Paint();
    Play(&TSoundManager::PlayAutoplayAsync);
}

void TPyramidForm::PairOnPlace(TCardPileView *target, TCardPileView *source)
{
    DiscardDragged(source);
    MoveTopCard(target, DiscardPileView);
    TakeFromTable(source);
    Play(&TSoundManager::PlayAutoplay);
}

void TPyramidForm::KingOnDiscard(TCardPileView *source)
{
    DiscardDragged(source);
    TakeFromTable(source);
    DiscardPileView->Paint();
    Play(&TSoundManager::PlayAutoplay);
}

void TPyramidForm::SendHome(TCardPileView *view)
{
    const TCard *top = view->Cards->CardAt(TCardPile::Top);
    if (top && top->Value == FS_KING && IsFree(view)) {
        MoveTopCard(view, DiscardPileView);
        TakeFromTable(view);
        ++MoveCount;
    }
    CheckWin();
}

// ---- the stock -----------------------------------------------------------------------------------

void TPyramidForm::DeckPileViewClick()
{
    if (!PlayPileView->Cards->IsEmpty())
        MoveTopCard(PlayPileView, WastePileView);
    if (!DeckPileView->Cards->IsEmpty())
        TurnToPlay();
    else if (Pass == 3)
        return;  // after the last pass the play card only moves on to the waste
    else
        StartNewPass();
    Play(&TSoundManager::PlayStock);
    CheckWin();
    UpdateStock();
}

void TPyramidForm::TurnToPlay()
{
    DeckPileView->Cards->CardAt(TCardPile::Top)->FaceUp = true;
    MoveTopCard(DeckPileView, PlayPileView);
    ++MoveCount;
}

// The waste turns over into the stock, the card that went there first on top again,
// and that card comes up at once. The new pass itself is no move.
void TPyramidForm::StartNewPass()
{
    TCardPile *waste = WastePileView->Cards;
    UndoList->AddPileMove(WastePileView, DeckPileView, waste);
    DeckPileView->Cards->AddPile(waste);
    waste->Empty(false);
    DeckPileView->Cards->Flip();
    ++Pass;
    if (!DeckPileView->Cards->IsEmpty())
        TurnToPlay();
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

int TPyramidForm::UndoLastAction()
{
    UndoList->PeekLast();
    if (UndoList->LastTarget == DiscardPileView)
        return UndoRemoval();
    if (UndoList->LastSource == DeckPileView)
        return UndoStockTurn();
    if (LastIsNewPass())
        return UndoNewPass();
    UndoOrdinaryRecord();  // the play card moved on after the last pass: no move
    return 0;
}

bool TPyramidForm::LastIsNewPass()
{
    UndoList->PeekLast();
    return UndoList->LastSource == WastePileView && UndoList->LastTarget == DeckPileView;
}

bool TPyramidForm::LastIsPlayToWaste()
{
    UndoList->PeekLast();
    return UndoList->LastSource == PlayPileView && UndoList->LastTarget == WastePileView;
}

// A pair is two records, a King one; either way it was one move.
int TPyramidForm::UndoRemoval()
{
    const bool king = UndoList->LastPile->CardAt(0)->Value == FS_KING;
    UndoRemovalRecord();
    if (!king)
        UndoRemovalRecord();
    return 1;
}

void TPyramidForm::UndoRemovalRecord()
{
    UndoList->PeekLast();
    TCardPileView *source = UndoList->LastSource;
    UndoList->UndoLast();
    UndoList->DropLast();
    DiscardPileView->Paint();
    PutBackOnTable(source);
}

// The turned card goes back face down, with whatever the same click did before it:
// a new pass, and the previous play card's move to the waste.
int TPyramidForm::UndoStockTurn()
{
    UndoOrdinaryRecord();
    DeckPileView->Cards->CardAt(TCardPile::Top)->FaceUp = false;
    DeckPileView->Paint();
    if (LastIsNewPass())
        UndoNewPass();
    else if (LastIsPlayToWaste())
        UndoOrdinaryRecord();
    return 1;
}

// The stock's cards go back to the waste face up, in their order.
int TPyramidForm::UndoNewPass()
{
    UndoList->PeekLast();
    UndoList->UndoLast();
    for (int i = 0; i < UndoList->LastPile->Count(); ++i)
        UndoList->LastPile->CardAt(i)->FaceUp = true;
    UndoList->DropLast();
    WastePileView->Paint();
    DeckPileView->Paint();
    --Pass;
    if (LastIsPlayToWaste())
        UndoOrdinaryRecord();
    return 0;
}
