// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/FortyThievesRules.h"

namespace Solver {

// Indian Patience: columns build down in any suit but the card's own. While the
// stock lasts, the lowest card of each column is its base card: nothing is built on
// it and it goes nowhere but home; and a column that empties is refilled at once
// with three cards from the stock (those left, when fewer). Which cards lie face
// down changes nothing the player may do, so all are taken face up here.
class IndianPatienceRules final : public ThievesRules
{
public:
    void apply(Move &move) override;
    void undo(const Move &move) override;

protected:
    bool buildsOn(Card card, Card onto) const override
    {
        return isOneLower(card, onto) && suitOf(card) != suitOf(onto);
    }
    bool isLocked(int index) const override { return index == 0 && !table.isEmpty(stock); }
    // Not a move that empties its column (the refill comes from the stock), nor any
    // once the click has emptied the stock (the base cards are then free).
    bool commutesWithClick(const Move &move) const override
    {
        return move.from != waste && table.size(move.from) > 1 && !table.isEmpty(stock);
    }
};

}  // namespace Solver
