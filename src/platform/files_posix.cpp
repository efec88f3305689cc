#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include "platform/files.h"

namespace lumora::platform {

namespace {

FileKind kindOf(const struct stat &st) {
    if (S_ISREG(st.st_mode)) return FileKind::Regular;
    if (S_ISDIR(st.st_mode)) return FileKind::Directory;
    return FileKind::Other;
}

}  // namespace

FileKind fileKind(const QString &name) {
    struct stat st {};
    if (::stat(QFile::encodeName(name).constData(), &st) != 0) return FileKind::Missing;
    return kindOf(st);
}

OpenedForReading openForReading(const QString &name) {
    OpenedForReading r;
    errno = 0;
    const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        r.error = errno;
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        r.kind = FileKind::Other;
        ::close(fd);
        return r;
    }
    r.kind = kindOf(st);
    if (r.kind != FileKind::Regular) {
        ::close(fd);
        return r;
    }
    r.fd = fd;
    return r;
}

void closeDescriptor(int fd) { ::close(fd); }

bool flushToDisk(int fd) { return ::fsync(fd) == 0; }

bool replaceFile(const QString &from, const QString &to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool isQuotaExceeded(int error) { return error == EDQUOT; }

// POSIX files are not locked against renames and writes.
bool isInUse(int) { return false; }
bool heldOpenElsewhere(const QString &) { return false; }

void clearLastError() { errno = 0; }

int lastError() { return errno; }

void ignoreFileSizeLimitSignal() { std::signal(SIGXFSZ, SIG_IGN); }

std::optional<QByteArray> readPlainFile(const QString &path, qint64 maxBytes) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}

bool isPlainFile(const QString &path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

void setUpUserFolders() {}

QString dataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation); }

QString cacheFolder() { return QStandardPaths::writableLocation(QStandardPaths::CacheLocation); }

}  // namespace lumora::platform
