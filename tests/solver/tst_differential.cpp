// SPDX-License-Identifier: MIT
// The solver's rules against the window's: in positions reached by random play,
// the moves the solver's move generator lists are exactly those the window takes.
// Every card of every view (and every empty view) is pressed and carried over
// every view; a view takes the cards when the drag has a drop target over it; at
// the end of each drag the target is cleared, so that the cards go back. A press
// or a stock click that changed the position is a move, taken back at once.
// And the counts the rules keep as the cards move stay those of the position.
//   CARDENZA_SOLVER_SEEDS   deals per game and option set (default 3)
#include "SolverTestKit.h"

#include "platform/DragManager.h"

#include <QSet>
#include <random>

namespace {

// The pile view under a point of the screen.
TCardPileView *ViewAt(GameWindow *window, QPoint global)
{
    QWidget *widget = window->childAt(window->mapFromGlobal(global));
    while (widget && !qobject_cast<TCardPileView *>(widget))
        widget = widget->parentWidget();
    return qobject_cast<TCardPileView *>(widget);
}

// What the solver asks of a position: its moves, their worth, a safe move.
QString Questions(const Solver::GameRules &rules)
{
    std::vector<Solver::Move> moves;
    rules.moves(moves);
    Solver::Move safe;
    if (rules.safeMove(safe))
        moves.push_back(safe);
    std::vector<std::string> steps;
    for (const Solver::Move &move : moves)
        rules.describe(move, steps);
    QStringList text{QString::number(rules.value())};
    for (const std::string &step : steps)
        text << QString::fromStdString(step);
    return text.join(QStringLiteral(", "));
}

// The moves the window takes in its present position, as the solver writes them:
// the drags, and the presses that play ("click VIEW": the stock's click, a press on
// a card or a gap that moves it). A press that played is taken back by reading the
// game in again from its saved text.
QSet<QString> WindowMoves(GameWindow *window)
{
    QSet<QString> moves;
    const QString saved = window->savedText();
    const QString before = PositionText(window);
    const auto noteAPlay = [&](TCardPileView *view) {
        if (PositionText(window) == before)
            return;
        moves << QStringLiteral("click ") + view->objectName();
        QString why;
        if (!window->restoreSaved(saved, &why))
            moves << QStringLiteral("(cannot restore: %1)").arg(why);
    };
    for (TCardPileView *from : window->pileViews()) {
        if (!from->isVisible())
            continue;
        // A press on the stock is its click, never a drag.
        if (window->roleOf(from) == PileRole::Stock) {
            QTest::mouseClick(from, Qt::LeftButton, {}, PressPoint(from));
            noteAPlay(from);
            continue;
        }
        for (int index = 0; index < qMax(1, from->Cards->Count()); ++index) {
            const QPoint at = from->Cards->IsEmpty() ? from->rect().center() : CardPoint(from, index);
            QTest::mousePress(from, Qt::LeftButton, {}, at);
            QTest::mouseMove(from, at + QPoint(12, 12));
            if (DragManager::instance().active()) {
                for (TCardPileView *to : window->pileViews()) {
                    if (!to->isVisible())
                        continue;
                    // Entering asks the view left behind once more; a move within
                    // the view asks it alone.
                    const QPoint over = to->mapToGlobal(to->rect().center());
                    const QPoint within = over + QPoint(1, 0);
                    QTest::mouseMove(from, from->mapFromGlobal(over));
                    from->DropTarget = nullptr;
                    QTest::mouseMove(from, from->mapFromGlobal(within));
                    // Cards that pair off take the discard pile as their target.
                    if (from->DropTarget && ViewAt(window, over) == to && ViewAt(window, within) == to)
                        moves << QStringLiteral("%1 -> %2 x%3")
                                     .arg(from->objectName(), to->objectName())
                                     .arg(from->DragPile->Count());
                }
                // Leaving the last view asks it once more: the cards go back only
                // when no target is left at the release.
                QTest::mouseMove(from, at);
                from->DropTarget = nullptr;
            }
            QTest::mouseRelease(from, Qt::LeftButton, {}, at);
            noteAPlay(from);
        }
    }
    return moves;
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
                QSet<QString> solverMoves;
                for (const std::string &each : steps)
                    solverMoves << QString::fromStdString(each);
                const QSet<QString> windowMoves = WindowMoves(window.get());
                QVERIFY2(solverMoves == windowMoves,
                         qPrintable(QStringLiteral("seed %1, step %2:\nonly the solver: %3\nonly the window: %4\n%5")
                                        .arg(seed)
                                        .arg(step)
                                        .arg(QStringList((solverMoves - windowMoves).values()).join(QStringLiteral(", ")),
                                             QStringList((windowMoves - solverMoves).values()).join(QStringLiteral(", ")),
                                             PositionText(window.get()))));
                if (steps.empty())
                    break;
                const QString next = QString::fromStdString(steps[random() % steps.size()]);
                QVERIFY2(PlayStep(window.get(), next).isEmpty(), qPrintable(next));
            }
        }
    }

    // Rules that follow the play move by move, keeping counts as cards move, answer
    // as rules loaded afresh from the window do; and again once every move is taken
    // back.
    void keptRulesAnswerAsFreshOnes_data() { AddRowPerGameAndOptions(); }
    void keptRulesAnswerAsFreshOnes()
    {
        QFETCH(QString, game);
        QFETCH(QStringList, options);
        GameTestKit kit;
        std::mt19937 random(29);
        for (int seed = 1; seed <= SolverSeeds(3); ++seed) {
            const std::unique_ptr<GameWindow> window = DealWithOptions(game, quint32(seed), options);
            const std::unique_ptr<Solver::GameRules> kept = RulesOf(window.get());
            QVERIFY(kept);
            const QString atDeal = Questions(*kept);
            std::vector<Solver::Move> played;
            for (int step = 0; step < 40; ++step) {
                std::vector<Solver::Move> moves;
                kept->moves(moves);
                if (moves.empty())
                    break;
                Solver::Move move = moves[random() % moves.size()];
                std::vector<std::string> steps;
                kept->describe(move, steps);
                for (const std::string &each : steps)
                    QVERIFY2(PlayStep(window.get(), QString::fromStdString(each)).isEmpty(), each.c_str());
                // And what the window then does by itself.
                for (bool more = true; more; more = kept->windowMove(move)) {
                    kept->apply(move);
                    played.push_back(move);
                }
                QCOMPARE(Questions(*kept), Questions(*RulesOf(window.get())));
            }
            for (auto move = played.rbegin(); move != played.rend(); ++move)
                kept->undo(*move);
            QCOMPARE(Questions(*kept), atDeal);
        }
    }
};

QTEST_MAIN(TestDifferential)
#include "tst_differential.moc"
