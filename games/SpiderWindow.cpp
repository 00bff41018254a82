// SPDX-License-Identifier: MIT
#include "games/SpiderWindow.h"

#include "cards/Rules.h"
#include "games/GameRegistry.h"
#include "platform/Dialogs.h"
#include "shell/Sounds.h"

#include <QAction>
#include <QMenu>

QPointer<TSpiderForm> SpiderForm;
QPointer<TsSpiderForm> sSpiderForm;
static const GameRegistration<TSpiderForm, TsSpiderForm> registration("Spider", "SPIDER", SpiderForm, sSpiderForm);

namespace {

GameDescription spider()
{
    GameDescription d;
    d.caption = QStringLiteral("Spider");
    d.helpTopic = 1012;
    d.promptThreshold = 10;
    d.winningScore = 104;
    d.decks = 2;
    d.hasAutoplay = false;
    d.restartName = QStringLiteral("Redeal1");
    d.aboutCaption = QStringLiteral("Rul&es...");
    d.placementState = true;
    d.large = {.clientWidth = 887, .clientHeight = 646, .minimumHeight = 480, .columnHeightMargin = 158, .optionsSection = QStringLiteral("Spider"), .placementSection = QStringLiteral("Spider")};
    d.small = {.clientWidth = 725, .clientHeight = 506, .minimumHeight = 450, .columnHeightMargin = 136, .optionsSection = QStringLiteral("Spider"), .placementSection = QStringLiteral("sSpider")};
    d.layout
        .pile(QStringLiteral("DeckPileView"), PileRole::Stock, {8, 8, 137, 145, 0.4f, 0.2f},
              {8, 8, 107, 113, 0.4f, 0.2f})
        .series(QStringLiteral("FoundPile"), 8, PileRole::Foundation, {184, 6, 80, 125}, {88, 0},
                {208, 6, 61, 95}, {64, 0}, Bordered)
        .series(QStringLiteral("TableauPile"), 10, PileRole::Column, {8, 161, 80, 488, 0, 20.0f}, {88, 0},
                {8, 129, 61, 370, 0, 16.0f}, {72, 0}, Draggable);
    return d;
}

}  // namespace

TSpiderForm::TSpiderForm(QWidget *parent) : TSpiderForm(CardScale::Large, parent) {}

TSpiderForm::TSpiderForm(CardScale scale, QWidget *parent)
    : GameWindow(spider(), scale, parent),
      DeckPileView(viewOf(PileRole::Stock))
{
    SameSuitBuilds1 = addOption(QStringLiteral("SameSuitBuilds1"), QStringLiteral("&Same Suit Moves"),
                                QStringLiteral("SameSuitBuilds"), false, &SameSuitBuilds);
    SameSuitBuilds1->setToolTip(QStringLiteral("If checked, build down only in same suit"));
    SameSuitBuilds1->setStatusTip(SameSuitBuilds1->toolTip());
    PopupMenu1->setToolTipsVisible(true);
}

// ---- the deal -------------------------------------------------------------------------

// Five rows: the fifth reaches only the first four columns, and each column's last
// card is dealt face up.
void TSpiderForm::dealCards(bool animate)
{
    for (int row = 1; row <= 5; ++row) {
        const int columns = row == 5 ? 4 : 10;
        for (int column = 1; column <= columns; ++column)
            dealCard(Tableau[column - 1], row == (column <= 4 ? 5 : 4), animate);
        playDealStep(DeckPileView);
    }
    DeckPileView->Paint();
}

// ---- the stock ----------------------------------------------------------------------------

bool TSpiderForm::anyColumnEmpty() const
{
    for (const TCardPileView *column : Tableau)
        if (column->Cards->IsEmpty())
            return true;
    return false;
}

void TSpiderForm::turnStock()
{
    if (anyColumnEmpty()) {
        Dialogs::message(this, QStringLiteral("You must fill empty tableau spaces first."),
                         Dialogs::Icon::Information);
        return;
    }
    // An empty stock deals nothing, so nothing is counted that no undo could take back.
    if (DeckPileView->Cards->IsEmpty())
        return;
    dealOntoEveryColumn();
    play(&TSoundManager::PlayDeal);
    DeckPileView->Paint();
    ++MoveCount;
    SameSuitBuilds1->setEnabled(false);
    markUndoQuiet();  // a deal goes back silently
}

// One face-up card on each column, each card a record of its own.
void TSpiderForm::dealOntoEveryColumn()
{
    for (TCardPileView *column : std::as_const(Tableau)) {
        TCard *card = DeckPileView->Cards->CardAt(TCardPile::Top);
        if (!card)
            return;
        card->FaceUp = true;
        moveTopCard(DeckPileView, column);
    }
}

// ---- the two questions ------------------------------------------------------------------

bool TSpiderForm::mayDrag(TCardPileView *view, TCard *card)
{
    return card->FaceUp && Rules::isRunFrom(view->Cards, card, SameSuitBuilds ? Rules::isOneLowerSameSuit : Rules::isOneLower);
}

bool TSpiderForm::mayDrop(TCardPileView *target, TCardPileView *source, const TCardPile *cards)
{
    if (Foundations.contains(target))
        return CanDropOnFoundation(target, cards);
    return Tableau.contains(target) && CanDropOnColumn(target, source, cards);
}

// Any run goes on an empty column; otherwise its first card must be one lower than
// the column's top card, whatever the suits and the option.
bool TSpiderForm::CanDropOnColumn(const TCardPileView *column, const TCardPileView *source,
                                  const TCardPile *cards) const
{
    if (column == source)
        return false;
    const TCard *top = column->Cards->CardAt(TCardPile::Top);
    return !top || Rules::isOneLower(cards->CardAt(0), top);
}

// Only a whole suit, King to Ace, and only onto an empty foundation.
bool TSpiderForm::CanDropOnFoundation(const TCardPileView *foundation, const TCardPile *cards) const
{
    if (!foundation->Cards->IsEmpty() || cards->Count() != 13)
        return false;
    for (int i = 1; i < cards->Count(); ++i)
        if (cards->CardAt(i)->Suit != cards->CardAt(0)->Suit)
            return false;
    return true;
}

// Released where nothing took it, a run goes home when it is a whole suit, else
// onto a column whose top card has its suit, else onto any column that takes it.
QList<TCardPileView *> TSpiderForm::defaultTargets(const TCardPileView *source) const
{
    QList<TCardPileView *> suited;
    for (TCardPileView *column : Tableau) {
        const TCard *top = column->Cards->CardAt(TCardPile::Top);
        if (top && top->Suit == source->DragPile->CardAt(0)->Suit)
            suited.append(column);
    }
    return Foundations + suited + Tableau;
}

// A completed drag counts two moves; the card it uncovers turns up.
void TSpiderForm::afterMove(TCardPileView *source)
{
    TurnUpTop(source);
    SameSuitBuilds1->setEnabled(false);
    ++MoveCount;
}

// ---- options -------------------------------------------------------------------------------

// The option can be changed from a new deal until the first move; a Restart keeps it locked.
void TSpiderForm::unlockOptions()
{
    GameWindow::unlockOptions();
    SameSuitBuilds1->setEnabled(true);
}
