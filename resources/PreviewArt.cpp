// SPDX-License-Identifier: MIT
// The launcher's pictures: "STARTUP" before a game is chosen, then one preview per
// game showing that game's table in miniature, laid out as the game window lays it
// out with small cards and scaled down to 320 x 125.
#include "resources/Providers.h"

#include "resources/PixelRatio.h"
#include "resources/PreviewKit.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <functional>

using PreviewKit::MiniTable;

namespace {

// A shuffled pack for the miniature deals: fixed, so the pictures never change.
class Pack
{
public:
    Pack(int decks, quint32 seed)
    {
        for (int d = 0; d < decks; ++d)
            for (QChar suit : QStringLiteral("CSDH"))
                for (QChar rank : QStringLiteral("A23456789TJQK"))
                    cards.append(QString(rank) + suit);
        for (qsizetype i = cards.size() - 1; i > 0; --i) {
            seed = seed * 1103515245u + 12345u;
            cards.swapItemsAt(i, (seed >> 8) % (i + 1));
        }
    }

    QString next() { return cards.takeLast(); }
    QStringList next(int count)
    {
        QStringList dealt;
        for (int i = 0; i < count; ++i)
            dealt.append(next());
        return dealt;
    }
    // Takes a particular card out of the pack (for the cards a game has already placed).
    QString take(const QString &card)
    {
        cards.removeOne(card);
        return card;
    }

private:
    QStringList cards;
};

// Places piles across the preview where the small-card window has them. Down the
// table the empty space is closed up, so that each deal fits the picture's height.
struct Scale {
    int cardWidth;
    int left;
    int x(int layoutX) const { return left + qRound(layoutX * cardWidth / 61.0); }
};

// The game's name goes in the free space right of its table.
QRect besideTable(int tableRight) { return QRect(tableRight + 4, 0, PreviewKit::previewWidth - tableRight - 6, PreviewKit::previewHeight); }

QImage klondike(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 28);
    const Scale s{28, 4};
    Pack pack(1, 7);
    t.stock({s.x(8), 3}, 5, {2, 1});
    t.fan({s.x(120), 3}, pack.next(3), {9, 1});
    t.face({s.x(248), 3}, pack.take(QStringLiteral("AH")));
    for (int x : {312, 376, 440})
        t.outline({s.x(x), 3});
    for (int c = 0; c < 7; ++c)
        t.column({s.x(8 + 72 * c), 52}, c, pack.next(1), 3, 9);
    t.label(QStringLiteral("Klondike"), besideTable(s.x(440) + t.cardWidth()));
    return image;
}

QImage doubleKlondike(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 24);
    const Scale s{24, 4};
    Pack pack(2, 3);
    t.face({s.x(240), 3}, pack.take(QStringLiteral("AD")));
    t.face({s.x(304), 3}, pack.take(QStringLiteral("AS")));
    for (int f = 2; f < 8; ++f)
        t.outline({s.x(240 + 64 * f), 3});
    // The other Aces would have gone home already.
    for (const char *ace : {"AC", "AS", "AD", "AH", "AC", "AH"})
        pack.take(ace);
    t.stock({s.x(8), 3}, 5, {2, 1});
    t.fan({s.x(128), 3}, pack.next(3), {8, 1});
    for (int c = 0; c < 9; ++c)
        t.column({s.x(64 + 72 * c), 45}, c, pack.next(1), 3, 8);
    t.label(QStringLiteral("Double Klondike"), QRect(2, 98, 150, 26));
    return image;
}

QImage fortyThieves(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 20);
    const Scale s{20, 4};
    Pack pack(2, 40);
    t.stock({s.x(8), 2}, 5, {2, 1});
    t.fan({s.x(128), 2}, pack.next(5), {5, 0});
    for (int c = 0; c < 10; ++c)
        t.column({s.x(8 + 72 * c), 37}, 0, pack.next(4), 0, 7);
    t.face({s.x(80), 90}, pack.take(QStringLiteral("AC")));
    for (int f = 1; f < 8; ++f)
        t.outline({s.x(80 + 72 * f), 90});
    t.label(QStringLiteral("Forty Thieves"), besideTable(s.x(656) + t.cardWidth()));
    return image;
}

