// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

// The program's own files (its help, its pictures drawn at build time) lie beside
// it in a build folder and in ../share/cardenza once installed.
namespace DataFiles {

// The file or folder of that name beside the program, or the installed one when
// only that exists; the place beside the program when neither does.
QString locate(const QString &name);
QString locateFrom(const QString &programDirectory, const QString &name);

}  // namespace DataFiles
