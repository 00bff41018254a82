// SPDX-License-Identifier: MIT
#include "games/GolfWindow.h"

#include "games/GameRegistry.h"
#include "shell/Sounds.h"

#include <QAction>

QPointer<TGolfForm> GolfForm;
QPointer<TsGolfForm> sGolfForm;
static const GameRegistration<TGolfForm, TsGolfForm> registration("Golf", "GOLF", GolfForm, sGolfForm);

namespace {

GameDescription golf()
{
    GameDescription d;
    d.caption = QStringLiteral("Golf");
    d.helpTopic = 1005;
    d.hasAutoplay = false;
    d.canMaximize = false;
    // Both sizes keep their place and their option in the one section.
    d.large = {.clientWidth = 700, .clientHeight = 430, .fixedHeight = true, .optionsSection = QStringLiteral("Golf"), .placementSection = QStringLiteral("Golf")};
    d.small = {.clientWidth = 585, .clientHeight = 340, .fixedHeight = true, .optionsSection = QStringLiteral("Golf"), .placementSection = QStringLiteral("Golf")};
    d.layout
        .pile(QStringLiteral("DiscardPileView"), PileRole::Discard, {128, 288, 569, 125, 9.0f, 0},
              {112, 224, 473, 95, 7.0f, 0})
        .pile(QStringLiteral("DeckPileView"), PileRole::Stock, {8, 288, 113, 137, 0.4f, 0.2f},
              {8, 224, 97, 105, 0.4f, 0.2f})
        .series(QStringLiteral("TableauPileView"), 7, PileRole::Column, {24, 8, 80, 265, 0, 20.0f}, {96, 0},
                {24, 8, 61, 200, 0, 16.0f}, {80, 0}, Draggable);
    return d;
}

}  // namespace

TGolfForm::TGolfForm(QWidget *parent) : TGolfForm(CardScale::Large, parent) {}

TGolfForm::TGolfForm(CardScale scale, QWidget *parent)
    : GameWindow(golf(), scale, parent),
      DiscardPileView(viewOf(PileRole::Discard)),
      DeckPileView(viewOf(PileRole::Stock))
{
    KingStopsSequence1 = addOption(QStringLiteral("KingStopsSequence1"), QStringLiteral("King Stops Sequence"),
                                   QStringLiteral("KingStopsSequence"), true, &KingStops);
}

// ---- the deal -----------------------------------------------------------------------

void TGolfForm::dealCards(bool animate)
{
    for (int row = 1; row <= 5; ++row) {
        for (TCardPileView *column : std::as_const(Tableau))
            dealCard(column, true, animate);
        playDealStep(DeckPileView);
    }
    DeckPileView->Paint();
}

// The option may change again until the first press.
void TGolfForm::finishDeal() { KingStopsSequence1->setEnabled(true); }

// The first stock card starts the foundation: a move of its own, and the first
// record of the game.
void TGolfForm::openingMove()
{
    TurnStockCard(!firstDealDone);
    firstDealDone = true;
    ShowScore();
}

// ---- the stock ---------------------------------------------------------------------------

void TGolfForm::turnStock()
{
    TurnStockCard(false);
    CheckWin();
    KingStopsSequence1->setEnabled(false);
}

void TGolfForm::TurnStockCard(bool silent)
{
    if (TCard *card = DeckPileView->Cards->CardAt(TCardPile::Top)) {
        card->FaceUp = true;
        moveTopCard(DeckPileView, DiscardPileView);
        ++MoveCount;
        if (!silent)
            play(&TSoundManager::PlayStock);
    }
}

// ---- a press on a column -------------------------------------------------------------------

void TGolfForm::viewMouseDown(TCardPileView *view, Qt::MouseButton button, Qt::KeyboardModifiers shift)
{
    if (!Tableau.contains(view) || button == Qt::MiddleButton) {
        GameWindow::viewMouseDown(view, button, shift);
        return;
    }
    view->CanDrag = false;
    TCard *card = view->SelectedCard;
    if (button != Qt::LeftButton || !card)
        return;
    KingStopsSequence1->setEnabled(false);
    if (card != view->Cards->CardAt(TCardPile::Top) || DiscardPileView->Cards->IsEmpty())
        return;
    switch (pressOn(card)) {
    case Press::Plays: playCard(view); break;
    case Press::Drags: view->CanDrag = true; break;  // nothing takes it: it comes back
    case Press::Nothing: break;
    }
}

// One above or one below the foundation's top card; nothing goes on a King while the
// option holds, and the values do not wrap around.
TGolfForm::Press TGolfForm::pressOn(const TCard *card) const
{
    const CardValue top = DiscardPileView->Cards->CardAt(TCardPile::Top)->Value;
    if (top == FS_KING)
        return KingStops ? Press::Drags : card->Value == FS_QUEEN ? Press::Plays : Press::Nothing;
    if (top == FS_ACE)
        return card->Value == FS_TWO ? Press::Plays : Press::Nothing;
    return qAbs(int(card->Value) - int(top)) == 1 ? Press::Plays : Press::Drags;
}

void TGolfForm::playCard(TCardPileView *column)
{
    moveTopCard(column, DiscardPileView);
    moveDone();
}
