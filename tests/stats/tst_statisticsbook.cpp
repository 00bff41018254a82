// SPDX-License-Identifier: MIT
// The player's record on its own: the arithmetic of streaks and times, the CSV, the
// playing clock, and the database file through the module as the program loads it,
// whole, damaged, of a newer or older schema, unwritable, locked, and shared by two
// programs at once.
#include "stats/GameSummary.h"
#include "stats/PlayClock.h"
#include "stats/StatisticsBook.h"
#include "support/StatsKit.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

// "W95:120 L W30:80": won in 95 s with 120 moves, lost, won in 30 s with 80 moves.
QList<FinishedGame> historyOf(const QString &text)
{
    QList<FinishedGame> games;
    for (const QString &token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        FinishedGame game;
        game.game = QStringLiteral("Klondike");
        game.won = token.startsWith(QLatin1Char('W'));
        if (game.won) {
            game.playedMs = token.mid(1).section(QLatin1Char(':'), 0, 0).toLongLong() * 1000;
            game.moves = token.section(QLatin1Char(':'), 1).toInt();
        }
        games.append(game);
    }
    return games;
}

FinishedGame sampleGame(const QString &name, int moves, bool won)
{
    FinishedGame game;
    game.game = name;
    game.cardSize = QStringLiteral("small");
    game.options = QStringLiteral("Autoplay=False DrawThree=True");
    game.deal = QStringLiteral("AS 2H 3D");
    game.started = QDateTime(QDate(2026, 5, 1), QTime(10, 0, 0, 250), Qt::UTC);
    game.ended = game.started.addSecs(moves);
    game.playedMs = 61'500;
    game.moves = moves;
    game.undos = 2;
    game.redos = 1;
    game.hints = 3;
    game.won = won;
    return game;
}

// A connection of the test's own to the database file, as another program has one.
class DirectConnection
{
public:
    explicit DirectConnection(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
    }
    ~DirectConnection()
    {
        QSqlDatabase::database(name).close();
        QSqlDatabase::removeDatabase(name);
    }
    Q_DISABLE_COPY(DirectConnection)
    bool exec(const QString &statement) { return QSqlQuery(QSqlDatabase::database(name)).exec(statement); }
    QVariant value(const QString &statement)
    {
        QSqlQuery query(QSqlDatabase::database(name));
        return query.exec(statement) && query.next() ? query.value(0) : QVariant();
    }

private:
    const QString name = QStringLiteral("test-connection");
};

}  // namespace

class TestStatisticsBook : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    QString path;
    QStringList told;

    std::unique_ptr<StatisticsBook> makeBook(int retryMs = 30000)
    {
        StatisticsBook::Setup setup;
        setup.location = [this] { return path; };
        setup.tell = [this](const QString &text) { told << text; };
        setup.busyRetryMs = setup.unwritableRetryMs = retryMs;
        return std::make_unique<StatisticsBook>(setup);
    }

    QList<FinishedGame> storedGames(StatisticsBook &book, const QString &game = QString())
    {
        QList<FinishedGame> games;
        QString why;
        if (!book.history(game, &games, &why))
            qWarning("%s", qPrintable(why));
        return games;
    }

