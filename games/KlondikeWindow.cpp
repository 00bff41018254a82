// SPDX-License-Identifier: MIT
#include "games/KlondikeWindow.h"

#include "games/GameRegistry.h"

QPointer<TKlondikeForm> KlondikeForm;
QPointer<TsKlondikeForm> sKlondikeForm;
static const GameRegistration<TKlondikeForm, TsKlondikeForm> registration("Klondike", "KLONDIKE", KlondikeForm,
                                                                          sKlondikeForm);

namespace {

GameDescription klondike()
{
    GameDescription d;
    d.caption = QStringLiteral("Klondike");
    d.helpTopic = 1007;
    d.large = {.clientWidth = 672, .clientHeight = 491, .minimumHeight = 480, .columnHeightMargin = 154, .optionsSection = QStringLiteral("Klondike"), .placementSection = QStringLiteral("Klondike")};
    d.small = {.clientWidth = 510, .clientHeight = 392, .minimumHeight = 300, .columnHeightMargin = 122, .optionsSection = QStringLiteral("Klondike"), .placementSection = QStringLiteral("sKlondike")};
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

TKlondikeForm::TKlondikeForm(CardScale scale, QWidget *parent) : KlondikeStockWindow(klondike(), scale, parent) {}

// The stock lies tight while the columns are dealt from it.
void TKlondikeForm::dealCards(bool animate)
{
    DeckPileView->XOffset = 0.4f;
    DeckPileView->YOffset = 0.1f;
    DeckPileView->Paint();
    dealColumns(animate);
    DeckPileView->XOffset = 1.0f;
    DeckPileView->YOffset = 0.2f;
    DeckPileView->Paint();
    UpdateStock();
}
