// SPDX-License-Identifier: MIT
#include "resources/CardArtKit.h"
#include "resources/Providers.h"

#include <QRegularExpression>

namespace CardArt {

namespace {

constexpr int firstCard = 100;
constexpr int jokerNumber = 152;
constexpr int firstBack = 153;
constexpr int recycleMark = 156;
constexpr int emptyMark = 157;

QImage cardPicture(int number, bool small, qreal ratio)
{
    const Metrics m = metrics(small, ratio);
    if (number < jokerNumber)
        return face(m, (number - firstCard) / 13, (number - firstCard) % 13);
    if (number == jokerNumber)
        return joker(m);
    if (number < recycleMark)
        return back(m, number - firstBack);
    return pileMark(m, number == recycleMark);
}

}  // namespace

QStringList names()
{
    QStringList all;
    for (const char *pattern : {"FSCARD%1", "sFSCARD%1"})
        for (int number = firstCard; number <= emptyMark; ++number)
            all << QString::fromLatin1(pattern).arg(number);
    all << QStringLiteral("BORDER") << QStringLiteral("BORDERMASK") << QStringLiteral("sBORDER")
        << QStringLiteral("sBORDERMASK");
    return all;
}

std::optional<QImage> render(const QString &upperName, qreal ratio)
{
    static const QRegularExpression cardName(QStringLiteral("^(S?)FSCARD(1[0-5][0-9])$"));
    if (const auto match = cardName.match(upperName); match.hasMatch()) {
        const int number = match.captured(2).toInt();
        if (number > emptyMark)
            return std::nullopt;
        return cardPicture(number, !match.captured(1).isEmpty(), ratio);
    }
    static const QRegularExpression borderName(QStringLiteral("^(S?)BORDER(MASK)?$"));
    if (const auto match = borderName.match(upperName); match.hasMatch()) {
        const Metrics m = metrics(!match.captured(1).isEmpty(), ratio);
        return match.captured(2).isEmpty() ? borderFrame(m) : borderMask(m);
    }
    return std::nullopt;
}

}  // namespace CardArt
