// SPDX-License-Identifier: MIT
#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Each generator answers for the names it knows, given in upper case. Pictures are
// drawn for `ratio` device pixels per logical pixel (1 to 4); their logical size
// does not depend on it.
namespace CardArt {      // card faces, backs, pile marks, custom-back frames
QStringList names();
std::optional<QImage> render(const QString &upperName, qreal ratio = 1.0);
}
namespace ShellArt {     // jester, launcher pictures, previews, help glyph, icons
QStringList names();
std::optional<QImage> render(const QString &upperName, qreal ratio = 1.0);
}
namespace PreviewArt {   // "STARTUP" and one 320 x 125 preview per game
QStringList names();
std::optional<QImage> render(const QString &upperName, qreal ratio = 1.0);
}
namespace Waves {        // the nine sound effects, 8-bit PCM WAVE files
QStringList names();
std::optional<QByteArray> render(const QString &upperName);
}
namespace WinVideo {     // "WIN_AVI": the win animation frames
QStringList names();
std::optional<QList<QImage>> render(const QString &upperName, qreal ratio = 1.0);
}
