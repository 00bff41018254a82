// SPDX-License-Identifier: MIT
#include "platform/IniFile.h"

#include <QByteArrayList>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QThread>

#include <optional>

// The file is handled as raw lines of bytes. Only the line of the key being written
// changes (or one line is added, or a section header and one line); every other
// byte, including comments, blank lines, lines we do not understand, line endings
// and text that is not valid UTF-8, is written back exactly as it was read.
//
// Length of values: the classic file interface cut every value to 255 characters,
// which would turn a long picture path into a different, wrong path. We store and
// return values whole instead, up to MaxValueLength characters, the longest path
// Linux can open, so no picture a player can choose is refused or cut. A longer
// stored value cannot be anything we wrote and reads as absent; writing one is
// refused. Section and key names keep the classic limit of 255 characters.
//
// Values with surrounding spaces, or that are themselves enclosed in double quotes,
// are written inside double quotes, and a read removes one pair of enclosing double
// quotes, so every value comes back exactly as it was written.

namespace {

constexpr qsizetype MaxNameLength = 255;
constexpr qsizetype MaxValueLength = 4095;
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
constexpr int LockTimeoutMs = 5000;
constexpr int StaleLockMs = 10000;
constexpr int LockPollMs = 2;

const QByteArray Utf8Bom("\xEF\xBB\xBF");

enum class LineKind { Other, Section, Key };

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    QString name;      // section or key name
    QByteArray value;  // trimmed raw value of a key line
};

bool hasLineBreakOrNul(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))
        || text.contains(QChar(0));
}

bool validSection(const QString &section)
{
    return !section.isEmpty() && section.size() <= MaxNameLength
        && !hasLineBreakOrNul(section) && !section.contains(QLatin1Char(']'));
}

bool validKey(const QString &key)
{
    return !key.isEmpty() && key.size() <= MaxNameLength && !hasLineBreakOrNul(key)
        && !key.contains(QLatin1Char('=')) && !key.startsWith(QLatin1Char('['))
        && !key.startsWith(QLatin1Char(';')) && !key.startsWith(QLatin1Char('#'));
}

bool validValue(const QString &value)
{
    return value.size() <= MaxValueLength && !hasLineBreakOrNul(value);
}

ParsedLine parseLine(QByteArray line, bool firstLine)
{
    ParsedLine parsed;
    if (line.contains('\0'))
        return parsed;
    if (firstLine && line.startsWith(Utf8Bom))
        line = line.mid(Utf8Bom.size());
    const QByteArray text = line.trimmed();
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        if (close > 1) {
            parsed.kind = LineKind::Section;
            parsed.name = QString::fromUtf8(text.mid(1, close - 1).trimmed());
        }
        return parsed;
    }
    if (text.startsWith(';') || text.startsWith('#'))
        return parsed;
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return parsed;
    parsed.name = QString::fromUtf8(text.left(equals).trimmed());
    if (parsed.name.isEmpty())
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.value = text.mid(equals + 1).trimmed();
    return parsed;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key is, or where it would go: the line of the key (the first one found in
// any section of that name), otherwise the line after which to add it (the last key
// line, or the header, of the first section of that name).
struct KeyPlace
{
    qsizetype keyLine = -1;
    qsizetype insertAfter = -1;
};

KeyPlace findKey(const QByteArrayList &lines, const QString &section, const QString &key)
{
    KeyPlace place;
    bool inSection = false;
    bool firstSectionDone = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i], i == 0);
        if (parsed.kind == LineKind::Section) {
            if (inSection)
                firstSectionDone = true;
            inSection = sameName(parsed.name, section);
            if (inSection && !firstSectionDone && place.insertAfter < 0)
                place.insertAfter = i;
        } else if (inSection && parsed.kind == LineKind::Key) {
            if (sameName(parsed.name, key)) {
                place.keyLine = i;
                return place;
            }
            if (!firstSectionDone)
                place.insertAfter = i;
        }
    }
    return place;
}

QString decodeValue(const QByteArray &raw)
{
    QByteArray value = raw;
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    return QString::fromUtf8(value);
}

QByteArray encodeValue(const QString &value)
{
    const bool quoted = value != value.trimmed()
        || (value.size() >= 2 && value.startsWith(QLatin1Char('"'))
            && value.endsWith(QLatin1Char('"')));
    const QByteArray bytes = value.toUtf8();
    return quoted ? '"' + bytes + '"' : bytes;
}

