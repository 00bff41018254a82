// SPDX-License-Identifier: MIT
#pragma once
#include <cstdint>
#include <optional>

// The program's one random generator: state = state * 0x015A4E35 + 1 (mod 2^32),
// result = bits 16..30 of the state (0 to 32767). Seeded with 1 it yields
// 346, 130, 10982, 1090, 11656.
namespace Random {

void seed(std::uint32_t value);
int next();

// Reseeds from the clock in seconds (a second reseed within the same second keeps
// the sequence going), or with the fixed seed when one is set.
void reseedFromTime();

// `cardenza --seed N` and the tests fix every reseed to N, so deals repeat.
void fixSeed(std::optional<std::uint32_t> value);
std::optional<std::uint32_t> fixedSeed();

}  // namespace Random
