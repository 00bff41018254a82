// SPDX-License-Identifier: MIT
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int MaxLinkHops = 40;
constexpr int ReadChunk = 64 * 1024;

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

std::optional<QString> linkTarget(const QString &link)
{
    QByteArray buffer(PATH_MAX, Qt::Uninitialized);
    const ssize_t size = ::readlink(nativePath(link).constData(), buffer.data(), size_t(buffer.size()));
    if (size <= 0 || size >= buffer.size())
        return std::nullopt;
    const QString target = QFile::decodeName(buffer.left(size));
    if (QDir::isAbsolutePath(target))
        return target;
    return QFileInfo(link).path() + QLatin1Char('/') + target;
}

int createTemporary(const QByteArray &target, QByteArray &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The new copy gets the owner and mode of the file it replaces, or the write fails:
// a copy run by another user (the administrator, say) must not take the player's
// file away from the player.
bool keepOwnerAndMode(int fd, const struct stat *old)
{
    if (!old)
        return true;
    struct stat mine {};
    if (::fstat(fd, &mine) != 0)
        return false;
    if ((mine.st_uid != old->st_uid || mine.st_gid != old->st_gid)
        && ::fchown(fd, old->st_uid, old->st_gid) != 0)
        return false;
    return ::fchmod(fd, old->st_mode & 07777) == 0;
}

bool writeAll(int fd, const QByteArray &content)
{
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t put = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += put;
    }
    return true;
}

SafeFile::Refusal whyNotThere(const QByteArray &name)
{
    struct stat link {};
    if (::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode))
        return SafeFile::Refusal::DanglingLink;
    return SafeFile::Refusal::Missing;
}

}  // namespace

namespace SafeFile {

std::optional<QByteArray> readAll(int fd, qint64 sizeHint, qint64 maxSize)
{
    QByteArray content;
    content.reserve(qsizetype(std::min(sizeHint, maxSize)) + 1);
    char buffer[ReadChunk];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return content;
        content.append(buffer, got);
        if (content.size() > maxSize)
            return std::nullopt;
    }
}

Contents read(const QString &path, qint64 maxSize)
{
    const QByteArray name = nativePath(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? whyNotThere(name) : Refusal::Unreadable, {}};
    if (!S_ISREG(info.st_mode))
        return {Refusal::NotRegular, {}};
    if (info.st_size > maxSize)
        return {Refusal::TooLarge, {}};
    // Without blocking: the name may have become a FIFO since.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {errno == ENOENT ? Refusal::Missing : Refusal::Unreadable, {}};
    struct stat opened {};
    Contents contents{Refusal::NotRegular, {}};
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)) {
        const std::optional<QByteArray> bytes = readAll(fd, opened.st_size, maxSize);
        contents = bytes ? Contents{Refusal::None, *bytes}
                         : Contents{opened.st_size > maxSize ? Refusal::TooLarge : Refusal::Unreadable, {}};
    }
    ::close(fd);
    return contents;
}

std::optional<QString> writeTarget(const QString &path)
{
    std::optional<QString> current = path;
    for (int hop = 0; current && hop < MaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(nativePath(*current).constData(), &info) != 0)
            return errno == ENOENT ? current : std::nullopt;
        if (!S_ISLNK(info.st_mode))
            return current;
        current = linkTarget(*current);
    }
    return std::nullopt;
}

// A file without any write permission counts as read-only for every user, the
// administrator too: the player froze it that way.
bool mayReplace(const QString &target, const struct stat &info)
{
    return S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))
        && ::faccessat(AT_FDCWD, nativePath(target).constData(), W_OK, AT_EACCESS) == 0;
}

bool replace(const QString &target, const QByteArray &content, const struct stat *old, struct stat *written)
{
    const QByteArray targetName = nativePath(target);
    QByteArray tempName;
    const int fd = createTemporary(targetName, tempName);
    if (fd < 0)
        return false;
    struct stat status {};
    bool ok = keepOwnerAndMode(fd, old) && writeAll(fd, content) && ::fsync(fd) == 0
        && ::fstat(fd, &status) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(tempName.constData(), targetName.constData()) == 0;
    if (!ok) {
        ::unlink(tempName.constData());
        return false;
    }
    if (written)
        *written = status;
    return true;
}

bool write(const QString &path, const QByteArray &content)
{
    const std::optional<QString> target = writeTarget(path);
    if (!target)
        return false;
    struct stat old {};
    const bool exists = ::stat(nativePath(*target).constData(), &old) == 0;
    if ((!exists && errno != ENOENT) || (exists && !mayReplace(*target, old)))
        return false;
    return replace(*target, content, exists ? &old : nullptr);
}

}  // namespace SafeFile
