// SPDX-License-Identifier: MIT
#include "cards/Card.h"
#include "games/Games.h"
#include "games/SandboxTable.h"
#include "platform/Random.h"
#include "platform/Screen.h"
#include "resources/Resources.h"
#include "shell/AppCommands.h"
#include "shell/GameCatalog.h"
#include "shell/Preferences.h"
#include "shell/Requirements.h"
#include "shell/SolitaireWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <memory>

namespace {

struct Options {
    std::optional<std::uint32_t> seed;
    QString exportDirectory;
    QString printDealGame;
    QString screenshotDirectory;
    std::optional<int> screenWidth;
    std::optional<int> screenColors;
    bool sandbox = false;
    bool headless() const
    {
        return !exportDirectory.isEmpty() || !printDealGame.isEmpty() || !screenshotDirectory.isEmpty();
    }
};

// Reads the command line before the application object exists, so that the
// commands that print or export can run without a display.
Options parseArguments(int argc, char *argv[])
{
    Options options;
    for (int i = 1; i < argc; ++i)
        options.sandbox = options.sandbox || QLatin1String(argv[i]) == QLatin1String("--sandbox");
    for (int i = 1; i + 1 < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        bool ok = false;
        if (name == QLatin1String("--seed")) {
            const uint seed = value.toUInt(&ok);
            if (ok)
                options.seed = seed;
        } else if (name == QLatin1String("--export-resources")) {
            options.exportDirectory = value;
        } else if (name == QLatin1String("--print-deal")) {
            options.printDealGame = value;
        } else if (name == QLatin1String("--screenshots")) {
            options.screenshotDirectory = value;
        } else if (name == QLatin1String("--screen-width")) {
            const int width = value.toInt(&ok);
            if (ok)
                options.screenWidth = width;
        } else if (name == QLatin1String("--screen-colors")) {
            const int colors = value.toInt(&ok);
            if (ok)
                options.screenColors = colors;
        }
    }
    return options;
}

int runLauncher(QApplication &app)
{
    SolitaireForm = new TSolitaireForm;
    PreferencesDlg = new TPreferencesDlg;
    SysRequirementsForm = new TSysRequirementsForm;
    // The launcher may sit hidden in the notification area while a game closes,
    // so the program ends when the launcher closes, not with its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(SolitaireForm, &TSolitaireForm::Closed, &app, &QApplication::quit);
    SolitaireForm->show();
    const int result = app.exec();
    delete SysRequirementsForm;
    delete PreferencesDlg;
    delete SolitaireForm;
    return result;
}

}  // namespace

int main(int argc, char *argv[])
{
    const Options options = parseArguments(argc, argv);
    if (options.headless() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Cardenza!"));
    Random::fixSeed(options.seed);
    Screen::overrideWidth(options.screenWidth);
    Screen::overrideColors(options.screenColors);
    RegisterGames();

    if (!options.exportDirectory.isEmpty()) {
        const int written = Resources::exportAll(options.exportDirectory);
        std::printf("%d files written to %s\n", written, qPrintable(options.exportDirectory));
        return written > 0 ? 0 : 1;
    }
    if (!options.printDealGame.isEmpty())
        return AppCommands::printDeal(options.printDealGame);
    if (!options.screenshotDirectory.isEmpty())
        return AppCommands::screenshots(options.screenshotDirectory, options.seed.value_or(1));
    if (options.sandbox) {
        // A table without rules, for trying the cards by hand.
        std::unique_ptr<QWidget> table(CreateSandboxTable());
        table->show();
        return app.exec();
    }
    return runLauncher(app);
}
