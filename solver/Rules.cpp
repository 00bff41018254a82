// SPDX-License-Identifier: MIT
#include "solver/Rules.h"

#include <sstream>

namespace Solver {

TableText parseTableText(const std::string &text)
{
    TableText table;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        PileText pile{line.substr(0, colon), {}};
        std::istringstream words(line.substr(colon + 1));
        std::string word;
        while (words >> word)
            pile.cards.push_back(parseCard(word));
        table.piles.push_back(std::move(pile));
    }
    return table;
}

void GameRules::describe(const Move &move, std::vector<std::string> &line) const
{
    if (move.kind == Move::Click)
        line.push_back("click " + table.viewName(move.from));
    else if (move.kind == Move::Drag)
        line.push_back(table.viewName(move.from) + " -> " + table.viewName(move.to) + " x" + std::to_string(move.count));
}

bool GameRules::fillPiles(const TableText &text, std::string &error)
{
    for (int pile = 0; pile < table.pileCount(); ++pile) {
        const PileText *found = nullptr;
        for (const PileText &each : text.piles)
            if (each.name == table.viewName(pile))
                found = &each;
        if (!found) {
            error = "the table has no view " + table.viewName(pile);
            return false;
        }
        while (!table.isEmpty(pile))
            table.pop(pile);
        for (Card card : found->cards) {
            if (card == noCard) {
                error = "a card of " + found->name + " is not a card";
                return false;
            }
            table.push(pile, card);
        }
    }
    return true;
}

void GameRules::turnAllUp(int pile)
{
    std::vector<Card> cards;
    while (!table.isEmpty(pile))
        cards.push_back(faceUp(table.pop(pile)));
    for (auto card = cards.rbegin(); card != cards.rend(); ++card)
        table.push(pile, *card);
}

void GameRules::keepRanksOnly()
{
    for (int pile = 0; pile < table.pileCount(); ++pile) {
        std::vector<Card> cards;
        while (!table.isEmpty(pile))
            cards.push_back(table.pop(pile));
        for (auto card = cards.rbegin(); card != cards.rend(); ++card)
            table.push(pile, makeCard(rankOf(*card), 0));
    }
}

}  // namespace Solver
