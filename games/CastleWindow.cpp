// SPDX-License-Identifier: MIT
#include "games/CastleWindow.h"

#include "cards/Rules.h"
#include "games/GameRegistry.h"

QPointer<TCastleForm> CastleForm;
QPointer<TsCastleForm> sCastleForm;
static const GameRegistration<TCastleForm, TsCastleForm> registration("Beleaguered Castle", "CASTLE", CastleForm,
                                                                      sCastleForm);

namespace {

GameDescription castle()
{
    GameDescription d;
    d.caption = QStringLiteral("Beleaguered Castle");
    d.scorePrefix = QStringLiteral("Beleaguered Castle   Score: ");
    d.helpTopic = 1001;
    d.restartPrompt = QStringLiteral("Restart this game of Beleaguered Castle?");
    d.quitPrompt = QStringLiteral("Quit this game of Beleaguered Castle?");
    d.autoplayCaption = QStringLiteral("&Autoplay");
    d.canMaximize = false;
    d.large = {748, 554, 748, 0, true, 0, 0, QStringLiteral("Castle"), QStringLiteral("Castle")};
    d.small = {561, 422, 561, 0, true, 0, 0, QStringLiteral("sCastle"), QStringLiteral("sCastle")};
    d.layout
        .series(QStringLiteral("TableauPileView"), 4, PileRole::Column, {16, 8, 305, 125, 12.0f, 0}, {0, 136},
                {8, 8, 232, 95, 9.0f, 0}, {0, 104}, Draggable | SendsHome)
        .series(QStringLiteral("FoundationPileView"), 4, PileRole::Foundation, {336, 8, 80, 125}, {0, 136},
                {248, 8, 61, 95}, {0, 104}, Bordered)
        .series(QStringLiteral("TableauPileView"), 4, PileRole::Column, {432, 8, 305, 125, 12.0f, 0}, {0, 136},
                {328, 8, 232, 95, 9.0f, 0}, {0, 104}, Draggable | SendsHome, 5)
        .pile(QStringLiteral("DeckPileView"), PileRole::Holding, {112, 520, 25, 29, 0.4f, 0.2f},
              {120, 392, 25, 29, 0.4f, 0.2f}, Hidden, FS_BLANK, Qt::black);
    return d;
}

// A foundation takes the next card of its suit; it is never empty in this game.
bool FitsStartedFoundation(const TCard *card, const TCardPile *foundation)
{
    return !foundation->IsEmpty() && Rules::fitsFoundation(card, foundation);
}

}  // namespace

TCastleForm::TCastleForm(QWidget *parent) : TCastleForm(CardScale::Large, parent) {}

TCastleForm::TCastleForm(CardScale scale, QWidget *parent)
    : GameWindow(castle(), scale, parent),
      DeckPileView(viewNamed(QStringLiteral("DeckPileView"))),
      Tableau(viewsOf(PileRole::Column)),
      Foundations(viewsOf(PileRole::Foundation))
{
}

// ---- the deal -----------------------------------------------------------------------

void TCastleForm::dealCards(bool animate)
{
    putAcesOnFoundations(animate);
    for (int row = 1; row <= 6; ++row) {
        for (TCardPileView *column : std::as_const(Tableau))
            dealCard(column, true, animate);
        playDealStep(DeckPileView);
    }
}

// The Aces go to the foundations in the order they lie in the deck, from its bottom.
void TCastleForm::putAcesOnFoundations(bool animate)
{
    TCardPile *deck = DeckPileView->Cards;
    int foundation = 0;
    for (int i = 0; i < deck->Count();) {
        TCard *card = deck->CardAt(i);
        card->FaceUp = true;
        if (card->Value != FS_ACE) {
            ++i;
            continue;
        }
        deck->RemoveCard(card);
        Foundations[foundation]->Cards->AddCard(card);
        if (animate)
            Foundations[foundation]->Paint();
        playDealStep(DeckPileView);
        ++foundation;
    }
}

// ---- the two questions ----------------------------------------------------------------

bool TCastleForm::mayDrag(TCardPileView *view, TCard *card) { return card == view->Cards->CardAt(TCardPile::Top); }

bool TCastleForm::mayDrop(TCardPileView *target, TCardPileView *, const TCardPile *cards)
{
    const TCard *moving = cards->CardAt(0);
    if (Tableau.contains(target)) {
        const TCard *top = target->Cards->CardAt(TCardPile::Top);
        return !top || Rules::isOneLower(moving, top);
    }
    return Foundations.contains(target) && FitsStartedFoundation(moving, target->Cards);
}

// Released with no target touched: a row that takes the card, then an empty row,
// then a foundation.
QList<TCardPileView *> TCastleForm::defaultTargets() const
{
    QList<TCardPileView *> targets;
    for (TCardPileView *column : Tableau)
        if (!column->Cards->IsEmpty())
            targets.append(column);
    return targets + Tableau + Foundations;
}

// ---- sends ------------------------------------------------------------------------------

// The middle button, and the left one with Shift or Ctrl, send the row's last card home.
void TCastleForm::viewMouseDown(TCardPileView *view, Qt::MouseButton button, Qt::KeyboardModifiers shift)
{
    const bool sendGesture = button == Qt::MiddleButton || (button == Qt::LeftButton && (shift & (Qt::ShiftModifier | Qt::ControlModifier)));
    if (sendGesture && Tableau.contains(view)) {
        view->CanDrag = false;
        sendHome(view);
        return;
    }
    GameWindow::viewMouseDown(view, button, shift);
}

TCardPileView *TCastleForm::homeFor(const TCard *card) const
{
    for (TCardPileView *foundation : Foundations)
        if (FitsStartedFoundation(card, foundation->Cards))
            return foundation;
    return nullptr;
}

// A send that finds no foundation still runs the win check and with it the autoplay.
void TCastleForm::sendHome(TCardPileView *view)
{
    const TCard *top = view->Cards->CardAt(TCardPile::Top);
    if (!top)
        return;
    if (homeFor(top))
        GameWindow::sendHome(view);
    else
        CheckWin();
}
