// SPDX-License-Identifier: MIT
#pragma once
#include "stats/FinishedGame.h"

#include <QList>
#include <QString>
#include <QtPlugin>

#include <memory>

// The database behind the player's record. It lives in a module of its own, loaded
// when the first game ends or the statistics are first shown, so that the database
// libraries cost the program's start nothing.
class StatsStore
{
public:
    enum class Outcome {
        Done,
        Busy,        // another program holds the database: try again soon
        Unwritable,  // read-only, full disk, no room for the file: try again later
        Unusable,    // not a database, damaged, or of a newer schema: set it aside
    };
    struct Result {
        Outcome outcome = Outcome::Done;
        QString detail;  // for Unusable: why, in a few words
        bool ok() const { return outcome == Outcome::Done; }
    };

    virtual ~StatsStore() = default;
    // Opens the file, creating it or bringing an older schema up to date.
    virtual Result open(const QString &path) = 0;
    virtual void close() = 0;
    // All rows in one transaction: all are written or none.
    virtual Result append(const QList<FinishedGame> &games) = 0;
    // The games of one launcher name (all games for an empty name), oldest first.
    virtual Result history(const QString &game, QList<FinishedGame> *games) = 0;
    virtual Result forget(const QString &game) = 0;
};

// The module's entry: makes stores, one connection each.
class StatsStoreFactory
{
public:
    virtual ~StatsStoreFactory() = default;
    virtual std::unique_ptr<StatsStore> createStore() = 0;
    // The schema version this module writes.
    virtual int schemaVersion() const = 0;
};

#define StatsStoreFactory_iid "org.cardenza.StatsStoreFactory/1"
Q_DECLARE_INTERFACE(StatsStoreFactory, StatsStoreFactory_iid)

namespace StatsModule {
constexpr const char *fileName = "cardenza-stats.so";
}  // namespace StatsModule
