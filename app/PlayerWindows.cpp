// SPDX-License-Identifier: MIT
#include "app/PlayerWindows.h"

#include "app/SandboxTable.h"
#include "platform/FirstPaint.h"
#include "platform/StartupQueue.h"
#include "platform/TerminationWatch.h"
#include "shell/GameCatalog.h"
#include "shell/PlayerStatistics.h"
#include "shell/Preferences.h"
#include "shell/ProgramEnd.h"
#include "shell/Requirements.h"
#include "shell/SolitaireWindow.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

namespace {

// The longest the deferred start-up work waits for the first paint.
constexpr int startupHoldLimitMs = 2000;

// Starting ends when the first window the player asked for has painted itself:
// the game's window when one was named, else the launcher. The work deferred
// during the start runs then. For start-up measurements the moment is reported
// first (watchers installed later see the paint first), and the program ends.
void endStartOnFirstPaint(bool quitAfterFirstPaint)
{
    QWidget *first = SolitaireForm->OpenGameWindow();
    if (!first)
        first = SolitaireForm;
    FirstPaint::whenPainted(first, [] { StartupQueue::release(); });
    QTimer::singleShot(startupHoldLimitMs, [] { StartupQueue::release(); });  // never shown: no paint
    if (quitAfterFirstPaint)
        FirstPaint::whenPainted(first, [] { FirstPaint::reportAndExit(); });
}

// The program ends the one way, whoever asks: a request to terminate with nobody to
// ask; the desktop session as it ends, asking the player when it lets us (a refusal
// cancels the session's end); and whatever game window is still open when the loop
// has ended some other way is closed as it ends.
void endWithTheSession(QObject *context)
{
    auto *termination = new TerminationWatch(context);
    QObject::connect(termination, &TerminationWatch::requested, context,
                     [] { ProgramEnd::end(ProgramEnd::Asking::Nobody); });
    QObject::connect(
        qApp, &QGuiApplication::commitDataRequest, context,
        [](QSessionManager &manager) {
            const bool playerMayAnswer = manager.allowsInteraction();
            if (!PlayerWindows::endSession(playerMayAnswer))
                manager.cancel();
            if (playerMayAnswer)
                manager.release();
        },
        Qt::DirectConnection);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, context, [] { ProgramEnd::closeGames(); });
}

}  // namespace

namespace PlayerWindows {

bool endSession(bool playerMayAnswer)
{
    return ProgramEnd::end(playerMayAnswer ? ProgramEnd::Asking::Player : ProgramEnd::Asking::Nobody);
}

void nameProgram() { QGuiApplication::setDesktopFileName(QStringLiteral("org.cardenza.Cardenza")); }

int runLauncher(const QString &game, bool quitAfterFirstPaint)
{
    StartupQueue::hold();
    SolitaireForm = new TSolitaireForm;
    PreferencesDlg = new TPreferencesDlg;
    SysRequirementsForm = new TSysRequirementsForm;
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(SolitaireForm, &TSolitaireForm::Closed, qApp, &QCoreApplication::quit);
    QObject ending;
    endWithTheSession(&ending);
    SolitaireForm->show();
    if (!game.isEmpty())
        SolitaireForm->SelectGame(GameCatalog::indexOf(game));
    endStartOnFirstPaint(quitAfterFirstPaint);
    const int result = QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
    StartupQueue::release();  // ended before its first paint: nothing queued is lost
    PlayerStatistics::finish();
    delete SysRequirementsForm;
    SysRequirementsForm = nullptr;
    delete PreferencesDlg;
    PreferencesDlg = nullptr;
    delete SolitaireForm;
    return result;
}

int runSandbox()
{
    // Closing the table only hides it; it goes when this function returns.
    SandboxTable table;
    table.show();
    return QApplication::exec();
}

}  // namespace PlayerWindows
