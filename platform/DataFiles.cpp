// SPDX-License-Identifier: MIT
#include "platform/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString DataFiles::locate(const QString &name) { return locateFrom(QCoreApplication::applicationDirPath(), name); }

QString DataFiles::locateFrom(const QString &programDirectory, const QString &name)
{
    const QString beside = programDirectory + QLatin1Char('/') + name;
    const QString shared = QDir::cleanPath(programDirectory + QStringLiteral("/../share/cardenza/") + name);
    if (!QFileInfo::exists(beside) && QFileInfo::exists(shared))
        return shared;
    return beside;
}
