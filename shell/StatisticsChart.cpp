// SPDX-License-Identifier: MIT
#include "shell/StatisticsChart.h"

#include "stats/GameSummary.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {
constexpr int leftMargin = 44;   // the time labels
constexpr int rightMargin = 8;
constexpr int topMargin = 8;
constexpr int bottomMargin = 22;  // the legend
constexpr double lossDepthShare = 0.22;  // of the plot's height, below the line
constexpr double slotGapShare = 0.25;    // of each game's slot, between marks
}  // namespace

StatisticsChart::StatisticsChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StatisticsChart"));
    setAccessibleName(QStringLiteral("Chart of the last games"));
    setMinimumSize(360, 150);
}

QSize StatisticsChart::sizeHint() const { return {440, 180}; }

void StatisticsChart::setGames(const QList<FinishedGame> &history)
{
    shown = history.mid(std::max<qsizetype>(0, history.size() - shownGames));
    int won = 0;
    for (const FinishedGame &game : std::as_const(shown))
        won += game.won ? 1 : 0;
    setAccessibleDescription(
        shown.isEmpty() ? QStringLiteral("No games played yet")
                        : QStringLiteral("The last %1 games: %2 won, %3 lost").arg(shown.size()).arg(won).arg(shown.size() - won));
    update();
}

QRect StatisticsChart::plotArea() const
{
    return rect().adjusted(leftMargin, topMargin, -rightMargin, -bottomMargin);
}

qint64 StatisticsChart::slowestWinMs() const
{
    qint64 slowest = 0;
    for (const FinishedGame &game : shown)
        if (game.won)
            slowest = std::max(slowest, game.playedMs);
    return std::max<qint64>(slowest, 1000);
}

// Every edge on a whole device pixel, and at least one pixel between two marks:
// the marks stay sharp and apart at 1x and 2x alike.
QRect StatisticsChart::markPixels(int index, double ratio) const
{
    const QRect plot = plotArea();
    const double slot = plot.width() * ratio / shownGames;  // in device pixels
    const auto edge = [&](int i) { return int(std::lround(plot.left() * ratio + i * slot)); };
    const int left = edge(index);
    const int gap = std::max(1, int(std::lround(slot * slotGapShare)));
    const int right = std::max(left + 1, edge(index + 1) - gap);
    const int baseline = baselineOf(plot, ratio);
    const int top = int(std::lround(plot.top() * ratio));
    const FinishedGame &game = shown[index];
    if (game.won) {
        const int height = std::max(1, int(std::lround((baseline - top) * double(game.playedMs) / double(slowestWinMs()))));
        return QRect(QPoint(left, baseline - height), QPoint(right - 1, baseline - 1));
    }
    const int depth = std::max(1, int(std::lround(plot.height() * ratio * lossDepthShare * 0.6)));
    return QRect(QPoint(left, baseline), QPoint(right - 1, baseline + depth - 1));
}

// The device pixel row just below the wins, where the losses begin.
int StatisticsChart::baselineOf(const QRect &plot, double ratio)
{
    return int(std::lround((plot.bottom() + 1 - plot.height() * lossDepthShare) * ratio));
}

// Painted in device pixels: the painter's scale undone, every edge falls on one.
void StatisticsChart::paintMarks(QPainter &painter, const QRect &plot, double ratio) const
{
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    const int thickness = std::max(1, int(std::lround(ratio)));
    painter.fillRect(QRect(int(std::lround(plot.left() * ratio)), baselineOf(plot, ratio) - thickness,
                           int(std::lround(plot.width() * ratio)), thickness),
                     palette().color(QPalette::Text));
    for (int i = 0; i < shown.size(); ++i)
        painter.fillRect(markPixels(i, ratio), shown[i].won ? wonColor() : lostColor());
    painter.restore();
}

void StatisticsChart::paintAxes(QPainter &painter, const QRect &plot, double ratio) const
{
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(QLineF(plot.left(), plot.top(), plot.right() + 1, plot.top()));
    painter.setPen(palette().color(QPalette::Text));
    const QFontMetrics metrics(painter.font());
    const QRect labels(0, plot.top() - metrics.height() / 2, leftMargin - 6, metrics.height());
    const int baseline = int(baselineOf(plot, ratio) / ratio);
    painter.drawText(labels, Qt::AlignRight | Qt::AlignVCenter, playingTimeText(slowestWinMs()));
    painter.drawText(labels.translated(0, baseline - plot.top()), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0:00"));
}

void StatisticsChart::paintLegend(QPainter &painter, const QRect &plot) const
{
    const QFontMetrics metrics(painter.font());
    const int y = plot.bottom() + 6;
    const int box = metrics.ascent() - 2;
    int x = plot.left();
    const auto entry = [&](const QColor &color, const QString &text) {
        painter.fillRect(QRect(x, y + 1, box, box), color);
        x += box + 4;
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
        x += metrics.horizontalAdvance(text) + 14;
    };
    entry(wonColor(), QStringLiteral("won (bar: time to win)"));
    entry(lostColor(), QStringLiteral("lost"));
    const QString count = QStringLiteral("last %1 of %2").arg(shown.size()).arg(shownGames);
    painter.drawText(QRect(plot.left(), y, plot.width(), metrics.height()), Qt::AlignRight | Qt::AlignTop, count);
}

void StatisticsChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The scale to device pixels, also when rendered into a picture of another density.
    const double ratio = painter.deviceTransform().m11();
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QRect plot = plotArea();
    painter.setPen(palette().color(QPalette::Text));
    paintAxes(painter, plot, ratio);
    paintMarks(painter, plot, ratio);
    paintLegend(painter, plot);
    if (shown.isEmpty())
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No games played yet"));
}
