// SPDX-License-Identifier: MIT
// The solver's verdicts on our deals against those of fc-solve (Debian package
// freecell-solver-bin), for the games it knows under the same rules. Skipped when
// fc-solve is not installed.
//   CARDENZA_FCSOLVE_DEALS   deals per game (default 25)
#include "SolverTestKit.h"

#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace {

// The table in fc-solve's board format: foundations, free cells, then one line per
// column, bottom card first.
QString BoardOf(const GameWindow *window)
{
    static const char suits[] = "CSDH";
    QString foundations = QStringLiteral("Foundations:");
    for (const TCardPileView *foundation : window->viewsOf(PileRole::Foundation))
        if (const TCard *top = foundation->Cards->CardAt(TCardPile::Top))
            foundations += QStringLiteral(" %1-%2").arg(QLatin1Char(suits[top->Suit])).arg(CardText(top).at(0));
    QString cells = QStringLiteral("Freecells:");
    for (const TCardPileView *cell : window->viewsOf(PileRole::Cell))
        cells += QLatin1Char(' ') + (cell->Cards->IsEmpty() ? QStringLiteral("-") : CardText(cell->Cards->CardAt(0)));
    QString board = foundations + QLatin1Char('\n') + cells + QLatin1Char('\n');
    for (const TCardPileView *column : window->viewsOf(PileRole::Column)) {
        board += QLatin1Char(':');
        for (int i = 0; i < column->Cards->Count(); ++i)
            board += QLatin1Char(' ') + CardText(column->Cards->CardAt(i));
        board += QLatin1Char('\n');
    }
    return board;
}

// fc-solve's verdict: true solvable, false not, nothing when it has not decided
// within a minute (some Castle deals take it many); its search with atomic moves
// only is complete, the default one is not always.
std::optional<bool> FcSolveSolves(const QString &game, const QString &board, bool complete)
{
    QProcess process;
    QStringList arguments{QStringLiteral("--game"), game};
    if (complete)
        arguments << QStringLiteral("-to") << QStringLiteral("01ABCDE");
    process.start(QStringLiteral("fc-solve"), arguments + QStringList{QStringLiteral("-")});
    process.write(board.toLatin1());
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    return process.readAllStandardOutput().contains("This game is solveable.");
}

}  // namespace

class TestFcSolve : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void verdictsAgree_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("fcSolveGame");
        QTest::newRow("Free Cell") << "Free Cell" << "freecell";
        QTest::newRow("Sea Towers") << "Sea Towers" << "seahaven_towers";
        QTest::newRow("Beleaguered Castle") << "Beleaguered Castle" << "beleaguered_castle";
    }
    void verdictsAgree()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("fc-solve")).isEmpty())
            QSKIP("fc-solve is not installed (make solver-compare installs it)");
        QFETCH(QString, game);
        QFETCH(QString, fcSolveGame);
        GameTestKit kit;
        const int deals = qEnvironmentVariableIntValue("CARDENZA_FCSOLVE_DEALS") ?: 25;
        int compared = 0;
        for (int seed = 1; seed <= deals; ++seed) {
            const std::unique_ptr<GameWindow> window = DealWithOptions(game, quint32(seed), {});
            const SolverPosition position = SolverPosition::of(window.get());
            const Solver::Result ours = Solver::solve(*position.game, position.table, position.options, {});
            if (ours.verdict == Solver::Verdict::Unknown)
                continue;
            const QString board = BoardOf(window.get());
            std::optional<bool> theirs = FcSolveSolves(fcSolveGame, board, false);
            if (theirs == false && ours.verdict == Solver::Verdict::Winnable)
                theirs = FcSolveSolves(fcSolveGame, board, true);
            if (!theirs)
                continue;
            QVERIFY2((ours.verdict == Solver::Verdict::Winnable) == *theirs,
                     qPrintable(QStringLiteral("seed %1: we say %2\n%3").arg(seed).arg(Solver::verdictName(ours.verdict), board)));
            ++compared;
        }
        QVERIFY(compared > deals / 2);
    }
};

QTEST_MAIN(TestFcSolve)
#include "tst_fcsolve.moc"
