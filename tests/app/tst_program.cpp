// SPDX-License-Identifier: MIT
// Runs the built program as a player would from a shell and reads what it says.
#include "support/StatsKit.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestProgram : public QObject
{
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
    };

    // The player's own settings folder, with a file that must come through unchanged.
    QTemporaryDir playerSettings;
    const QByteArray playerFile = "[Preferences]\nBackIndex=-1\nCustomBackFile=/nowhere/missing.jpg\n"
                                  "BackgroundIndex=-1\nBackgroundFile=/nowhere/missing.bmp\n";

    Run run(const QStringList &arguments, const QProcessEnvironment &environment)
    {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(CARDENZA_PROGRAM), arguments);
        Run result;
        if (!program.waitForFinished(120000)) {
            program.kill();
            program.waitForFinished();
            return result;
        }
        result.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        result.out = QString::fromLocal8Bit(program.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(program.readAllStandardError());
        return result;
    }

    // No display at all: the headless commands must pick the offscreen one themselves.
    QProcessEnvironment withoutDisplay() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("CARDENZA_CONFIG_DIR"), playerSettings.path());
        return environment;
    }

    Run run(const QStringList &arguments) { return run(arguments, withoutDisplay()); }

    void verifyPlayerSettingsUntouched()
    {
        const QDir folder(playerSettings.path());
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("Solitaire.ini")});
        QFile file(folder.filePath(QStringLiteral("Solitaire.ini")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), playerFile);
    }

