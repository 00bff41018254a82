// SPDX-License-Identifier: MIT
// Every winning line the solver finds is played through the real game window with
// the mouse, by the window's own rules, and must end in the win window.
//   CARDENZA_SOLVER_SEEDS      winning lines per game and option set (default 3),
//                              from seed 1 on
//   CARDENZA_REPLAY_BUDGET_MS  the search's time for each deal (default 200 ms)
#include "SolverTestKit.h"

class TestReplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void winningLinesWinInTheWindow_data() { AddRowPerGameAndOptions(); }
    void winningLinesWinInTheWindow()
    {
        QFETCH(QString, game);
        QFETCH(QStringList, options);
        GameTestKit kit;
        const int lines = SolverSeeds(3);
        int won = 0;
        // Deals not won at once are passed over: in some games (Forty Thieves with
        // Autoplay) few deals are won at all.
        // The sanitizers slow the search several times over, and give it more time.
        Solver::Limits quickly;
        quickly.budgetMs = qEnvironmentVariableIntValue("CARDENZA_REPLAY_BUDGET_MS") ?: 200;
        for (int seed = 1; won < lines && seed <= 100 * lines; ++seed) {
            const std::unique_ptr<GameWindow> window = DealWithOptions(game, quint32(seed), options);
            const SolverPosition position = SolverPosition::of(window.get());
            std::string error;
            const Solver::Result result = Solver::solve(*position.game, position.table, position.options, quickly, &error);
            QVERIFY2(error.empty(), error.c_str());
            if (result.verdict != Solver::Verdict::Winnable)
                continue;
            const int modals = kit.dialogs.modals();
            for (std::size_t i = 0; i < result.line.size(); ++i) {
                const QString step = QString::fromStdString(result.line[i]);
                const QString fault = PlayStep(window.get(), step);
                QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("seed %1, step %2 \"%3\": %4\n%5")
                                                         .arg(seed).arg(i + 1).arg(step, fault, window->dealText())));
            }
            QVERIFY2(window->GameOver, qPrintable(QStringLiteral("seed %1 not won").arg(seed)));
            QCOMPARE(kit.dialogs.modals(), modals + 1);
            ++won;
        }
        QCOMPARE(won, lines);
    }
};

QTEST_MAIN(TestReplay)
#include "tst_replay.moc"
