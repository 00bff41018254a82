// SPDX-License-Identifier: MIT
#include "games/KlondikeWindow.h"

#include "cards/Rules.h"
#include "games/GameRegistry.h"
#include "shell/Sounds.h"

#include <QAction>

QPointer<TKlondikeForm> KlondikeForm;
QPointer<TsKlondikeForm> sKlondikeForm;
static const GameRegistration<TKlondikeForm, TsKlondikeForm> registration("Klondike", KlondikeForm, sKlondikeForm);

namespace {

GameDescription klondike()
{
    GameDescription d;
    d.caption = QStringLiteral("Klondike");
    d.scorePrefix = QStringLiteral("Klondike   Score: ");
    d.helpTopic = 1007;
    d.restartPrompt = QStringLiteral("Restart this game of Klondike?");
    d.quitPrompt = QStringLiteral("Quit this game of Klondike?");
    d.large = {672, 491, 672, 480, false, 154, 0, QStringLiteral("Klondike"), QStringLiteral("Klondike")};
    d.small = {510, 392, 510, 300, false, 122, 0, QStringLiteral("sKlondike"), QStringLiteral("Klondike")};
    d.layout
        .pile(QStringLiteral("DeckPileView"), PileRole::Stock, {8, 8, 121, 129, 1.0f, 0.2f}, {8, 8, 96, 101, 1.0f, 0.2f})
        .withState(FS_RECYCLE)
        .pile(QStringLiteral("DiscardPileView"), PileRole::Waste, {144, 8, 137, 129, 20.0f, 2.0f},
              {120, 8, 107, 101, 20.0f, 2.0f}, Draggable | SendsHome)
        .series(QStringLiteral("FoundationPile"), 4, PileRole::Foundation, {296, 8, 80, 125}, {96, 0},
                {248, 8, 61, 95}, {64, 0}, Bordered)
        .series(QStringLiteral("TableauPileView"), 7, PileRole::Column, {8, 152, 80, 337, 0, 20.0f}, {96, 0},
                {8, 120, 61, 270, 0, 16.0f}, {72, 0}, Draggable | SendsHome)
        .pile(QStringLiteral("RecyclePileView"), PileRole::Holding, {640, 112, 25, 25}, {464, 104, 25, 25}, Hidden,
              FS_BLANK, Qt::black);
    return d;
}

}  // namespace

TKlondikeForm::TKlondikeForm(QWidget *parent) : TKlondikeForm(CardScale::Large, parent) {}

TKlondikeForm::TKlondikeForm(CardScale scale, QWidget *parent)
    : TGameForm(klondike(), scale, parent),
      DeckPileView(View(QStringLiteral("DeckPileView"))),
      DiscardPileView(View(QStringLiteral("DiscardPileView"))),
      RecyclePileView(View(QStringLiteral("RecyclePileView"))),
      Tableau(ViewsOf(PileRole::Column)),
      Foundations(ViewsOf(PileRole::Foundation))
{
    const Choice draw = AddChoice(QStringLiteral("DrawThree1"), QStringLiteral("Draw Three"), QStringLiteral("DrawOne1"),
                                  QStringLiteral("Draw One"), QStringLiteral("DrawThree"), true, &DrawThree, true);
    DrawThree1 = draw.whenTrue;
    DrawOne1 = draw.whenFalse;
}

// ---- the deal -----------------------------------------------------------------------

void TKlondikeForm::DealCards(bool animate)
{
    DeckPileView->XOffset = 0.4f;
    DeckPileView->YOffset = 0.1f;
    DeckPileView->Paint();
    for (int row = 1; row <= 7; ++row) {
        for (int column = row; column <= 7; ++column)
            DealCard(Tableau[column - 1], column == row, animate);
        PlayDealStep(DeckPileView);
    }
    DeckPileView->XOffset = 1.0f;
    DeckPileView->YOffset = 0.2f;
    DeckPileView->Paint();
    UpdateStock();
}

// ---- the stock and the waste ----------------------------------------------------------

void TKlondikeForm::DeckPileViewClick()
{
    // Nothing to turn and nothing to turn over: the table stays as it is.
    if (DeckPileView->Cards->IsEmpty() && DiscardPileView->Cards->IsEmpty() && RecyclePileView->Cards->IsEmpty())
        return;
    LockChoices();
    if (DeckPileView->Cards->IsEmpty())
        TurnOverWaste();
    DrawFromStock();
    Play(&TSoundManager::PlayStock);
    AutoplayPass();
    UpdateStock();
}

void TKlondikeForm::DrawFromStock()
{
    TCardPile drawn;
    TCardPile *stock = DeckPileView->Cards;
    for (int i = 1; i <= BatchSize() && !stock->IsEmpty(); ++i) {
        if (i == 1) {
            MoveBatchToRecycle();
            ++MoveCount;
        }
        drawn.AddCard(DealCard(DiscardPileView, true, false));
        DeckPileView->Paint();
        DiscardPileView->Paint();
    }
    UndoList->AddPileMove(DeckPileView, DiscardPileView, &drawn);
}