private Q_SLOTS:
    void initTestCase() { UseBuiltStatsModule(); }
    void init()
    {
        static int count = 0;
        path = folder.filePath(QStringLiteral("case%1/statistics.sqlite").arg(++count));
        told.clear();
    }

    void summaryOfAHistory_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QList<int>>("counts");  // played, won, current, best won, best lost
        QTest::addColumn<qint64>("bestMs");      // -1: no win
        QTest::addColumn<qint64>("averageMs");
        QTest::addColumn<int>("fewestMoves");
        QTest::newRow("nothing played") << "" << QList<int>{0, 0, 0, 0, 0} << -1LL << -1LL << -1;
        QTest::newRow("one loss") << "L" << QList<int>{1, 0, -1, 0, 1} << -1LL << -1LL << -1;
        QTest::newRow("wins after losses") << "L L L W90:100 W60:140" << QList<int>{5, 2, 2, 2, 3} << 60'000LL
                                           << 75'000LL << 100;
        QTest::newRow("the streak turns") << "W10:50 W20:60 W30:70 L L" << QList<int>{5, 3, -2, 3, 2} << 10'000LL
                                          << 20'000LL << 50;
        QTest::newRow("average rounds") << "W1:9 W2:9 W2:9" << QList<int>{3, 3, 3, 3, 0} << 1'000LL << 1'667LL << 9;
        QTest::newRow("longest runs in the middle") << "W5:1 L L L L W5:1 W5:1 W5:1 W5:1 W5:1 L W5:1"
                                                    << QList<int>{12, 7, 1, 5, 4} << 5'000LL << 5'000LL << 1;
    }
    void summaryOfAHistory()
    {
        QFETCH(QString, history);
        QFETCH(QList<int>, counts);
        QFETCH(qint64, bestMs);
        QFETCH(qint64, averageMs);
        QFETCH(int, fewestMoves);
        const GameSummary summary = summarise(historyOf(history));
        QCOMPARE((QList<int>{summary.played, summary.won, summary.currentStreak, summary.bestWinStreak,
                             summary.bestLossStreak}), counts);
        QCOMPARE(summary.bestTimeMs.value_or(-1), bestMs);
        QCOMPARE(summary.averageWinTimeMs.value_or(-1), averageMs);
        QCOMPARE(summary.fewestMoves.value_or(-1), fewestMoves);
    }

    void csvHasOneRowPerGamePlayedInTheLaunchersOrder()
    {
        QList<FinishedGame> games = historyOf("W61:120 L");
        games += historyOf("L");
        games.last().game = QStringLiteral("Free Cell");
        games += historyOf("W5:1");
        games.last().game = QStringLiteral("Odd, \"quoted\"");
        QCOMPARE(StatsCsv::table(games, {QStringLiteral("Free Cell"), QStringLiteral("Golf"), QStringLiteral("Klondike")}),
                 QStringLiteral("game,played,won,win_pct,current_streak,best_win_streak,best_loss_streak,best_time_s,"
                                "avg_win_time_s,fewest_moves\n"
                                "Free Cell,1,0,0.0,-1,0,1,,,\n"
                                "Klondike,2,1,50.0,-1,1,1,61.0,61.0,120\n"
                                "\"Odd, \"\"quoted\"\"\",1,1,100.0,1,1,0,5.0,5.0,1\n"));
        QCOMPARE(playingTimeText(59'499), QStringLiteral("0:59"));
        QCOMPARE(playingTimeText(3'725'000), QStringLiteral("1:02:05"));
    }

    // Input keeps the clock going; two minutes without it, and a minimised window,
    // stop it until the player is back.
    void thePlayingClockStopsWhenNobodyPlays()
    {
        FakeClock time;
        PlayClock clock;
        clock.start(5'000);
        time.advance(30'000);
        clock.input();
        QCOMPARE(clock.playedMs(), 35'000);
        time.advance(10 * 60'000);  // away for ten minutes: two count
        QCOMPARE(clock.playedMs(), 35'000 + PlayClock::idleLimitMs);
        clock.input();
        clock.pause();
        time.advance(60'000);
        clock.input();  // a minimised window hears nothing that counts
        QCOMPARE(clock.playedMs(), 35'000 + PlayClock::idleLimitMs);
        clock.resume();
        time.advance(1'000);
        QCOMPARE(clock.playedMs(), 36'000 + PlayClock::idleLimitMs);
        time.advance(-60'000);  // the system clock set back
        QCOMPARE(clock.playedMs(), 35'000 + PlayClock::idleLimitMs);
    }

    // Every field comes back as written; the file is a write-ahead-log database of
    // the current schema.
    void gamesComeBackAsWritten()
    {
        const FinishedGame first = sampleGame(QStringLiteral("Klondike"), 80, true);
        FinishedGame second = sampleGame(QStringLiteral("Golf"), 12, false);
        second.seed = 4294967295LL;
        second.ended = first.ended.addMSecs(1);
        second.solverVerdict = QStringLiteral("winnable");
        {
            auto book = makeBook();
            book->record(first);
            book->record(second);
            QCOMPARE(book->waiting(), 0);
        }
        auto book = makeBook();
        QCOMPARE(storedGames(*book), (QList<FinishedGame>{first, second}));
        QCOMPARE(storedGames(*book, QStringLiteral("Golf")), QList<FinishedGame>{second});
        book->close();
        DirectConnection file(path);
        QCOMPARE(file.value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
        QCOMPARE(file.value(QStringLiteral("PRAGMA user_version")).toInt(), 2);
        QVERIFY(told.isEmpty());
        QString why;
        QVERIFY(book->forget(QStringLiteral("Klondike"), &why));
        QCOMPARE(storedGames(*book), QList<FinishedGame>{second});
    }

    // A file of the first schema (no hints, no verdict) keeps every row.
    void anOlderSchemaIsUpgradedKeepingEveryRow()
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        {
            DirectConnection file(path);
            QVERIFY(file.exec(QStringLiteral(
                "CREATE TABLE games (id INTEGER PRIMARY KEY, game TEXT NOT NULL, card_size TEXT NOT NULL,"
                " options TEXT NOT NULL, seed INTEGER, deal TEXT NOT NULL, started TEXT NOT NULL, ended TEXT NOT NULL,"
                " played_ms INTEGER NOT NULL, moves INTEGER NOT NULL, undos INTEGER NOT NULL, redos INTEGER NOT NULL,"
                " won INTEGER NOT NULL)")));
            for (int i = 1; i <= 3; ++i)
                QVERIFY(file.exec(QStringLiteral("INSERT INTO games VALUES (NULL, 'Spider', 'large', '', %1, 'AS',"
                                                 " '2026-01-0%1T10:00:00.000Z', '2026-01-0%1T10:05:00.000Z', 300000,"
                                                 " %1, 0, 0, %2)").arg(i).arg(i % 2)));
            QVERIFY(file.exec(QStringLiteral("PRAGMA user_version = 1")));
        }
        auto book = makeBook();
        const QList<FinishedGame> games = storedGames(*book);
        QCOMPARE(games.size(), 3);
        QCOMPARE(games[2].moves, 3);
        QCOMPARE(games[2].seed, std::optional<qint64>(3));
        QVERIFY(games[0].won && !games[1].won && games[2].hints == 0 && games[2].solverVerdict.isEmpty());
        book->record(sampleGame(QStringLiteral("Spider"), 4, true));
        QCOMPARE(storedGames(*book).size(), 4);
        QVERIFY(told.isEmpty());
    }

    void aFileThatCannotBeUsedIsSetAsideAndAFreshOneStarted_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("reason");
        QByteArray damaged;
        {
            // A real database whose pages were overwritten halfway.
            QTemporaryDir scratch;
            const QString whole = scratch.filePath(QStringLiteral("whole.sqlite"));
            {
                DirectConnection file(whole);
                file.exec(QStringLiteral("CREATE TABLE games (id INTEGER PRIMARY KEY, game TEXT)"));
                file.exec(QStringLiteral("BEGIN"));
                for (int i = 0; i < 400; ++i)
                    file.exec(QStringLiteral("INSERT INTO games (game) VALUES ('%1')").arg(QString(200, QLatin1Char('x'))));
                file.exec(QStringLiteral("COMMIT"));
                file.exec(QStringLiteral("PRAGMA user_version = 2"));
            }
            QFile file(whole);
            file.open(QIODevice::ReadOnly);
            damaged = file.readAll();
            for (qsizetype i = 4096 + 100; i < damaged.size(); i += 7)
                damaged[i] = char(0xA5);
        }
        QTest::newRow("not a database") << QByteArray("these are not the statistics\n").repeated(200)
                                        << QStringLiteral("it is damaged");
        QTest::newRow("damaged pages") << damaged << QStringLiteral("it is damaged");
        QTest::newRow("a newer schema") << QByteArray() << QStringLiteral("it was written by a newer version");
    }
    void aFileThatCannotBeUsedIsSetAsideAndAFreshOneStarted()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, reason);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (contents.isEmpty()) {
            DirectConnection file(path);
            file.exec(QStringLiteral("CREATE TABLE games (id INTEGER PRIMARY KEY, future TEXT)"));
            file.exec(QStringLiteral("PRAGMA user_version = 99"));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        }
        QFile original(path);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray before = original.readAll();
        original.close();
        auto book = makeBook();
        book->record(sampleGame(QStringLiteral("Golf"), 7, true));
        QCOMPARE(book->waiting(), 0);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(path) && told[0].contains(reason) && told[0].contains(QStringLiteral("statistics.sqlite.bad")),
                 qPrintable(told[0]));
        QFile aside(path + QStringLiteral(".bad"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), before);
        QCOMPARE(storedGames(*book).size(), 1);
    }

    // Where nothing can be written, play goes on: the player hears of it once, and
    // the games wait until writing works again.
    void gamesWaitWhileTheFileCannotBeWritten()
    {
        const QString blocked = folder.filePath(QStringLiteral("blocked"));
        QFile blocker(blocked);
        QVERIFY(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
        blocker.close();
        path = blocked + QStringLiteral("/statistics.sqlite");
        auto book = makeBook(10);
        book->record(sampleGame(QStringLiteral("Pyramid"), 1, false));
        book->record(sampleGame(QStringLiteral("Pyramid"), 2, true));
        QCOMPARE(book->waiting(), 2);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(path) && told[0].contains(QStringLiteral("Play goes on")), qPrintable(told[0]));
        QVERIFY(QFile::remove(blocked));
        QTRY_COMPARE(book->waiting(), 0);  // written by the retry, nobody asking
        QCOMPARE(storedGames(*book).size(), 2);
        QCOMPARE(told.size(), 1);
    }

    void aReadOnlyFileIsTheSame()
    {
        if (geteuid() == 0)
            QSKIP("the superuser writes read-only files");
        auto book = makeBook(10);
        book->record(sampleGame(QStringLiteral("Golf"), 1, false));
        book->close();
        QFile::setPermissions(path, QFile::ReadOwner);
        book->record(sampleGame(QStringLiteral("Golf"), 2, false));
        QCOMPARE(book->waiting(), 1);
        QCOMPARE(told.size(), 1);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QTRY_COMPARE(book->waiting(), 0);
    }

    // Another program in the middle of writing: the game waits, unannounced, and is
    // written as soon as the lock is gone.
    void aLockedFileIsTriedAgain()
    {
        auto book = makeBook(20);
        book->record(sampleGame(QStringLiteral("Spider"), 1, true));
        DirectConnection other(path);
        QVERIFY(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
        book->record(sampleGame(QStringLiteral("Spider"), 2, true));
        QCOMPARE(book->waiting(), 1);
        QVERIFY(told.isEmpty());
        QVERIFY(other.exec(QStringLiteral("COMMIT")));
        QTRY_COMPARE(book->waiting(), 0);
        QCOMPARE(other.value(QStringLiteral("SELECT count(*) FROM games")).toInt(), 2);
    }

    void twoProgramsFinishingGamesAtOnceLoseNothing()
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QProcess first, second;
        first.start(QStringLiteral(CARDENZA_STATS_WRITER), {path, QStringLiteral("First"), QStringLiteral("500")});
        second.start(QStringLiteral(CARDENZA_STATS_WRITER), {path, QStringLiteral("Second"), QStringLiteral("500")});
        QVERIFY(first.waitForFinished(120000) && second.waitForFinished(120000));
        QVERIFY2(first.exitCode() == 0 && second.exitCode() == 0, first.readAllStandardError() + second.readAllStandardError());
        auto book = makeBook();
        QCOMPARE(storedGames(*book, QStringLiteral("First")).size(), 500);
        QCOMPARE(storedGames(*book, QStringLiteral("Second")).size(), 500);
        QCOMPARE(storedGames(*book).size(), 1000);
    }
};

QTEST_GUILESS_MAIN(TestStatisticsBook)
#include "tst_statisticsbook.moc"
