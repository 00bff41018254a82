// SPDX-License-Identifier: MIT
// The common game window's play: the drag protocol around the game's two questions,
// the gestures every game shares, the moves that record themselves and autoplay.
#include "games/GameWindow.h"

#include "cards/Rules.h"
#include "shell/Sounds.h"

// ---- the drag protocol and the shared gestures ----------------------------------------

void GameWindow::viewMouseDown(TCardPileView *view, Qt::MouseButton button, Qt::KeyboardModifiers shift)
{
    view->CanDrag = false;
    if (button == Qt::MiddleButton) {
        if (description.middleButtonSends && Tableau.contains(view))
            sendHome(view);
        else
            DeckPileViewClick();
        return;
    }
    TCard *card = view->SelectedCard;
    if (button != Qt::LeftButton || !card)
        return;
    if ((shift & (Qt::ShiftModifier | Qt::ControlModifier)) && sendsHome(view)) {
        sendHome(view);
        return;
    }
    view->CanDrag = view->AllowDrag && mayDrag(view, card);
}

QList<TCardPileView *> GameWindow::defaultTargets(const TCardPileView *) const
{
    QList<TCardPileView *> targets;
    for (TCardPileView *column : Tableau)
        if (!column->Cards->IsEmpty())
            targets.append(column);
    return targets + Tableau + Foundations;
}

void GameWindow::viewStartDrag(TCardPileView *source)
{
    if (!source->DropTarget) {
        for (TCardPileView *target : defaultTargets(source))
            if (target != source && mayDrop(target, source, source->DragPile)) {
                source->DropTarget = target;
                break;
            }
    }
    showWhileHolding(source);
    source->Paint();
}

// Cards that pair off land on the discard pile; a pile may pair its top cards.
void GameWindow::viewDragOver(TCardPileView *target, TCardPileView *source)
{
    if (!description.dropTargetSticks)
        source->DropTarget = nullptr;
    if ((target != source || pairsOff(target)) && mayDrop(target, source, source->DragPile))
        source->DropTarget = pairsOff(target) ? viewOf(PileRole::Discard) : target;
}

// The partner of cards that paired off follows them, on top, in the same action.
void GameWindow::viewEndDrag(TCardPileView *source, TCardPileView *over)
{
    if (!source->DropTarget)
        return;
    recordDrag(source);
    if (pairsOff(over))
        moveTopCard(over, source->DropTarget);
    afterMove(source);
    moveDone();
}

void GameWindow::recordDrag(TCardPileView *source)
{
    UndoList->AddPileMove(source, source->DropTarget, source->DragPile);
}

void GameWindow::moveDone()
{
    ++MoveCount;
    refreshTable();
    CheckWin();
}

void GameWindow::refreshTable()
{
    for (TCardPileView *view : std::as_const(views))
        showWhileHolding(view);
    for (TCardPileView *stock : viewsOf(PileRole::Stock)) {
        const int count = stock->Cards->Count();
        stock->SetHint(count > 0 ? QString::number(count) : QString());
    }
    tableChanged();
    commitAction();
    Q_EMIT tableRefreshed();
}

void GameWindow::DeckPileViewClick()
{
    beginAction();
    turnStock();
    refreshTable();
}

TCard *GameWindow::moveTopCard(TCardPileView *from, TCardPileView *to)
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

bool GameWindow::TurnUpTop(TCardPileView *view)
{
    TCard *top = view->Cards->CardAt(TCardPile::Top);
    if (!top || top->FaceUp)
        return false;
    top->FaceUp = true;
    view->Paint();
    UndoList->AddCardMove(view, view, top);
    return true;
}

TCardPileView *GameWindow::homeFor(const TCard *card) const
{
    for (TCardPileView *foundation : Foundations)
        if (Rules::fitsFoundation(card, foundation->Cards))
            return foundation;
    return nullptr;
}

void GameWindow::sendHome(TCardPileView *view)
{
    beginAction();
    TCard *card = view->Cards->CardAt(TCardPile::Top);
    TCardPileView *home = card && card->FaceUp ? homeFor(card) : nullptr;
    if (!home) {
        CheckWin();  // a send that finds no home still ends with the win check and its autoplay
        return;
    }
    moveTopCard(view, home);
    play(&TSoundManager::PlayAutoplay);
    // What the send caused is booked before the autoplay pass that the win check
    // runs, so that an undo pairs each send with its own follow-ups.
    afterMove(view);
    moveDone();
}

QList<TCardPileView *> GameWindow::autoplaySources() const
{
    return viewsOf(PileRole::Column) + viewsOf(PileRole::Cell) + viewsOf(PileRole::Waste);
}

void GameWindow::AutoplayPass()
{
    if (!description.hasAutoplay || !DoAutoplay)
        return;
    commitAction();  // each send is an action of its own, apart from what came before
    for (TCardPileView *view : autoplaySources()) {
        TCard *top = view->Cards->CardAt(TCardPile::Top);
        if (top && top->FaceUp && homeFor(top)) {
            sendHome(view);
            return;  // the send's own win check runs the next pass
        }
    }
}

// ---- the waste turned over ----------------------------------------------------------

void GameWindow::turnOverWaste(TCardPileView *waste, TCardPileView *stock)
{
    TCardPile *cards = waste->Cards;
    UndoList->AddPileMove(waste, stock, cards);
    for (int i = cards->Count() - 1; i >= 0; --i) {
        cards->CardAt(i)->FaceUp = false;
        stock->Cards->AddCard(cards->CardAt(i));
    }
    cards->Empty(false);
    waste->Paint();
    stock->Paint();
}
