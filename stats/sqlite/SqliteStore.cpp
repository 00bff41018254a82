// SPDX-License-Identifier: MIT
// The player's record in an SQLite file, through Qt SQL: a write-ahead log, the
// schema's version in the file's user_version, and upgrades that keep every row.
// Built as a module of its own: the program loads it, and with it Qt SQL, only when
// the record is first needed.
#include "stats/StatsStore.h"

#include <QAtomicInt>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// Each step brings the schema from the version before it to its own number.
// 1: one row per finished game. 2: the hints taken and the solver's verdict.
const char *const upgradeSteps[][3] = {
    {"CREATE TABLE games (id INTEGER PRIMARY KEY, game TEXT NOT NULL, card_size TEXT NOT NULL,"
     " options TEXT NOT NULL, seed INTEGER, deal TEXT NOT NULL, started TEXT NOT NULL, ended TEXT NOT NULL,"
     " played_ms INTEGER NOT NULL, moves INTEGER NOT NULL, undos INTEGER NOT NULL, redos INTEGER NOT NULL,"
     " won INTEGER NOT NULL)",
     "CREATE INDEX games_by_game ON games (game, ended)", nullptr},
    {"ALTER TABLE games ADD COLUMN hints INTEGER NOT NULL DEFAULT 0",
     "ALTER TABLE games ADD COLUMN solver_verdict TEXT", nullptr},
};
constexpr int schemaVersion = int(std::size(upgradeSteps));
// How long one statement waits for another program's lock before it gives up.
constexpr int busyTimeoutMs = 250;

using Outcome = StatsStore::Outcome;
using Result = StatsStore::Result;

// SQLite's primary result codes, as Qt reports them.
Outcome outcomeOf(const QSqlError &error)
{
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 5:   // SQLITE_BUSY
    case 6:   // SQLITE_LOCKED
        return Outcome::Busy;
    case 11:  // SQLITE_CORRUPT
    case 26:  // SQLITE_NOTADB
        return Outcome::Unusable;
    default:  // read-only, full, cannot open, input/output: wait for better times
        return Outcome::Unwritable;
    }
}

Result failure(const QSqlError &error)
{
    const Outcome outcome = outcomeOf(error);
    return {outcome, outcome == Outcome::Unusable ? QStringLiteral("it is damaged") : error.text()};
}

// Never NULL: an empty text is stored as one.
QVariant text(const QString &value) { return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value); }

QVariant timeText(const QDateTime &time) { return text(time.toUTC().toString(Qt::ISODateWithMs)); }
QDateTime timeOf(const QVariant &text) { return QDateTime::fromString(text.toString(), Qt::ISODateWithMs); }

class SqliteStore final : public StatsStore
{
public:
    SqliteStore() : connection(QStringLiteral("cardenza-stats-%1").arg(nextConnection.fetchAndAddRelaxed(1))) {}
    ~SqliteStore() override { close(); }

