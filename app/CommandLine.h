// SPDX-License-Identifier: MIT
#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// What the program was asked to do on its command line. It is read before the
// application object exists, so that the commands that print or export can choose
// the offscreen display and run without one.
struct CommandLine {
    enum class Action {
        Launcher,         // no command: the launcher
        Sandbox,          // the table without rules
        PrintDeal,        // argument: the game's name
        PrintTable,       // argument: a saved game's file
        Solve,            // argument: the game's name; the deals in `solve`
        Statistics,       // the player's statistics as CSV
        ExportResources,  // argument: the folder
        Screenshots,      // argument: the folder
        ShowHelp,         // text: the list of commands
        ShowVersion,      // text: the name and version
        Error,            // text: what is wrong with the command line
    };

    Action action = Action::Launcher;
    QString argument;
    QString text;
    QString game;  // the launcher opens this game at once (--game)
    bool quitAfterFirstPaint = false;  // the launcher reports its first paint and ends
    std::optional<std::uint32_t> seed;
    // --solve: the deals from the seed on, the budget per deal, the solving threads
    // (0: one per core), the options as "KEY=VALUE", and whether to print the lines.
    struct SolveRequest {
        int deals = 1;
        int budgetMs = 2000;
        int jobs = 0;
        QStringList options;
        bool line = false;
    } solve;
    std::optional<int> screenWidth;
    std::optional<int> screenColors;

    // The commands that run to the end without a player and need no display.
    bool headless() const;
    // Help and version go to standard output with success, an error to standard
    // error with exit code 2; every other action needs the application.
    bool answersAtOnce() const;
    int exitCode() const;
};

// arguments[0] is the program's own path, as in argv.
CommandLine parseCommandLine(const QStringList &arguments);
QStringList argumentsOf(int argc, char *argv[]);
