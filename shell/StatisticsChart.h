// SPDX-License-Identifier: MIT
#pragma once
#include "stats/FinishedGame.h"

#include <QList>
#include <QWidget>

// The last games of one game as a picture, oldest on the left: a won game is a
// green bar as tall as its time to win (the slowest win shown reaches the top), a
// lost game a red block below the line. Drawn on the device's pixel grid, so it is
// sharp at any pixel density.
class StatisticsChart : public QWidget
{
    Q_OBJECT
public:
    static constexpr int shownGames = 100;

    explicit StatisticsChart(QWidget *parent = nullptr);
    // Keeps the last shownGames of the history (oldest first).
    void setGames(const QList<FinishedGame> &history);
    const QList<FinishedGame> &games() const { return shown; }
    QSize sizeHint() const override;

    // The bar or block of game `index` of those shown, in device pixels at a pixel
    // density.
    QRect markPixels(int index, double ratio) const;
    static QColor wonColor() { return QColor(0x2e, 0x8b, 0x3a); }
    static QColor lostColor() { return QColor(0xc0, 0x39, 0x2b); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect plotArea() const;
    qint64 slowestWinMs() const;
    static int baselineOf(const QRect &plot, double ratio);
    void paintAxes(QPainter &painter, const QRect &plot, double ratio) const;
    void paintMarks(QPainter &painter, const QRect &plot, double ratio) const;
    void paintLegend(QPainter &painter, const QRect &plot) const;

    QList<FinishedGame> shown;
};