QImage freeCell(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 26);
    const Scale s{26, 4};
    Pack pack(1, 4);
    t.outline({s.x(8), 3});
    t.face({s.x(72), 3}, pack.take(QStringLiteral("KH")));
    t.outline({s.x(136), 3});
    t.outline({s.x(200), 3});
    t.face({s.x(331), 3}, pack.take(QStringLiteral("AC")));
    for (int x : {395, 459, 523})
        t.outline({s.x(x), 3});
    const int lengths[] = {7, 7, 6, 7, 6, 6, 5, 6};
    for (int c = 0; c < 8; ++c)
        t.column({s.x(16 + 72 * c), 48}, 0, pack.next(lengths[c]), 0, 6);
    t.label(QStringLiteral("Free Cell"), besideTable(s.x(520) + t.cardWidth()));
    return image;
}

QImage golf(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 26);
    const Scale s{26, 4};
    Pack pack(1, 5);
    for (int c = 0; c < 7; ++c)
        t.column({s.x(24 + 80 * c), 3}, 0, pack.next(c == 2 || c == 5 ? 4 : 5), 0, 8);
    t.stock({s.x(8), 81}, 4, {1, 1});
    t.fan({s.x(112), 81}, pack.next(5), {6, 0});
    t.label(QStringLiteral("Golf"), besideTable(s.x(504) + t.cardWidth()));
    return image;
}

QImage indianPatience(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 20);
    const Scale s{20, 4};
    Pack pack(2, 63);
    t.stock({s.x(8), 2}, 5, {2, 1});
    t.fan({s.x(128), 2}, pack.next(6), {5, 0});
    for (int c = 0; c < 10; ++c)
        t.column({s.x(8 + 72 * c), 37}, 1, pack.next(2), 4, 7);
    t.face({s.x(79), 90}, pack.take(QStringLiteral("AS")));
    t.face({s.x(151), 90}, pack.take(QStringLiteral("AH")));
    for (int f = 2; f < 8; ++f)
        t.outline({s.x(79 + 72 * f), 90});
    t.label(QStringLiteral("Indian Patience"), besideTable(s.x(656) + t.cardWidth()));
    return image;
}

QImage montana(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 17);
    Pack pack(1, 13);
    for (const char *ace : {"AC", "AS", "AD", "AH"})
        pack.take(ace);
    // The first row is under way: its run of hearts shows the aim of the game.
    const QStringList run = {pack.take("2H"), pack.take("3H"), pack.take("4H"), pack.take("5H")};
    const QList<int> gaps = {4, 13 + 9, 26 + 2, 39 + 11};
    for (int place = 0; place < 52; ++place) {
        const QPoint at(4 + 17 * (place % 13), 6 + 29 * (place / 13));
        if (gaps.contains(place))
            t.outline(at);
        else
            t.face(at, place < run.size() ? run[place] : pack.next());
    }
    t.label(QStringLiteral("Montana"), besideTable(4 + 17 * 13));
    return image;
}

// The pyramid: seven rows, each card half covering two of the row above.
QImage pyramid(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 17);
    const Scale s{17, 12};
    Pack pack(1, 28);
    const QList<QList<int>> rows = {{232},
                                    {200, 264},
                                    {168, 232, 296},
                                    {128, 197, 267, 336},
                                    {88, 160, 232, 304, 376},
                                    {50, 122, 194, 267, 339, 411},
                                    {16, 88, 160, 232, 304, 376, 448}};
    for (int r = 0; r < rows.size(); ++r)
        for (int x : rows[r])
            t.face({s.x(x), 1 + 11 * r}, pack.next());
    t.stock({s.x(112), 96}, 4, {1, 1});
    t.face({s.x(216), 96}, pack.next());
    t.outline({s.x(296), 96});
    t.outline({s.x(448), 98});
    t.label(QStringLiteral("Pyramid"), besideTable(s.x(448) + t.cardWidth()));
    return image;
}

