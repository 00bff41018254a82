// SPDX-License-Identifier: MIT
#pragma once
#include "solver/games/TableRules.h"

#include <array>

namespace Solver {

// Golf: seven face-up columns and a stock; a press on a column plays its top card
// onto the one foundation when it is one above or one below the foundation's top
// card, with no way round the corner between King and Ace; a click turns the next
// stock card onto the foundation. Option "KingStopsSequence" (default on): nothing
// goes on a King; off, a Queen does.
class GolfRules final : public TableRules
{
public:
    GolfRules();
    bool load(const TableText &text, const Options &options, std::string &error) override;
    void moves(std::vector<Move> &list) const override;
    void apply(Move &move) override;
    void undo(const Move &move) override;
    bool isWon() const override { return table.size(foundation) == 52; }
    // No moves where the columns can no longer be cleared.
    void searchMoves(std::vector<Move> &list) const override;
    int value() const override;
    // Only the rank of the foundation's top card matters, not what lies beneath it,
    // and only while a column card plays on it.
    std::uint64_t key() const override;

private:
    bool plays(Card card) const { return follows(rankOf(card), rankOf(table.top(foundation))); }
    // May a card of this rank go on one of that rank?
    bool follows(int rank, int onto) const;
    // Some column card has no card left that it could follow.
    bool hasDeadCard() const;
    // How many steps more the runs left could take than the column cards need
    // (below 0: they cannot all be played).
    int runSlack() const;
    // The cards of each rank left in the columns and in the stock, kept as cards
    // leave, since both questions above are asked of every position.
    void countRanks();
    std::array<std::int8_t, king + 2> columnRanks{}, stockRanks{};
    int columnCards = 0;
    int foundation, stock;
    bool kingStops = true;
};

}  // namespace Solver
