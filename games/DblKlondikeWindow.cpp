// SPDX-License-Identifier: MIT
#include "games/DblKlondikeWindow.h"

#include "games/GameRegistry.h"

QPointer<TDblKlondikeForm> DblKlondikeForm;
QPointer<TsDblKlondikeForm> sDblKlondikeForm;
static const GameRegistration<TDblKlondikeForm, TsDblKlondikeForm> registration("Double Klondike", "DBLKLONDIKE",
                                                                                DblKlondikeForm, sDblKlondikeForm);

namespace {

GameDescription doubleKlondike()
{
    GameDescription d;
    d.caption = QStringLiteral("Double Klondike");
    d.helpTopic = 1002;
    d.winningScore = 104;
    d.decks = 2;
    d.large = {.clientWidth = 986, .clientHeight = 582, .minimumHeight = 480, .columnHeightMargin = 165, .optionsSection = QStringLiteral("DoubleKlondike"), .placementSection = QStringLiteral("DoubleKlondike")};
    d.small = {.clientWidth = 756, .clientHeight = 489, .minimumHeight = 300, .columnHeightMargin = 139, .optionsSection = QStringLiteral("DoubleKlondike"), .placementSection = QStringLiteral("sDoubleKlondike")};
    d.layout
        .pile(QStringLiteral("DeckPileView"), PileRole::Stock, {8, 8, 129, 145, 0.4f, 0.2f}, {8, 8, 113, 113, 0.4f, 0.2f})
        .withState(FS_RECYCLE)
        .pile(QStringLiteral("DiscardPileView"), PileRole::Waste, {144, 8, 129, 129, 20.0f, 2.0f},
              {128, 8, 105, 101, 20.0f, 2.0f}, Draggable | SendsHome)
        .series(QStringLiteral("FoundationPile"), 4, PileRole::Foundation, {280, 8, 80, 125}, {88, 0},
                {240, 8, 61, 95}, {64, 0}, Bordered)
        .series(QStringLiteral("FoundationPile"), 4, PileRole::Foundation, {632, 8, 80, 125}, {88, 0},
                {496, 8, 61, 95}, {64, 0}, Bordered, 5)
        .series(QStringLiteral("TableauPileView"), 7, PileRole::Column, {72, 160, 80, 417, 0, 20.0f}, {96, 0},
                {64, 136, 61, 350, 0, 16.0f}, {72, 0}, Draggable | SendsHome)
        .series(QStringLiteral("TableauPileView"), 2, PileRole::Column, {744, 162, 80, 415, 0, 20.0f}, {96, 0},
                {568, 136, 61, 350, 0, 16.0f}, {72, 0}, Draggable | SendsHome, 8)
        .pile(QStringLiteral("RecyclePileView"), PileRole::Holding, {640, 112, 25, 25}, {720, 112, 25, 25}, Hidden,
              FS_BLANK, Qt::black);
    return d;
}

}  // namespace

TDblKlondikeForm::TDblKlondikeForm(QWidget *parent) : TDblKlondikeForm(CardScale::Large, parent) {}

TDblKlondikeForm::TDblKlondikeForm(CardScale scale, QWidget *parent)
    : KlondikeStockWindow(doubleKlondike(), scale, parent)
{
}

// Nine rows: row r gives a card to columns r to 9, the one on column r face up.
void TDblKlondikeForm::dealCards(bool animate)
{
    dealColumns(animate);
    DeckPileView->Paint();
    UpdateStock();
}
