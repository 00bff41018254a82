// SPDX-License-Identifier: MIT
#include "games/MontanaWindow.h"

#include "cards/Rules.h"

#include "games/GameRegistry.h"
#include "shell/Sounds.h"

#include <QAction>
#include <QMenu>

QPointer<TMontanaForm> MontanaForm;
QPointer<TsMontanaForm> sMontanaForm;
static const GameRegistration<TMontanaForm, TsMontanaForm> registration("Montana", "MONTANA", MontanaForm,
                                                                        sMontanaForm);

namespace {

GameDescription montana()
{
    GameDescription d;
    d.caption = QStringLiteral("Montana");
    d.helpTopic = 1008;
    d.winningScore = 48;
    d.hasAutoplay = false;
    d.aboutCaption = QStringLiteral("Rul&es...");
    d.canMaximize = false;
    d.restartFaceDown = false;
    d.large = {.clientWidth = 1041, .clientHeight = 580, .fixedHeight = true, .placementSection = QStringLiteral("Montana")};
    d.small = {.clientWidth = 800, .clientHeight = 420, .fixedHeight = true, .placementSection = QStringLiteral("sMontana")};
    for (int row = 0; row < TMontanaForm::Rows; ++row)
        d.layout.series(QStringLiteral("CardPileView"), TMontanaForm::Columns, PileRole::Place,
                        {0, 8 + 144 * row, 80, 125}, {80, 0}, {3, 8 + 104 * row, 61, 95}, {61, 0},
                        Draggable | SendsHome, 1 + TMontanaForm::Columns * row);
    // The Aces, out of play.
    d.layout.pile(QStringLiteral("DiscardPileView"), PileRole::Holding, {72, 576, 129, 17}, {72, 576, 129, 17},
                  Hidden);
    return d;
}

}  // namespace

TMontanaForm::TMontanaForm(QWidget *parent) : TMontanaForm(CardScale::Large, parent) {}

TMontanaForm::TMontanaForm(CardScale scale, QWidget *parent)
    : GameWindow(montana(), scale, parent),
      Grid(viewsOf(PileRole::Place)),
      DiscardPileView(viewOf(PileRole::Holding))
{
    Shuffle1 = addCommand(QStringLiteral("Shuffle1"), QStringLiteral("&Shuffle Remaining"), [this] { Shuffle1Click(); });
    Shuffle1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    PopupMenu1->removeAction(Shuffle1);
    PopupMenu1->insertAction(NewGame1, Shuffle1);
    PopupMenu1->insertSeparator(NewGame1);
}

// ---- the deal -----------------------------------------------------------------------

// Column by column, top to bottom; the last card dealt stays where the deck lay.
void TMontanaForm::dealCards(bool animate)
{
    for (int column = 0; column < Columns; ++column) {
        playDealStep(dealingView());
        for (int row = 0; row < Rows; ++row)
            dealCard(Place(row, column), true, animate);
    }
    for (int row = 0; row < Rows; ++row)
        takeOutAces(row, 0, nullptr, animate);
}

void TMontanaForm::finishDeal()
{
    Redeals = 0;
    Shuffle1->setEnabled(true);
    ShowScore();
}

// Every Ace from a row's place `fromColumn` on leaves the game; its place takes the
// next replacement card, if there is one.
void TMontanaForm::takeOutAces(int row, int fromColumn, TCardPile *replacements, bool animate)
{
    for (int column = fromColumn; column < Columns; ++column) {
        TCardPileView *place = Place(row, column);
        for (TCard *card = place->Cards->CardAt(TCardPile::Top); card && card->Value == FS_ACE;
             card = place->Cards->CardAt(TCardPile::Top)) {
            place->Cards->RemoveCard(card);
            DiscardPileView->Cards->AddCard(card);
            if (TCard *next = replacements ? replacements->CardAt(TCardPile::Top) : nullptr) {
                replacements->RemoveCard(next);
                place->Cards->AddCard(next);
            }
        }
        if (animate)
            place->Paint();
    }
}

// ---- what goes where ------------------------------------------------------------------

bool TMontanaForm::fitsGap(int index, const TCard *card) const
{
    if (index % Columns == 0)
        return card->Value == FS_TWO;
    const TCard *left = cardIn(index - 1);
    return left && Rules::isOneLowerSameSuit(left, card);
}

bool TMontanaForm::mayDrop(TCardPileView *target, TCardPileView *, const TCardPile *cards)
{
    const int index = Grid.indexOf(target);
    return index >= 0 && target->Cards->IsEmpty() && fitsGap(index, cards->CardAt(0));
}

TCardPileView *TMontanaForm::placeOf(CardSuit suit, CardValue value) const
{
    for (TCardPileView *place : Grid) {
        const TCard *card = place->Cards->CardAt(TCardPile::Top);
        if (card && card->Suit == suit && card->Value == value)
            return place;
    }
    return nullptr;
}

int TMontanaForm::runLength(int row) const
{
    const int first = row * Columns;
    const TCard *card = cardIn(first);
    if (!card || card->Value != FS_TWO)
        return 0;
    int length = 1;
    for (; length < Columns; ++length) {
        const TCard *next = cardIn(first + length);
        if (!next || !Rules::isOneLowerSameSuit(card, next))
            break;
        card = next;
    }
    return length;
}

