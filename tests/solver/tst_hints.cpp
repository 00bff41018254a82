// SPDX-License-Identifier: MIT
// What the solver does in the game windows: Hint outlines a move the window takes,
// says when a game is lost or the search ran out; any move makes a search void;
// Winnable Deals Only deals what the solver wins, from the seed on; Solve plays a
// deal to the win window, and any input stops it. One row per game the solver knows.
#include "SolverTestKit.h"

#include "games/HintSearch.h"
#include "games/PlayRecord.h"
#include "games/SolverHelp.h"

#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>

namespace {

// Searches that end the same way on every machine: a number of positions, no clock.
const Solver::Limits hintNodes{0, 100000, nullptr};
const Solver::Limits dealNodes{0, 100000, nullptr};
// Searches are bounded by nodes, not time; the sanitizers make them several times
// slower, so the waits are generous (they end as soon as the search does).
constexpr int searchWaitMs = 120000;

struct NodeLimits {
    NodeLimits() { SolverHelp::setLimits(hintNodes, dealNodes); }
    ~NodeLimits() { SolverHelp::setLimits(SolverHelp::defaultHintLimits, SolverHelp::defaultDealLimits); }
    Q_DISABLE_COPY(NodeLimits)
};

Solver::Verdict VerdictOf(const GameWindow *window, const Solver::Limits &limits)
{
    const SolverPosition position = SolverPosition::of(window);
    return Solver::solve(*position.game, position.table, position.options, limits).verdict;
}

// The first seed from `first` on whose first deal has (or, with `not`, has not) the
// verdict; 0 when there is none up to `last`.
quint32 FirstSeedWith(const QString &game, Solver::Verdict verdict, const Solver::Limits &limits, quint32 first,
                      quint32 last, bool negate = false)
{
    for (quint32 seed = first; seed <= last; ++seed)
        if ((VerdictOf(DealWithOptions(game, seed, {}).get(), limits) == verdict) != negate)
            return seed;
    return 0;
}

quint32 WinnableSeed(const QString &game) { return FirstSeedWith(game, Solver::Verdict::Winnable, hintNodes, 1, 40); }

QString FirstDealOf(const QString &game, quint32 seed) { return DealWithOptions(game, seed, {})->dealText(); }

// The views a step names, with the number of cards it moves (0 for a press).
struct Step {
    TCardPileView *from = nullptr;
    TCardPileView *to = nullptr;
    int count = 0;
};

Step ReadStep(const GameWindow *window, const QString &text)
{
    const QStringList words = text.split(QLatin1Char(' '));
    if (words.size() == 2)
        return {window->viewNamed(words[1]), nullptr, 0};
    return {window->viewNamed(words.value(0)), window->viewNamed(words.value(2)), words.value(3).mid(1).toInt()};
}

QRect CardsRect(const TCardPileView *view, int first, int last)
{
    return view->CardRectAt(first).united(view->CardRectAt(last)).intersected(view->rect());
}

QStringList Outlined(const GameWindow *window)
{
    QStringList names;
    for (const TCardPileView *view : window->pileViews())
        if (!view->highlightRect().isEmpty())
            names << view->objectName();
    return names;
}

void AddRowPerGame()
{
    QTest::addColumn<QString>("game");
    for (const Solver::GameInfo &game : Solver::games())
        QTest::newRow(game.name.c_str()) << QString::fromStdString(game.name);
}

}  // namespace

