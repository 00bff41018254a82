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

// Every edge on a whole device pixel: the marks stay sharp at 1x and 2x alike.
QRectF StatisticsChart::markOf(int index, double ratio) const
{
    const QRect plot = plotArea();
    const auto snap = [ratio](double logical) { return std::round(logical * ratio) / ratio; };
    const double slot = double(plot.width()) / shownGames;
    const double left = snap(plot.left() + index * slot + slot * slotGapShare / 2);
    const double right = std::max(snap(plot.left() + (index + 1) * slot - slot * slotGapShare / 2), left + 1 / ratio);
    const double lossDepth = plot.height() * lossDepthShare;
    const double baseline = baselineOf(plot, ratio);
    const FinishedGame &game = shown[index];
    if (!game.won)
        return QRectF(QPointF(left, baseline), QPointF(right, snap(baseline + lossDepth * 0.6)));
    const double height = (baseline - plot.top()) * double(game.playedMs) / double(slowestWinMs());
    return QRectF(QPointF(left, std::min(snap(baseline - height), baseline - 1 / ratio)), QPointF(right, baseline));
}

double StatisticsChart::baselineOf(const QRect &plot, double ratio)
{
    return std::round((plot.bottom() + 1 - plot.height() * lossDepthShare) * ratio) / ratio;
}

void StatisticsChart::paintAxes(QPainter &painter, const QRect &plot, double ratio) const
{
    const double lineY = baselineOf(plot, ratio);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(QLineF(plot.left(), plot.top(), plot.right() + 1, plot.top()));
    painter.setPen(palette().color(QPalette::Text));
    painter.fillRect(QRectF(plot.left(), lineY, plot.width(), 1 / ratio), palette().color(QPalette::Text));
    const QFontMetrics metrics(painter.font());
    const QRect labels(0, plot.top() - metrics.height() / 2, leftMargin - 6, metrics.height());
    painter.drawText(labels, Qt::AlignRight | Qt::AlignVCenter, playingTimeText(slowestWinMs()));
    painter.drawText(labels.translated(0, int(lineY) - plot.top()), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0:00"));
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
    const double ratio = painter.device()->devicePixelRatioF();
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QRect plot = plotArea();
    painter.setPen(palette().color(QPalette::Text));
    paintAxes(painter, plot, ratio);
    for (int i = 0; i < shown.size(); ++i)
        painter.fillRect(markOf(i, ratio), shown[i].won ? wonColor() : lostColor());
    paintLegend(painter, plot);
    if (shown.isEmpty())
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No games played yet"));
}
