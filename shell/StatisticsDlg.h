// SPDX-License-Identifier: MIT
#pragma once
#include "stats/FinishedGame.h"

#include <QDialog>
#include <QMap>

class QComboBox;
class QLabel;
class QPushButton;
class StatisticsChart;

// The player's record of one game at a time: a chooser of the games, the figures,
// a chart of the last games, and Reset for the chosen game.
class StatisticsDialog : public QDialog
{
    Q_OBJECT
public:
    // The chooser lists `first` (the open game) at the top and shows it; then the
    // launcher's games in its order.
    explicit StatisticsDialog(const QString &first, QWidget *parent = nullptr);

    QComboBox *GameCombo;
    StatisticsChart *Chart;
    QPushButton *ResetButton;
    QPushButton *CloseButton;
    // The figure of each row by its caption ("Played", "Best time", ...).
    QLabel *figure(const QString &caption) const { return figures.value(caption); }
    QString chosenGame() const;

    void showGame();
    void ResetButtonClick();

private:
    void buildFigures(class QFormLayout *form);
    QMap<QString, QLabel *> figures;
    QLabel *problem;
};

// Opens the statistics modally, the game `first` chosen.
void ShowStatistics(QWidget *parent, const QString &first);
