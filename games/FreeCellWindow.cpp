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
    d.scorePrefix = QStringLiteral("FreeCell   Score: ");
    d.helpTopic = 1004;
    d.restartPrompt = QStringLiteral("Restart this game of FreeCell?");
    d.quitPrompt = QStringLiteral("Quit this game of FreeCell?");
    d.restartName = QStringLiteral("Redeal1");
    d.large = {776, 541, 776, 480, false, 148, 0, QStringLiteral("FreeCell"), QStringLiteral("FreeCell")};
    d.small = {590, 409, 590, 300, false, 109, 0, QStringLiteral("sFreeCell"), QStringLiteral("FreeCell")};
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

// Released with nothing touched, cards go onto a column that has cards, else into
// an empty column, else home; never into a free cell.
QList<TCardPileView *> TFreeCellForm::defaultTargets() const
{
    QList<TCardPileView *> targets;
    for (TCardPileView *column : Tableau)
        if (!column->Cards->IsEmpty())
            targets.append(column);
    return targets + Tableau + Foundations;
}
