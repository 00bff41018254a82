// SPDX-License-Identifier: MIT
#pragma once
#include "stats/FinishedGame.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the player's record says about one game: counts, streaks and the times and
// moves of the won games.
struct GameSummary {
    int played = 0;
    int won = 0;
    // Games of one outcome in a row up to the latest: above 0 won, below 0 lost.
    int currentStreak = 0;
    int bestWinStreak = 0;
    int bestLossStreak = 0;
    std::optional<qint64> bestTimeMs;        // the quickest win
    std::optional<qint64> averageWinTimeMs;  // over the won games only
    std::optional<int> fewestMoves;          // of a won game

    double winPercent() const { return played > 0 ? 100.0 * won / played : 0.0; }
    bool operator==(const GameSummary &) const = default;
};

// The games in the order they ended, oldest first.
GameSummary summarise(const QList<FinishedGame> &history);

// "1:05", "1:02:03": a playing time for people.
QString playingTimeText(qint64 milliseconds);

namespace StatsCsv {
// game,played,won,win_pct,current_streak,best_win_streak,best_loss_streak,best_time_s,avg_win_time_s,fewest_moves
QString header();
QString row(const QString &game, const GameSummary &summary);
// The header, then one row per game that has been played: those of `order` first,
// in its order, then any others by name. Lines end in "\n".
QString table(const QList<FinishedGame> &games, const QStringList &order);
}  // namespace StatsCsv
