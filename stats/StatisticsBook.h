// SPDX-License-Identifier: MIT
#pragma once
#include "stats/FinishedGame.h"
#include "stats/StatsStore.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

// The player's record as the program uses it: finished games go in, histories come
// out. The database module is loaded on first use. Nothing finished is lost while
// the program runs: a game that cannot be written at once (another program holds
// the file, the disk is full or read-only) waits in memory and is written as soon
// as writing works again. A file that cannot be used is set aside as NAME.bad and a
// fresh one started. The player is told, through `tell`, of a file set aside, and
// once per run that writing fails.
class StatisticsBook : public QObject
{
    Q_OBJECT
public:
    struct Setup {
        std::function<QString()> location;       // the database file
        std::function<void(const QString &)> tell;  // a message for the player
        int busyRetryMs = 500;         // another program holds the file
        int unwritableRetryMs = 30000;  // read-only or full
    };
    explicit StatisticsBook(Setup setup, QObject *parent = nullptr);
    ~StatisticsBook() override;

    void record(const FinishedGame &game);
    // Writes the games that wait; true when none waits afterwards.
    bool flush();
    // Tries until nothing waits or the time is up (the program is ending).
    bool finish(int waitMs);
    int waiting() const { return int(pending.size()); }

    // The games of one launcher name (every game for an empty one), oldest first,
    // those waiting to be written included. False, with the reason, when the record
    // cannot be read.
    bool history(const QString &game, QList<FinishedGame> *games, QString *why);
    // Forgets every game of that name, written or waiting.
    bool forget(const QString &game, QString *why);
    // Lets go of the file (it is opened again when needed).
    void close();

private:
    StatsStore::Result openStore();
    StatsStore::Result reopenAside(const StatsStore::Result &unusable);
    void handleFailure(const StatsStore::Result &result);
    QString unavailable() const;

    Setup setup;
    std::unique_ptr<StatsStore> store;
    QString openPath;
    QList<FinishedGame> pending;
    bool toldUnwritable = false;
    QTimer retry;
};

namespace StatsModuleLoader {
// The module's factory: the file named by $CARDENZA_STATS_MODULE, else beside the
// program, else where an installation puts it; null when none loads.
StatsStoreFactory *factory();
}  // namespace StatsModuleLoader
