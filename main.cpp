// SPDX-License-Identifier: MIT
#include "app/AppCommands.h"
#include "app/CommandLine.h"
#include "app/PlayerWindows.h"
#include "platform/DataFiles.h"
#include "platform/Random.h"
#include "platform/Screen.h"
#include "resources/Resources.h"

#include <QApplication>
#include <cstdio>

namespace {

int runCommand(const CommandLine &command)
{
    using Action = CommandLine::Action;
    switch (command.action) {
    case Action::ExportResources: return AppCommands::exportResources(command.argument);
    case Action::PrintDeal:
        return AppCommands::printDeal(command.argument, command.seed.value_or(1), command.solve.deals);
    case Action::Solve: return AppCommands::solve(command.argument, command.seed.value_or(1), command.solve);
    case Action::PrintTable: return AppCommands::printTable(command.argument);
    case Action::Statistics: return AppCommands::printStatistics();
    case Action::Screenshots: return AppCommands::screenshots(command.argument, command.seed.value_or(1));
    case Action::Sandbox: return PlayerWindows::runSandbox();
    default: return PlayerWindows::runLauncher(command.game, command.quitAfterFirstPaint);
    }
}

}  // namespace

int main(int argc, char *argv[])
{
    // Read before the application exists: help, version and mistakes need no
    // display, and the headless commands choose the offscreen one.
    const CommandLine command = parseCommandLine(argumentsOf(argc, argv));
    if (command.answersAtOnce()) {
        std::fputs(qPrintable(command.text), command.exitCode() == 0 ? stdout : stderr);
        return command.exitCode();
    }
    if (command.headless() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PlayerWindows::nameProgram();
    Random::fixSeed(command.seed);
    Screen::overrideWidth(command.screenWidth);
    Screen::overrideColors(command.screenColors);
    Resources::usePictureFolder(DataFiles::locate(QStringLiteral("pictures")));
    return runCommand(command);
}