// The previous batch leaves the visible waste for the hidden pile beneath it.
void TKlondikeForm::MoveBatchToRecycle()
{
    TCardPile batch;
    TCardPile *waste = DiscardPileView->Cards;
    for (int i = 0; i < BatchSize() && !waste->IsEmpty(); ++i) {
        TCard *card = waste->CardAt(0);
        waste->RemoveCard(card);
        RecyclePileView->Cards->AddCard(card);
        batch.AddCard(card);
    }
    UndoList->AddPileMove(DiscardPileView, RecyclePileView, &batch);
}

// The whole waste goes back to the stock, the card turned first on top again.
void TKlondikeForm::TurnOverWaste()
{
    MoveBatchToRecycle();
    TCardPile *held = RecyclePileView->Cards;
    UndoList->AddPileMove(RecyclePileView, DeckPileView, held);
    held->CopyPileTo(DeckPileView->Cards);
    DeckPileView->Cards->Flip();
    held->Empty(false);
    DiscardPileView->Paint();
    DeckPileView->Paint();
}

void TKlondikeForm::UpdateStock()
{
    const int count = DeckPileView->Cards->Count();
    if (count > 0) {
        DeckPileView->SetHint(QString::number(count));
        return;
    }
    DeckPileView->SetHint(QString());
    const bool wasteHasCards = !RecyclePileView->Cards->IsEmpty() || !DiscardPileView->Cards->IsEmpty();
    DeckPileView->State = wasteHasCards ? FS_RECYCLE : FS_BLANK;
    DeckPileView->Paint();
}

// When the visible waste runs out, the previous batch comes back to it.
void TKlondikeForm::RefillWaste()
{
    TCardPile *waste = DiscardPileView->Cards;
    TCardPile *held = RecyclePileView->Cards;
    if (!waste->IsEmpty() || held->IsEmpty())
        return;
    for (int i = 0; i < BatchSize() && !held->IsEmpty(); ++i) {
        TCard *card = held->CardAt(TCardPile::Top);
        held->RemoveCard(card);
        waste->InsertCard(card, 0);
    }
    DiscardPileView->Paint();
    UndoList->AddPileMove(RecyclePileView, DiscardPileView, waste);
}

// ---- the two questions ------------------------------------------------------------------

bool TKlondikeForm::MayDrag(TCardPileView *view, TCard *card)
{
    if (view == DiscardPileView)
        return card == view->Cards->CardAt(TCardPile::Top);
    return card->FaceUp && Rules::IsAlternatingRunFrom(view->Cards, card);
}

bool TKlondikeForm::MayDrop(TCardPileView *target, TCardPileView *, const TCardPile *cards)
{
    const TCard *moving = cards->CardAt(0);
    const TCard *top = target->Cards->CardAt(TCardPile::Top);
    if (Tableau.contains(target))
        return top ? Rules::IsOneLowerOtherColour(moving, top) : moving->Value == FS_KING;
    if (Foundations.contains(target))
        return cards->Count() == 1 && Rules::FitsFoundation(moving, target->Cards);
    return false;
}

// A move from the waste brings the previous batch back; one from a column turns up
// the card it uncovered.
void TKlondikeForm::AfterMove(TCardPileView *source)
{
    RefillWaste();
    if (Tableau.contains(source))
        TurnUpTop(source);
    UpdateStock();
}

void TKlondikeForm::AutoplayPass()
{
    TGameForm::AutoplayPass();
    UpdateStock();
}

// ---- undo ------------------------------------------------------------------------------------

int TKlondikeForm::UndoLastAction()
{
    UndoList->PeekLast();
    if (UndoList->LastSource == DeckPileView) {
        UndoDraw();
        // A click on the empty stock turned the waste over before it drew: one click,
        // one move, one undo.
        UndoList->PeekLast();
        if (UndoList->LastSource == RecyclePileView && UndoList->LastTarget == DeckPileView)
            UndoFromRecycle();
        return 1;
    }
    if (UndoList->LastSource == RecyclePileView) {
        UndoFromRecycle();
        return 1;
    }
    return TGameForm::UndoLastAction();
}

// The drawn cards go back to the stock, the first drawn on top, and the batch they
// covered returns to the visible waste.
void TKlondikeForm::UndoDraw()
{
    UndoList->LastPile->Flip();
    UndoList->UndoLast();
    DeckPileView->Paint();
    DiscardPileView->Paint();
    UndoList->DropLast();
    UndoOrdinaryRecord();
}

// A refill of the waste, or a turnover of it into the stock, goes back face up
// together with the move before it.
void TKlondikeForm::UndoFromRecycle()
{
    for (int i = 0; i < UndoList->LastPile->Count(); ++i)
        UndoList->LastPile->CardAt(i)->FaceUp = true;
    UndoList->UndoLast();
    UndoList->LastTarget->Paint();
    UndoList->DropLast();
    UndoOrdinaryRecord();
}
