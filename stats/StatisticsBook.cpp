// SPDX-License-Identifier: MIT
#include "stats/StatisticsBook.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QThread>


namespace StatsModuleLoader {

namespace {

QStringList candidates()
{
    const QString named = qEnvironmentVariable("CARDENZA_STATS_MODULE");
    if (!named.isEmpty())
        return {named};
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {programDir.filePath(QLatin1String(StatsModule::fileName)),
            programDir.filePath(QStringLiteral(CARDENZA_MODULE_DIR "/") + QLatin1String(StatsModule::fileName))};
}

}  // namespace

StatsStoreFactory *factory()
{
    static StatsStoreFactory *found = [] () -> StatsStoreFactory * {
        for (const QString &candidate : candidates()) {
            if (!QFileInfo::exists(candidate))
                continue;
            QPluginLoader loader(candidate);  // stays loaded for the rest of the run
            if (auto *factory = qobject_cast<StatsStoreFactory *>(loader.instance()))
                return factory;
        }
        return nullptr;
    }();
    return found;
}

}  // namespace StatsModuleLoader

namespace {

using Outcome = StatsStore::Outcome;

// The file and what belongs to it move aside together: NAME.bad, with its log as
// NAME.bad-wal, so that the set-aside file still opens as it was.
bool setAside(const QString &path)
{
    const QString aside = path + QStringLiteral(".bad");
    QFile::remove(aside);
    QFile::remove(aside + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    if (QFileInfo::exists(path + QStringLiteral("-wal")))
        QFile::rename(path + QStringLiteral("-wal"), aside + QStringLiteral("-wal"));
    return QFile::rename(path, aside);
}

}  // namespace

StatisticsBook::StatisticsBook(Setup bookSetup, QObject *parent) : QObject(parent), setup(std::move(bookSetup))
{
    retry.setSingleShot(true);
    connect(&retry, &QTimer::timeout, this, &StatisticsBook::flush);
}

StatisticsBook::~StatisticsBook() { close(); }

void StatisticsBook::close()
{
    if (store)
        store->close();
    store.reset();
    openPath.clear();
}

QString StatisticsBook::unavailable() const
{
    return QStringLiteral("the statistics module %1 could not be loaded").arg(QLatin1String(StatsModule::fileName));
}

// The store open on the file the location names now (a test may change it).
StatsStore::Result StatisticsBook::openStore()
{
    const QString path = setup.location();
    if (store && openPath == path)
        return {};
    close();
    StatsStoreFactory *factory = StatsModuleLoader::factory();
    if (!factory)
        return {Outcome::Unwritable, unavailable()};
    QDir().mkpath(QFileInfo(path).absolutePath());
    store = factory->createStore();
    StatsStore::Result result = store->open(path);
    if (result.outcome == Outcome::Unusable)
        result = reopenAside(result);
    if (result.ok())
        openPath = path;
    else
        store.reset();
    return result;
}

StatsStore::Result StatisticsBook::reopenAside(const StatsStore::Result &unusable)
{
    const QString path = setup.location();
    store->close();
    const QString shown = QDir::toNativeSeparators(path);
    if (!setAside(path)) {
        if (setup.tell)
            setup.tell(QStringLiteral("The statistics file %1 could not be used (%2) nor renamed; the games "
                                      "finished now are kept until the program ends.").arg(shown, unusable.detail));
        return {Outcome::Unwritable, unusable.detail};
    }
    if (setup.tell)
        setup.tell(QStringLiteral("The statistics file %1 could not be used (%2) and was renamed %3; a new one "
                                  "was started.").arg(shown, unusable.detail, QFileInfo(path).fileName() + QStringLiteral(".bad")));
    return store->open(path);
}

void StatisticsBook::handleFailure(const StatsStore::Result &result)
{
    if (result.outcome == Outcome::Busy) {
        retry.start(setup.busyRetryMs);
        return;
    }
    if (!toldUnwritable && setup.tell && StatsModuleLoader::factory()) {
        toldUnwritable = true;
        setup.tell(QStringLiteral("The statistics cannot be written to %1 (%2). Play goes on: the games "
                                  "finished meanwhile are written as soon as the file can be written again.")
                       .arg(QDir::toNativeSeparators(setup.location()), result.detail));
    }
    if (StatsModuleLoader::factory())
        retry.start(setup.unwritableRetryMs);
}

void StatisticsBook::record(const FinishedGame &game)
{
    pending.append(game);
    flush();
}

bool StatisticsBook::flush()
{
    if (pending.isEmpty())
        return true;
    StatsStore::Result result = openStore();
    if (result.ok())
        result = store->append(pending);
    if (result.outcome == Outcome::Unusable) {  // damaged while open: aside, and once more
        result = reopenAside(result);
        if (result.ok())
            result = store->append(pending);
    }
    if (!result.ok()) {
        if (result.outcome != Outcome::Busy)
            close();  // opened afresh next time: the disk may have changed
        handleFailure(result);
        return false;
    }
    pending.clear();
    retry.stop();
    return true;
}

bool StatisticsBook::finish(int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    while (!flush() && !deadline.hasExpired())
        QThread::msleep(20);
    return pending.isEmpty();
}

bool StatisticsBook::history(const QString &game, QList<FinishedGame> *games, QString *why)
{
    flush();
    StatsStore::Result result = openStore();
    if (result.ok())
        result = store->history(game, games);
    if (!result.ok()) {
        *why = result.detail;
        return false;
    }
    for (const FinishedGame &waiting : std::as_const(pending))
        if (game.isEmpty() || waiting.game == game)
            games->append(waiting);
    return true;
}

bool StatisticsBook::forget(const QString &game, QString *why)
{
    pending.removeIf([&game](const FinishedGame &waiting) { return waiting.game == game; });
    StatsStore::Result result = openStore();
    if (result.ok())
        result = store->forget(game);
    if (!result.ok())
        *why = result.detail;
    return result.ok();
}