// The whole file, an empty array when it does not exist, nothing when it exists but
// cannot be read (or is far too large to be a settings file).
std::optional<QByteArray> loadFile(const QString &path)
{
    // Open first and ask about existence only when that fails: another copy of the
    // program may be replacing the file at this very moment.
    QFile file(path);
    if (QFileInfo(path).isDir())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? std::nullopt : std::optional<QByteArray>(QByteArray());
    if (file.size() > MaxFileSize)
        return std::nullopt;
    QByteArray content = file.read(MaxFileSize + 1);
    if (content.size() > MaxFileSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}

bool usesCrLf(const QByteArrayList &lines)
{
    return lines.size() > 1 && lines.first().endsWith('\r');
}

// The lines are the file split at '\n'; joining them with '\n' gives the file back.
// The last element is what follows the last '\n' (empty for a well-ended file).
void insertLine(QByteArrayList &lines, qsizetype index, const QByteArray &line)
{
    const QByteArray ending = usesCrLf(lines) ? QByteArray("\r") : QByteArray();
    if (index < lines.size()) {
        lines.insert(index, line + ending);
        return;
    }
    if (lines.last().isEmpty()) {
        lines.insert(lines.size() - 1, line + ending);
    } else {
        lines.last().append(ending);
        lines.append(line + ending);
        lines.append(QByteArray());
    }
}

QByteArray makeKeyLine(const QByteArray &keyText, const QString &value)
{
    return keyText + '=' + encodeValue(value);
}

// The key text as the file spells it, so that a changed value leaves the key alone.
QByteArray storedKeyText(const QByteArray &line, bool firstLine)
{
    QByteArray text = line;
    if (firstLine && text.startsWith(Utf8Bom))
        text = text.mid(Utf8Bom.size());
    return text.left(text.indexOf('=')).trimmed();
}

void setKey(QByteArrayList &lines, const QString &section, const QString &key,
            const QString &value)
{
    const KeyPlace place = findKey(lines, section, key);
    if (place.keyLine >= 0) {
        QByteArray &line = lines[place.keyLine];
        const bool firstLine = place.keyLine == 0;
        if (decodeValue(parseLine(line, firstLine).value) == value)
            return;
        QByteArray replacement = makeKeyLine(storedKeyText(line, firstLine), value);
        if (firstLine && line.startsWith(Utf8Bom))
            replacement.prepend(Utf8Bom);
        if (line.endsWith('\r'))
            replacement.append('\r');
        line = replacement;
    } else if (place.insertAfter >= 0) {
        insertLine(lines, place.insertAfter + 1, makeKeyLine(key.toUtf8(), value));
    } else {
        insertLine(lines, lines.size(), '[' + section.toUtf8() + ']');
        insertLine(lines, lines.size(), makeKeyLine(key.toUtf8(), value));
    }
}

bool saveFile(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// A read-only file must stay as it is, even where its directory would allow the new
// copy to replace it. A file without any write permission counts as read-only for
// every user, the administrator too: the player froze the settings that way.
bool mayReplace(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    const QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isFile() && info.isWritable() && (info.permissions() & anyWrite);
}

bool writeLocked(const QString &path, const QString &section, const QString &key,
                 const QString &value)
{
    if (!mayReplace(path))
        return false;
    const std::optional<QByteArray> content = loadFile(path);
    if (!content)
        return false;
    QByteArrayList lines = content->split('\n');
    setKey(lines, section, key, value);
    const QByteArray changed = lines.join('\n');
    if (changed == *content && QFileInfo::exists(path))
        return true;
    return saveFile(path, changed);
}

// The lock is held for a few milliseconds at most, so a short poll serves a waiting
// copy far sooner than QLockFile's own doubling back-off. A lock left behind by a
// copy that crashed is taken over at once (its process is gone) or, failing that
// check, once it is older than StaleLockMs.
bool acquire(QLockFile &lock)
{
    lock.setStaleLockTime(StaleLockMs);
    const QDeadlineTimer deadline(LockTimeoutMs);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(LockPollMs);
    }
    return true;
}

}  // namespace

namespace IniFile {

QString configDirectory()
{
    const QString explicitDir = qEnvironmentVariable("CARDENZA_CONFIG_DIR");
    if (!explicitDir.isEmpty())
        return QDir::cleanPath(explicitDir);
    const QString xdgConfig = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdgConfig.isEmpty() && QDir::isAbsolutePath(xdgConfig))
        return QDir::cleanPath(xdgConfig + QStringLiteral("/Cardenza"));
    return QDir::homePath() + QStringLiteral("/.config/Cardenza");
}

QString resolve(const QString &fileName)
{
    if (fileName.contains(QLatin1Char('/')))
        return fileName;
    return configDirectory() + QLatin1Char('/') + fileName;
}

QString read(const QString &fileName, const QString &section, const QString &key,
             const QString &defaultValue)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (fileName.isEmpty() || !validSection(sectionName) || !validKey(keyName))
        return defaultValue;
    const QString path = resolve(fileName);
    std::optional<QByteArray> content = loadFile(path);
    if (content && content->isEmpty() && QFileInfo::exists(path + QStringLiteral(".lock"))) {
        // Nothing there while a writer holds the lock: read again once it is done,
        // so a file being replaced never reads as "all keys absent".
        QLockFile lock(path + QStringLiteral(".lock"));
        if (acquire(lock))
            content = loadFile(path);
    }
    if (!content || content->isEmpty())
        return defaultValue;
    const QByteArrayList lines = content->split('\n');
    const KeyPlace place = findKey(lines, sectionName, keyName);
    if (place.keyLine < 0)
        return defaultValue;
    const QString value = decodeValue(parseLine(lines[place.keyLine], place.keyLine == 0).value);
    return value.size() > MaxValueLength ? defaultValue : value;
}

bool write(const QString &fileName, const QString &section, const QString &key,
           const QString &value)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (fileName.isEmpty() || !validSection(sectionName) || !validKey(keyName)
        || !validValue(value))
        return false;
    const QString path = resolve(fileName);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!acquire(lock))
        return false;
    return writeLocked(path, sectionName, keyName, value);
}

}  // namespace IniFile
