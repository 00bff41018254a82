// SPDX-License-Identifier: MIT
#include "resources/PixelRatio.h"
#include "resources/Providers.h"
#include "resources/Resources.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>

namespace {

// Ten frames of 376 x 154 that loop: every movement below repeats after exactly
// ten frames, so the last frame leads straight back into the first.
constexpr int frameCount = 10;
constexpr int width = 376;
constexpr int height = 154;
constexpr qreal tau = 6.283185307179586;

// A small fixed generator, so the same frames come out on every run.
class Scatter
{
public:
    explicit Scatter(std::uint32_t seed) : state(seed) {}
    qreal next()  // 0 <= value < 1
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / qreal(1 << 24);
    }
    qreal between(qreal low, qreal high) { return low + (high - low) * next(); }

private:
    std::uint32_t state;
};

qreal loopPhase(int frame, qreal offset) { return std::fmod(frame / qreal(frameCount) + offset, 1.0); }

void drawSky(QPainter &p)
{
    QRadialGradient night(QPointF(width / 2.0, height * 0.9), width * 0.75);
    night.setColorAt(0, QColor(44, 40, 110));
    night.setColorAt(0.6, QColor(20, 22, 70));
    night.setColorAt(1, QColor(8, 10, 36));
    p.fillRect(QRectF(0, 0, width, height), night);
}

void drawStars(QPainter &p, int frame)
{
    Scatter scatter(7);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const QPointF at(scatter.between(0, width), scatter.between(0, height));
        const qreal phase = scatter.next();
        const qreal twinkle = 0.5 + 0.5 * std::sin(tau * (frame / qreal(frameCount) + phase));
        const qreal size = 0.6 + 0.8 * scatter.next();
        p.setBrush(QColor(255, 250, 220, int(60 + 170 * twinkle)));
        p.drawEllipse(at, size, size);
    }
}

struct Firework {
    QPointF centre;
    QColor color;
    qreal radius;
    qreal offset;  // where in the loop it bursts
    int sparks;
};

void drawRocketTrail(QPainter &p, const Firework &f, qreal t)
{
    // The rocket climbs during the last fifth of the loop before its burst.
    const qreal climb = (t - 0.8) / 0.2;
    const QPointF from(f.centre.x() - 6, height + 4);
    const QPointF head = from + (f.centre - from) * climb;
    QLinearGradient trail(from, head);
    trail.setColorAt(0, QColor(255, 220, 150, 0));
    trail.setColorAt(1, QColor(255, 236, 180, 220));
    p.setPen(QPen(QBrush(trail), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(head + (from - head) * 0.35, head);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 248, 220));
    p.drawEllipse(head, 1.8, 1.8);
}

