// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

// The private settings file, read and written one key at a time. Sections and keys
// are matched without regard to case; values are trimmed. A write replaces the file
// atomically under a lock, keeping every other line as it was, so two running
// copies of the program never lose each other's keys. A file that cannot be read
// or understood reads as "keys absent"; a file that cannot be written is left alone.
namespace IniFile {

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

}  // namespace IniFile
