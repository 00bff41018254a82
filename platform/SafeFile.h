// SPDX-License-Identifier: MIT
#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

struct stat;

// Whole files read without ever blocking and replaced atomically. A read opens only
// a regular file, never a FIFO or a device, and never takes more than it was asked
// to. A replacement writes a new copy beside the file, flushes it to disk and renames
// it over the file, so that the file is always either the old copy or the new one;
// the new copy keeps the old one's owner and mode.
namespace SafeFile {

// Why a file could not be read.
enum class Refusal {
    None,          // it was read
    Missing,       // nothing under that name
    DanglingLink,  // a symbolic link to nothing
    NotRegular,    // a FIFO, a device, a directory, ...
    TooLarge,      // larger than the size asked for
    Unreadable,    // no permission, or an error while reading
};

struct Contents
{
    Refusal refusal = Refusal::None;
    QByteArray bytes;
};

// The file's bytes, or why there are none. The size is checked before any byte is
// read, and again while reading.
Contents read(const QString &path, qint64 maxSize);
// Reads an open file to its end; nothing when it fails or grows beyond maxSize.
std::optional<QByteArray> readAll(int fd, qint64 sizeHint, qint64 maxSize);

// The file that a write to path replaces: the path itself, or the end of the chain
// of symbolic links it starts (which may not exist yet). Nothing for a link loop.
std::optional<QString> writeTarget(const QString &path);
// A read-only file must stay as it is, even where its directory would allow a new
// copy to replace it.
bool mayReplace(const QString &target, const struct stat &info);
// Writes content as a new copy of target (owner and mode taken from old, when there
// is an old copy) and renames it over target. The new file's status goes to written.
bool replace(const QString &target, const QByteArray &content, const struct stat *old,
             struct stat *written = nullptr);
// All of the above: follows path's links, leaves a read-only file alone, and
// replaces or creates the file. False when nothing was written.
bool write(const QString &path, const QByteArray &content);

}  // namespace SafeFile
