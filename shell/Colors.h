// SPDX-License-Identifier: MIT
#pragma once
#include <QColor>
#include <QString>
#include <cstdint>

// Colours as the settings file stores them: the name of a standard colour
// ("clBlack", "clGreen", ...) or "$" and eight hex digits in 0x00BBGGRR order
// (dark green, 16384, is "$00004000").
using TColor = std::uint32_t;

constexpr TColor clDarkGreen = 16384;

TColor ColorFromQColor(const QColor &color);
QColor QColorFromColor(TColor color);
QString ColorToString(TColor color);
// False when the text is neither a colour name nor a number; color is then unchanged.
bool StringToColor(const QString &text, TColor &color);
