// SPDX-License-Identifier: MIT
#pragma once
#include <QDateTime>
#include <QString>

#include <optional>

// One finished game as the player's record keeps it: won, or given up after at
// least one move.
struct FinishedGame {
    QString game;       // the launcher's name: "Free Cell"
    QString cardSize;   // "large" or "small"
    QString options;    // the game's options as "Autoplay=False DrawThree=True"
    std::optional<qint64> seed;  // when every shuffle used one fixed seed
    QString deal;       // the deck as dealt, bottom card first: "AS 7H ..."
    QDateTime started;  // UTC, to the millisecond
    QDateTime ended;
    qint64 playedMs = 0;  // the playing time: minimised and idle spells left out
    int moves = 0;
    int undos = 0;
    int redos = 0;
    int hints = 0;
    bool won = false;
    QString solverVerdict;  // "winnable" or "unwinnable"; empty when not known

    bool operator==(const FinishedGame &) const = default;
};