class TestHints : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemsSitAfterRedo()
    {
        GameTestKit kit;
        for (const GameEntry *entry : GameCatalog::entries()) {
            const std::unique_ptr<GameWindow> window(GameRegistry::find(entry->name)->createLarge());
            const QList<QAction *> items = window->PopupMenu1->actions();
            const qsizetype redo = items.indexOf(window->Redo1);
            QCOMPARE(items.value(redo + 1)->text(), QStringLiteral("&Hint"));
            QCOMPARE(items.value(redo + 1)->shortcut(), QKeySequence(Qt::Key_H));
            QCOMPARE(items.value(redo + 2)->text(), QStringLiteral("S&olve"));
            const QAction *winnable = window->solverHelp()->WinnableOnly1;
            QVERIFY(winnable->isCheckable() && items.indexOf(winnable) < items.indexOf(window->NewGame1));
            const bool known = Solver::findGame(entry->name.toStdString()) != nullptr;
            for (const QAction *item : QList<const QAction *>{items.value(redo + 1), items.value(redo + 2), winnable})
                QCOMPARE(item->isEnabled(), known);
        }
    }

    void hintOutlinesAMoveTheWindowTakes_data() { AddRowPerGame(); }
    void hintOutlinesAMoveTheWindowTakes()
    {
        QFETCH(QString, game);
        GameTestKit kit;
        NodeLimits limits;
        const auto window = DealWithOptions(game, WinnableSeed(game), {});
        QApplication::setActiveWindow(window.get());
        SolverHelp *help = window->solverHelp();
        QSignalSpy shown(help, &SolverHelp::hintShown);
        QTest::keyClick(window.get(), Qt::Key_H);
        QVERIFY(shown.wait(searchWaitMs));
        const QString text = shown.first().first().toString();
        const Step step = ReadStep(window.get(), text);
        QVERIFY2(step.from, qPrintable(text));
        const int top = step.from->Cards->Count() - 1;
        QCOMPARE(step.from->highlightRect(), CardsRect(step.from, top + 1 - qMax(1, step.count), top));
        if (step.to) {
            const int targetTop = step.to->Cards->Count() - 1;
            QCOMPARE(step.to->highlightRect(), CardsRect(step.to, qMax(0, targetTop), qMax(0, targetTop)));
        }
        QCOMPARE(window->hintsUsed(), 1);
        QCOMPARE(window->playRecord()->solverVerdict, QStringLiteral("winnable"));
        QCOMPARE(PlayStep(window.get(), text), QString());
        QVERIFY(Outlined(window.get()).isEmpty());  // the move took the outlines away
        QCOMPARE(window->hintsUsed(), 1);
        window->NewGame1->trigger();
        QCOMPARE(window->hintsUsed(), 0);
    }

    // A lost deal says so; a search stopped by its budget says that instead.
    void hintSaysWhyItHasNone_data() { AddRowPerGame(); }
    void hintSaysWhyItHasNone()
    {
        QFETCH(QString, game);
        GameTestKit kit;
        NodeLimits limits;
        const Solver::Limits tiny{0, 256, nullptr};
        const quint32 lost = FirstSeedWith(game, Solver::Verdict::Unwinnable, hintNodes, 1, 40);
        const quint32 hard = FirstSeedWith(game, Solver::Verdict::Unknown, tiny, 1, 40);
        for (const quint32 seed : {lost, hard}) {
            if (seed == 0)
                continue;  // Free Cell has no lost deal among the first
            if (seed == hard)
                SolverHelp::setLimits(tiny, dealNodes);
            const auto window = DealWithOptions(game, seed, {});
            SolverHelp *help = window->solverHelp();
            QSignalSpy finished(help->search(), &HintSearch::finished);
            help->Hint1->trigger();
            QVERIFY(finished.wait(searchWaitMs));
            QCOMPARE(help->note(), seed == hard ? QStringLiteral("The search ran out of time before it found a way to win.")
                                                : QStringLiteral("This game can no longer be won."));
            QVERIFY(Outlined(window.get()).isEmpty());
            QCOMPARE(window->hintsUsed(), 0);
            QCOMPARE(window->playRecord()->solverVerdict, seed == hard ? QString() : QStringLiteral("unwinnable"));
        }
    }

    // A move makes the search void at once; a table changed behind the search's back
    // is not outlined either.
    void aChangedTableGetsNoHint()
    {
        GameTestKit kit;
        NodeLimits limits;
        const QString game = QString::fromStdString(Solver::games().front().name);
        const auto window = DealWithOptions(game, WinnableSeed(game), {});
        SolverHelp *help = window->solverHelp();
        QSignalSpy shown(help, &SolverHelp::hintShown);
        help->Hint1->trigger();
        QVERIFY(shown.wait(searchWaitMs));
        QCOMPARE(PlayStep(window.get(), shown.first().first().toString()), QString());

        help->Hint1->trigger();
        QVERIFY(help->search()->isSearching());
        window->Undo1->trigger();
        QVERIFY(!help->search()->isSearching());
        QTRY_VERIFY(help->search()->isIdle());

        QSignalSpy finished(help->search(), &HintSearch::finished);
        help->Hint1->trigger();
        TCardPileView *column = window->Tableau.first();
        Place(window.get(), CardSuit(FS_CLUBS), CardValue(FS_ACE), column);  // no action: the search goes on
        QVERIFY(finished.wait(searchWaitMs));
        QVERIFY(Outlined(window.get()).isEmpty());
        QCOMPARE(help->note(), QString());
        QCOMPARE(shown.count(), 1);
        QCOMPARE(window->hintsUsed(), 1);
    }

    // From a seed whose deal the solver does not win, New Game deals the first deal
    // from that seed on that it wins, once, with the sounds of one new game.
    void winnableDealsOnly_data() { AddRowPerGame(); }
    void winnableDealsOnly()
    {
        QFETCH(QString, game);
        GameTestKit kit;
        NodeLimits limits;
        const quint32 first = qMax(1u, FirstSeedWith(game, Solver::Verdict::Winnable, dealNodes, 1, 40, true));
        const quint32 found = FirstSeedWith(game, Solver::Verdict::Winnable, dealNodes, first, first + 40);
        const QString winnable = FirstDealOf(game, found);
        FixedSeed seed(first);
        std::unique_ptr<GameWindow> window(GameRegistry::find(game)->createLarge());
        window->show();
        SolverHelp *help = window->solverHelp();
        help->WinnableOnly1->trigger();
        QSignalSpy sought(help, &SolverHelp::dealSought);
        QSignalSpy dealt(window.get(), &GameWindow::tableDealt);
        kit.sounds.clear();
        window->NewGame1->trigger();
        QVERIFY(help->isSeekingDeal());
        QVERIFY(sought.wait(2 * searchWaitMs));
        QCOMPARE(window->dealText(), winnable);
        QCOMPARE(window->playRecord()->solverVerdict, QStringLiteral("winnable"));
        QCOMPARE(dealt.count(), 1);
        QCOMPARE(kit.sounds.names().count(QStringLiteral("SHUFFLE")), 1);
        window->Restart1->trigger();
        QCOMPARE(window->dealText(), winnable);

        // Kept with the game's options; the next window deals a winnable deal at once.
        QVERIFY(kit.settings.read(QStringLiteral("Solitaire.ini")).contains("WinnableOnly=True"));
        window.reset();
        window.reset(GameRegistry::find(game)->createLarge());
        QSignalSpy opened(window->solverHelp(), &SolverHelp::dealSought);
        QVERIFY(window->solverHelp()->WinnableOnly1->isChecked());
        QVERIFY(opened.wait(2 * searchWaitMs));
        QCOMPARE(window->dealText(), winnable);
    }

    // Cancelled, the search keeps the deal it tried last.
    void cancellingKeepsTheLastDeal()
    {
        GameTestKit kit;
        NodeLimits limits;
        const QString game = QString::fromStdString(Solver::games().front().name);
        const QString firstTried = FirstDealOf(game, 5);
        FixedSeed seed(5);
        const auto window = DealWithOptions(game, 5, {});
        window->solverHelp()->WinnableOnly1->trigger();
        window->NewGame1->trigger();
        QProgressDialog *progress = window->findChild<QProgressDialog *>();
        QVERIFY(progress);
        QSignalSpy sought(window->solverHelp(), &SolverHelp::dealSought);
        progress->findChild<QPushButton *>()->click();
        QCOMPARE(sought.count(), 1);
        QVERIFY(!window->solverHelp()->isSeekingDeal());
        QCOMPARE(window->dealText(), firstTried);
    }

    void solvePlaysToTheWinWindow_data() { AddRowPerGame(); }
    void solvePlaysToTheWinWindow()
    {
        QFETCH(QString, game);
        GameTestKit kit;
        NodeLimits limits;
        PreferencesDlg->DoAnimation = false;
        const auto window = DealWithOptions(game, WinnableSeed(game), {});
        const SolverPosition position = SolverPosition::of(window.get());
        const auto steps = Solver::solve(*position.game, position.table, position.options, hintNodes).line.size();
        SolverHelp *help = window->solverHelp();
        QSignalSpy stopped(help, &SolverHelp::solveStopped);
        const int modals = kit.dialogs.modals();
        help->Solve1->trigger();
        QVERIFY(stopped.wait(4 * searchWaitMs));
        QVERIFY(window->GameOver);
        QCOMPARE(kit.dialogs.modals(), modals + 1);
        QCOMPARE(window->hintsUsed(), int(steps));
        QCOMPARE(help->note(), QString());
    }

    void inputStopsSolve_data()
    {
        QTest::addColumn<bool>("key");
        QTest::newRow("key") << true;
        QTest::newRow("button") << false;
    }
    void inputStopsSolve()
    {
        QFETCH(bool, key);
        GameTestKit kit;
        NodeLimits limits;
        PreferencesDlg->DoAnimation = false;
        const QString game = QString::fromStdString(Solver::games().front().name);
        const auto window = DealWithOptions(game, WinnableSeed(game), {});
        SolverHelp *help = window->solverHelp();
        QSignalSpy refreshed(window.get(), &GameWindow::tableRefreshed);
        help->Solve1->trigger();
        QVERIFY(refreshed.wait(searchWaitMs));
        QVERIFY(help->isSolving());
        if (key)
            QTest::keyClick(window.get(), Qt::Key_Shift);
        else
            QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(2, window->height() - 2));
        QVERIFY(!help->isSolving());
        const QString table = window->dealText();
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(window->dealText(), table);
        QCOMPARE(help->note(), QStringLiteral("Solve stopped."));
    }
};

QTEST_MAIN(TestHints)
#include "tst_hints.moc"
