// SPDX-License-Identifier: MIT
#include "games/SeaHavenWindow.h"

#include "cards/Rules.h"
#include "games/GameRegistry.h"

QPointer<TSeaHavenForm> SeaHavenForm;
QPointer<TsSeaHavenForm> sSeaHavenForm;
static const GameRegistration<TSeaHavenForm, TsSeaHavenForm> registration("Sea Towers", "SEAHAVEN", SeaHavenForm,
                                                                          sSeaHavenForm);

namespace {

GameDescription seaTowers()
{
    GameDescription d;
    d.caption = QStringLiteral("Sea Towers");
    d.helpTopic = 1011;
    d.restartName = QStringLiteral("Redeal1");
    d.placementState = true;
    d.large = {.clientWidth = 887, .clientHeight = 571, .minimumHeight = 480, .columnHeightMargin = 142, .optionsSection = QStringLiteral("SeaHavenTowers"), .placementSection = QStringLiteral("SeaHavenTowers")};
    d.small = {.clientWidth = 725, .clientHeight = 480, .minimumHeight = 360, .columnHeightMargin = 110, .optionsSection = QStringLiteral("SeaHavenTowers"), .placementSection = QStringLiteral("sSeaHavenTowers")};
    d.layout
        .series(QStringLiteral("FoundPileView"), 2, PileRole::Foundation, {8, 8, 80, 125}, {88, 0}, {8, 8, 61, 95},
                {64, 0}, Bordered)
        .series(QStringLiteral("FreePileView"), 4, PileRole::Cell, {272, 8, 80, 125}, {88, 0}, {234, 8, 61, 95},
                {64, 0}, Bordered | Draggable | SendsHome)
        .series(QStringLiteral("FoundPileView"), 2, PileRole::Foundation, {712, 8, 80, 125}, {88, 0},
                {592, 8, 61, 95}, {64, 0}, Bordered, 3)
        .series(QStringLiteral("TableauPileView"), 10, PileRole::Column, {8, 140, 80, 429, 0, 20.0f}, {88, 0},
                {8, 108, 61, 370, 0, 16.0f}, {72, 0}, Draggable | SendsHome);
    return d;
}

}  // namespace

TSeaHavenForm::TSeaHavenForm(QWidget *parent) : TSeaHavenForm(CardScale::Large, parent) {}

TSeaHavenForm::TSeaHavenForm(CardScale scale, QWidget *parent) : CellGameWindow(seaTowers(), scale, parent) {}

// The second free cell holds the deck while five rows are dealt across the ten
// columns; of the two cards left, the upper goes to the third free cell and the
// last stays, turned up, in the second.
void TSeaHavenForm::dealCards(bool animate)
{
    for (int row = 1; row <= 5; ++row) {
        for (TCardPileView *column : std::as_const(Tableau))
            dealCard(column, true, animate);
        playDealStep(dealingView());
    }
    dealCard(FreeCells[2], true, animate);
    dealingView()->Cards->CardAt(TCardPile::Top)->FaceUp = true;
}

bool TSeaHavenForm::isRunFrom(const TCardPile *pile, const TCard *card) const
{
    return Rules::isSameSuitRunFrom(pile, card);
}

bool TSeaHavenForm::fitsColumn(const TCardPile *cards, const TCardPileView *column) const
{
    const TCard *bottom = cards->CardAt(0);
    const TCard *top = column->Cards->CardAt(TCardPile::Top);
    return top ? Rules::isOneLowerSameSuit(bottom, top) : bottom->Value == FS_KING;
}
