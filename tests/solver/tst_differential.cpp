// SPDX-License-Identifier: MIT
// The solver's rules against the window's: in positions reached by random play,
// the drags the solver's move generator lists are exactly those the window takes.
// Every card of every view is pressed and carried over every other view; a view
// takes the cards when it becomes the drag's drop target; at the end of each drag
// the target is cleared, so that the cards go back.
//   CARDENZA_SOLVER_SEEDS   deals per game and option set (default 3)
#include "SolverTestKit.h"

#include "platform/DragManager.h"

#include <QSet>
#include <random>

namespace {

// The drags the window takes in its present position, as the solver writes them.
QSet<QString> WindowDrags(GameWindow *window)
{
    QSet<QString> drags;
    for (TCardPileView *from : window->pileViews()) {
        // A press on the stock is its click, never a drag.
        if (!from->isVisible() || window->roleOf(from) == PileRole::Stock)
            continue;
        for (int index = 0; index < from->Cards->Count(); ++index) {
            const QPoint at = CardPoint(from, index);
            QTest::mousePress(from, Qt::LeftButton, {}, at);
            QTest::mouseMove(from, at + QPoint(12, 12));
            if (DragManager::instance().active()) {
                for (TCardPileView *to : window->pileViews()) {
                    if (to == from || !to->isVisible())
                        continue;
                    from->DropTarget = nullptr;
                    QTest::mouseMove(from, from->mapFromGlobal(to->mapToGlobal(to->rect().center())));
                    if (from->DropTarget == to)
                        drags << QStringLiteral("%1 -> %2 x%3")
                                     .arg(from->objectName(), to->objectName())
                                     .arg(from->Cards->Count() + from->DragPile->Count() - index);
                }
                // Leaving the last view asks it once more: the cards go back only
                // when no target is left at the release.
                QTest::mouseMove(from, at);
                from->DropTarget = nullptr;
            }
            QTest::mouseRelease(from, Qt::LeftButton, {}, at);
        }
    }
    return drags;
}

// The solver's rules loaded with the window's position.
std::unique_ptr<Solver::GameRules> RulesOf(const GameWindow *window)
{
    const SolverPosition position = SolverPosition::of(window);
    std::unique_ptr<Solver::GameRules> rules = position.game->make();
    std::string error;
    return rules->load(position.table, position.options, error) ? std::move(rules) : nullptr;
}

}  // namespace

class TestDifferential : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void solverMovesAreTheWindowsMoves_data() { AddRowPerGameAndOptions(); }
    void solverMovesAreTheWindowsMoves()
    {
        QFETCH(QString, game);
        QFETCH(QStringList, options);
        GameTestKit kit;
        std::mt19937 random(17);
        for (int seed = 1; seed <= SolverSeeds(3); ++seed) {
            const std::unique_ptr<GameWindow> window = DealWithOptions(game, quint32(seed), options);
            for (int step = 0; step < 12; ++step) {
                const std::unique_ptr<Solver::GameRules> rules = RulesOf(window.get());
                QVERIFY(rules);
                std::vector<Solver::Move> moves;
                rules->moves(moves);
                std::vector<std::string> steps;
                for (const Solver::Move &move : moves)
                    rules->describe(move, steps);
                QSet<QString> solverDrags;
                for (const std::string &each : steps)
                    if (each.rfind("click ", 0) != 0)
                        solverDrags << QString::fromStdString(each);
                const QSet<QString> windowDrags = WindowDrags(window.get());
                QVERIFY2(solverDrags == windowDrags,
                         qPrintable(QStringLiteral("seed %1, step %2:\nonly the solver: %3\nonly the window: %4\n%5")
                                        .arg(seed)
                                        .arg(step)
                                        .arg(QStringList((solverDrags - windowDrags).values()).join(QStringLiteral(", ")),
                                             QStringList((windowDrags - solverDrags).values()).join(QStringLiteral(", ")),
                                             window->dealText())));
                if (steps.empty())
                    break;
                const QString next = QString::fromStdString(steps[random() % steps.size()]);
                QVERIFY2(PlayStep(window.get(), next).isEmpty(), qPrintable(next));
            }
        }
    }
};

QTEST_MAIN(TestDifferential)
#include "tst_differential.moc"
