// SPDX-License-Identifier: MIT
#include "games/QueenItalyWindow.h"

#include "cards/Rules.h"
#include "games/GameRegistry.h"
#include "shell/Sounds.h"

QPointer<TQueenItalyForm> QueenItalyForm;
QPointer<TsQueenItalyForm> sQueenItalyForm;
static const GameRegistration<TQueenItalyForm, TsQueenItalyForm> registration("Queen of Italy", "QUEENITALY",
                                                                              QueenItalyForm, sQueenItalyForm);

namespace {

constexpr int FoundationSize = 13;

GameDescription queenOfItaly()
{
    GameDescription d;
    d.caption = QStringLiteral("Queen of Italy");
    d.helpTopic = 1010;
    d.winningScore = 104;
    d.decks = 2;
    d.autoplayCaption = QStringLiteral("&Autoplay");
    d.large = {.clientWidth = 882, .clientHeight = 700, .minimumHeight = 600, .columnHeightMargin = 427, .anchorMargin = 148, .optionsSection = QStringLiteral("QueenItaly"), .placementSection = QStringLiteral("QueenItaly")};
    d.small = {.clientWidth = 670, .clientHeight = 540, .minimumHeight = 480, .columnHeightMargin = 333, .anchorMargin = 116, .optionsSection = QStringLiteral("sQueenItaly"), .placementSection = QStringLiteral("sQueenItaly")};
    d.layout
        .pile(QStringLiteral("TerracePileView"), PileRole::Other, {344, 8, 225, 125, 12.0f, 0},
              {248, 8, 170, 95, 9.0f, 0}, Draggable | SendsHome)
        .series(QStringLiteral("FoundPile"), 8, PileRole::Foundation, {96, 139, 80, 125}, {88, 0}, {48, 107, 61, 95},
                {72, 0}, Bordered)
        .series(QStringLiteral("TableauPileView"), 9, PileRole::Column, {56, 272, 80, 273, 0, 20.0f}, {88, 0},
                {16, 208, 61, 207, 0, 16.0f}, {72, 0}, Draggable | SendsHome)
        .pile(QStringLiteral("DeckPileView"), PileRole::Stock, {12, 552, 117, 145, 0.2f, 0.2f},
              {12, 424, 89, 110, 0.2f, 0.2f})
        .withState(FS_RECYCLE)
        .pile(QStringLiteral("DiscardPileView"), PileRole::Waste, {136, 552, 745, 125, 12.0f, 0},
              {104, 424, 566, 95, 9.0f, 0}, Draggable | SendsHome | ClosesUp);
    return d;
}

}  // namespace

TQueenItalyForm::TQueenItalyForm(QWidget *parent) : TQueenItalyForm(CardScale::Large, parent) {}

TQueenItalyForm::TQueenItalyForm(CardScale scale, QWidget *parent)
    : GameWindow(queenOfItaly(), scale, parent),
      TerracePileView(viewOf(PileRole::Other)),
      DeckPileView(viewOf(PileRole::Stock)),
      DiscardPileView(viewOf(PileRole::Waste))
{
    move(160, 48);  // where the window first opens; later it opens where it was left
}

// ---- the deal and the choice of the base ------------------------------------------------

// Eleven cards to the terrace, then one each to the first four columns: the cards
// from which the player chooses the base.
void TQueenItalyForm::dealCards(bool animate)
{
    BaseChosen = false;
    StockTurned = false;
    Turnovers = 0;
    for (int i = 0; i < 11; ++i)
        dealCard(TerracePileView, true, animate);
    playDealStep(DeckPileView);
    for (int c = 0; c < 4; ++c) {
        dealCard(Tableau[c], true, animate);
        playDealStep(DeckPileView);
    }
    DeckPileView->Paint();
    UpdateStock();
}

// Until the base is chosen, a press on a column's card chooses it and nothing else
// can be done.
void TQueenItalyForm::viewMouseDown(TCardPileView *view, Qt::MouseButton button, Qt::KeyboardModifiers shift)
{
    if (BaseChosen) {
        GameWindow::viewMouseDown(view, button, shift);
        return;
    }
    view->CanDrag = false;
    if (button == Qt::LeftButton && view->SelectedCard && Tableau.contains(view))
        chooseBase(view);
}

