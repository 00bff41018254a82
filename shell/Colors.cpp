// SPDX-License-Identifier: MIT
#include "shell/Colors.h"

#include <array>
#include <optional>

namespace {

struct NamedColor
{
    const char *name;
    TColor value;
};

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The framework's standard colour constants, in 0x00BBGGRR order.
constexpr std::array<NamedColor, 22> NamedColors{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", clNone},
    {"clDefault", clDefault},
}};

std::optional<TColor> colorByName(const QString &text)
{
    for (const NamedColor &named : NamedColors) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    return std::nullopt;
}

bool onlyDigits(const QString &text, int base)
{
    for (const QChar c : text) {
        const bool decimal = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool hexLetter = (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!decimal && !(base == 16 && hexLetter))
            return false;
    }
    return true;
}

// "$1F", "0x1F" or decimal, within the 32 bits of a colour; no sign.
std::optional<TColor> colorByNumber(const QString &text)
{
    QString digits = text;
    int base = 10;
    if (digits.startsWith(QLatin1Char('$'))) {
        digits = digits.mid(1);
        base = 16;
    } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits = digits.mid(2);
        base = 16;
    }
    if (digits.isEmpty() || !onlyDigits(digits, base))
        return std::nullopt;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, base);
    if (!ok || value > 0xFFFFFFFFULL)
        return std::nullopt;
    return static_cast<TColor>(value);
}

}  // namespace

TColor ColorFromQColor(const QColor &color)
{
    if (!color.isValid())
        return clNone;
    const QRgb rgb = color.rgb();
    return TColor(qRed(rgb)) | TColor(qGreen(rgb)) << 8 | TColor(qBlue(rgb)) << 16;
}

QColor QColorFromColor(TColor color)
{
    if (color == clNone || color == clDefault)
        return QColor();
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

QString ColorToString(TColor color)
{
    for (const NamedColor &named : NamedColors) {
        if (named.value == color)
            return QLatin1String(named.name);
    }
    return QLatin1Char('$') + QStringLiteral("%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

bool StringToColor(const QString &text, TColor &color)
{
    const QString trimmed = text.trimmed();
    std::optional<TColor> parsed = colorByName(trimmed);
    if (!parsed)
        parsed = colorByNumber(trimmed);
    if (!parsed)
        return false;
    color = *parsed;
    return true;
}