    Result open(const QString &path) override
    {
        close();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
            if (!db.open())
                return failure(db.lastError());
        }
        opened = true;
        const Result result = prepare();
        if (!result.ok())
            close();
        return result;
    }

    void close() override
    {
        if (!opened && !QSqlDatabase::contains(connection))
            return;
        QSqlDatabase::database(connection, false).close();
        QSqlDatabase::removeDatabase(connection);
        opened = false;
    }

    Result append(const QList<FinishedGame> &games) override
    {
        if (games.isEmpty())
            return {};
        QSqlQuery query(database());
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return failure(query.lastError());
        query.prepare(QStringLiteral(
            "INSERT INTO games (game, card_size, options, seed, deal, started, ended, played_ms, moves, undos,"
            " redos, hints, won, solver_verdict) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const FinishedGame &game : games) {
            bind(query, game);
            if (!query.exec())
                return rollBack(query.lastError());
        }
        if (!query.exec(QStringLiteral("COMMIT")))
            return rollBack(query.lastError());
        return {};
    }

    Result history(const QString &game, QList<FinishedGame> *games) override
    {
        QSqlQuery query(database());
        query.setForwardOnly(true);
        const QString columns = QStringLiteral("SELECT game, card_size, options, seed, deal, started, ended,"
                                               " played_ms, moves, undos, redos, hints, won, solver_verdict FROM games");
        const QString order = QStringLiteral(" ORDER BY ended, id");
        query.prepare(game.isEmpty() ? columns + order : columns + QStringLiteral(" WHERE game = ?") + order);
        if (!game.isEmpty())
            query.addBindValue(game);
        if (!query.exec())
            return failure(query.lastError());
        games->clear();
        while (query.next())
            games->append(rowOf(query));
        return query.lastError().isValid() ? failure(query.lastError()) : Result{};
    }

    Result forget(const QString &game) override
    {
        QSqlQuery query(database());
        query.prepare(QStringLiteral("DELETE FROM games WHERE game = ?"));
        query.addBindValue(game);
        return query.exec() ? Result{} : failure(query.lastError());
    }

private:
    QSqlDatabase database() const { return QSqlDatabase::database(connection, false); }

    Result rollBack(const QSqlError &error)
    {
        QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
        return failure(error);
    }

    static void bind(QSqlQuery &query, const FinishedGame &game)
    {
        const QVariant seed = game.seed ? QVariant(*game.seed) : QVariant(QMetaType::fromType<qint64>());
        const QVariant verdict = game.solverVerdict.isEmpty() ? QVariant(QMetaType::fromType<QString>())
                                                              : QVariant(game.solverVerdict);
        const QVariantList values{text(game.game), text(game.cardSize), text(game.options), seed, text(game.deal), timeText(game.started),
                                  timeText(game.ended), game.playedMs, game.moves, game.undos, game.redos,
                                  game.hints, game.won ? 1 : 0, verdict};
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
    }

    static FinishedGame rowOf(const QSqlQuery &query)
    {
        FinishedGame game;
        game.game = query.value(0).toString();
        game.cardSize = query.value(1).toString();
        game.options = query.value(2).toString();
        if (!query.value(3).isNull())
            game.seed = query.value(3).toLongLong();
        game.deal = query.value(4).toString();
        game.started = timeOf(query.value(5));
        game.ended = timeOf(query.value(6));
        game.playedMs = query.value(7).toLongLong();
        game.moves = query.value(8).toInt();
        game.undos = query.value(9).toInt();
        game.redos = query.value(10).toInt();
        game.hints = query.value(11).toInt();
        game.won = query.value(12).toInt() != 0;
        game.solverVerdict = query.value(13).toString();
        return game;
    }

    // The file is ours, whole, and of a version this module knows; then in the
    // write-ahead mode and up to date.
    Result prepare()
    {
        QSqlQuery query(database());
        int version = 0;
        if (!readVersion(query, &version))
            return failure(query.lastError());
        if (version > schemaVersion)
            return {Outcome::Unusable, QStringLiteral("it was written by a newer version of Cardenza!")};
        if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
            return failure(query.lastError());
        if (query.value(0).toString() != QLatin1String("ok"))
            return {Outcome::Unusable, QStringLiteral("it is damaged")};
        if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
            return failure(query.lastError());
        query.finish();
        return version == schemaVersion ? checkTable(query) : upgrade();
    }

    static bool readVersion(QSqlQuery &query, int *version)
    {
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
            return false;
        *version = query.value(0).toInt();
        query.finish();
        return true;
    }

    Result checkTable(QSqlQuery &query)
    {
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'games'"))
            || !query.next())
            return failure(query.lastError());
        return query.value(0).toInt() == 1 ? Result{}
                                            : Result{Outcome::Unusable, QStringLiteral("it is not a statistics file")};
    }

    // Under the write lock, from whatever version another program left meanwhile.
    Result upgrade()
    {
        QSqlQuery query(database());
        int version = 0;
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) || !readVersion(query, &version))
            return rollBack(query.lastError());
        // A file without a version is ours only while it holds nothing.
        if (version == 0) {
            if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next())
                return rollBack(query.lastError());
            if (query.value(0).toInt() != 0) {
                query.finish();
                QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
                return {Outcome::Unusable, QStringLiteral("it is not a statistics file")};
            }
        }
        for (int step = version; step < schemaVersion; ++step)
            for (const char *statement : upgradeSteps[step])
                if (statement && !query.exec(QString::fromLatin1(statement)))
                    return rollBack(query.lastError());
        if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion))
            || !query.exec(QStringLiteral("COMMIT")))
            return rollBack(query.lastError());
        return {};
    }

    static inline QAtomicInt nextConnection;
    const QString connection;
    bool opened = false;
};

}  // namespace

class SqliteStoreFactory : public QObject, public StatsStoreFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID StatsStoreFactory_iid)
    Q_INTERFACES(StatsStoreFactory)
public:
    std::unique_ptr<StatsStore> createStore() override { return std::make_unique<SqliteStore>(); }
    int schemaVersion() const override { return ::schemaVersion; }
};

#include "SqliteStore.moc"
