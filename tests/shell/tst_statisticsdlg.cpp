// SPDX-License-Identifier: MIT
// The statistics dialog over a record made by hand: its figures, the keyboard, the
// reset with its confirmation, and the chart, sharp at one and two pixels per point.
#include "shell/StatisticsChart.h"
#include "shell/StatisticsDlg.h"
#include "support/ShellKit.h"
#include "support/StatsKit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSet>

namespace {

// Golf: 30 games, every third lost, the wins taking 40 s, 41 s, ... and 50 + i moves.
void recordGolfGames()
{
    for (int i = 0; i < 30; ++i) {
        FinishedGame game;
        game.game = QStringLiteral("Golf");
        game.cardSize = QStringLiteral("large");
        game.started = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC).addSecs(600 * i);
        game.ended = game.started.addSecs(300);
        game.won = i % 3 != 2;
        game.playedMs = 40'000 + 1'000 * i;
        game.moves = 50 + i;
        PlayerStatistics::record(game);
    }
}

}  // namespace

class TestStatisticsDlg : public QObject
{
    Q_OBJECT
    std::unique_ptr<ShellKit> kit;

private Q_SLOTS:
    void initTestCase() { UseBuiltStatsModule(); }
    void init()
    {
        kit = std::make_unique<ShellKit>();
        recordGolfGames();
    }
    void cleanup() { kit.reset(); }

    void theFiguresOfTheChosenGame()
    {
        StatisticsDialog dialog(QStringLiteral("Golf"));
        QCOMPARE(dialog.GameCombo->itemText(0), QStringLiteral("Golf"));
        const QStringList expected{"30", "20", "66.7%", "1 game lost", "2", "1", "0:40", "0:54", "50"};
        const QStringList captions{"Played", "Won", "Win %", "Current streak", "Longest winning streak",
                                   "Longest losing streak", "Best time", "Average time to win", "Fewest moves to win"};
        for (int i = 0; i < captions.size(); ++i) {
            QCOMPARE(dialog.figure(captions[i])->text(), expected[i]);
            QCOMPARE(dialog.figure(captions[i])->accessibleName(), captions[i]);
        }
        QCOMPARE(dialog.Chart->games().size(), 30);
        if (qEnvironmentVariableIsSet("CARDENZA_CHART_PNG")) {
            dialog.show();
            dialog.grab().save(qEnvironmentVariable("CARDENZA_CHART_PNG") + QStringLiteral("-dialog.png"));
        }
        for (QWidget *control : {static_cast<QWidget *>(dialog.GameCombo), static_cast<QWidget *>(dialog.Chart),
                                 static_cast<QWidget *>(dialog.ResetButton), static_cast<QWidget *>(dialog.CloseButton)})
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }

    // The chooser answers the keyboard; another game shows its own (empty) record.
    void anotherGameByKeyboard()
    {
        StatisticsDialog dialog(QStringLiteral("Golf"));
        dialog.GameCombo->addItem(QStringLiteral("Spider"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        dialog.GameCombo->setFocus();
        QTest::keyClick(dialog.GameCombo, Qt::Key_Down);
        QCOMPARE(dialog.chosenGame(), QStringLiteral("Spider"));
        QCOMPARE(dialog.figure(QStringLiteral("Played"))->text(), QStringLiteral("0"));
        QCOMPARE(dialog.figure(QStringLiteral("Best time"))->text(), QStringLiteral("-"));
        QVERIFY(!dialog.ResetButton->isEnabled());
        QVERIFY(dialog.Chart->games().isEmpty());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void resetAsksFirstAndForgetsOnlyThatGame()
    {
        FinishedGame other;
        other.game = QStringLiteral("Spider");
        other.started = other.ended = QDateTime::currentDateTimeUtc();
        PlayerStatistics::record(other);
        StatisticsDialog dialog(QStringLiteral("Golf"));
        kit->dialogs.answer = Dialogs::Cancel;
        dialog.ResetButton->click();
        QCOMPARE(dialog.figure(QStringLiteral("Played"))->text(), QStringLiteral("30"));
        kit->dialogs.answer = Dialogs::Ok;
        dialog.ResetButton->click();
        QCOMPARE(kit->dialogs.messages().size(), 2);
        QVERIFY(kit->dialogs.messages().last().contains(QStringLiteral("Golf")));
        QCOMPARE(dialog.figure(QStringLiteral("Played"))->text(), QStringLiteral("0"));
        QCOMPARE(RecordedGames(QStringLiteral("Spider")).size(), 1);
    }

    void theChartIsSharpAtEachDensity_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }
    void theChartIsSharpAtEachDensity()
    {
        QFETCH(qreal, ratio);
        StatisticsChart chart;
        chart.resize(440, 180);
        chart.setGames(RecordedGames(QStringLiteral("Golf")));
        QImage image(chart.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        chart.render(&image);
        if (qEnvironmentVariableIsSet("CARDENZA_CHART_PNG"))
            image.save(qEnvironmentVariable("CARDENZA_CHART_PNG") + QStringLiteral("-%1x.png").arg(ratio));
        const QColor background = chart.palette().color(QPalette::Base);
        for (int i = 0; i < chart.games().size(); ++i) {
            const QRect pixels = chart.markPixels(i, ratio);
            const QColor colour = chart.games()[i].won ? StatisticsChart::wonColor() : StatisticsChart::lostColor();
            QCOMPARE(image.pixelColor(pixels.center()), colour);
            // Every pixel of the mark in its colour, the pixels beside it the background's.
            const int y = pixels.center().y();
            for (int x = pixels.left(); x <= pixels.right(); ++x)
                QCOMPARE(image.pixelColor(x, y), colour);
            QCOMPARE(image.pixelColor(pixels.left() - 1, y), background);
            QCOMPARE(image.pixelColor(pixels.right() + 1, y), background);
        }
        // A slower win stands taller, the slowest (game 28) reaches the top; lost
        // games hang below the line the wins stand on.
        QVERIFY(chart.markPixels(1, ratio).height() > chart.markPixels(0, ratio).height());
        for (int i = 0; i < 28; ++i)
            QVERIFY(chart.markPixels(28, ratio).top() < chart.markPixels(i, ratio).top());
        QCOMPARE(chart.markPixels(2, ratio).top(), chart.markPixels(0, ratio).bottom() + 1);
    }
};

QTEST_MAIN(TestStatisticsDlg)
#include "tst_statisticsdlg.moc"
