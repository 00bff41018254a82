// SPDX-License-Identifier: MIT
// The player's record of games played through the real windows: a row for a won
// game and for one given up by each way of leaving it, none for a game kept for
// next time, whose clock goes on when it comes back; the statistics from the menu.
#include "GameTestKit.h"

#include "games/KlondikeWindow.h"
#include "games/PlayRecord.h"
#include "shell/StatisticsDlg.h"
#include "support/StatsKit.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>

namespace {

void clickStock(TKlondikeForm *form) { QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30}); }

QString dealOf(GameWindow *form)
{
    QStringList cards;
    for (int i = 0; i < form->SavedDeal->Count(); ++i)
        cards << CardText(form->SavedDeal->CardAt(i)).toUpper();
    return cards.join(QLatin1Char(' '));
}

}  // namespace

class TestStatistics : public QObject
{
    Q_OBJECT
    std::unique_ptr<GameTestKit> kit;
    std::unique_ptr<FakeClock> time;

    // Three stock clicks 10 s apart, one of them taken back, then 3 s of thought:
    // two moves, 23 s of play.
    void playTwoMoves(TKlondikeForm *form)
    {
        for (int i = 0; i < 3; ++i) {
            time->advance(10'000);
            clickStock(form);
        }
        form->Undo1->trigger();
        time->advance(3'000);
    }

private Q_SLOTS:
    void initTestCase() { UseBuiltStatsModule(); }
    void init()
    {
        kit = std::make_unique<GameTestKit>();
        time = std::make_unique<FakeClock>();
        PreferencesDlg->DoAnimation = false;
    }
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        time.reset();
        kit.reset();
    }

    void aGameLeftAfterAMoveIsALostGame_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("New Game") << "NewGame1";
        QTest::newRow("Restart") << "Restart1";
        QTest::newRow("closing the window") << "close";
    }
    void aGameLeftAfterAMoveIsALostGame()
    {
        QFETCH(QString, route);
        auto *form = createGameWindow<TKlondikeForm>();
        form->show();
        const qint64 dealtAt = time->now;
        const QString deal = dealOf(form);
        form->NewGame1->trigger();  // nothing played yet: nothing recorded
        QVERIFY(RecordedGames().isEmpty());
        if (route == QLatin1String("NewGame1")) {  // a new deal: the verdict is not known
            form->playRecord()->setSolverVerdict(QStringLiteral("winnable"));
            form->NewGame1->trigger();
            QVERIFY(form->playRecord()->solverVerdict.isEmpty());
        }
        const QString secondDeal = dealOf(form);
        QVERIFY(secondDeal != deal);
        playTwoMoves(form);
        form->playRecord()->setSolverVerdict(QStringLiteral("unwinnable"));
        if (route == QLatin1String("close"))
            QVERIFY(form->close());
        else
            form->findChild<QAction *>(route)->trigger();
        const QList<FinishedGame> games = RecordedGames();
        QCOMPARE(games.size(), 1);
        const FinishedGame &game = games[0];
        QCOMPARE(game.game, QStringLiteral("Klondike"));
        QCOMPARE(game.cardSize, QStringLiteral("large"));
        QCOMPARE(game.options, QStringLiteral("Autoplay=False DrawThree=True"));
        QCOMPARE(game.seed, std::optional<qint64>(7));
        QCOMPARE(game.deal, secondDeal);
        QCOMPARE(game.started.toMSecsSinceEpoch(), dealtAt);
        QCOMPARE(game.ended.toMSecsSinceEpoch(), time->now);
        QCOMPARE(game.playedMs, 33'000);
        QCOMPARE((QList<int>{game.moves, game.undos, game.redos, game.hints}), (QList<int>{2, 1, 0, 0}));
        QVERIFY(!game.won);
        QCOMPARE(game.solverVerdict, QStringLiteral("unwinnable"));
        if (route == QLatin1String("Restart1")) {  // the same deal again, a game of its own
            QCOMPARE(dealOf(form), secondDeal);
            playTwoMoves(form);
            form->NewGame1->trigger();
            QCOMPARE(RecordedGames().size(), 2);
            QCOMPARE(RecordedGames().last().deal, secondDeal);
            QCOMPARE(RecordedGames().last().playedMs, 33'000);
            QCOMPARE(RecordedGames().last().solverVerdict, QStringLiteral("unwinnable"));  // the same deal
        }
        if (form->isVisible())
            form->close();
        QCOMPARE(RecordedGames().size(), route == QLatin1String("Restart1") ? 2 : 1);  // the fresh deal: no move
    }

    // The clock stands while the window is minimised; the redo and the hints counted
    // by the window reach the row of the won game.
    void aWonGameIsRecordedOnce()
    {
        auto *form = createGameWindow<TKlondikeForm>();
        form->show();
        time->advance(10'000);
        clickStock(form);
        form->showMinimized();
        time->advance(600'000);
        form->showNormal();
        form->Undo1->trigger();
        form->Redo1->trigger();
        form->playRecord()->countHint();
        form->playRecord()->setSolverVerdict(QStringLiteral("winnable"));
        for (int suit = 0; suit < 4; ++suit)
            for (int value = FS_ACE; value <= FS_KING; ++value)
                Place(form, CardSuit(suit), CardValue(value), suit == 3 && value == FS_KING ? form->Tableau[0] : form->Foundations[suit]);
        time->advance(5'000);
        QTest::mouseDClick(form->Tableau[0], Qt::LeftButton, {}, TopCardPoint(form->Tableau[0]));
        QVERIFY(form->GameOver);
        form->NewGame1->trigger();
        QVERIFY(form->close());
        const QList<FinishedGame> games = RecordedGames();
        QCOMPARE(games.size(), 1);
        QVERIFY(games[0].won);
        QCOMPARE(games[0].playedMs, 15'000);
        QCOMPARE((QList<int>{games[0].moves, games[0].undos, games[0].redos, games[0].hints}), (QList<int>{2, 1, 1, 1}));
        QCOMPARE(games[0].solverVerdict, QStringLiteral("winnable"));
    }

    // Kept at close: no row. Back again, its clock and tallies go on from where they
    // were; the time the window was closed does not count.
    void aKeptGameIsNotFinishedAndItsClockGoesOn()
    {
        PreferencesDlg->KeepGames = true;
        auto *form = createGameWindow<TKlondikeForm>();
        form->show();
        const qint64 dealtAt = time->now;
        playTwoMoves(form);
        QVERIFY(form->savedText().contains(QStringLiteral("\nPlayed: since=")));
        QVERIFY(form->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(RecordedGames().isEmpty());
        time->advance(3'600'000);
        form = createGameWindow<TKlondikeForm>();
        form->show();
        QCOMPARE(form->MoveCount, 2);
        time->advance(4'000);
        clickStock(form);
        PreferencesDlg->KeepGames = false;
        QVERIFY(form->close());
        const QList<FinishedGame> games = RecordedGames();
        QCOMPARE(games.size(), 1);
        QCOMPARE(games[0].started.toMSecsSinceEpoch(), dealtAt);
        QCOMPARE(games[0].playedMs, 37'000);
        QCOMPARE((QList<int>{games[0].moves, games[0].undos}), (QList<int>{3, 1}));
    }

    void theMenuShowsTheStatisticsOfTheOpenGameFirst()
    {
        DealtWindow<TKlondikeForm> form;
        form->show();
        playTwoMoves(form);
        form->NewGame1->trigger();
        QString chosen, played;
        kit->dialogs.onModal = [&](const Dialogs::Record &record) {
            if (auto *dialog = qobject_cast<StatisticsDialog *>(record.window)) {
                chosen = dialog->GameCombo->itemText(0);
                played = dialog->figure(QStringLiteral("Played"))->text();
            }
            return int(Dialogs::Ok);
        };
        form->Statistics1->trigger();
        QCOMPARE(chosen, QStringLiteral("Klondike"));
        QCOMPARE(played, QStringLiteral("1"));
    }

    // The launcher's button: the open game first, else the game chosen in the list.
    void theLaunchersButtonShowsTheOpenGameFirst()
    {
        ScreenOverride wide(1280);
        LauncherWindow launcher;
        QStringList first;
        kit->dialogs.onModal = [&](const Dialogs::Record &record) {
            if (auto *dialog = qobject_cast<StatisticsDialog *>(record.window))
                first << dialog->GameCombo->itemText(0);
            return int(Dialogs::Ok);
        };
        SolitaireForm->GameSelectListBox->setCurrentRow(GameCatalog::indexOf(QStringLiteral("Spider")));
        QTest::mouseClick(SolitaireForm->StatisticsButton, Qt::LeftButton);
        SolitaireForm->SelectGame(GameCatalog::indexOf(QStringLiteral("Golf")));
        QVERIFY(SolitaireForm->OpenGameWindow());
        SolitaireForm->GameSelectListBox->setCurrentRow(GameCatalog::indexOf(QStringLiteral("Pyramid")));
        QTest::mouseClick(SolitaireForm->StatisticsButton, Qt::LeftButton);
        QCOMPARE(first, (QStringList{QStringLiteral("Spider"), QStringLiteral("Golf")}));
    }
};

QTEST_MAIN(TestStatistics)
#include "tst_statistics.moc"