QImage queenOfItaly(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 18);
    const Scale s{18, 4};
    Pack pack(2, 17);
    t.fan({s.x(248), 2}, pack.next(11), {4, 0});
    t.face({s.x(48), 33}, pack.take(QStringLiteral("7D")));
    for (int f = 1; f < 8; ++f)
        t.outline({s.x(48 + 72 * f), 33});
    for (int c = 0; c < 9; ++c)
        t.face({s.x(16 + 72 * c), 64}, pack.next());
    t.stock({s.x(12), 95}, 4, {1, 1});
    t.fan({s.x(104), 95}, pack.next(5), {4, 0});
    t.label(QStringLiteral("Queen of Italy"), besideTable(s.x(592) + t.cardWidth()));
    return image;
}

QImage seaTowers(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 21);
    const Scale s{21, 4};
    Pack pack(1, 19);
    for (int x : {8, 72, 592, 656})
        t.outline({s.x(x), 3});
    t.outline({s.x(234), 3});
    t.face({s.x(298), 3}, pack.next());
    t.face({s.x(362), 3}, pack.next());
    t.outline({s.x(426), 3});
    for (int c = 0; c < 10; ++c)
        t.column({s.x(8 + 72 * c), 41}, 0, pack.next(5), 0, 10);
    t.label(QStringLiteral("Sea Towers"), besideTable(s.x(656) + t.cardWidth()));
    return image;
}

QImage spider(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 26);
    const Scale s{26, 4};
    Pack pack(2, 12);
    t.stock({s.x(8), 3}, 6, {2, 1});
    for (int f = 0; f < 8; ++f)
        t.outline({s.x(208 + 64 * f), 3});
    for (int c = 0; c < 9; ++c)
        t.column({s.x(8 + 72 * c), 48}, c < 4 ? 4 : 3, pack.next(1), 3, 7);
    // The last column already holds a run, the way Spider is built.
    const QStringList run = {pack.take("TS"), pack.take("9S"), pack.take("8S")};
    t.column({s.x(656), 48}, 3, run, 3, 7);
    t.label(QStringLiteral("Spider"), QRect(90, 100, 140, 25));
    return image;
}

QImage beleagueredCastle(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    MiniTable t(image, 18);
    Pack pack(1, 21);
    const QStringList aces = {pack.take("AS"), pack.take("AH"), pack.take("AC"), pack.take("AD")};
    // The rows are spread a little wider than the window's so that each card shows.
    for (int r = 0; r < 4; ++r) {
        const int y = 2 + 31 * r;
        t.fan({4, y}, pack.next(6), {12, 0});
        t.face({99, y}, aces[r]);
        t.fan({124, y}, pack.next(6), {12, 0});
    }
    t.label(QStringLiteral("Beleaguered Castle"), besideTable(124 + 5 * 12 + t.cardWidth()));
    return image;
}

