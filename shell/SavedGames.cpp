// SPDX-License-Identifier: MIT
#include "shell/SavedGames.h"

#include "platform/IniFile.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstdio>
#include <optional>

#include <unistd.h>

namespace {

const QString settingsFile = QStringLiteral("Solitaire.ini");
const QString extension = QStringLiteral(".sav");
const QString asideExtension = QStringLiteral(".bad");

bool plainName(const QString &section)
{
    return !section.isEmpty() && section != QLatin1String(".") && section != QLatin1String("..")
        && !section.contains(QLatin1Char('/')) && !section.contains(QChar(0));
}

QString refusalReason(SafeFile::Refusal refusal)
{
    switch (refusal) {
    case SafeFile::Refusal::DanglingLink: return QStringLiteral("it is a link to a file that does not exist");
    case SafeFile::Refusal::NotRegular: return QStringLiteral("it is not a regular file");
    case SafeFile::Refusal::TooLarge: return QStringLiteral("it is larger than 16 MiB");
    default: return QStringLiteral("it cannot be read");
    }
}

std::optional<QString> decodedUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

}  // namespace

namespace SavedGames {

QString directory()
{
    return QFileInfo(IniFile::resolve(settingsFile)).absolutePath() + QStringLiteral("/saved");
}

QString filePath(const QString &section)
{
    return plainName(section) ? directory() + QLatin1Char('/') + section + extension : QString();
}

bool write(const QString &section, const QString &text)
{
    const QString path = filePath(section);
    const QByteArray bytes = text.toUtf8();
    if (path.isEmpty() || bytes.size() > MaxFileSize || !QDir().mkpath(directory()))
        return false;
    return SafeFile::write(path, bytes);
}

SavedGame read(const QString &section)
{
    const QString path = filePath(section);
    if (path.isEmpty())
        return {};
    const SafeFile::Contents contents = SafeFile::read(path, MaxFileSize);
    if (contents.refusal == SafeFile::Refusal::Missing)
        return {};
    if (contents.refusal != SafeFile::Refusal::None)
        return {SavedGame::Status::Unusable, QString(), refusalReason(contents.refusal)};
    const std::optional<QString> text = decodedUtf8(contents.bytes);
    if (!text)
        return {SavedGame::Status::Unusable, QString(), QStringLiteral("it is not UTF-8 text")};
    return {SavedGame::Status::Usable, *text, QString()};
}

bool remove(const QString &section)
{
    const QString path = filePath(section);
    if (path.isEmpty())
        return true;
    return ::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT;
}

QString setAside(const QString &section, const QString &reason)
{
    const QString path = filePath(section);
    const QString because = reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason);
    const QString aside = path + asideExtension;
    // The link itself moves, not what it points to: a dangling link moves too.
    if (!path.isEmpty()
        && ::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) == 0)
        return QStringLiteral("The saved game %1 could not be used%2 and was renamed %3; a new game is dealt instead.")
            .arg(QDir::toNativeSeparators(path), because, QFileInfo(aside).fileName());
    return QStringLiteral("The saved game %1 could not be used%2; a new game is dealt instead.")
        .arg(QDir::toNativeSeparators(path), because);
}

}  // namespace SavedGames
