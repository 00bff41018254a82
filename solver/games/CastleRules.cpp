// SPDX-License-Identifier: MIT
#include "solver/games/CastleRules.h"

namespace Solver {

CastleRules::CastleRules()
{
    columns = addPiles("TableauPileView", 8, ColumnGroup, 52);
    foundations = addPiles("FoundationPileView", 4, FoundationGroup, 13);
}

bool CastleRules::load(const TableText &text, const Options &options, std::string &error)
{
    readAutoplay(options);
    autoplaySources = columns;
    return fillPiles(text, error);
}

// Home first, then onto other cards, then into an empty row.
void CastleRules::moves(std::vector<Move> &list) const
{
    list.clear();
    for (int from : columns)
        if (const int home = table.isEmpty(from) ? -1 : homeFor(table.top(from)); home >= 0)
            list.push_back(Move{std::int8_t(from), std::int8_t(home), 1, Move::Drag, 0, 0});
    for (const bool toEmpty : {false, true})
        for (int to : columns)
            for (int from : columns)
                if (from != to && !table.isEmpty(from) && table.isEmpty(to) == toEmpty
                    && (toEmpty || isOneLower(table.top(from), table.top(to))))
                    list.push_back(Move{std::int8_t(from), std::int8_t(to), 1, Move::Drag, 0, 0});
}

}  // namespace Solver
