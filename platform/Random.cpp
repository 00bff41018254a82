// SPDX-License-Identifier: MIT
#include "platform/Random.h"

#include <ctime>

namespace {
std::uint32_t state = 1;
std::optional<std::uint32_t> fixedValue;
std::optional<std::uint32_t> lastClockSeed;
}  // namespace

namespace Random {

void seed(std::uint32_t value) { state = value; }

int next()
{
    state = state * 0x015A4E35u + 1u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

void reseedFromTime()
{
    if (fixedValue) {
        seed(*fixedValue);
        return;
    }
    // Every pile reseeds from the clock. Within one second the clock would rewind the
    // generator to the same state, and two quick New Games would deal the same cards;
    // so a reseed in the second of the previous one carries on where it was.
    const auto now = static_cast<std::uint32_t>(std::time(nullptr));
    if (lastClockSeed == now)
        return;
    lastClockSeed = now;
    seed(now);
}

void fixSeed(std::optional<std::uint32_t> value)
{
    fixedValue = value;
    lastClockSeed.reset();
}

std::optional<std::uint32_t> fixedSeed() { return fixedValue; }

}  // namespace Random
