// SPDX-License-Identifier: MIT
#include "solver/games/IndianPatienceRules.h"

namespace Solver {

// A move that empties a column while the stock lasts refills it: `effects` is the
// number of cards dealt.
void IndianPatienceRules::apply(Move &move)
{
    ThievesRules::apply(move);
    move.effects = 0;
    if (move.kind == Move::Click || move.from == waste || !table.isEmpty(move.from))
        return;
    for (; move.effects < 3 && !table.isEmpty(stock); ++move.effects) {
        table.push(move.from, table.pop(stock));
        builtPairs += topBuilds(move.from) ? 1 : 0;
    }
}

void IndianPatienceRules::undo(const Move &move)
{
    for (int i = 0; i < move.effects; ++i) {
        builtPairs -= topBuilds(move.from) ? 1 : 0;
        table.push(stock, table.pop(move.from));
    }
    ThievesRules::undo(move);
}

}  // namespace Solver
