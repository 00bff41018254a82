// SPDX-License-Identifier: MIT
#include "games/FortyThievesWindow.h"

#include "cards/Rules.h"
#include "games/GameRegistry.h"
#include "shell/Sounds.h"

#include <QAction>
#include <QCloseEvent>

QPointer<TFortyThievesForm> FortyThievesForm;
QPointer<TsFortyThievesForm> sFortyThievesForm;
static const GameRegistration<TFortyThievesForm, TsFortyThievesForm> registration("Forty Thieves", "FORTYTHIEVES",
                                                                                  FortyThievesForm, sFortyThievesForm);

namespace {

GameDescription fortyThieves()
{
    GameDescription d;
    d.caption = QStringLiteral("Forty Thieves");
    d.helpTopic = 1003;
    d.promptThreshold = 10;
    d.winningScore = 104;
    d.decks = 2;
    d.newGameName = QStringLiteral("NewDeal1");
    d.restartName = QStringLiteral("Redeal1");
    d.preferencesCaption = QStringLiteral("Pre&ferences...");
    d.large = {.clientWidth = 885, .clientHeight = 675, .minimumHeight = 600, .columnHeightMargin = 298, .anchorMargin = 129, .optionsSection = QStringLiteral("FortyThieves"), .placementSection = QStringLiteral("FortyThieves")};
    d.small = {.clientWidth = 725, .clientHeight = 520, .minimumHeight = 520, .columnHeightMargin = 250, .anchorMargin = 102, .optionsSection = QStringLiteral("FortyThieves"), .placementSection = QStringLiteral("sFortyThieves")};
    d.layout
        .pile(QStringLiteral("DeckPileView"), PileRole::Stock, {8, 8, 137, 145, 0.4f, 0.2f},
              {8, 8, 107, 113, 0.4f, 0.2f})
        .pile(QStringLiteral("DiscardPileView"), PileRole::Waste, {152, 8, 729, 125, 12.0f, 0},
              {128, 8, 593, 95, 9.0f, 0}, Draggable | SendsHome | ClosesUp)
        .series(QStringLiteral("TableauPile"), 10, PileRole::Column, {8, 160, 80, 377, 0, 20.0f}, {88, 0},
                {8, 136, 61, 270, 0, 16.0f}, {72, 0}, Draggable | SendsHome)
        .series(QStringLiteral("FoundPile"), 8, PileRole::Foundation, {96, 546, 80, 125}, {88, 0},
                {80, 418, 61, 95}, {72, 0}, Bordered);
    return d;
}

}  // namespace

TFortyThievesForm::TFortyThievesForm(QWidget *parent) : TFortyThievesForm(CardScale::Large, parent) {}

TFortyThievesForm::TFortyThievesForm(CardScale scale, QWidget *parent)
    : GameWindow(fortyThieves(), scale, parent),
      DeckPileView(viewOf(PileRole::Stock)),
      DiscardPileView(viewOf(PileRole::Waste))
{
    Peek1 = addCommand(QStringLiteral("Peek1"), QStringLiteral("&Peek..."), [this] { Peek1Click(); });
    Peek1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
}

// ---- the deal -------------------------------------------------------------------------

void TFortyThievesForm::dealCards(bool animate)
{
    for (int row = 1; row <= 4; ++row) {
        for (TCardPileView *column : std::as_const(Tableau))
            dealCard(column, true, animate);
        playDealStep(DeckPileView);
    }
}

void TFortyThievesForm::finishDeal()
{
    DeckPileView->Paint();
    UpdateStock();
}

// ---- the stock, the waste and the peek dialog ------------------------------------------------

// The stock is turned once only: when it is empty, a click changes nothing.
void TFortyThievesForm::turnStock()
{
    if (TCard *next = DeckPileView->Cards->CardAt(TCardPile::Top)) {
        next->FaceUp = true;
        moveTopCard(DeckPileView, DiscardPileView);
        ++MoveCount;
        play(&TSoundManager::PlayStock);
    }
    UpdateStock();
    AutoplayPass();
}

void TFortyThievesForm::UpdateStock()
{
    Peek1->setEnabled(!DeckPileView->Cards->IsEmpty());
    followStock();
}

// An open peek dialog shows the next stock card, and goes when there is none.
void TFortyThievesForm::followStock()
{
    if (!FTPeekDlg)
        return;
    FTPeekDlg->PeekCard = DeckPileView->Cards->CardAt(TCardPile::Top);
    if (!FTPeekDlg->isVisible())
        return;
    if (FTPeekDlg->PeekCard)
        FTPeekDlg->DrawPeekCard();
    else
        FTPeekDlg->hide();
}

void TFortyThievesForm::Peek1Click()
{
    TCard *next = DeckPileView->Cards->CardAt(TCardPile::Top);
    if (!next)
        return;
    if (!FTPeekDlg)
        FTPeekDlg = new TFTPeekDlg(this);
    FTPeekDlg->PeekCard = next;
    FTPeekDlg->show();
    FTPeekDlg->DrawPeekCard();
}

// ---- the two questions ------------------------------------------------------------------

// One card moves at a time: the top card of a column or of the waste.
bool TFortyThievesForm::mayDrag(TCardPileView *view, TCard *card)
{
    return card == view->Cards->CardAt(TCardPile::Top);
}

bool TFortyThievesForm::mayDrop(TCardPileView *target, TCardPileView *, const TCardPile *cards)
{
    const TCard *moving = cards->CardAt(0);
    if (Tableau.contains(target)) {
        const TCard *top = target->Cards->CardAt(TCardPile::Top);
        return !top || (moving->Suit == top->Suit && Rules::isOneLower(moving, top));
    }
    return Foundations.contains(target) && cards->Count() == 1 && Rules::fitsFoundation(moving, target->Cards);
}

// ---- closing ------------------------------------------------------------------------

void TFortyThievesForm::closeEvent(QCloseEvent *event)
{
    GameWindow::closeEvent(event);
    if (event->isAccepted())
        delete FTPeekDlg.data();
}
