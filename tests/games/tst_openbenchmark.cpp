// SPDX-License-Identifier: MIT
// How long a player waits between choosing Klondike in the launcher and seeing its
// table: the window is created, dealt silently and painted once. Measured, not
// asserted; run `tests/games_tst_openbenchmark -iterations 50` for a steadier figure.
#include "GameTestKit.h"

#include "games/Games.h"
#include "games/KlondikeWindow.h"
#include "shell/GameCatalog.h"

#include <QTest>

class BenchmarkOpening : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { RegisterGames(); }

    void openKlondikeFromTheLauncher()
    {
        const ScreenOverride wide(1280);
        const GameTestKit kit;
        const LauncherWindow launcher;
        const int klondike = GameCatalog::indexOf(QStringLiteral("Klondike"));
        QBENCHMARK {
            SolitaireForm->SelectGame(klondike);
            KlondikeForm->repaint();
            QVERIFY(KlondikeForm->isVisible());
            SolitaireForm->CloseAllGames();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
};

QTEST_MAIN(BenchmarkOpening)
#include "tst_openbenchmark.moc"
