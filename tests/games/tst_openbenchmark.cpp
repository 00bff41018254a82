// SPDX-License-Identifier: MIT
// How long a player waits between choosing a game in the launcher and seeing its
// table: the window is created, dealt silently and painted once, at each card size.
// Measured, not asserted; run `tests/games_tst_openbenchmark -iterations 50` for a
// steadier figure.
#include "GameTestKit.h"

#include "games/GameRegistry.h"
#include "games/Games.h"
#include "shell/GameCatalog.h"

#include <QTest>

class BenchmarkOpening : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { RegisterGames(); }

    void openFromTheLauncher_data()
    {
        AddRowPerGameAndSize();
    }

    void openFromTheLauncher()
    {
        QFETCH(QString, game);
        QFETCH(bool, small);
        const ScreenOverride wide(1280);
        const GameTestKit kit;
        PreferencesDlg->CardSize = small ? 0 : 1;
        const LauncherWindow launcher;
        const int index = GameCatalog::indexOf(game);
        const RegisteredGame *entry = GameRegistry::find(game);
        QBENCHMARK {
            SolitaireForm->SelectGame(index);
            TGameForm *window = small ? entry->smallWindow() : entry->largeWindow();
            QVERIFY(window);
            window->repaint();
            SolitaireForm->CloseAllGames();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
};

QTEST_MAIN(BenchmarkOpening)
#include "tst_openbenchmark.moc"
