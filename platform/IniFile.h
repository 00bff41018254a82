// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

// The private settings file, read and written one key at a time. Sections and keys
// are matched without regard to case; values are trimmed. A write replaces the file
// atomically under a lock, keeping every other byte as it was (its encoding and line
// ends too), and keeps the file's owner and mode; where the name is a symbolic link,
// the file it points to is replaced (or created) and the link stays. Two running
// copies of the program never lose each other's keys.
//
// A file is read from disk once per change: the parsed file is kept until its size,
// modification time or identity on disk changes.
//
// A file that cannot be read or understood (not a regular file, far too large,
// binary) reads as "keys absent"; a file that cannot be written, or whose owner and
// mode could not be kept, is left alone. A write that would make the file one we
// refuse to read is refused. After waiting in vain for a lock once, later writes to
// that file do not wait for it again in this run.
namespace IniFile {

// The largest settings file that is read.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// $CARDENZA_CONFIG_DIR, else $XDG_CONFIG_HOME/Cardenza, else ~/.config/Cardenza.
QString configDirectory();
// A bare file name ("Solitaire.ini") placed in the configuration directory; a path
// with a directory is used as it is.
QString resolve(const QString &fileName);

// Returns the value, or defaultValue when the file, section or key is absent.
QString read(const QString &fileName, const QString &section, const QString &key,
             const QString &defaultValue);
// Returns false when the file could not be written (nothing is reported to the player).
bool write(const QString &fileName, const QString &section, const QString &key,
           const QString &value);

// What this layer has done so far in this run, for tests: how often a settings file
// was read from disk, and how often a read or write waited for another copy's lock.
struct Activity
{
    int fileReads = 0;
    int lockWaits = 0;
};
Activity activity();

}  // namespace IniFile