private Q_SLOTS:
    void init()
    {
        QFile file(QDir(playerSettings.path()).filePath(QStringLiteral("Solitaire.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(playerFile);
    }

    void helpAndVersionAnswerAndSucceed()
    {
        const Run help = run({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains(QStringLiteral("--print-deal <game>")));
        QVERIFY(help.err.isEmpty());
        const Run version = run({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QVERIFY(version.out.startsWith(QStringLiteral("Cardenza! ")));
    }

    void mistakesEndWithExitCodeTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("seed abc") << QStringList{"--seed", "abc"} << "abc";
        QTest::newRow("width x") << QStringList{"--screen-width", "x"} << "screen width";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "bogus";
        QTest::newRow("no such game") << QStringList{"--print-deal", "No Such Game"} << "No Such Game";
        QTest::newRow("no such kept game") << QStringList{"--print-table", "/nonexistent/Klondike.sav"}
                                           << "/nonexistent/Klondike.sav";
        QTest::newRow("solve no such game") << QStringList{"--solve", "No Such Game"} << "No Such Game";
        QTest::newRow("solve no such option") << QStringList{"--solve", "Klondike", "--option", "Drawn=True"} << "Drawn";
        QTest::newRow("solve bad value") << QStringList{"--solve", "Klondike", "--option", "DrawThree=maybe"} << "maybe";
        QTest::newRow("solve no deals") << QStringList{"--solve", "Klondike", "--deals", "0"} << "deals";
    }
    void mistakesEndWithExitCodeTwo()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, mentions);
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(mentions), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
        verifyPlayerSettingsUntouched();
    }

    // For the start-up benchmark: the launcher (or the game named) reports the
    // moment of its first paint and the memory in use, and the program ends there.
    void theFirstPaintIsReportedAndTheProgramEnds_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("launcher") << QStringList{"--quit-after-first-paint"};
        QTest::newRow("game") << QStringList{"--game", "Klondike", "--quit-after-first-paint"};
    }
    void theFirstPaintIsReportedAndTheProgramEnds()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir freshSettings;
        QProcessEnvironment environment = withoutDisplay();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("CARDENZA_CONFIG_DIR"), freshSettings.path());
        const Run result = run(arguments, environment);
        QCOMPARE(result.exitCode, 0);
        static const QRegularExpression report(QStringLiteral("^first-paint-ns [1-9][0-9]* rss-kb [1-9][0-9]*\n$"));
        QVERIFY2(report.match(result.out).hasMatch(), qPrintable(result.out));
    }

    // The player's own statistics, without a display; none yet is a header alone,
    // and reading makes no file.
    void statisticsArePrintedAsCsv()
    {
        UseBuiltStatsModule();
        QTemporaryDir settings;
        QProcessEnvironment environment = withoutDisplay();
        environment.insert(QStringLiteral("CARDENZA_CONFIG_DIR"), settings.path());
        const QString header = QStringLiteral("game,played,won,win_pct,current_streak,best_win_streak,"
                                              "best_loss_streak,best_time_s,avg_win_time_s,fewest_moves\n");
        const Run none = run({QStringLiteral("--statistics")}, environment);
        QCOMPARE(none.exitCode, 0);
        QCOMPARE(none.out, header);
        QVERIFY(QDir(settings.path()).isEmpty());
        {
            StatisticsBook::Setup setup;
            setup.location = [&settings] { return settings.filePath(QStringLiteral("statistics.sqlite")); };
            StatisticsBook book(setup);
            for (const auto &[name, seconds] : {std::pair{"Klondike", 95}, {"Free Cell", 0}, {"Klondike", 0}}) {
                FinishedGame game;
                game.game = QString::fromLatin1(name);
                game.started = game.ended = QDateTime::currentDateTimeUtc();
                game.won = seconds > 0;
                game.playedMs = seconds * 1000;
                game.moves = 140;
                book.record(game);
            }
            QCOMPARE(book.waiting(), 0);
        }
        const Run some = run({QStringLiteral("--statistics")}, environment);
        QCOMPARE(some.exitCode, 0);
        QCOMPARE(some.out, header + QStringLiteral("Free Cell,1,0,0.0,-1,0,1,,,\nKlondike,2,1,50.0,-1,1,1,95.0,95.0,140\n"));
    }

    void printDealRunsWithoutADisplayOrThePlayersSettings()
    {
        const Run first = run({QStringLiteral("--print-deal"), QStringLiteral("Klondike"), QStringLiteral("--seed"),
                               QStringLiteral("42")});
        QCOMPARE(first.exitCode, 0);
        QVERIFY(first.out.count(QLatin1Char('\n')) >= 7);
        QCOMPARE(run({QStringLiteral("--print-deal"), QStringLiteral("klondike"), QStringLiteral("--seed"),
                      QStringLiteral("42")}).out,
                 first.out);
        verifyPlayerSettingsUntouched();
    }

    // A kept game written by hand around a printed deal prints that deal again.
    void printTableShowsAKeptGamesTable()
    {
        const QString deal = run({QStringLiteral("--print-deal"), QStringLiteral("Klondike")}).out;
        QStringList piles, deck;
        for (const QString &line : deal.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            piles << QStringLiteral("  ") + line;
            deck << line.section(QLatin1Char(':'), 1).toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
        const QStringList text = QStringList{QStringLiteral("Cardenza! saved game, format 1"), QStringLiteral("Game: Klondike"),
                                             QStringLiteral("Size: large"), QStringLiteral("Over: no"),
                                             QStringLiteral("Options: Autoplay=False DrawThree=True"), QStringLiteral("Locked:"),
                                             QStringLiteral("Deal: ") + deck.join(QLatin1Char(' ')),
                                             QStringLiteral("Start: moves=0 score=0 Recycles=0"), QStringLiteral("Caption: Klondike")} +
                                 piles + QStringList{QStringLiteral("Position: 0"), QStringLiteral("Table:")} + piles +
                                 QStringList{QStringLiteral("End")};
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("Klondike.sav")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.join(QLatin1Char('\n')).toUtf8());
        file.close();
        const Run printed = run({QStringLiteral("--print-table"), file.fileName()});
        QVERIFY2(printed.exitCode == 0, qPrintable(printed.err));
        QCOMPARE(printed.out, deal);
        verifyPlayerSettingsUntouched();
    }

    // One line per deal and a summary; the lines, played out, are the replay test's.
    void solveReportsEveryDealAndASummary()
    {
        const Run result = run({QStringLiteral("--solve"), QStringLiteral("Free Cell"), QStringLiteral("--seed"),
                                QStringLiteral("3"), QStringLiteral("--deals"), QStringLiteral("2"),
                                QStringLiteral("--line"), QStringLiteral("--jobs"), QStringLiteral("2")});
        QCOMPARE(result.exitCode, 0);
        const QStringList lines = result.out.trimmed().split(QLatin1Char('\n'));
        const QRegularExpression deal(QStringLiteral("^(\\d+) winnable \\d+ (\\d+)$"));
        const QRegularExpressionMatch first = deal.match(lines.value(0));
        QVERIFY2(first.hasMatch(), qPrintable(result.out));
        QCOMPARE(first.captured(1), QStringLiteral("3"));
        const int moves = first.captured(2).toInt();
        QVERIFY(lines.value(1).contains(QStringLiteral(" -> ")));
        QVERIFY2(deal.match(lines.value(moves + 1)).captured(1) == QStringLiteral("4"), qPrintable(result.out));
        QVERIFY2(QRegularExpression(QStringLiteral("^summary game=\"Free Cell\" deals=2 winnable=2 unwinnable=0"
                                                   " unknown=0 winnable_pct=100.00 ci95=0.00 median_ms=\\S+"
                                                   " p99_ms=\\S+$"))
                     .match(lines.last())
                     .hasMatch(),
                 qPrintable(lines.last()));
        verifyPlayerSettingsUntouched();
    }

    // The player's settings name pictures that are not there: read, they would stop
    // the run at a message box. The run uses settings of its own and ends by itself.
    void screenshotsRunToTheEndOnSettingsOfTheirOwn()
    {
        QTemporaryDir shots;
        const Run result = run({QStringLiteral("--screenshots"), shots.path()});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(QFile::exists(shots.filePath(QStringLiteral("Launcher.png"))));
        QVERIFY(QFile::exists(shots.filePath(QStringLiteral("Preferences-1.png"))));
        verifyPlayerSettingsUntouched();
    }

    void screenshotsRefuseWithoutATemporarySettingsFolder()
    {
        QTemporaryDir shots;
        QFile notAFolder(shots.filePath(QStringLiteral("plain-file")));
        QVERIFY(notAFolder.open(QIODevice::WriteOnly));
        QProcessEnvironment environment = withoutDisplay();
        environment.insert(QStringLiteral("TMPDIR"), notAFolder.fileName());  // no temporary folder can be made
        const Run result = run({QStringLiteral("--screenshots"), shots.filePath(QStringLiteral("out"))}, environment);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(QStringLiteral("temporary settings folder")), qPrintable(result.err));
        QVERIFY(!QDir(shots.filePath(QStringLiteral("out"))).exists());
        verifyPlayerSettingsUntouched();
    }

    // Told to terminate, the program closes its game window as the player would
    // (the window stores its place as it closes) and ends with success.
    void aRequestToTerminateClosesTheGameAndEndsWell()
    {
        QTemporaryDir freshSettings;
        QProcessEnvironment environment = withoutDisplay();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("CARDENZA_CONFIG_DIR"), freshSettings.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(CARDENZA_PROGRAM),
                      {QStringLiteral("--game"), QStringLiteral("Klondike"), QStringLiteral("--screen-width"),
                       QStringLiteral("1024")});
        QVERIFY(program.waitForStarted());
        const auto stored = [&freshSettings] {
            QFile file(freshSettings.filePath(QStringLiteral("Solitaire.ini")));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        // The first run's card size is stored once the game window has painted.
        QTRY_VERIFY_WITH_TIMEOUT(stored().contains("CardSize"), 60000);
        QVERIFY(!stored().contains("[Klondike]"));
        QCOMPARE(::kill(pid_t(program.processId()), SIGTERM), 0);
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(stored().contains("[Klondike]") && stored().contains("NormPos"), stored().constData());
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
