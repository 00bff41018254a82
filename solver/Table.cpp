// SPDX-License-Identifier: MIT
#include "solver/Table.h"

#include <array>

namespace Solver {

namespace {

constexpr int deepest = 128;

std::uint64_t splitMix(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// One random number per card byte and height in a pile.
struct Zobrist {
    std::array<std::array<std::uint64_t, 256>, deepest> numbers;
    Zobrist()
    {
        std::uint64_t state = 0x5EEDC0FFEEull;
        for (auto &row : numbers)
            for (auto &number : row)
                number = splitMix(state);
    }
};

const Zobrist zobrist;

std::uint64_t numberFor(int height, Card card) { return zobrist.numbers[height % deepest][card]; }

std::uint64_t mixed(std::uint64_t value)
{
    std::uint64_t state = value;
    return splitMix(state);
}

}  // namespace

int Table::addPile(std::string viewName, int group, int capacity)
{
    Pile pile{group, {}, 0};
    pile.cards.reserve(std::size_t(capacity));
    piles.push_back(std::move(pile));
    names.push_back(std::move(viewName));
    reshare(piles.back());
    return pileCount() - 1;
}

void Table::setGroup(int pile, int group)
{
    piles[pile].group = group;
    reshare(piles[pile]);
}

void Table::reshare(Pile &pile)
{
    shares -= pile.share;
    pile.share = mixed(pile.hash + std::uint64_t(pile.group) * 0x9E3779B97F4A7C15ull);
    shares += pile.share;
}

void Table::push(int pile, Card card)
{
    Pile &p = piles[pile];
    p.hash ^= numberFor(int(p.cards.size()), card);
    place(card, pile, int(p.cards.size()));
    p.cards.push_back(card);
    reshare(p);
}

Card Table::pop(int pile)
{
    Pile &p = piles[pile];
    const Card card = p.cards.back();
    p.cards.pop_back();
    p.hash ^= numberFor(int(p.cards.size()), card);
    reshare(p);
    return card;
}

// Each pile's share is worked out again once, however many cards move.
void Table::moveRun(int from, int to, int count)
{
    Pile &source = piles[from];
    Pile &target = piles[to];
    const std::size_t first = source.cards.size() - std::size_t(count);
    for (std::size_t i = first; i < source.cards.size(); ++i) {
        target.hash ^= numberFor(int(target.cards.size()), source.cards[i]);
        place(source.cards[i], to, int(target.cards.size()));
        target.cards.push_back(source.cards[i]);
    }
    while (source.cards.size() > first) {
        source.hash ^= numberFor(int(source.cards.size()) - 1, source.cards.back());
        source.cards.pop_back();
    }
    reshare(source);
    reshare(target);
}

void Table::turnOver(int from, int to, int count)
{
    Pile &source = piles[from];
    Pile &target = piles[to];
    if (count < 0)
        count = int(source.cards.size());
    for (int i = 0; i < count; ++i) {
        const Card card = source.cards.back();
        source.cards.pop_back();
        source.hash ^= numberFor(int(source.cards.size()), card);
        target.hash ^= numberFor(int(target.cards.size()), card);
        place(card, to, int(target.cards.size()));
        target.cards.push_back(card);
    }
    reshare(source);
    reshare(target);
}

void Table::turnTop(int pile, bool up)
{
    const Card card = pop(pile);
    push(pile, up ? faceUp(card) : Card(card | faceDownBit));
}

// Interchangeable piles add up in any order; the group keeps apart piles of
// different kinds that hold the same cards.
std::uint64_t Table::keyWith(std::uint64_t otherExtra) const
{
    return mixed(otherExtra ^ 0xE7037ED1A0B428DBull) + shares;
}

std::uint64_t Table::share(int pile) const { return piles[pile].share; }

std::uint64_t Table::shareAs(int pile, int group) const
{
    return mixed(piles[pile].hash + std::uint64_t(group) * 0x9E3779B97F4A7C15ull);
}

std::uint64_t Table::cardHash(int height, Card card) { return numberFor(height, card); }

std::uint64_t Table::mix(std::uint64_t value) { return mixed(value); }

}  // namespace Solver
