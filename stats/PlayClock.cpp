// SPDX-License-Identifier: MIT
#include "stats/PlayClock.h"

#include <QDateTime>

#include <algorithm>

namespace {
PlayClock::Source &source()
{
    static PlayClock::Source clock;
    return clock;
}
}  // namespace

void PlayClock::setSource(Source clock) { source() = std::move(clock); }

qint64 PlayClock::now() { return source() ? source()() : QDateTime::currentMSecsSinceEpoch(); }

// The time since the last input counts up to the idle limit; a clock set back
// counts nothing.
qint64 PlayClock::sinceLast(qint64 at) const { return std::clamp<qint64>(at - last, 0, idleLimitMs); }

void PlayClock::start(qint64 alreadyPlayedMs)
{
    counted = alreadyPlayedMs;
    last = now();
    paused = false;
}

void PlayClock::input()
{
    if (paused)
        return;
    const qint64 at = now();
    counted += sinceLast(at);
    last = at;
}

void PlayClock::pause()
{
    if (paused)
        return;
    input();
    paused = true;
}

void PlayClock::resume()
{
    if (!paused)
        return;
    paused = false;
    last = now();
}

qint64 PlayClock::playedMs() const { return paused ? counted : counted + sinceLast(now()); }
