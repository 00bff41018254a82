// SPDX-License-Identifier: MIT
#pragma once
#include <QtGlobal>

#include <functional>

// A game's playing time: it runs while the player plays, stops while the window is
// minimised, and stops after two minutes without input until the next input.
class PlayClock
{
public:
    static constexpr qint64 idleLimitMs = 2 * 60 * 1000;

    // Where time comes from: milliseconds since the epoch. Tests put their own clock
    // here; an empty one is the system's.
    using Source = std::function<qint64()>;
    static void setSource(Source source);
    static qint64 now();

    // Starts from a playing time already spent (a game kept for next time).
    void start(qint64 alreadyPlayedMs = 0);
    void input();
    void pause();
    void resume();
    bool isPaused() const { return paused; }
    qint64 playedMs() const;

private:
    qint64 sinceLast(qint64 at) const;

    qint64 counted = 0;  // up to the last input, pause or resume
    qint64 last = 0;
    bool paused = false;
};
