// SPDX-License-Identifier: MIT
#include "games/IndianPatienceWindow.h"

#include "cards/Rules.h"
#include "games/GameRegistry.h"
#include "shell/Sounds.h"

QPointer<TIndianPatienceForm> IndianPatienceForm;
QPointer<TsIndianPatienceForm> sIndianPatienceForm;
static const GameRegistration<TIndianPatienceForm, TsIndianPatienceForm> registration("Indian Patience", "INDIAN",
                                                                                      IndianPatienceForm,
                                                                                      sIndianPatienceForm);

namespace {

constexpr int ColumnCount = 10;

GameDescription indianPatience()
{
    GameDescription d;
    d.caption = QStringLiteral("Indian Patience");
    d.helpTopic = 1006;
    d.winningScore = 104;
    d.promptThreshold = 10;
    d.decks = 2;
    d.newGameName = QStringLiteral("NewDeal1");
    d.restartName = QStringLiteral("Redeal1");
    d.preferencesCaption = QStringLiteral("Pre&ferences...");
    d.large = {.clientWidth = 885, .clientHeight = 675, .minimumHeight = 600, .columnHeightMargin = 298, .anchorMargin = 129, .optionsSection = QStringLiteral("IndianPatience"), .placementSection = QStringLiteral("IndianPatience")};
    d.small = {.clientWidth = 725, .clientHeight = 520, .minimumHeight = 520, .columnHeightMargin = 250, .anchorMargin = 102, .optionsSection = QStringLiteral("IndianPatience"), .placementSection = QStringLiteral("sIndianPatience")};
    d.layout
        .pile(QStringLiteral("DeckPileView"), PileRole::Stock, {8, 8, 137, 145, 0.4f, 0.2f}, {8, 8, 107, 113, 0.4f, 0.2f})
        .pile(QStringLiteral("DiscardPileView"), PileRole::Waste, {152, 8, 729, 125, 12.0f, 0},
              {128, 8, 593, 95, 9.0f, 0}, Draggable | SendsHome | ClosesUp)
        .series(QStringLiteral("TableauPile"), ColumnCount, PileRole::Column, {8, 160, 80, 377, 0, 20.0f}, {88, 0},
                {8, 136, 61, 270, 0, 16.0f}, {72, 0}, Draggable | SendsHome)
        .series(QStringLiteral("FoundPile"), 8, PileRole::Foundation, {96, 546, 80, 125}, {88, 0}, {79, 418, 61, 95},
                {72, 0}, Bordered);
    return d;
}

}  // namespace

TIndianPatienceForm::TIndianPatienceForm(QWidget *parent) : TIndianPatienceForm(CardScale::Large, parent) {}

TIndianPatienceForm::TIndianPatienceForm(CardScale scale, QWidget *parent)
    : GameWindow(indianPatience(), scale, parent),
      DeckPileView(viewOf(PileRole::Stock)),
      DiscardPileView(viewOf(PileRole::Waste)),
      BaseCards(ColumnCount, nullptr)
{
}

// ---- the deal and the stock ----------------------------------------------------------

// Three rows: the first face down, each of its cards its column's base card.
void TIndianPatienceForm::dealCards(bool animate)
{
    for (int row = 1; row <= 3; ++row) {
        for (int column = 0; column < ColumnCount; ++column) {
            TCard *card = dealCard(Tableau[column], row > 1, animate);
            if (row == 1)
                BaseCards[column] = card;
        }
        playDealStep(DeckPileView);
    }
}

void TIndianPatienceForm::turnStock()
{
    if (TCard *top = DeckPileView->Cards->CardAt(TCardPile::Top)) {
        top->FaceUp = true;
        moveTopCard(DeckPileView, DiscardPileView);
        ++MoveCount;
        play(&TSoundManager::PlayStock);
        applyBaseCardRule();
    }
    AutoplayPass();
}

// ---- base cards and refills --------------------------------------------------------------

// While the stock lasts, a column's lowest card lies face down under the others and
// face up when alone; once the stock is empty, nothing is locked.
void TIndianPatienceForm::applyBaseCardRule()
{
    const bool stockLasts = !DeckPileView->Cards->IsEmpty();
    for (int i = 0; i < ColumnCount; ++i) {
        TCardPile *cards = Tableau[i]->Cards;
        BaseCards[i] = cards->CardAt(0);
        if (BaseCards[i] && BaseCards[i]->FaceUp && cards->Count() > 1 && stockLasts) {
            BaseCards[i]->FaceUp = false;
            Tableau[i]->Paint();
        }
    }
    for (int i = 0; i < ColumnCount; ++i) {
        TCard *top = Tableau[i]->Cards->CardAt(TCardPile::Top);
        if (top && top == BaseCards[i] && !top->FaceUp) {
            top->FaceUp = true;
            Tableau[i]->Paint();
        }
    }
    if (!stockLasts)
        BaseCards.fill(nullptr);
}

void TIndianPatienceForm::refillEmptyColumns()
{
    for (int column = 0; column < ColumnCount; ++column)
        if (Tableau[column]->Cards->IsEmpty() && !DeckPileView->Cards->IsEmpty())
            Refill(column);
}

// Up to three cards, the first face down as the new base card; booked as one move.
void TIndianPatienceForm::Refill(int column)
{
    TCardPileView *view = Tableau[column];
    for (int i = 0; i < 3 && !DeckPileView->Cards->IsEmpty(); ++i) {
        dealCard(view, i > 0, false);
        DeckPileView->Paint();
        view->Paint();
    }
    BaseCards[column] = view->Cards->CardAt(0);
    play(&TSoundManager::PlayDeal);
    if (view->Cards->Count() == 1)
        view->Cards->CardAt(0)->FaceUp = true;
    UndoList->AddPileMove(DeckPileView, view, view->Cards);
    ++MoveCount;
}

// A move from a column may empty it: it is refilled and the base cards are settled,
// each before the win check and its autoplay.
void TIndianPatienceForm::afterMove(TCardPileView *)
{
    refillEmptyColumns();
    turnUpLoneCards();
    applyBaseCardRule();
}

// A card left alone in its column turns face up, booked so that the undo of the move
// that uncovered it turns it down again, whether the stock lasts or not.
void TIndianPatienceForm::turnUpLoneCards()
{
    for (TCardPileView *column : std::as_const(Tableau))
        if (column->Cards->Count() == 1)
            TurnUpTop(column);
}

// ---- the two questions --------------------------------------------------------------------

bool TIndianPatienceForm::mayDrag(TCardPileView *view, TCard *card)
{
    return card->FaceUp && card == view->Cards->CardAt(TCardPile::Top);
}

bool TIndianPatienceForm::mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards)
{
    const TCard *moving = cards->CardAt(0);
    if (Foundations.contains(target))
        return Rules::fitsFoundation(moving, target->Cards);
    if (!Tableau.contains(target) || target == source)
        return false;
    const TCard *top = target->Cards->CardAt(TCardPile::Top);
    if (!top)
        return true;
    if (isBase(top) || isBase(moving))
        return false;
    return moving->Suit != top->Suit && Rules::isOneLower(moving, top);
}

// A send that finds no foundation still settles the columns and runs the win check.
void TIndianPatienceForm::sendHome(TCardPileView *view)
{
    const TCard *top = view->Cards->CardAt(TCardPile::Top);
    if (!top)
        return;
    if (top->FaceUp && homeFor(top)) {
        GameWindow::sendHome(view);
        return;
    }
    afterMove(view);
    CheckWin();
}

void TIndianPatienceForm::tableChanged()
{
    applyBaseCardRule();
}
