// SPDX-License-Identifier: MIT
#include "shell/AppCommands.h"

#include "cards/Card.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Random.h"
#include "platform/Screen.h"
#include "platform/SoundPlayer.h"
#include "shell/GameCatalog.h"
#include "shell/InfoDlg.h"
#include "shell/Preferences.h"
#include "shell/Requirements.h"
#include "shell/SolitaireWindow.h"
#include "shell/WinWindow.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "resources/Resources.h"

namespace {

QString dealTextOf(QWidget *window)
{
    QString text;
    QMetaObject::invokeMethod(window, "DealText", Qt::DirectConnection, Q_RETURN_ARG(QString, text));
    return text;
}

QString fileNameFor(const QString &gameName) { return QString(gameName).remove(QLatin1Char(' ')); }

bool saveWindow(QWidget *window, const QString &path)
{
    window->show();
    QApplication::processEvents();
    return window->grab().save(path);
}

// The windows around the games: preferences (every page), the display check, the
// info box and the win window, each grabbed as it would show.
int saveSecondaryWindows(const QDir &out)
{
    int failures = 0;
    if (auto *pages = PreferencesDlg->findChild<QTabWidget *>()) {
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            failures += saveWindow(PreferencesDlg, out.filePath(QStringLiteral("Preferences-%1.png").arg(page + 1))) ? 0 : 1;
        }
        pages->setCurrentIndex(0);
        PreferencesDlg->hide();
    }
    auto grabModal = [&failures, &out](const QString &name) {
        Dialogs::setAnswerer([&failures, &out, name](const Dialogs::Record &record) {
            if (record.window)
                failures += saveWindow(record.window, out.filePath(name)) ? 0 : 1;
            return int(Dialogs::Ok);
        });
    };
    grabModal(QStringLiteral("Requirements.png"));
    Screen::overrideWidth(640);
    CheckScreenSize(GameCatalog::indexOf(QStringLiteral("Montana")), false);
    Screen::overrideWidth(std::nullopt);
    grabModal(QStringLiteral("YouveWon.png"));
    ShowWinForm(nullptr);
    Dialogs::setAnswerer({});
    Help::showTopic(nullptr, 1007);
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("HelpViewer")) {
            failures += saveWindow(window, out.filePath(QStringLiteral("Help.png"))) ? 0 : 1;
            window->close();
        }
    auto *info = new TInfoBox;
    failures += saveWindow(info, out.filePath(QStringLiteral("About.png"))) ? 0 : 1;
    info->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return failures;
}

}  // namespace

namespace AppCommands {

int printDeal(const QString &gameName)
{
    const int index = GameCatalog::indexOf(gameName);
    if (index < 0) {
        std::fprintf(stderr, "No game is called \"%s\".\n", qPrintable(gameName));
        return 2;
    }
    const GameEntry &game = GameCatalog::entries()[index];
    if (!game.createLarge) {
        std::fprintf(stderr, "\"%s\" cannot be played yet.\n", qPrintable(game.name));
        return 2;
    }
    TCard::SetCardSize(FS_LARGE);
    std::unique_ptr<QWidget> window(game.createLarge());
    std::fputs(qPrintable(dealTextOf(window.get())), stdout);
    return 0;
}

int screenshots(const QString &directory, std::uint32_t seed)
{
    // Default preferences, whatever the player's own settings file says; no sound.
    QTemporaryDir settings;
    qputenv("CARDENZA_CONFIG_DIR", settings.path().toLocal8Bit());
    SoundPlayer::setRecorder([](const QString &, bool) {});
    Random::fixSeed(seed);
    QDir().mkpath(directory);
    const QDir out(directory);

    SolitaireForm = new TSolitaireForm;
    PreferencesDlg = new TPreferencesDlg;
    PreferencesDlg->CardSize = 1;
    int failures = saveWindow(SolitaireForm, out.filePath(QStringLiteral("Launcher.png"))) ? 0 : 1;
    for (const GameEntry &game : GameCatalog::entries()) {
        if (!game.createLarge)
            continue;
        SolitaireForm->StartPanel->hide();
        SolitaireForm->GameImage->setPixmap(QPixmap::fromImage(Resources::bitmap(game.preview)));
        failures += saveWindow(SolitaireForm, out.filePath(QStringLiteral("Launcher-%1.png").arg(fileNameFor(game.name)))) ? 0 : 1;
        TCard::SetCardSize(FS_LARGE);
        std::unique_ptr<QWidget> large(game.createLarge());
        failures += saveWindow(large.get(), out.filePath(fileNameFor(game.name) + QStringLiteral(".png"))) ? 0 : 1;
        large.reset();
        TCard::SetCardSize(FS_SMALL);
        std::unique_ptr<QWidget> small(game.createSmall());
        failures += saveWindow(small.get(), out.filePath(QStringLiteral("s") + fileNameFor(game.name) + QStringLiteral(".png"))) ? 0 : 1;
    }
    SysRequirementsForm = new TSysRequirementsForm;
    failures += saveSecondaryWindows(out);
    delete SysRequirementsForm;
    SysRequirementsForm = nullptr;
    delete PreferencesDlg;
    PreferencesDlg = nullptr;
    delete SolitaireForm;
    std::printf("screenshots written to %s\n", qPrintable(directory));
    return failures == 0 ? 0 : 1;
}

}  // namespace AppCommands
