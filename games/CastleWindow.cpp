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
    d.helpTopic = 1001;
    d.autoplayCaption = QStringLiteral("&Autoplay");
    d.canMaximize = false;
    d.middleButtonSends = true;
    d.large = {.clientWidth = 748, .clientHeight = 554, .fixedHeight = true, .optionsSection = QStringLiteral("Castle"), .placementSection = QStringLiteral("Castle")};
    d.small = {.clientWidth = 561, .clientHeight = 422, .fixedHeight = true, .optionsSection = QStringLiteral("sCastle"), .placementSection = QStringLiteral("sCastle")};
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

}  // namespace

TCastleForm::TCastleForm(QWidget *parent) : TCastleForm(CardScale::Large, parent) {}

TCastleForm::TCastleForm(CardScale scale, QWidget *parent)
    : GameWindow(castle(), scale, parent),
      DeckPileView(viewOf(PileRole::Holding))
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
    return Foundations.contains(target) && Rules::fitsFoundation(moving, target->Cards);
}