// A few cards fanned like a hand, turning about a point below them, left to right;
// the card at the end that faces the middle of the picture lies on top.
void handOfCards(QPainter &painter, QPointF pivot, const QStringList &cards, qreal spread, bool firstOnTop)
{
    const int width = 34;
    const QSizeF room(width + 2, qRound(width * 95.0 / 61.0) + 2);
    QImage one = PixelRatio::canvas(room, painter.device()->devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    const qreal first = -spread * (cards.size() - 1) / 2;
    for (qsizetype n = 0; n < cards.size(); ++n) {
        const qsizetype i = firstOnTop ? cards.size() - 1 - n : n;
        one.fill(Qt::transparent);
        MiniTable(one, width).face({0, 0}, cards[i]);
        painter.save();
        painter.translate(pivot);
        painter.rotate(first + spread * i);
        painter.drawImage(QPointF(-width / 2.0, -78), one);
        painter.restore();
    }
}

// The four suits flank the title, two on each side.
void suitOrnaments(QPainter &painter)
{
    QFont font(PreviewKit::fontFamily());
    font.setBold(true);
    font.setPixelSize(20);
    painter.setFont(font);
    const QColor cream(255, 244, 214);
    const QColor red(226, 44, 52);
    const QList<std::pair<QPoint, std::pair<QChar, QColor>>> suits = {
        {{9, 35}, {QChar(0x2660), cream}}, {{31, 35}, {QChar(0x2665), red}},
        {{275, 35}, {QChar(0x2666), red}}, {{296, 35}, {QChar(0x2663), cream}}};
    for (const auto &[at, suit] : suits) {
        painter.setPen(QColor(0, 0, 0, 120));
        painter.drawText(at + QPoint(1, 1), QString(suit.first));
        painter.setPen(suit.second);
        painter.drawText(at, QString(suit.first));
    }
}

void titleText(QPainter &painter)
{
    QFont font(PreviewKit::fontFamily());
    font.setBold(true);
    font.setPixelSize(38);
    QPainterPath title;
    title.addText(0, 0, font, QStringLiteral("Cardenza!"));
    const QRectF bounds = title.boundingRect();
    title.translate(160 - bounds.center().x(), 8 - bounds.top());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawPath(title.translated(2, 2));
    QLinearGradient gold(0, title.boundingRect().top(), 0, title.boundingRect().bottom());
    gold.setColorAt(0.0, QColor(255, 240, 170));
    gold.setColorAt(0.55, QColor(240, 190, 60));
    gold.setColorAt(1.0, QColor(190, 130, 20));
    painter.setPen(QPen(QColor(70, 40, 10), 1.2));
    painter.setBrush(gold);
    painter.drawPath(title);
}

void hintText(QPainter &painter)
{
    QFont font(PreviewKit::fontFamily());
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    const QRect line(10, 51, 300, 16);
    painter.setPen(QColor(0, 0, 0, 140));
    painter.drawText(line.translated(1, 1), Qt::AlignCenter, QStringLiteral("Choose a game from the list"));
    painter.setPen(QColor(255, 244, 214));
    painter.drawText(line, Qt::AlignCenter, QStringLiteral("Choose a game from the list"));
}

// The title picture: the launcher's start panel covers (70, 70) to (255, 111),
// so the title, the hint and the two hands of cards keep clear of it.
QImage startup(qreal ratio)
{
    QImage image = PreviewKit::table(ratio);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    handOfCards(painter, QPointF(28, 150), {"JD", "QC", "KH", "AS"}, 11, false);
    handOfCards(painter, QPointF(294, 150), {"AH", "KS", "QD", "JC"}, 11, true);
    suitOrnaments(painter);
    titleText(painter);
    hintText(painter);
    return image;
}

const QList<QPair<QString, std::function<QImage(qreal)>>> &pictures()
{
    static const QList<QPair<QString, std::function<QImage(qreal)>>> all = {
        {QStringLiteral("STARTUP"), startup},
        {QStringLiteral("CASTLE"), beleagueredCastle},
        {QStringLiteral("DBLKLONDIKE"), doubleKlondike},
        {QStringLiteral("FORTYTHIEVES"), fortyThieves},
        {QStringLiteral("FREECELL"), freeCell},
        {QStringLiteral("GOLF"), golf},
        {QStringLiteral("INDIAN"), indianPatience},
        {QStringLiteral("KLONDIKE"), klondike},
        {QStringLiteral("MONTANA"), montana},
        {QStringLiteral("PYRAMID"), pyramid},
        {QStringLiteral("QUEENITALY"), queenOfItaly},
        {QStringLiteral("SEAHAVEN"), seaTowers},
        {QStringLiteral("SPIDER"), spider},
    };
    return all;
}

}  // namespace

namespace PreviewArt {

QStringList names()
{
    QStringList all;
    for (const auto &picture : pictures())
        all.append(picture.first);
    return all;
}

std::optional<QImage> render(const QString &upperName, qreal ratio)
{
    for (const auto &picture : pictures())
        if (picture.first == upperName)
            return picture.second(PixelRatio::clamped(ratio));
    return std::nullopt;
}

}  // namespace PreviewArt