void drawBurst(QPainter &p, const Firework &f, qreal t)
{
    const qreal spread = 1 - std::pow(1 - t / 0.8, 3);
    const qreal fade = 1 - std::pow(t / 0.8, 2);
    const qreal droop = 14 * t * t;
    QColor spark = f.color;
    QRadialGradient glow(f.centre + QPointF(0, droop), f.radius * spread * 1.1 + 1);
    spark.setAlphaF(0.28 * fade);
    glow.setColorAt(0, spark);
    spark.setAlphaF(0);
    glow.setColorAt(1, spark);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(f.centre + QPointF(0, droop), f.radius * spread * 1.1 + 1, f.radius * spread * 1.1 + 1);
    for (int i = 0; i < f.sparks; ++i) {
        const qreal angle = tau * i / f.sparks;
        const QPointF direction(std::cos(angle), std::sin(angle));
        const QPointF tip = f.centre + direction * f.radius * spread + QPointF(0, droop);
        const QPointF tail = f.centre + direction * f.radius * spread * 0.55 + QPointF(0, droop * 0.5);
        QLinearGradient streak(tail, tip);
        spark.setAlphaF(0);
        streak.setColorAt(0, spark);
        spark.setAlphaF(fade);
        streak.setColorAt(1, spark);
        p.setPen(QPen(QBrush(streak), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(tail, tip);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 235, int(240 * fade)));
        p.drawEllipse(tip, 1.5, 1.5);
        // A second, slower ring of glitter between the streaks.
        const qreal between = angle + tau / (2 * f.sparks);
        const QPointF glitter = f.centre + QPointF(std::cos(between), std::sin(between)) * f.radius * spread * 0.62
                                + QPointF(0, droop * 0.8);
        spark.setAlphaF(fade);
        p.setBrush(spark.lighter(130));
        p.drawEllipse(glitter, 1.1, 1.1);
    }
    if (t < 0.25) {
        QRadialGradient flash(f.centre, f.radius * 0.6);
        flash.setColorAt(0, QColor(255, 255, 240, int(200 * (1 - t / 0.25))));
        flash.setColorAt(1, QColor(255, 255, 240, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(flash);
        p.drawEllipse(f.centre, f.radius * 0.6, f.radius * 0.6);
    }
}

void drawFireworks(QPainter &p, int frame)
{
    static const QList<Firework> shows{
        {{62, 44}, QColor(255, 90, 110), 34, 0.0, 16},
        {{318, 40}, QColor(120, 220, 255), 32, 0.3, 14},
        {{190, 26}, QColor(255, 220, 90), 28, 0.6, 18},
        {{260, 92}, QColor(170, 255, 140), 24, 0.85, 12},
        {{118, 100}, QColor(230, 150, 255), 22, 0.45, 12},
    };
    for (const Firework &f : shows) {
        const qreal t = loopPhase(frame, 1 - f.offset);
        if (t >= 0.8)
            drawRocketTrail(p, f, t);
        else
            drawBurst(p, f, t);
    }
}

// Cards tumble down both sides of the banner, each falling through the picture
// once per loop while turning a full circle.
void drawCascade(QPainter &p, int frame)
{
    struct Falling { qreal x; qreal offset; qreal turn; int card; };
    static const QList<Falling> cards{
        {26, 0.0, 1, 113}, {84, 0.5, -1, 151}, {300, 0.25, 1, 137},
        {352, 0.75, -1, 110}, {140, 0.85, -1, 139}, {238, 0.35, 1, 124},
    };
    const qreal scale = 0.55;
    for (const Falling &c : cards) {
        const QImage face = Resources::bitmap(QStringLiteral("SFSCARD%1").arg(c.card), p.device()->devicePixelRatio());
        const QSizeF size = face.deviceIndependentSize();
        const qreal t = loopPhase(frame, c.offset);
        const qreal travel = height + size.height() * scale * 1.2;
        const qreal y = -size.height() * scale * 0.6 + travel * t;
        p.save();
        p.translate(c.x + 8 * std::sin(tau * t), y);
        p.rotate(c.turn * 360 * t);
        p.scale(scale, scale);
        p.drawImage(QPointF(-size.width() / 2.0, -size.height() / 2.0), face);
        p.restore();
    }
}

void drawConfetti(QPainter &p, int frame)
{
    static const QList<QColor> colors{QColor(255, 80, 100), QColor(255, 210, 60), QColor(90, 200, 255),
                                      QColor(120, 230, 120), QColor(240, 140, 255), QColor(255, 150, 60)};
    Scatter scatter(2024);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 56; ++i) {
        const qreal x = scatter.between(0, width);
        const qreal start = scatter.next();
        const int laps = 1 + int(scatter.next() * 2);
        const qreal phase = scatter.next();
        const QColor color = colors[i % colors.size()];
        const qreal t = std::fmod(start + laps * frame / qreal(frameCount), 1.0);
        const QPointF at(x + 5 * std::sin(tau * (frame / qreal(frameCount) + phase)), -6 + (height + 12) * t);
        const qreal flip = std::cos(tau * (laps * frame / qreal(frameCount) + phase));
        p.save();
        p.translate(at);
        p.rotate(360 * phase);
        p.setBrush(flip > 0 ? color : color.darker(140));
        p.drawRect(QRectF(-2.5, -1.5 * std::abs(flip) - 0.4, 5, 3 * std::abs(flip) + 0.8));
        p.restore();
    }
}

QPainterPath bannerRibbon(const QRectF &band)
{
    QPainterPath ribbon;
    const qreal wave = 4;
    ribbon.moveTo(band.topLeft());
    ribbon.quadTo(band.center().x(), band.top() - wave, band.right(), band.top());
    ribbon.lineTo(band.bottomRight());
    ribbon.quadTo(band.center().x(), band.bottom() - wave, band.left(), band.bottom());
    ribbon.closeSubpath();
    return ribbon;
}

void drawRibbonEnds(QPainter &p, const QRectF &band)
{
    const QColor fold(120, 16, 30);
    const QColor tail(176, 26, 44);
    for (int side : {-1, 1}) {
        const qreal edge = side < 0 ? band.left() : band.right();
        const qreal outer = edge + side * 30;
        QPainterPath end;
        end.moveTo(edge - side * 8, band.top() + 9);
        end.lineTo(outer, band.top() + 9);
        end.lineTo(outer - side * 10, band.center().y() + 9);
        end.lineTo(outer, band.bottom() + 9);
        end.lineTo(edge - side * 8, band.bottom() + 9);
        end.closeSubpath();
        p.setPen(QPen(QColor(60, 8, 16), 1));
        p.setBrush(tail);
        p.drawPath(end);
        p.setBrush(fold);
        p.drawPolygon(QPolygonF({{edge, band.bottom()}, {edge - side * 8, band.bottom() + 9}, {edge - side * 8, band.bottom()}}));
    }
}

// The "You've Won!" banner breathes gently in and out once per loop.
void drawBanner(QPainter &p, int frame)
{
    const qreal pulse = 1 + 0.035 * std::sin(tau * frame / frameCount);
    p.save();
    p.translate(width / 2.0, height / 2.0 + 2);
    p.scale(pulse, pulse);
    const QRectF band(-118, -24, 236, 44);
    drawRibbonEnds(p, band);
    QLinearGradient red(0, band.top(), 0, band.bottom());
    red.setColorAt(0, QColor(236, 70, 80));
    red.setColorAt(0.5, QColor(200, 30, 50));
    red.setColorAt(1, QColor(150, 18, 36));
    p.setPen(QPen(QColor(60, 8, 16), 1.2));
    p.setBrush(red);
    p.drawPath(bannerRibbon(band));
    p.setPen(QPen(QColor(250, 210, 90, 200), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bannerRibbon(band.adjusted(5, 4, -5, -4)));

    QFont font(Resources::fontFamily());
    font.setPixelSize(30);
    font.setBold(true);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("You've Won!"));
    const QRectF box = text.boundingRect();
    text.translate(-box.center().x(), -box.center().y() - 1);
    QLinearGradient goldText(0, box.height() / -2, 0, box.height() / 2);
    goldText.setColorAt(0, QColor(255, 250, 200));
    goldText.setColorAt(0.5, QColor(255, 210, 60));
    goldText.setColorAt(1, QColor(220, 150, 20));
    p.setPen(QPen(QColor(70, 20, 10), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(goldText);
    p.drawPath(text);
    p.restore();
}

QImage frameAt(int frame, qreal ratio)
{
    QImage image = PixelRatio::canvas(QSizeF(width, height), ratio, QImage::Format_RGB32);
    image.fill(Qt::black);  // the sky covers it, but a fractional ratio leaves part of an edge row
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    drawSky(p);
    drawStars(p, frame);
    drawFireworks(p, frame);
    drawCascade(p, frame);
    drawConfetti(p, frame);
    drawBanner(p, frame);
    return image;
}

}  // namespace

namespace WinVideo {

QStringList names() { return {QStringLiteral("WIN_AVI")}; }

std::optional<QList<QImage>> render(const QString &upperName, qreal ratio)
{
    if (upperName != QLatin1String("WIN_AVI"))
        return std::nullopt;
    QList<QImage> frames;
    for (int frame = 0; frame < frameCount; ++frame)
        frames << frameAt(frame, PixelRatio::clamped(ratio));
    return frames;
}

}  // namespace WinVideo
