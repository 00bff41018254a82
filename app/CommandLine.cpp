// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

#include "shell/GameCatalog.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

using Action = CommandLine::Action;

struct Command {
    const char *name;
    Action action;
};

// The commands that replace the launcher; at most one of them at a time.
constexpr Command commands[] = {
    {"print-deal", Action::PrintDeal},
    {"print-table", Action::PrintTable},
    {"solve", Action::Solve},
    {"statistics", Action::Statistics},
    {"export-resources", Action::ExportResources},
    {"screenshots", Action::Screenshots},
    {"sandbox", Action::Sandbox},
};

// The toolkit's own options, which the application object takes off the command
// line later; they are accepted here but not listed.
void addToolkitOptions(QCommandLineParser &parser)
{
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display", "geometry"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void addCommands(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Cardenza! - twelve patience games. Without a command the launcher opens."));
    parser.addOptions({
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this list of commands and exits.")},
        {{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Shows the program's version and exits.")},
        {QStringLiteral("seed"), QStringLiteral("Every shuffle uses seed <N>, so a deal can be reproduced."),
         QStringLiteral("N")},
        {QStringLiteral("print-deal"),
         QStringLiteral("Prints the table of <game> after its first deal, one line per pile, and exits."),
         QStringLiteral("game")},
        {QStringLiteral("print-table"),
         QStringLiteral("Prints the table of the game kept in <file>, one line per pile as --print-deal does, and "
                        "exits."),
         QStringLiteral("file")},
        {QStringLiteral("solve"),
         QStringLiteral("Solves the first deals of <game> from the seed on (default 1), prints a verdict for each"
                        " and a summary, and exits."),
         QStringLiteral("game")},
        {QStringLiteral("deals"),
         QStringLiteral("With a solve or a printed deal: how many deals, one seed after another (default 1)."),
         QStringLiteral("K")},
        {QStringLiteral("budget-ms"),
         QStringLiteral("With a solve: the milliseconds of processor time a deal may take before it is called"
                        " unknown (default 2000)."),
         QStringLiteral("T")},
        {QStringLiteral("jobs"), QStringLiteral("With a solve: the deals solved at once (default: one per core)."),
         QStringLiteral("J")},
        {QStringLiteral("option"),
         QStringLiteral("With a solve: a game option by its settings key, as DrawThree=False; may be repeated."),
         QStringLiteral("KEY=VALUE")},
        {QStringLiteral("line"),
         QStringLiteral("With a solve: prints each winning line after its deal, one move a line, as"
                        " \"FROMVIEW -> TOVIEW xN\" or \"click VIEW\".")},
        {QStringLiteral("statistics"),
         QStringLiteral("Prints the player's statistics as CSV, one row per game played, and exits.")},
        {QStringLiteral("export-resources"),
         QStringLiteral("Writes every built-in picture, sound and animation frame to <folder> and exits."),
         QStringLiteral("folder")},
        {QStringLiteral("screenshots"),
         QStringLiteral("Renders the launcher and every game window offscreen to <folder> and exits."),
         QStringLiteral("folder")},
        {QStringLiteral("screen-width"),
         QStringLiteral("Pretends the screen is <pixels> wide, to try the display checks."), QStringLiteral("pixels")},
        {QStringLiteral("screen-colors"),
         QStringLiteral("Pretends the display shows <colors> colours (256: a palette display)."),
         QStringLiteral("colors")},
        {QStringLiteral("sandbox"), QStringLiteral("Opens a table without rules, for trying the cards by hand.")},
        {QStringLiteral("game"),
         QStringLiteral("Opens <game> at once from the launcher, at the card size of the preferences."),
         QStringLiteral("game")},
        {QStringLiteral("quit-after-first-paint"),
         QStringLiteral("Ends as soon as the first window (the game's, with --game) has painted itself, printing"
                        " the moment and the memory in use (for start-up benchmarks).")},
    });
    addToolkitOptions(parser);
}

CommandLine answer(Action action, const QString &text)
{
    CommandLine command;
    command.action = action;
    command.text = text;
    return command;
}

QString programName(const QString &programPath)
{
    return programPath.isEmpty() ? QStringLiteral("cardenza") : QFileInfo(programPath).fileName();
}

// The parser's list with our program's name in the usage line, whichever
// application (if any) is running.
QString helpText(const QCommandLineParser &parser, const QString &programPath)
{
    const QString text = parser.helpText();
    return QStringLiteral("Usage: %1 [options]").arg(programName(programPath)) + text.mid(text.indexOf(QLatin1Char('\n')));
}

// Reads a number option; an absent option leaves the value empty. Returns the
// complaint when the text is not a number in range.
QString readNumber(const QCommandLineParser &parser, const QString &name, const QString &complaint,
                   std::optional<std::int64_t> &value, std::int64_t lowest, std::int64_t highest)
{
    if (!parser.isSet(name))
        return {};
    const QString text = parser.value(name);
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (!ok || number < lowest || number > highest)
        return complaint.arg(text);
    value = number;
    return {};
}

QString readNumbers(const QCommandLineParser &parser, CommandLine &command)
{
    std::optional<std::int64_t> seed, width, colors;
    QString complaint = readNumber(parser, QStringLiteral("seed"),
                                   QStringLiteral("The seed must be a whole number from 0 to 4294967295, not \"%1\"."),
                                   seed, 0, 0xFFFFFFFFLL);
    if (complaint.isEmpty())
        complaint = readNumber(parser, QStringLiteral("screen-width"),
                               QStringLiteral("The screen width must be a number of pixels above 0, not \"%1\"."),
                               width, 1, 1 << 20);
    if (complaint.isEmpty())
        complaint = readNumber(parser, QStringLiteral("screen-colors"),
                               QStringLiteral("The number of colours must be a number above 1, not \"%1\"."),
                               colors, 2, 1 << 30);
    if (seed)
        command.seed = std::uint32_t(*seed);
    if (width)
        command.screenWidth = int(*width);
    if (colors)
        command.screenColors = int(*colors);
    return complaint;
}

// Which command replaces the launcher, and its argument.
QString readCommand(const QCommandLineParser &parser, CommandLine &command)
{
    QStringList given;
    for (const Command &each : commands) {
        const QString name = QString::fromLatin1(each.name);
        if (!parser.isSet(name))
            continue;
        given << QStringLiteral("--") + name;
        command.action = each.action;
        const bool takesArgument = each.action != Action::Sandbox && each.action != Action::Statistics;
        if (takesArgument)
            command.argument = parser.value(name);
        if (each.action == Action::PrintTable && command.argument.isEmpty())
            return QStringLiteral("--%1 needs a file.").arg(name);
        if (each.action == Action::Solve && command.argument.isEmpty())
            return QStringLiteral("--solve needs a game.");
        if (takesArgument && each.action != Action::PrintDeal && each.action != Action::Solve
            && command.argument.isEmpty())
            return QStringLiteral("--%1 needs a folder.").arg(name);
    }
    if (given.size() > 1)
        return QStringLiteral("Give one command at a time, not %1.").arg(given.join(QStringLiteral(" and ")));
    return {};
}

// The game to open at once; an unknown name is answered with the names there are.
QString readGame(const QCommandLineParser &parser, CommandLine &command)
{
    if (!parser.isSet(QStringLiteral("game")))
        return {};
    if (command.action != Action::Launcher)
        return QStringLiteral("--game opens a game from the launcher; it goes with no other command.");
    command.game = parser.value(QStringLiteral("game"));
    if (GameCatalog::indexOf(command.game) >= 0)
        return {};
    QStringList names;
    for (const GameEntry *entry : GameCatalog::entries())
        names << QStringLiteral("  ") + entry->name;
    return QStringLiteral("No game is called \"%1\". The games are:\n%2").arg(command.game, names.join(QLatin1Char('\n')));
}

// The settings of --solve, which go with it only.
QString readSolve(const QCommandLineParser &parser, CommandLine &command)
{
    const QStringList own{QStringLiteral("budget-ms"), QStringLiteral("jobs"), QStringLiteral("option"),
                          QStringLiteral("line")};
    for (const QString &name : own)
        if (parser.isSet(name) && command.action != Action::Solve)
            return QStringLiteral("--%1 goes with --solve only.").arg(name);
    if (parser.isSet(QStringLiteral("deals")) && command.action != Action::Solve && command.action != Action::PrintDeal)
        return QStringLiteral("--deals goes with --solve or --print-deal only.");
    std::optional<std::int64_t> deals, budget, jobs;
    QString complaint = readNumber(parser, QStringLiteral("deals"),
                                   QStringLiteral("The number of deals must be a whole number from 1 on, not \"%1\"."),
                                   deals, 1, 1 << 30);
    if (complaint.isEmpty())
        complaint = readNumber(parser, QStringLiteral("budget-ms"),
                               QStringLiteral("The budget must be a number of milliseconds from 1 on, not \"%1\"."),
                               budget, 1, 1 << 30);
    if (complaint.isEmpty())
        complaint = readNumber(parser, QStringLiteral("jobs"),
                               QStringLiteral("The number of jobs must be a whole number from 1 on, not \"%1\"."),
                               jobs, 1, 4096);
    command.solve.deals = int(deals.value_or(command.solve.deals));
    command.solve.budgetMs = int(budget.value_or(command.solve.budgetMs));
    command.solve.jobs = int(jobs.value_or(command.solve.jobs));
    command.solve.options = parser.values(QStringLiteral("option"));
    command.solve.line = parser.isSet(QStringLiteral("line"));
    return complaint;
}

QString readFirstPaint(const QCommandLineParser &parser, CommandLine &command)
{
    command.quitAfterFirstPaint = parser.isSet(QStringLiteral("quit-after-first-paint"));
    if (command.quitAfterFirstPaint && command.action != Action::Launcher)
        return QStringLiteral("--quit-after-first-paint times the launcher; it goes with no other command.");
    return {};
}

}  // namespace