// The pressed card starts the first foundation; it is part of the deal, so it is
// neither a move nor undone.
void TQueenItalyForm::chooseBase(TCardPileView *column)
{
    TCard *card = column->SelectedCard;
    column->Cards->RemoveCard(card);
    Foundations[0]->Cards->AddCard(card);
    column->Paint();
    Foundations[0]->Paint();
    BaseChosen = true;
    BaseValue = card->Value;
    FillColumns();
    ShowScore();
    startFromThisTable();
}

void TQueenItalyForm::FillColumns()
{
    const bool animate = animationOn();
    for (TCardPileView *column : std::as_const(Tableau)) {
        if (!column->Cards->IsEmpty())
            continue;
        dealCard(column, true, animate);
        if (animate)
            play(&TSoundManager::PlayDeal);
    }
    DeckPileView->Paint();
    refreshTable();
    for (TCardPileView *column : std::as_const(Tableau))
        column->update();
}

// ---- the stock and the waste ----------------------------------------------------------------

void TQueenItalyForm::turnStock()
{
    if (!BaseChosen)
        return;
    if (DeckPileView->Cards->IsEmpty()) {
        if (DiscardPileView->Cards->IsEmpty())
            return;  // nothing to turn over
        turnOverWasteToStock();
    }
    TurnStockCard();
    CheckWin();
}

// The waste goes back to the stock face down, the card turned first on top.
void TQueenItalyForm::turnOverWasteToStock()
{
    turnOverWaste(DiscardPileView, DeckPileView);
    ++Turnovers;
    StockTurned = true;
}

// Before the first turnover a card may always be turned; after it only onto an empty waste.
void TQueenItalyForm::TurnStockCard()
{
    TCard *card = DeckPileView->Cards->CardAt(TCardPile::Top);
    if (card && !(StockTurned && !DiscardPileView->Cards->IsEmpty())) {
        card->FaceUp = true;
        moveTopCard(DeckPileView, DiscardPileView);
        ++MoveCount;
        play(&TSoundManager::PlayStock);
    }
    UpdateStock();
}

void TQueenItalyForm::UpdateStock()
{
    DeckPileView->State = StockTurned ? FS_BLANK : FS_RECYCLE;
    DeckPileView->Paint();
}

// ---- the two questions ------------------------------------------------------------------

bool TQueenItalyForm::mayDrag(TCardPileView *view, TCard *card)
{
    return card == view->Cards->CardAt(TCardPile::Top);
}

bool TQueenItalyForm::mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards)
{
    const TCard *moving = cards->CardAt(0);
    if (Tableau.contains(target)) {
        const TCard *top = target->Cards->CardAt(TCardPile::Top);
        if (source == TerracePileView)
            return false;
        return !top || (Rules::isOneLowerWrapping(moving, top) && Rules::otherColour(moving, top));
    }
    if (Foundations.contains(target))
        return cards->Count() == 1 && fitsFoundation(moving, target);
    return false;
}

// A foundation starts with the base value and takes thirteen cards of its suit,
// going round from King to Ace.
bool TQueenItalyForm::fitsFoundation(const TCard *card, const TCardPileView *foundation) const
{
    const TCard *top = foundation->Cards->CardAt(TCardPile::Top);
    if (!BaseChosen)
        return false;
    if (!top)
        return card->Value == BaseValue;
    return foundation->Cards->Count() < FoundationSize && top->Suit == card->Suit
        && Rules::isOneLowerWrapping(top, card);
}

TCardPileView *TQueenItalyForm::homeFor(const TCard *card) const
{
    for (TCardPileView *foundation : Foundations)
        if (fitsFoundation(card, foundation))
            return foundation;
    return nullptr;
}

QList<TCardPileView *> TQueenItalyForm::autoplaySources() const
{
    return QList<TCardPileView *>{TerracePileView} + Tableau + QList<TCardPileView *>{DiscardPileView};
}
