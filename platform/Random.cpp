// SPDX-License-Identifier: MIT
#include "platform/Random.h"

#include <ctime>

namespace {
std::uint32_t state = 1;
std::optional<std::uint32_t> fixedValue;
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
    seed(fixedValue ? *fixedValue : static_cast<std::uint32_t>(std::time(nullptr)));
}

void fixSeed(std::optional<std::uint32_t> value) { fixedValue = value; }

std::optional<std::uint32_t> fixedSeed() { return fixedValue; }

}  // namespace Random
