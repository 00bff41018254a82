// SPDX-License-Identifier: MIT
#include "games/FreeCellWindow.h"

#include "cards/Rules.h"
#include "games/GameRegistry.h"

QPointer<TFreeCellForm> FreeCellForm;
QPointer<TsFreeCellForm> sFreeCellForm;
static const GameRegistration<TFreeCellForm, TsFreeCellForm> registration("Free Cell", "FREECELL", FreeCellForm,
                                                                          sFreeCellForm);

namespace {

GameDescription freeCell()
{
    GameDescription d;
    d.caption = QStringLiteral("FreeCell");
    d.helpTopic = 1004;
    d.restartName = QStringLiteral("Redeal1");
    d.large = {.clientWidth = 776, .clientHeight = 541, .minimumHeight = 480, .columnHeightMargin = 148, .optionsSection = QStringLiteral("FreeCell"), .placementSection = QStringLiteral("FreeCell")};
    d.small = {.clientWidth = 590, .clientHeight = 409, .minimumHeight = 300, .columnHeightMargin = 109, .optionsSection = QStringLiteral("FreeCell"), .placementSection = QStringLiteral("sFreeCell")};
    d.layout
        .series(QStringLiteral("FreePileView"), 4, PileRole::Cell, {8, 8, 80, 125}, {88, 0}, {8, 8, 61, 95}, {64, 0},
                Bordered | Draggable | SendsHome)
        .series(QStringLiteral("FoundPileView"), 4, PileRole::Foundation, {424, 8, 80, 125}, {88, 0},
                {331, 8, 61, 95}, {64, 0}, Bordered)
        .series(QStringLiteral("TableauPileView"), 8, PileRole::Column, {40, 140, 80, 393, 0, 20.0f}, {88, 0},
                {16, 108, 61, 300, 0, 16.0f}, {72, 0}, Draggable | SendsHome);
    return d;
}

}  // namespace

TFreeCellForm::TFreeCellForm(QWidget *parent) : TFreeCellForm(CardScale::Large, parent) {}

TFreeCellForm::TFreeCellForm(CardScale scale, QWidget *parent) : CellGameWindow(freeCell(), scale, parent) {}

// The first free cell holds the deck while it is dealt row by row: seven rows, the
// last one only four cards long.
void TFreeCellForm::dealCards(bool animate)
{
    for (int row = 1; row <= 7; ++row) {
        const int columns = row == 7 ? 4 : 8;
        for (int column = 0; column < columns; ++column)
            dealCard(Tableau[column], true, animate);
        playDealStep(dealingView());
    }
}

bool TFreeCellForm::isRunFrom(const TCardPile *pile, const TCard *card) const
{
    return Rules::isAlternatingRunFrom(pile, card);
}

bool TFreeCellForm::fitsColumn(const TCardPile *cards, const TCardPileView *column) const
{
    const TCard *top = column->Cards->CardAt(TCardPile::Top);
    return !top || Rules::isOneLowerOtherColour(cards->CardAt(0), top);
}
