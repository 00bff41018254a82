// SPDX-License-Identifier: MIT
#include "shell/StatisticsDlg.h"

#include "platform/Dialogs.h"
#include "shell/GameCatalog.h"
#include "shell/PlayerStatistics.h"
#include "shell/StatisticsChart.h"
#include "stats/GameSummary.h"
#include "stats/StatisticsBook.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList figureCaptions{QStringLiteral("Played"),        QStringLiteral("Won"),
                                 QStringLiteral("Win %"),         QStringLiteral("Current streak"),
                                 QStringLiteral("Longest winning streak"), QStringLiteral("Longest losing streak"),
                                 QStringLiteral("Best time"),     QStringLiteral("Average time to win"),
                                 QStringLiteral("Fewest moves to win")};

QString streakText(int streak)
{
    if (streak == 0)
        return QStringLiteral("none");
    const int games = std::abs(streak);
    return QStringLiteral("%1 %2 %3").arg(games).arg(games == 1 ? QStringLiteral("game") : QStringLiteral("games"),
                                                     streak > 0 ? QStringLiteral("won") : QStringLiteral("lost"));
}

QStringList figureTexts(const GameSummary &summary)
{
    const QString none = QStringLiteral("-");
    const auto time = [&none](const std::optional<qint64> &ms) { return ms ? playingTimeText(*ms) : none; };
    return {QString::number(summary.played),
            QString::number(summary.won),
            summary.played > 0 ? QString::number(summary.winPercent(), 'f', 1) + QLatin1Char('%') : none,
            streakText(summary.currentStreak),
            QString::number(summary.bestWinStreak),
            QString::number(summary.bestLossStreak),
            time(summary.bestTimeMs),
            time(summary.averageWinTimeMs),
            summary.fewestMoves ? QString::number(*summary.fewestMoves) : none};
}

}  // namespace

StatisticsDialog::StatisticsDialog(const QString &first, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("StatisticsDlg"));
    setWindowTitle(QStringLiteral("Statistics"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    GameCombo = new QComboBox(this);
    GameCombo->setObjectName(QStringLiteral("GameCombo"));
    GameCombo->setAccessibleName(QStringLiteral("Game"));
    if (!first.isEmpty())
        GameCombo->addItem(first);
    for (const GameEntry *game : GameCatalog::entries())
        if (game->name != first)
            GameCombo->addItem(game->name);
    auto *gameLabel = new QLabel(QStringLiteral("&Game:"), this);
    gameLabel->setBuddy(GameCombo);
    form->addRow(gameLabel, GameCombo);
    buildFigures(form);
    layout->addLayout(form);
    Chart = new StatisticsChart(this);
    layout->addWidget(Chart, 1);
    problem = new QLabel(this);
    problem->setObjectName(QStringLiteral("ProblemLabel"));
    problem->setWordWrap(true);
    problem->hide();
    layout->addWidget(problem);
    auto *buttons = new QDialogButtonBox(this);
    ResetButton = buttons->addButton(QStringLiteral("&Reset..."), QDialogButtonBox::ResetRole);
    ResetButton->setObjectName(QStringLiteral("ResetButton"));
    ResetButton->setAccessibleName(QStringLiteral("Reset the statistics of the chosen game"));
    CloseButton = buttons->addButton(QDialogButtonBox::Close);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setAccessibleName(QStringLiteral("Close"));
    CloseButton->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ResetButton, &QPushButton::clicked, this, &StatisticsDialog::ResetButtonClick);
    connect(GameCombo, &QComboBox::currentIndexChanged, this, &StatisticsDialog::showGame);
    setTabOrder(GameCombo, ResetButton);
    setTabOrder(ResetButton, CloseButton);
    GameCombo->setFocus();
    showGame();
}

void StatisticsDialog::buildFigures(QFormLayout *form)
{
    for (const QString &caption : figureCaptions) {
        auto *value = new QLabel(this);
        value->setObjectName(QString(caption).remove(QLatin1Char(' ')).remove(QLatin1Char('%')) + QStringLiteral("Label"));
        value->setAccessibleName(caption);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setFocusPolicy(Qt::NoFocus);
        form->addRow(caption + QLatin1Char(':'), value);
        figures.insert(caption, value);
    }
}

QString StatisticsDialog::chosenGame() const { return GameCombo->currentText(); }

void StatisticsDialog::showGame()
{
    QList<FinishedGame> history;
    QString why;
    const bool read = PlayerStatistics::book().history(chosenGame(), &history, &why);
    const QStringList texts = figureTexts(summarise(history));
    for (int i = 0; i < figureCaptions.size(); ++i)
        figures.value(figureCaptions[i])->setText(texts[i]);
    Chart->setGames(history);
    problem->setVisible(!read);
    problem->setText(read ? QString() : QStringLiteral("The statistics cannot be read: %1.").arg(why));
    ResetButton->setEnabled(read && !history.isEmpty());
}

void StatisticsDialog::ResetButtonClick()
{
    const QString game = chosenGame();
    if (!Dialogs::confirm(this, QStringLiteral("Reset the statistics of %1? Every game of it played so far is "
                                               "forgotten.").arg(game)))
        return;
    QString why;
    if (!PlayerStatistics::book().forget(game, &why))
        Dialogs::message(this, QStringLiteral("The statistics of %1 could not be reset: %2.").arg(game, why),
                         Dialogs::Icon::Warning);
    showGame();
}

void ShowStatistics(QWidget *parent, const QString &first)
{
    StatisticsDialog dialog(first, parent);
    Dialogs::execModal(&dialog);
}
