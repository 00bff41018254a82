// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using Action = CommandLine::Action;
Q_DECLARE_METATYPE(CommandLine::Action)

class TestCommandLine : public QObject
{
    Q_OBJECT

    static CommandLine parse(const QStringList &arguments)
    {
        return parseCommandLine(QStringList{QStringLiteral("/usr/games/cardenza")} + arguments);
    }

private Q_SLOTS:
    void commandsAndTheirArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("argument");
        QTest::newRow("nothing") << QStringList{} << Action::Launcher << QString();
        QTest::newRow("sandbox") << QStringList{"--sandbox"} << Action::Sandbox << QString();
        QTest::newRow("statistics") << QStringList{"--statistics"} << Action::Statistics << QString();
        QTest::newRow("print") << QStringList{"--print-deal", "Free Cell"} << Action::PrintDeal << "Free Cell";
        QTest::newRow("print =") << QStringList{"--print-deal=Spider"} << Action::PrintDeal << "Spider";
        QTest::newRow("solve") << QStringList{"--solve", "Klondike"} << Action::Solve << "Klondike";
        QTest::newRow("export") << QStringList{"--export-resources", "/tmp/r"} << Action::ExportResources << "/tmp/r";
        QTest::newRow("screenshots") << QStringList{"--screenshots", "shots"} << Action::Screenshots << "shots";
        QTest::newRow("one dash") << QStringList{"-screenshots", "shots"} << Action::Screenshots << "shots";
        QTest::newRow("toolkit options pass") << QStringList{"-platform", "offscreen", "-reverse", "--sandbox"}
                                              << Action::Sandbox << QString();
    }
    void commandsAndTheirArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, argument);
        const CommandLine command = parse(arguments);
        QCOMPARE(command.action, action);
        QCOMPARE(command.argument, argument);
        QCOMPARE(command.exitCode(), 0);
        QVERIFY(!command.answersAtOnce());
        QCOMPARE(command.headless(), action != Action::Launcher && action != Action::Sandbox);
    }

    void aGameToOpenGoesWithTheLauncher()
    {
        const CommandLine command = parse({"--game", "Free Cell", "--seed", "4"});
        QCOMPARE(command.action, Action::Launcher);
        QCOMPARE(command.game, QStringLiteral("Free Cell"));
        QCOMPARE(command.seed, std::optional<std::uint32_t>(4));
        QCOMPARE(command.exitCode(), 0);
        QVERIFY(!command.quitAfterFirstPaint);
        QVERIFY(parse({"--game", "Golf", "--quit-after-first-paint"}).quitAfterFirstPaint);
    }

    void solveTakesItsOwnSettings()
    {
        const CommandLine command = parse({"--solve", "Klondike", "--deals", "50", "--budget-ms", "300", "--jobs", "3",
                                           "--option", "DrawThree=False", "--option", "Autoplay=True", "--line"});
        QCOMPARE(command.action, Action::Solve);
        QCOMPARE(command.solve.deals, 50);
        QCOMPARE(command.solve.budgetMs, 300);
        QCOMPARE(command.solve.jobs, 3);
        QCOMPARE(command.solve.options, QStringList({"DrawThree=False", "Autoplay=True"}));
        QVERIFY(command.solve.line);
        const CommandLine plain = parse({"--solve", "Klondike"});
        QCOMPARE(plain.solve.deals, 1);
        QCOMPARE(plain.solve.budgetMs, 2000);
        QCOMPARE(plain.solve.jobs, 0);
        QCOMPARE(parse({"--line"}).action, Action::Error);
        QCOMPARE(parse({"--solve", "Klondike", "--jobs", "0"}).action, Action::Error);
    }

    void numbersAtTheirLimits()
    {
        CommandLine command = parse({"--seed", "0", "--screen-width", "800", "--screen-colors", "256"});
        QCOMPARE(command.action, Action::Launcher);
        QCOMPARE(command.seed, std::optional<std::uint32_t>(0));
        QCOMPARE(command.screenWidth, std::optional<int>(800));
        QCOMPARE(command.screenColors, std::optional<int>(256));
        command = parse({"--print-deal", "Klondike", "--seed", "4294967295"});
        QCOMPARE(command.seed, std::optional<std::uint32_t>(4294967295u));
        command = parse({});
        QVERIFY(!command.seed && !command.screenWidth && !command.screenColors);
    }

    void mistakesAreExplained_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("seed abc") << QStringList{"--seed", "abc"} << "\"abc\"";
        QTest::newRow("seed negative") << QStringList{"--seed", "-1"} << "\"-1\"";
        QTest::newRow("seed too big") << QStringList{"--seed", "4294967296"} << "4294967296";
        QTest::newRow("seed missing") << QStringList{"--seed"} << "seed";
        QTest::newRow("width x") << QStringList{"--screen-width", "x"} << "screen width";
        QTest::newRow("width 0") << QStringList{"--screen-width", "0"} << "screen width";
        QTest::newRow("colors x") << QStringList{"--screen-colors", "x"} << "colours";
        QTest::newRow("unknown") << QStringList{"--bogus"} << "bogus";
        QTest::newRow("stray word") << QStringList{"Klondike"} << "Klondike";
        QTest::newRow("no folder") << QStringList{"--screenshots", ""} << "--screenshots";
        QTest::newRow("two commands") << QStringList{"--sandbox", "--print-deal", "Golf"} << "--sandbox";
        QTest::newRow("bad value beside a command") << QStringList{"--print-deal", "Golf", "--seed", "x"} << "seed";
        QTest::newRow("unknown game lists the games") << QStringList{"--game", "Snap"} << "Beleaguered Castle\n  Double Klondike";
        QTest::newRow("game beside a command") << QStringList{"--sandbox", "--game", "Golf"} << "--game";
        QTest::newRow("timing beside a command") << QStringList{"--print-deal", "Golf", "--quit-after-first-paint"}
                                                 << "--quit-after-first-paint";
    }
    void mistakesAreExplained()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, mentions);
        const CommandLine command = parse(arguments);
        QCOMPARE(command.action, Action::Error);
        QCOMPARE(command.exitCode(), 2);
        QVERIFY(command.answersAtOnce());
        QVERIFY2(command.text.contains(mentions), qPrintable(command.text));
        QVERIFY(command.text.contains(QStringLiteral("cardenza --help")));
    }

    void helpListsEveryCommandAndWinsOverTheRest()
    {
        const CommandLine command = parse({"--seed", "3", "--help"});
        QCOMPARE(command.action, Action::ShowHelp);
        QCOMPARE(command.exitCode(), 0);
        QVERIFY(command.text.startsWith(QStringLiteral("Usage: cardenza")));
        QCOMPARE(listedOptions(command.text),
                 QStringList({"--help", "--version", "--seed", "--print-deal", "--print-table", "--solve", "--deals", "--budget-ms",
                              "--jobs", "--option", "--line", "--statistics", "--export-resources", "--screenshots",
                              "--screen-width", "--screen-colors", "--sandbox", "--game",
                              "--quit-after-first-paint"}));
        QCOMPARE(parse({"-h"}).action, Action::ShowHelp);
    }

    void versionNamesTheProgram()
    {
        const CommandLine command = parse({"--version"});
        QCOMPARE(command.action, Action::ShowVersion);
        QVERIFY(command.text.startsWith(QStringLiteral("Cardenza! ")));
        QCOMPARE(parse({"-v"}).action, Action::ShowVersion);
    }

    // The README's table of commands names every command the program lists.
    void theReadmeListsEveryCommand()
    {
        QFile readme(QFINDTESTDATA("../../README.md"));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(readme.readAll());
        for (const QString &option : listedOptions(parse({"--help"}).text))
            QVERIFY2(text.contains(QStringLiteral("`cardenza ") + option)
                         || text.contains(QStringLiteral("`") + option + QLatin1Char(' '))
                         || text.contains(QStringLiteral("`") + option + QLatin1Char('`')),
                     qPrintable(option));
    }

private:
    // "--name" of each line of the help's option list, in order.
    static QStringList listedOptions(const QString &help)
    {
        QStringList options;
        static const QRegularExpression line(QStringLiteral("^\\s+(?:-\\w, )?(--[\\w-]+)"),
                                             QRegularExpression::MultilineOption);
        for (auto match = line.globalMatch(help); match.hasNext();)
            options << match.next().captured(1);
        return options;
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
