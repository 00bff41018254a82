// SPDX-License-Identifier: MIT
#include "games/CellGameForm.h"

#include "cards/Rules.h"
#include "shell/Sounds.h"

TCellGameForm::TCellGameForm(GameDescription description, CardScale scale, QWidget *parent)
    : TGameForm(std::move(description), scale, parent),
      Tableau(ViewsOf(PileRole::Column)),
      Foundations(ViewsOf(PileRole::Foundation)),
      FreeCells(ViewsOf(PileRole::Cell))
{
}

int TCellGameForm::EmptyCellCount() const
{
    int empty = 0;
    for (const TCardPileView *cell : FreeCells)
        empty += cell->Cards->IsEmpty() ? 1 : 0;
    return empty;
}

TCardPileView *TCellGameForm::FirstEmptyCell() const
{
    for (TCardPileView *cell : FreeCells)
        if (cell->Cards->IsEmpty())
            return cell;
    return nullptr;
}

// ---- the two questions ------------------------------------------------------------

bool TCellGameForm::MayDrag(TCardPileView *view, TCard *card)
{
    const int carried = view->Cards->Count() - view->Cards->CardIndex(card);
    if (FreeCells.contains(view))
        return carried == 1;
    return Tableau.contains(view) && carried <= EmptyCellCount() + 1 && IsRunFrom(view->Cards, card);
}

bool TCellGameForm::MayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards)
{
    if (target == source || cards->IsEmpty())
        return false;
    if (Tableau.contains(target))
        return FitsColumn(cards, target);
    if (Foundations.contains(target))
        return cards->Count() == 1 && Rules::FitsFoundation(cards->CardAt(0), target->Cards);
    if (FreeCells.contains(target))
        return cards->Count() == 1 && target->Cards->IsEmpty();
    return false;
}

// ---- sends ------------------------------------------------------------------------------

// The top card goes to its foundation with a sound, or quietly into the first empty
// free cell, even from another free cell. Moved or not, the win check follows.
void TCellGameForm::SendHome(TCardPileView *view)
{
    if (TCard *card = view->Cards->CardAt(TCardPile::Top)) {
        if (TCardPileView *home = HomeFor(card)) {
            MoveTopCard(view, home);
            Play(&TSoundManager::PlayAutoplay);
            ++MoveCount;
        } else if (TCardPileView *cell = FirstEmptyCell()) {
            MoveTopCard(view, cell);
            ++MoveCount;
        }
    }
    CheckWin();
}

void TCellGameForm::ViewMouseDown(TCardPileView *view, TMouseButton button, TShiftState shift)
{
    if (button == mbMiddle && Tableau.contains(view)) {
        view->CanDrag = false;
        SendHome(view);
        return;
    }
    TGameForm::ViewMouseDown(view, button, shift);
}

// Every record is one move of the player's or of autoplay: one click, one card or run.
int TCellGameForm::UndoLastAction()
{
    UndoOrdinaryRecord();
    return 1;
}
