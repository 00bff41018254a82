// SPDX-License-Identifier: MIT
#include "stats/GameSummary.h"

#include <QMap>

#include <algorithm>

GameSummary summarise(const QList<FinishedGame> &history)
{
    GameSummary summary;
    qint64 winTimeTotal = 0;
    for (const FinishedGame &game : history) {
        ++summary.played;
        const int direction = game.won ? 1 : -1;
        summary.currentStreak = summary.currentStreak * direction > 0 ? summary.currentStreak + direction : direction;
        summary.bestWinStreak = std::max(summary.bestWinStreak, summary.currentStreak);
        summary.bestLossStreak = std::max(summary.bestLossStreak, -summary.currentStreak);
        if (!game.won)
            continue;
        ++summary.won;
        winTimeTotal += game.playedMs;
        summary.bestTimeMs = std::min(summary.bestTimeMs.value_or(game.playedMs), game.playedMs);
        summary.fewestMoves = std::min(summary.fewestMoves.value_or(game.moves), game.moves);
    }
    if (summary.won > 0)
        summary.averageWinTimeMs = (winTimeTotal + summary.won / 2) / summary.won;
    return summary;
}

QString playingTimeText(qint64 milliseconds)
{
    const qint64 seconds = (std::max<qint64>(milliseconds, 0) + 500) / 1000;
    const QString secondsText = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (seconds < 3600)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(secondsText);
    return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QLatin1Char('0')).arg(secondsText);
}

namespace StatsCsv {

namespace {

QString field(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString seconds(const std::optional<qint64> &milliseconds)
{
    return milliseconds ? QString::number(double(*milliseconds) / 1000.0, 'f', 1) : QString();
}

}  // namespace

QString header()
{
    return QStringLiteral("game,played,won,win_pct,current_streak,best_win_streak,best_loss_streak,best_time_s,"
                          "avg_win_time_s,fewest_moves");
}

QString row(const QString &game, const GameSummary &summary)
{
    const QStringList fields{field(game),
                             QString::number(summary.played),
                             QString::number(summary.won),
                             QString::number(summary.winPercent(), 'f', 1),
                             QString::number(summary.currentStreak),
                             QString::number(summary.bestWinStreak),
                             QString::number(summary.bestLossStreak),
                             seconds(summary.bestTimeMs),
                             seconds(summary.averageWinTimeMs),
                             summary.fewestMoves ? QString::number(*summary.fewestMoves) : QString()};
    return fields.join(QLatin1Char(','));
}

QString table(const QList<FinishedGame> &games, const QStringList &order)
{
    QMap<QString, QList<FinishedGame>> byGame;
    for (const FinishedGame &game : games)
        byGame[game.game].append(game);
    QStringList names;
    for (const QString &name : order)
        if (byGame.contains(name))
            names << name;
    for (const QString &name : byGame.keys())
        if (!names.contains(name))
            names << name;
    QString text = header() + QLatin1Char('\n');
    for (const QString &name : std::as_const(names))
        text += row(name, summarise(byGame.value(name))) + QLatin1Char('\n');
    return text;
}

}  // namespace StatsCsv
