// SPDX-License-Identifier: MIT
#include "resources/PreviewKit.h"

#include "resources/PixelRatio.h"
#include "resources/Resources.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QString smallCardPattern = QStringLiteral("sFSCARD%1");
constexpr int backImage = 153;
constexpr int firstFace = 100;
constexpr qreal cardRoundness = 0.09;  // corner radius as a share of the card width

// "7H" -> the number of that card's picture: 100 + 13 x suit + value.
int pictureNumber(const QString &card)
{
    static const QString ranks = QStringLiteral("A23456789TJQK");
    static const QString suits = QStringLiteral("CSDH");
    const int value = ranks.indexOf(card.at(0).toUpper());
    const int suit = suits.indexOf(card.at(1).toUpper());
    Q_ASSERT(value >= 0 && suit >= 0);
    return firstFace + 13 * suit + value;
}

// Card pictures scaled down once per size and pixel ratio, smoothly, for the rest of
// the run. On denser screens they come from cards drawn for that density, which
// have device pixels enough for the miniature's.
QImage miniature(int number, QSize size, qreal ratio)
{
    static QHash<QString, QImage> cache;
    const QString key = QStringLiteral("%1@%2x%3@%4").arg(number).arg(size.width()).arg(size.height()).arg(ratio);
    if (auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    const QImage full = Resources::bitmap(smallCardPattern.arg(number), ratio);
    QImage scaled = full.scaled(PixelRatio::deviceSize(size, ratio), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    cache.insert(key, scaled);
    return scaled;
}

QRectF cardRect(QPoint at, int width, int height) { return QRectF(at.x(), at.y(), width, height); }

// Splits a long name at the space nearest its middle.
QString twoLines(const QString &name)
{
    const int middle = name.size() / 2;
    int best = -1;
    for (int i = 0; i < name.size(); ++i)
        if (name.at(i) == QLatin1Char(' ') && (best < 0 || qAbs(i - middle) < qAbs(best - middle)))
            best = i;
    if (best < 0)
        return name;
    QString wrapped = name;
    wrapped[best] = QLatin1Char('\n');
    return wrapped;
}

}  // namespace

namespace PreviewKit {

QString fontFamily() { return Resources::fontFamily(); }

QImage table(qreal ratio)
{
    QImage image = PixelRatio::canvas(QSizeF(previewWidth, previewHeight), ratio, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QRadialGradient cloth(QPointF(previewWidth * 0.5, previewHeight * 0.42), previewWidth * 0.62);
    cloth.setColorAt(0.0, QColor(0, 84, 6));
    cloth.setColorAt(0.7, QColor(0, 64, 0));
    cloth.setColorAt(1.0, QColor(0, 46, 0));
    painter.fillRect(image.rect(), cloth);
    return image;
}

MiniTable::MiniTable(QImage &canvas, int cardWidth)
    : painter(&canvas), width(cardWidth), height(qRound(cardWidth * 95.0 / 61.0)), ratio(canvas.devicePixelRatio())
{
    painter.setRenderHint(QPainter::Antialiasing);
}

void MiniTable::card(QPoint at, const QImage &picture)
{
    const qreal radius = width * cardRoundness + 1;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(cardRect(at + QPoint(1, 1), width, height), radius, radius);
    painter.drawImage(cardRect(at, width, height), picture);
}

void MiniTable::face(QPoint at, const QString &card)
{
    this->card(at, miniature(pictureNumber(card), QSize(width, height), ratio));
}

void MiniTable::back(QPoint at) { card(at, miniature(backImage, QSize(width, height), ratio)); }

void MiniTable::outline(QPoint at)
{
    const qreal radius = width * cardRoundness + 1;
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawRoundedRect(cardRect(at, width, height).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void MiniTable::recycle(QPoint at)
{
    outline(at);
    const QRectF box = cardRect(at, width, height);
    const qreal r = width * 0.26;
    const QRectF circle(box.center().x() - r, box.center().y() - r, 2 * r, 2 * r);
    painter.setPen(QPen(QColor(255, 255, 255, 120), qMax(1.5, width / 14.0), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(circle, 100 * 16, 290 * 16);
    // The arrow head at the arc's open end.
    const QPointF tip(circle.center().x() + r * 0.17, circle.top());
    const qreal head = r * 0.55;
    painter.drawLine(tip, tip + QPointF(-head, -head * 0.7));
    painter.drawLine(tip, tip + QPointF(-head, head * 0.7));
}

void MiniTable::stock(QPoint at, int layers, QPoint step)
{
    for (int i = 0; i < layers; ++i)
        back(at + step * i);
}

void MiniTable::column(QPoint at, int faceDown, const QStringList &faceUp, int downStep, int upStep)
{
    QPoint place = at;
    for (int i = 0; i < faceDown; ++i, place.ry() += downStep)
        back(place);
    fan(place, faceUp, QPoint(0, upStep));
}

void MiniTable::fan(QPoint at, const QStringList &cards, QPoint step)
{
    QPoint place = at;
    for (const QString &name : cards) {
        face(place, name);
        place += step;
    }
}

void MiniTable::label(const QString &name, const QRect &box, int pixelSize)
{
    QFont font(fontFamily());
    font.setBold(true);
    font.setPixelSize(pixelSize);
    const int padding = pixelSize / 2 + 1;
    QString text = name;
    QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) + 2 * padding > box.width())
        text = twoLines(name);
    QRect textBox = metrics.boundingRect(QRect(0, 0, box.width(), box.height()), Qt::AlignCenter, text);
    QRectF pill = QRectF(textBox).adjusted(-padding, -3, padding, 3);
    pill.moveCenter(QRectF(box).center());
    const qreal radius = qMin(pill.height() / 2, 9.0);
    painter.setPen(QPen(QColor(255, 236, 170, 150), 1.0));
    painter.setBrush(QColor(0, 22, 0, 175));
    painter.drawRoundedRect(pill.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 160));
    painter.drawText(pill.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(QColor(255, 244, 214));
    painter.drawText(pill, Qt::AlignCenter, text);
}

}  // namespace PreviewKit
