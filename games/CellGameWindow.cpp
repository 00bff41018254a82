// SPDX-License-Identifier: MIT
#include "games/CellGameWindow.h"

#include "cards/Rules.h"
#include "shell/Sounds.h"

namespace {

// The middle button on a column sends its top card, as a double-click does.
GameDescription withMiddleButtonSends(GameDescription description)
{
    description.middleButtonSends = true;
    return description;
}

}  // namespace

CellGameWindow::CellGameWindow(GameDescription description, CardScale scale, QWidget *parent)
    : GameWindow(withMiddleButtonSends(std::move(description)), scale, parent)
{
}

int CellGameWindow::emptyCellCount() const
{
    int empty = 0;
    for (const TCardPileView *cell : FreeCells)
        empty += cell->Cards->IsEmpty() ? 1 : 0;
    return empty;
}

TCardPileView *CellGameWindow::firstEmptyCell() const
{
    for (TCardPileView *cell : FreeCells)
        if (cell->Cards->IsEmpty())
            return cell;
    return nullptr;
}

// ---- the two questions ------------------------------------------------------------

bool CellGameWindow::mayDrag(TCardPileView *view, TCard *card)
{
    const int carried = view->Cards->Count() - view->Cards->CardIndex(card);
    if (FreeCells.contains(view))
        return carried == 1;
    return Tableau.contains(view) && carried <= emptyCellCount() + 1 && isRunFrom(view->Cards, card);
}

bool CellGameWindow::mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards)
{
    if (target == source || cards->IsEmpty())
        return false;
    if (Tableau.contains(target))
        return fitsColumn(cards, target);
    if (Foundations.contains(target))
        return cards->Count() == 1 && Rules::fitsFoundation(cards->CardAt(0), target->Cards);
    if (FreeCells.contains(target))
        return cards->Count() == 1 && target->Cards->IsEmpty();
    return false;
}

// ---- sends ------------------------------------------------------------------------------

// The top card goes to its foundation with a sound, or quietly into the first empty
// free cell, even from another free cell. Moved or not, the win check follows.
void CellGameWindow::sendHome(TCardPileView *view)
{
    if (TCard *card = view->Cards->CardAt(TCardPile::Top)) {
        if (TCardPileView *home = homeFor(card)) {
            moveTopCard(view, home);
            play(&TSoundManager::PlayAutoplay);
            ++MoveCount;
        } else if (TCardPileView *cell = firstEmptyCell()) {
            moveTopCard(view, cell);
            ++MoveCount;
        }
    }
    CheckWin();
}
