// SPDX-License-Identifier: MIT
#pragma once
#include "solver/Cards.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Solver {

// The piles of one position, each a stack of card bytes (index 0 the bottom card),
// and the position's key. Piles of one group are interchangeable (the free cells,
// the columns, the foundations): the key does not depend on their order, so two
// positions that differ only by the order of such piles are one. Each pile keeps a
// Zobrist hash of its cards, brought up to date with every push and pop, and so is
// the sum of what the piles add to the key.
class Table
{
public:
    int addPile(std::string viewName, int group, int capacity);
    int pileCount() const { return int(piles.size()); }
    const std::string &viewName(int pile) const { return names[pile]; }
    int groupOf(int pile) const { return piles[pile].group; }
    // For piles that are interchangeable under some options only.
    void setGroup(int pile, int group);

    int size(int pile) const { return int(piles[pile].cards.size()); }
    bool isEmpty(int pile) const { return piles[pile].cards.empty(); }
    Card at(int pile, int index) const { return piles[pile].cards[index]; }
    Card top(int pile) const { return piles[pile].cards.empty() ? noCard : piles[pile].cards.back(); }
    // The pile's cards, bottom first, until the pile next changes.
    std::span<const Card> cards(int pile) const { return piles[pile].cards; }
    // Where a card lies: its pile, and its height there (0: the bottom). With two
    // decks, where one of the two copies lies.
    int pileOf(Card card) const { return places[card & 63].pile; }
    int heightOf(Card card) const { return places[card & 63].height; }

    void push(int pile, Card card);
    Card pop(int pile);
    // Moves the top `count` cards of one pile onto another, in their order.
    void moveRun(int from, int to, int count);
    // The top `count` cards of `from` (all by default) onto `to` one by one, so that
    // their order turns over: a waste turned into a stock, or cards dealt from it.
    void turnOver(int from, int to, int count = -1);
    void turnTop(int pile, bool up);

    // Whatever else a game's position holds (a counter), mixed into the key.
    std::uint64_t extra = 0;
    std::uint64_t key() const { return keyWith(extra); }
    // The key the table would have with another extra word.
    std::uint64_t keyWith(std::uint64_t otherExtra) const;
    // What one pile adds to key(), and how a pile hashes a card at a height: for
    // games that hash some piles their own way.
    std::uint64_t share(int pile) const;
    // ... had the pile belonged to another group: for games whose piles are
    // interchangeable only at times.
    std::uint64_t shareAs(int pile, int group) const;
    static std::uint64_t cardHash(int height, Card card);
    static std::uint64_t mix(std::uint64_t value);

private:
    struct Pile {
        int group;
        std::vector<Card> cards;
        std::uint64_t hash = 0;
        std::uint64_t share = 0;  // what the pile adds to the key
    };
    void reshare(Pile &pile);
    void place(Card card, int pile, int height) { places[card & 63] = {std::uint8_t(pile), std::uint8_t(height)}; }
    struct Place {
        std::uint8_t pile = 0, height = 0;
    };
    std::array<Place, 64> places{};  // by the card's byte face up
    std::vector<Pile> piles;
    std::vector<std::string> names;  // by pile: its view's
    std::uint64_t shares = 0;
};

}  // namespace Solver
