// SPDX-License-Identifier: MIT
// The common game window's play: the drag protocol around the game's two questions,
// the gestures every game shares, the moves that record themselves, autoplay, and
// undo's skeleton.
#include "games/GameForm.h"

#include "cards/Rules.h"
#include "shell/Sounds.h"

// ---- the drag protocol and the shared gestures ----------------------------------------

void TGameForm::ViewMouseDown(TCardPileView *view, TMouseButton button, TShiftState shift)
{
    if (button == mbMiddle) {
        DeckPileViewClick();
        return;
    }
    view->CanDrag = false;
    TCard *card = view->SelectedCard;
    if (button != mbLeft || !card)
        return;
    if ((shift & (ssShift | ssCtrl)) && sendsHome(view)) {
        SendHome(view);
        return;
    }
    view->CanDrag = view->AllowDrag && MayDrag(view, card);
}

QList<TCardPileView *> TGameForm::DefaultTargets() const
{
    return ViewsOf(PileRole::Column) + ViewsOf(PileRole::Foundation);
}

void TGameForm::ViewStartDrag(TCardPileView *source)
{
    if (!source->DropTarget) {
        for (TCardPileView *target : DefaultTargets())
            if (target != source && MayDrop(target, source, source->DragPile)) {
                source->DropTarget = target;
                break;
            }
    }
    source->Paint();
}

void TGameForm::ViewDragOver(TCardPileView *target, TCardPileView *source)
{
    if (target != source && MayDrop(target, source, source->DragPile))
        source->DropTarget = target;
}

void TGameForm::ViewEndDrag(TCardPileView *source)
{
    if (!source->DropTarget)
        return;
    RecordDrag(source);
    AfterMove(source);
    MoveDone();
}

void TGameForm::RecordDrag(TCardPileView *source)
{
    UndoList->AddPileMove(source, source->DropTarget, source->DragPile);
}

void TGameForm::MoveDone()
{
    ++MoveCount;
    CheckWin();
}

TCard *TGameForm::MoveTopCard(TCardPileView *from, TCardPileView *to)
{
    TCard *card = from->Cards->CardAt(TCardPile::Top);
    if (!card)
        return nullptr;
    from->Cards->RemoveCard(card);
    to->Cards->AddCard(card);
    from->Paint();
    to->Paint();
    UndoList->AddCardMove(from, to, card);
    return card;
}

bool TGameForm::TurnUpTop(TCardPileView *view)
{
    TCard *top = view->Cards->CardAt(TCardPile::Top);
    if (!top || top->FaceUp)
        return false;
    top->FaceUp = true;
    view->Paint();
    UndoList->AddCardMove(view, view, top);
    return true;
}

TCardPileView *TGameForm::HomeFor(const TCard *card) const
{
    for (TCardPileView *foundation : ViewsOf(PileRole::Foundation))
        if (Rules::FitsFoundation(card, foundation->Cards))
            return foundation;
    return nullptr;
}

void TGameForm::SendHome(TCardPileView *view)
{
    TCard *card = view->Cards->CardAt(TCardPile::Top);
    TCardPileView *home = card && card->FaceUp ? HomeFor(card) : nullptr;
    if (!home)
        return;
    MoveTopCard(view, home);
    Play(&TSoundManager::PlayAutoplay);
    // What the send caused is booked before the autoplay pass that the win check
    // runs, so that an undo pairs each send with its own follow-ups.
    AfterMove(view);
    MoveDone();
}

QList<TCardPileView *> TGameForm::AutoplaySources() const
{
    return ViewsOf(PileRole::Column) + ViewsOf(PileRole::Cell) + ViewsOf(PileRole::Waste);
}

void TGameForm::AutoplayPass()
{
    if (!description.hasAutoplay || !DoAutoplay)
        return;
    for (TCardPileView *view : AutoplaySources()) {
        TCard *top = view->Cards->CardAt(TCardPile::Top);
        if (top && top->FaceUp && HomeFor(top)) {
            SendHome(view);
            return;  // the send's own win check runs the next pass
        }
    }
}

void TGameForm::FormMouseDown(TMouseButton button, TShiftState)
{
    if (button == mbMiddle)
        DeckPileViewClick();
}

void TGameForm::FormKeyPress(QChar key)
{
    if (key == QLatin1Char(' '))
        DeckPileViewClick();
}


// ---- undo, score, win ---------------------------------------------------------------

void TGameForm::UndoOrdinaryRecord()
{
    UndoList->PeekLast();
    if (!UndoList->LastSource)
        return;
    UndoList->UndoLast();
    UndoList->LastSource->Paint();
    UndoList->LastTarget->Paint();
    UndoList->DropLast();
}

void TGameForm::UndoTurnRecord()
{
    UndoList->PeekLast();
    UndoList->UndoLast();
    if (TCard *top = UndoList->LastSource->Cards->CardAt(TCardPile::Top))
        top->FaceUp = false;
    UndoList->LastSource->Paint();
    UndoList->DropLast();
}

int TGameForm::UndoLastAction()
{
    // A turned-up card goes back with the move that exposed it.
    UndoList->PeekLast();
    if (UndoList->LastSource == UndoList->LastTarget)
        UndoTurnRecord();
    UndoOrdinaryRecord();
    return 1;
}

void TGameForm::Undo1Click()
{
    UndoList->PeekLast();
    if (!UndoList->LastSource)
        return;
    const bool quiet = QuietUndo();
    MoveCount = qMax(0, MoveCount - UndoLastAction());
    if (!quiet)
        Play(&TSoundManager::PlayUndo);
    AfterUndo();
    ShowScore();
}
