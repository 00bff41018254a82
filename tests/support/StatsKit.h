// SPDX-License-Identifier: MIT
#pragma once
// The statistics as a test sees them: the module built beside the tests, a clock of
// the test's own, and the rows in the database file.
#include "shell/PlayerStatistics.h"
#include "stats/PlayClock.h"
#include "stats/StatisticsBook.h"

#include <QTest>

// The database module as the tests build it, also when a test runs alone.
inline void UseBuiltStatsModule()
{
    if (!qEnvironmentVariableIsSet("CARDENZA_STATS_MODULE"))
        qputenv("CARDENZA_STATS_MODULE", CARDENZA_STATS_MODULE_FILE);
}

// The playing clock reads this time while the object lives.
struct FakeClock {
    qint64 now = 1'700'000'000'000;
    FakeClock()
    {
        PlayClock::setSource([this] { return now; });
    }
    ~FakeClock() { PlayClock::setSource({}); }
    Q_DISABLE_COPY(FakeClock)
    void advance(qint64 milliseconds) { now += milliseconds; }
};

// Every game of the program's record, oldest first.
inline QList<FinishedGame> RecordedGames(const QString &game = QString())
{
    QList<FinishedGame> games;
    QString why;
    if (!PlayerStatistics::book().history(game, &games, &why))
        qWarning("statistics unreadable: %s", qPrintable(why));
    return games;
}
