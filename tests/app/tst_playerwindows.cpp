// SPDX-License-Identifier: MIT
#include "app/PlayerWindows.h"
#include "app/SandboxTable.h"
#include "games/GameWindow.h"
#include "platform/StartupQueue.h"
#include "shell/GameCatalog.h"
#include "shell/Preferences.h"
#include "shell/Requirements.h"
#include "shell/SolitaireWindow.h"
#include "support/Seams.h"

#include <QAction>
#include <QListWidget>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

class TestPlayerWindows : public QObject
{
    Q_OBJECT

    SettingsDirectory settings;
    SoundLog sounds;
    DialogLog dialogs;

    static constexpr int hung = 99;

    // Runs one of the program's loops, doing `step` once it runs; a loop that does
    // not end by itself ends with `hung` so the test fails instead of waiting.
    template <class Loop>
    static int runUntilItEnds(Loop loop, std::function<void()> step)
    {
        QTimer::singleShot(0, qApp, std::move(step));
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(hung); });
        watchdog.start(20000);
        return loop();
    }

    template <class Window>
    static Window *shownWindow()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<Window *>(window); found && found->isVisible())
                return found;
        return nullptr;
    }

private Q_SLOTS:

    // Qt appends a display name, once one is set, to every window's caption; while
    // none is set the display name follows the application's name.
    void theProgramSetsNoDisplayNameForTheCaptions()
    {
        PlayerWindows::nameProgram();
        const QString name = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        const QString displayName = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName(name);
        QCOMPARE(displayName, QStringLiteral("probe"));
    }

    void aGameNamedOnTheCommandLineOpensAtOnceAndIsSelected()
    {
        QString opened;
        int selected = -1;
        const int result = runUntilItEnds([] { return PlayerWindows::runLauncher(QStringLiteral("Klondike")); },
                                          [&] {
                                              if (auto *game = shownWindow<GameWindow>())
                                                  opened = game->gameDescription().caption;
                                              selected = SolitaireForm->GameSelectListBox->currentRow();
                                              SolitaireForm->close();
                                          });
        QCOMPARE(result, 0);
        QCOMPARE(opened, QStringLiteral("Klondike"));
        QCOMPARE(selected, GameCatalog::indexOf(QStringLiteral("Klondike")));
    }

    // The opening sound (and with it the audio output) waits for the first paint.
    void theOpeningSoundFollowsTheFirstPaint()
    {
        bool heard = false;
        sounds.clear();
        const int result = runUntilItEnds([] { return PlayerWindows::runLauncher(); }, [&] {
            heard = QTest::qWaitFor([&] { return sounds.names().contains(QStringLiteral("OPEN")); }, 5000);
            SolitaireForm->close();
        });
        QCOMPARE(result, 0);
        QVERIFY(heard);
        QVERIFY(!StartupQueue::isHeld());
    }

    void theProgramEndsWhenTheLauncherCloses()
    {
        bool sawTheWindows = false;
        const int result = runUntilItEnds([] { return PlayerWindows::runLauncher(); }, [&sawTheWindows] {
            sawTheWindows = SolitaireForm && SolitaireForm->isVisible() && PreferencesDlg && SysRequirementsForm;
            SolitaireForm->close();
        });
        QCOMPARE(result, 0);
        QVERIFY(sawTheWindows);
        QVERIFY(!SolitaireForm && !PreferencesDlg && !SysRequirementsForm);
        QVERIFY(QApplication::quitOnLastWindowClosed());
    }

    // Hidden in the tray, the launcher is no window anyone sees: the program still
    // ends through the tray's Exit.
    void theTraysExitEndsTheProgramWhileTheLauncherIsHidden()
    {
        const int result = runUntilItEnds([] { return PlayerWindows::runLauncher(); }, [] {
            SolitaireForm->hide();
            QCoreApplication::processEvents();
            SolitaireForm->TrayPopupMenu->findChild<QAction *>(QStringLiteral("Exit1"))->trigger();
        });
        QCOMPARE(result, 0);
        QVERIFY(!SolitaireForm);
    }

    // The sandbox window belongs to the loop that runs it: closing it ends the loop
    // and the table goes exactly once, whatever events were still waiting.
    void closingTheSandboxEndsItsLoopAndFreesTheTableOnce()
    {
        QPointer<SandboxTable> table;
        const int result = runUntilItEnds(&PlayerWindows::runSandbox, [&table] {
            table = shownWindow<SandboxTable>();
            if (!table)
                return QCoreApplication::exit(hung);
            table->NewDeal1->trigger();
            table->close();
        });
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCOMPARE(result, 0);
        QVERIFY(!table);
        QVERIFY(!shownWindow<SandboxTable>());
    }
};

QTEST_MAIN(TestPlayerWindows)
#include "tst_playerwindows.moc"
