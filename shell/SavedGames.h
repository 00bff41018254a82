// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

// Unfinished games kept for next time: one text file per game window, named after
// the window's settings section ("Klondike", "sKlondike", ...), in the folder
// "saved" beside the settings file. What the text says is the game window's
// business; here it is only written, read, removed or set aside.
//
// A write replaces the file atomically and keeps its owner and mode, as the
// settings file's writes do. A read never blocks and never takes more than
// MaxFileSize bytes: what is not a regular file, too large, a link to nothing,
// unreadable or not UTF-8 is refused with the reason.
namespace SavedGames {

// The largest saved game that is read (or written).
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

struct SavedGame
{
    enum class Status { Absent, Usable, Unusable };
    Status status = Status::Absent;
    QString text;    // when usable
    QString reason;  // when unusable: why, in a few words ("it is larger than 16 MiB")
};

// The folder "saved" beside the settings file.
QString directory();
// Where the game of that section is kept; empty for a name that is no plain file
// name (empty, ".", "..", or with a slash).
QString filePath(const QString &section);

// False when nothing was written (the game is then not kept).
bool write(const QString &section, const QString &text);
SavedGame read(const QString &section);
// False when a saved game is still there afterwards.
bool remove(const QString &section);
// Moves a saved game that cannot be used to NAME.bad (replacing an older one) and
// returns the message for the player, naming the file and, when given, the reason.
QString setAside(const QString &section, const QString &reason = QString());

}  // namespace SavedGames