bool CommandLine::headless() const
{
    return action == Action::PrintDeal || action == Action::PrintTable || action == Action::Solve
           || action == Action::Statistics || action == Action::ExportResources || action == Action::Screenshots;
}

bool CommandLine::answersAtOnce() const
{
    return action == Action::ShowHelp || action == Action::ShowVersion || action == Action::Error;
}

int CommandLine::exitCode() const { return action == Action::Error ? 2 : 0; }

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    addCommands(parser);
    const QString program = arguments.value(0);
    const QString tryHelp = QStringLiteral("\nTry \"%1 --help\" for the list of commands.\n").arg(programName(program));
    if (!parser.parse(arguments))
        return answer(Action::Error, parser.errorText() + tryHelp);
    if (parser.isSet(QStringLiteral("help")))
        return answer(Action::ShowHelp, helpText(parser, program));
    if (parser.isSet(QStringLiteral("version")))
        return answer(Action::ShowVersion, QStringLiteral("Cardenza! %1\n").arg(QStringLiteral(CARDENZA_VERSION)));
    if (!parser.positionalArguments().isEmpty())
        return answer(Action::Error,
                      QStringLiteral("Unexpected argument \"%1\".").arg(parser.positionalArguments().first()) + tryHelp);
    CommandLine command;
    QString complaint = readNumbers(parser, command);
    if (complaint.isEmpty())
        complaint = readCommand(parser, command);
    if (complaint.isEmpty())
        complaint = readGame(parser, command);
    if (complaint.isEmpty())
        complaint = readSolve(parser, command);
    if (complaint.isEmpty())
        complaint = readFirstPaint(parser, command);
    if (!complaint.isEmpty())
        return answer(Action::Error, complaint + tryHelp);
    return command;
}

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
