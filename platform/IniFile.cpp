// SPDX-License-Identifier: MIT
#include "platform/IniFile.h"

#include "platform/IniDocument.h"
#include "platform/SafeFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QMutex>
#include <QSet>
#include <QThread>

#include <atomic>
#include <cerrno>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Length of values: the classic file interface cut every value to 255 characters,
// which would turn a long picture path into a different, wrong path. We store and
// return values whole instead, up to MaxValueLength characters, the longest path
// Linux can open, so no picture a player can choose is refused or cut. A longer
// stored value cannot be anything we wrote and reads as absent; writing one is
// refused. Section and key names keep the classic limit of 255 characters.

namespace {

constexpr qsizetype MaxNameLength = 255;
constexpr qsizetype MaxValueLength = 4095;
constexpr int LockTimeoutMs = 5000;
constexpr int StaleLockMs = 10000;
constexpr int LockPollMs = 2;
constexpr int MaxCachedFiles = 8;

std::atomic<int> fileReadCount{0};
std::atomic<int> lockWaitCount{0};

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

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

// One version of a file on disk: a change by anyone changes at least one of these.
struct FileStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    time_t seconds = 0;
    long nanoseconds = 0;
    bool operator==(const FileStamp &) const = default;
};

FileStamp stampOf(const struct stat &info)
{
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

using Document = std::shared_ptr<const IniDocument>;

// The parsed settings files of this run, each with the version of the file it holds.
class DocumentCache
{
public:
    Document find(const QString &path, const FileStamp &stamp)
    {
        const QMutexLocker locker(&mutex);
        const auto found = entries.constFind(path);
        return found != entries.constEnd() && found->stamp == stamp ? found->document : nullptr;
    }

    void store(const QString &path, const FileStamp &stamp, const Document &document)
    {
        const QMutexLocker locker(&mutex);
        if (!entries.contains(path) && entries.size() >= MaxCachedFiles)
            entries.clear();
        entries.insert(path, {stamp, document});
    }

private:
    struct Entry
    {
        FileStamp stamp;
        Document document;
    };
    QMutex mutex;
    QHash<QString, Entry> entries;
};

DocumentCache &documentCache()
{
    static DocumentCache cache;
    return cache;
}

enum class Presence { Missing, Present, Unusable };

struct Loaded
{
    Presence presence = Presence::Unusable;
    Document document = std::make_shared<const IniDocument>();
};

// Reads a file that is known to be regular; caches it when it did not change while
// being read.
Loaded readRegularFile(const QString &path, const QByteArray &name)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {errno == ENOENT ? Presence::Missing : Presence::Unusable};
    struct stat opened {};
    std::optional<QByteArray> content;
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode))
        content = SafeFile::readAll(fd, opened.st_size, IniFile::MaxFileSize);
    struct stat after {};
    const bool steady = content && ::fstat(fd, &after) == 0 && stampOf(after) == stampOf(opened);
    ::close(fd);
    if (!content)
        return {};
    ++fileReadCount;
    const Document document = std::make_shared<const IniDocument>(*content);
    if (steady)
        documentCache().store(path, stampOf(opened), document);
    return {Presence::Present, document};
}

// The file as it is now. Only a regular file is ever opened: a FIFO or a device
// under the settings file's name would block or never end.
Loaded load(const QString &path)
{
    const QByteArray name = nativePath(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? Presence::Missing : Presence::Unusable};
    if (!S_ISREG(info.st_mode) || info.st_size > IniFile::MaxFileSize)
        return {};
    if (Document cached = documentCache().find(path, stampOf(info)))
        return {Presence::Present, cached};
    return readRegularFile(path, name);
}

bool writeLocked(const QString &path, const QString &section, const QString &key,
                 const QString &value)
{
    const std::optional<QString> target = SafeFile::writeTarget(path);
    if (!target)
        return false;
    struct stat old {};
    const bool exists = ::stat(nativePath(*target).constData(), &old) == 0;
    if ((!exists && errno != ENOENT) || (exists && !SafeFile::mayReplace(*target, old)))
        return false;
    const Loaded loaded = load(path);
    if (loaded.presence == Presence::Unusable)
        return false;
    const std::optional<QByteArray> changed = loaded.document->withValue(section, key, value);
    if (!changed || changed->size() > IniFile::MaxFileSize)
        return false;
    if (exists && *changed == loaded.document->bytes())
        return true;
    struct stat written {};
    if (!SafeFile::replace(*target, *changed, exists ? &old : nullptr, &written))
        return false;
    documentCache().store(path, stampOf(written), std::make_shared<const IniDocument>(*changed));
    return true;
}

// Locks we waited for in vain in this run: later attempts try once and do not wait.
class AbandonedLocks
{
public:
    bool contains(const QString &lockPath)
    {
        const QMutexLocker locker(&mutex);
        return paths.contains(lockPath);
    }
    void mark(const QString &lockPath, bool abandoned)
    {
        const QMutexLocker locker(&mutex);
        if (abandoned)
            paths.insert(lockPath);
        else
            paths.remove(lockPath);
    }

private:
    QMutex mutex;
    QSet<QString> paths;
};

AbandonedLocks &abandonedLocks()
{
    static AbandonedLocks locks;
    return locks;
}

// Something that is not a file (a directory, say) is never a lock another copy holds.
bool isForeignObject(const QString &lockPath)
{
    struct stat info {};
    return ::lstat(nativePath(lockPath).constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

// The lock is held for a few milliseconds at most, so a short poll serves a waiting
// copy far sooner than QLockFile's own doubling back-off. A lock left behind by a
// copy that crashed is taken over at once (its process is gone) or, failing that
// check, once it is older than StaleLockMs.
bool acquire(QLockFile &lock, const QString &lockPath)
{
    lock.setStaleLockTime(StaleLockMs);
    if (lock.tryLock(0)) {
        abandonedLocks().mark(lockPath, false);
        return true;
    }
    if (lock.error() != QLockFile::LockFailedError || abandonedLocks().contains(lockPath)
        || isForeignObject(lockPath))
        return false;
    ++lockWaitCount;
    const QDeadlineTimer deadline(LockTimeoutMs);
    while (!deadline.hasExpired()) {
        QThread::msleep(LockPollMs);
        if (lock.tryLock(0))
            return true;
        if (lock.error() != QLockFile::LockFailedError)
            return false;
    }
    abandonedLocks().mark(lockPath, true);
    return false;
}

QString lockPathOf(const QString &path)
{
    return path + QStringLiteral(".lock");
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
    Loaded loaded = load(path);
    const QString lockPath = lockPathOf(path);
    if (loaded.presence != Presence::Unusable && loaded.document->isEmpty()
        && QFileInfo::exists(lockPath)) {
        // Nothing there while a writer holds the lock: read again once it is done,
        // so a file being created never reads as "all keys absent".
        QLockFile lock(lockPath);
        if (acquire(lock, lockPath))
            loaded = load(path);
    }
    const std::optional<QString> value = loaded.document->value(sectionName, keyName);
    return value && value->size() <= MaxValueLength ? *value : defaultValue;
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
    const QString lockPath = lockPathOf(path);
    QLockFile lock(lockPath);
    if (!acquire(lock, lockPath))
        return false;
    return writeLocked(path, sectionName, keyName, value);
}

Activity activity()
{
    return {fileReadCount.load(), lockWaitCount.load()};
}

}  // namespace IniFile