int TMontanaForm::computeScore() const
{
    int score = 0;
    for (int row = 0; row < Rows; ++row)
        score += runLength(row);
    return score;
}

void TMontanaForm::CheckWin()
{
    GameWindow::CheckWin();
    if (GameOver)
        Shuffle1->setEnabled(false);
}

// ---- clicks ----------------------------------------------------------------------------

// A press on a card sends it to its gap; a card that has none may be dragged. A
// press on a gap brings in the card it wants.
void TMontanaForm::viewMouseDown(TCardPileView *view, Qt::MouseButton button, Qt::KeyboardModifiers)
{
    view->CanDrag = false;
    if (button == Qt::RightButton || !Grid.contains(view))
        return;
    if (view->Cards->IsEmpty())
        FillGap(view);
    else if (!sendCard(view) && button == Qt::LeftButton && view->SelectedCard)
        view->CanDrag = true;
}

// A Two goes to the topmost empty place of the first column; any other card to the
// gap right of its predecessor.
bool TMontanaForm::sendCard(TCardPileView *view)
{
    const TCard *card = view->Cards->CardAt(TCardPile::Top);
    if (!card)
        return false;
    for (int column = 0; column < Columns; ++column)
        for (int row = 0; row < Rows; ++row) {
            const int index = row * Columns + column;
            if (Grid[index]->Cards->IsEmpty() && fitsGap(index, card)) {
                moveIntoGap(view, Grid[index]);
                return true;
            }
        }
    return false;
}

void TMontanaForm::FillGap(TCardPileView *gap)
{
    const int index = Grid.indexOf(gap);
    TCardPileView *source = nullptr;
    if (index % Columns == 0) {
        // The Two of the suit of a Three beside the gap, else the first Two outside
        // the first column.
        const TCard *right = cardIn(index + 1);
        if (right && right->Value == FS_THREE)
            source = placeOf(right->Suit, FS_TWO);
        for (int i = 0; !source && i < Grid.size(); ++i)
            if (i % Columns != 0 && cardIn(i) && cardIn(i)->Value == FS_TWO)
                source = Grid[i];
    } else if (const TCard *left = cardIn(index - 1)) {
        if (left->Value == FS_KING)
            return;  // nothing follows a King, not even the win check
        source = placeOf(left->Suit, CardValue(left->Value + 1));
    }
    if (source)
        moveIntoGap(source, gap);
    else
        CheckWin();
}

void TMontanaForm::moveIntoGap(TCardPileView *from, TCardPileView *gap)
{
    moveTopCard(from, gap);
    moveDone();
}

// ---- Shuffle Remaining --------------------------------------------------------------------

// Where a row is dealt again: from its first place when it has no run; into the
// place after a lone Two when that place is empty; else one place after the gap
// that is kept right of the run.
int TMontanaForm::redealStart(int row) const
{
    const int run = runLength(row);
    if (run == 0)
        return 0;
    if (run == 1 && Place(row, 1)->Cards->IsEmpty())
        return 1;
    return run + 1;
}

void TMontanaForm::gatherRow(int row, int start, TCardPile *gathered)
{
    for (int column = start; column < Columns; ++column) {
        TCardPileView *place = Place(row, column);
        if (TCard *card = place->Cards->CardAt(TCardPile::Top)) {
            place->Cards->RemoveCard(card);
            gathered->AddCard(card);
            place->update();
        }
    }
}

void TMontanaForm::dealRow(int row, int start, TCardPile *cards, bool animate)
{
    for (int column = start; column < Columns; ++column) {
        TCard *card = cards->CardAt(TCardPile::Top);
        if (!card)
            break;
        cards->RemoveCard(card);
        Place(row, column)->Cards->AddCard(card);
        if (animate)
            Place(row, column)->Paint();
    }
    if (animate)
        play(&TSoundManager::PlayDeal);
}

// The cards not yet in order are gathered with the Aces, shuffled and dealt again;
// each row keeps its run. Moves before it cannot be taken back.
void TMontanaForm::Shuffle1Click()
{
    const bool animate = animationOn();
    TCardPile gathered;
    int starts[Rows];
    for (int row = 0; row < Rows; ++row) {
        starts[row] = redealStart(row);
        gatherRow(row, runLength(row), &gathered);
    }
    while (TCard *ace = DiscardPileView->Cards->CardAt(TCardPile::Top)) {
        DiscardPileView->Cards->RemoveCard(ace);
        gathered.AddCard(ace);
    }
    gathered.Shuffle();
    play(&TSoundManager::PlayShuffle);
    for (int row = 0; row < Rows; ++row)
        dealRow(row, starts[row], &gathered, animate);
    for (int row = 0; row < Rows; ++row)
        takeOutAces(row, starts[row], &gathered, animate);
    while (TCard *left = gathered.CardAt(TCardPile::Top)) {
        gathered.RemoveCard(left);
        DiscardPileView->Cards->AddCard(left);
    }
    if (++Redeals >= 2)
        Shuffle1->setEnabled(false);
    for (TCardPileView *place : std::as_const(Grid))
        place->update();
    // Undo stops at this table from now on.
    startFromThisTable();
    // The new layout may have grown a run, or even finished the game.
    CheckWin();
}
