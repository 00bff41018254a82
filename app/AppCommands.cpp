// SPDX-License-Identifier: MIT
#include "app/AppCommands.h"

#include "app/HeadlessSession.h"
#include "cards/Card.h"
#include "games/GameRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Random.h"
#include "platform/SafeFile.h"
#include "platform/Screen.h"
#include "resources/Resources.h"
#include "shell/GameCatalog.h"
#include "shell/InfoDlg.h"
#include "shell/Preferences.h"
#include "shell/Requirements.h"
#include "shell/PlayerStatistics.h"
#include "shell/SavedGames.h"
#include "shell/SolitaireWindow.h"
#include "shell/WinWindow.h"
#include "stats/GameSummary.h"
#include "stats/StatisticsBook.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QStringDecoder>
#include <QTabWidget>
#include <QWidget>
#include <cstdio>
#include <memory>

namespace {

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
    // The next modal window is grabbed as it shows; message boxes answer as always.
    auto grabModal = [&failures, &out](const QString &name) {
        Dialogs::setAnswerer([&failures, &out, name](const Dialogs::Record &record) {
            if (record.kind == QLatin1String("modal") && record.window)
                failures += saveWindow(record.window, out.filePath(name)) ? 0 : 1;
            return HeadlessSession::answer(record);
        });
    };
    grabModal(QStringLiteral("Requirements.png"));
    Screen::overrideWidth(640);
    CheckScreenSize(GameCatalog::indexOf(QStringLiteral("Montana")), false);
    Screen::overrideWidth(std::nullopt);
    grabModal(QStringLiteral("YouveWon.png"));
    ShowWinForm(nullptr);
    Dialogs::setAnswerer(&HeadlessSession::answer);
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

// Each game: the launcher showing its preview, then its large- and small-card
// windows after the first deal.
int saveGameWindows(const QDir &out)
{
    int failures = 0;
    for (const GameEntry *game : GameCatalog::entries()) {
        const QString fileName = fileNameFor(game->name);
        SolitaireForm->StartPanel->hide();
        SolitaireForm->GameImage->setPixmap(QPixmap::fromImage(Resources::bitmapForScreen(game->preview)));
        failures += saveWindow(SolitaireForm, out.filePath(QStringLiteral("Launcher-%1.png").arg(fileName))) ? 0 : 1;
        TCard::SetCardSize(FS_LARGE);
        std::unique_ptr<QWidget> large(game->createLarge());
        failures += saveWindow(large.get(), out.filePath(fileName + QStringLiteral(".png"))) ? 0 : 1;
        large.reset();
        TCard::SetCardSize(FS_SMALL);
        std::unique_ptr<QWidget> small(game->createSmall());
        failures += saveWindow(small.get(), out.filePath(QStringLiteral("s") + fileName + QStringLiteral(".png"))) ? 0 : 1;
    }
    return failures;
}

}  // namespace

namespace AppCommands {

int exportResources(const QString &directory)
{
    const HeadlessSession session;
    if (!session.ready())
        return session.refuse();
    const int written = Resources::exportAll(directory);
    std::printf("%d files written to %s\n", written, qPrintable(directory));
    return written > 0 ? 0 : 1;
}

int printDeal(const QString &gameName, std::uint32_t firstSeed, int deals)
{
    const RegisteredGame *game = GameRegistry::find(gameName);
    if (!game) {
        std::fprintf(stderr, "No game is called \"%s\".\n", qPrintable(gameName));
        return 2;
    }
    const HeadlessSession session;
    if (!session.ready())
        return session.refuse();
    TCard::SetCardSize(FS_LARGE);
    for (int i = 0; i < deals; ++i) {
        if (deals > 1) {
            Random::fixSeed(firstSeed + std::uint32_t(i));
            std::printf("# seed %u\n", firstSeed + std::uint32_t(i));
        }
        const std::unique_ptr<GameWindow> window(game->createLarge());
        std::fputs(qPrintable(window->dealText()), stdout);
    }
    return 0;
}

int printTable(const QString &path)
{
    const auto refuse = [&path](const QString &why) {
        std::fprintf(stderr, "Cannot use %s: %s.\n", qPrintable(path), qPrintable(why));
        return 2;
    };
    const SafeFile::Contents contents = SafeFile::read(path, SavedGames::MaxFileSize);
    if (contents.refusal != SafeFile::Refusal::None)
        return refuse(contents.refusal == SafeFile::Refusal::Missing ? QStringLiteral("there is no such file")
                                                                     : QStringLiteral("it cannot be read"));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(contents.bytes);
    if (utf8.hasError())
        return refuse(QStringLiteral("it is not UTF-8 text"));
    const QString game = text.section(QStringLiteral("\nGame: "), 1).section(QLatin1Char('\n'), 0, 0);
    const bool small = text.contains(QStringLiteral("\nSize: small\n"));
    const RegisteredGame *entry = GameRegistry::find(game);
    if (!entry)
        return refuse(QStringLiteral("it is not a saved game of Cardenza!"));
    const HeadlessSession session;
    if (!session.ready())
        return session.refuse();
    TCard::SetCardSize(small ? FS_SMALL : FS_LARGE);
    const std::unique_ptr<GameWindow> window(small ? entry->createSmall() : entry->createLarge());
    QString why;
    if (!window->restoreSaved(text, &why))
        return refuse(why);
    std::fputs(qPrintable(window->dealText()), stdout);
    return 0;
}

int printStatistics()
{
    // The player's own file; a message (a file set aside) goes to standard error.
    Dialogs::setAnswerer(&HeadlessSession::answer);
    QList<FinishedGame> games;
    QString why;
    if (QFileInfo::exists(PlayerStatistics::filePath()) && !PlayerStatistics::book().history(QString(), &games, &why)) {
        std::fprintf(stderr, "The statistics cannot be read: %s.\n", qPrintable(why));
        return 1;
    }
    QStringList order;
    for (const GameEntry *game : GameCatalog::entries())
        order << game->name;
    std::fputs(StatsCsv::table(games, order).toUtf8().constData(), stdout);
    return 0;
}

int screenshots(const QString &directory, std::uint32_t seed)
{
    // Default preferences, whatever the player's own settings file says.
    const HeadlessSession session;
    if (!session.ready())
        return session.refuse();
    Random::fixSeed(seed);
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "Cannot make the folder %s.\n", qPrintable(directory));
        return 1;
    }
    const QDir out(directory);

    SolitaireForm = new TSolitaireForm;
    PreferencesDlg = new TPreferencesDlg;
    PreferencesDlg->CardSize = 1;
    int failures = saveWindow(SolitaireForm, out.filePath(QStringLiteral("Launcher.png"))) ? 0 : 1;
    failures += saveGameWindows(out);
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
