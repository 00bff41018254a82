// SPDX-License-Identifier: MIT
#include "app/PlayerWindows.h"
#include "app/SandboxTable.h"
#include "games/GameWindow.h"
#include "platform/StartupQueue.h"
#include "shell/GameCatalog.h"
#include "shell/ProgramEnd.h"
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

#include <csignal>

// Sees each close event a window gets, before the window's own close handler.
class CloseWatch : public QObject
{
public:
    int closes = 0;
    bool unattended = false;  // what the program said when the last one came

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close) {
            ++closes;
            unattended = ProgramEnd::isUnattended();
        }
        return false;
    }
};

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

    // However the program is told to end, the open game window closes through its own
    // close first, and the program ends with success. With nobody to ask, the window
    // is told so, and a window that still refuses does not keep the program running.
    void everyWayOfEndingClosesTheGameWindowFirst_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("underWay");
        QTest::addColumn<bool>("ends");
        QTest::newRow("launcher closed") << "launcher" << false << true;
        QTest::newRow("tray exit") << "tray" << false << true;
        QTest::newRow("session, player asked") << "session" << false << true;
        QTest::newRow("session, player refuses") << "session" << true << false;
        QTest::newRow("session, nobody to ask") << "session unattended" << false << true;
        QTest::newRow("SIGTERM") << "SIGTERM" << false << true;
        QTest::newRow("SIGTERM, window refuses") << "SIGTERM" << true << true;
    }
    void everyWayOfEndingClosesTheGameWindowFirst()
    {
        QFETCH(QString, route);
        QFETCH(bool, underWay);
        QFETCH(bool, ends);
        dialogs.answer = Dialogs::Cancel;  // to the question whether to give up the game
        CloseWatch watch;
        QPointer<GameWindow> game;
        bool stillRunning = false;
        const int result = runUntilItEnds([] { return PlayerWindows::runLauncher(QStringLiteral("Klondike")); }, [&] {
            game = shownWindow<GameWindow>();
            if (!game)
                return QCoreApplication::exit(hung);
            game->installEventFilter(&watch);
            game->MoveCount = underWay ? 10 : 0;
            if (route == QLatin1String("launcher"))
                SolitaireForm->close();
            else if (route == QLatin1String("tray"))
                SolitaireForm->TrayPopupMenu->findChild<QAction *>(QStringLiteral("Exit1"))->trigger();
            else if (route == QLatin1String("SIGTERM"))
                std::raise(SIGTERM);
            else
                stillRunning = !PlayerWindows::endSession(route == QLatin1String("session"));
            if (stillRunning) {
                game->MoveCount = 0;
                SolitaireForm->close();
            }
        });
        dialogs.answer = Dialogs::Ok;
        QCOMPARE(result, 0);
        QCOMPARE(stillRunning, !ends);
        QVERIFY(watch.closes >= 1);
        QCOMPARE(watch.unattended, route == QLatin1String("SIGTERM") || route == QLatin1String("session unattended"));
        QVERIFY(!game || !game->isVisible() || underWay);
        QVERIFY(!ProgramEnd::isUnattended());
        if (game) {  // refused to the end: the program would have gone with it
            game->MoveCount = 0;
            game->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
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
