// SPDX-License-Identifier: MIT
#include "solver/Search.h"

#include <algorithm>
#include <ctime>

namespace Solver {

const char *verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Winnable: return "winnable";
    case Verdict::Unwinnable: return "unwinnable";
    case Verdict::Unknown: break;
    }
    return "unknown";
}

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

namespace {
constexpr std::uint64_t tagBits = ~std::uint64_t(0xFFFF);
constexpr std::uint64_t onLine = 1;
constexpr std::uint32_t lastGeneration = 0x7FFF;
}  // namespace

TranspositionTable::TranspositionTable(int log2Entries)
    : entries(std::size_t(1) << log2Entries, 0), mask((std::uint64_t(1) << log2Entries) - 1)
{
}

void TranspositionTable::startSearch()
{
    if (++generation > lastGeneration) {
        std::fill(entries.begin(), entries.end(), 0);
        generation = 1;
    }
}

TranspositionTable::Outcome TranspositionTable::enter(std::uint64_t key)
{
    std::uint64_t *bucket = bucketOf(key);
    std::uint64_t *free = nullptr;
    std::uint64_t *victim = nullptr;
    for (int i = 0; i < 4; ++i) {
        std::uint64_t &word = bucket[i];
        if (!isCurrent(word)) {
            free = free ? free : &word;
            continue;
        }
        if ((word & tagBits) == (key & tagBits))
            return Seen;
        if (!(word & onLine))
            victim = &word;  // the last one is the oldest
    }
    std::uint64_t *slot = free ? free : victim;
    if (!slot)
        return Full;
    *slot = (key & tagBits) | std::uint64_t(generation) << 1 | onLine;
    // Bring the newest key to the front, so that later evictions take older ones.
    if (slot != bucket)
        std::rotate(bucket, slot, slot + 1);
    return Added;
}

bool TranspositionTable::contains(std::uint64_t key)
{
    const std::uint64_t *bucket = bucketOf(key);
    for (int i = 0; i < 4; ++i)
        if (isCurrent(bucket[i]) && (bucket[i] & tagBits) == (key & tagBits))
            return true;
    return false;
}

void TranspositionTable::forget(std::uint64_t key)
{
    std::uint64_t *bucket = bucketOf(key);
    for (int i = 0; i < 4; ++i)
        if (isCurrent(bucket[i]) && (bucket[i] & tagBits) == (key & tagBits))
            bucket[i] = 0;
}

void TranspositionTable::leave(std::uint64_t key)
{
    std::uint64_t *bucket = bucketOf(key);
    for (int i = 0; i < 4; ++i)
        if (isCurrent(bucket[i]) && (bucket[i] & tagBits) == (key & tagBits))
            bucket[i] &= ~onLine;
}

}  // namespace Solver
