#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>

#include "platform/files.h"

namespace lumora::platform {

// Windows: the wide-character calls throughout, so that names with Cyrillic letters work whatever
// the system's ANSI code page is.

namespace {

// The C library knows no error number for a used-up disk quota: one of our own, outside its range.
constexpr int kQuotaExceeded = 0x4c51;
// Nor for a file that another program holds open (a workbook open in Excel).
constexpr int kInUse = 0x4c52;
constexpr DWORD kErrorDiskQuotaExceeded = 1295;  // ERROR_DISK_QUOTA_EXCEEDED, not in MinGW's headers

std::wstring wide(const QString &name) { return QDir::toNativeSeparators(name).toStdWString(); }

// A name past MAX_PATH needs the long form (\\?\C:\... or \\?\UNC\server\...), which takes an
// absolute path with backslashes only.
std::wstring longForm(const QString &name) {
    const QString native = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(name).absoluteFilePath()));
    if (native.size() < MAX_PATH - 12 || native.startsWith(QLatin1String("\\\\?\\")))
        return native.toStdWString();
    if (native.startsWith(QLatin1String("\\\\")))
        return (QStringLiteral("\\\\?\\UNC\\") + native.mid(2)).toStdWString();
    return (QStringLiteral("\\\\?\\") + native).toStdWString();
}

// Virus scanners and indexers open a new file for a moment: a rename that meets them is tried again
// for up to about a second before it counts as failed.
bool passingSharingViolation(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return ENOENT;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return kInUse;
        case ERROR_ACCESS_DENIED:
        case ERROR_CURRENT_DIRECTORY:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case kErrorDiskQuotaExceeded:
            return kQuotaExceeded;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_DIRECTORY:
            return EISDIR;
        case ERROR_FILE_TOO_LARGE:
            return EFBIG;
        default:
            return EIO;
    }
}

FileKind kindOfAttributes(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return FileKind::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileKind::Directory;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return FileKind::Other;
    return FileKind::Regular;
}

}  // namespace

FileKind fileKind(const QString &name) {
    const std::wstring path = wide(name);
    // A device name (CON, NUL, COM1...) is no file on disk whatever folder it is given in.
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kindOfAttributes(GetFileAttributesW(path.c_str()));
    const DWORD type = GetFileType(h);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (type != FILE_TYPE_DISK) return FileKind::Other;
    return known ? kindOfAttributes(info.dwFileAttributes) : FileKind::Other;
}

OpenedForReading openForReading(const QString &name) {
    OpenedForReading r;
    const std::wstring path = wide(name);
    // Opened with the handle-level call: it does not wait on a pipe that has no writer, and lets the
    // type be checked before the C library sees the handle.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        r.kind = fileKind(name);
        if (r.kind == FileKind::Missing || r.kind == FileKind::Regular) r.error = errnoOf(error);
        return r;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info)) {
        CloseHandle(h);
        r.kind = FileKind::Other;
        return r;
    }
    r.kind = kindOfAttributes(info.dwFileAttributes);
    if (r.kind != FileKind::Regular) {
        CloseHandle(h);
        return r;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        r.error = errno;
        CloseHandle(h);
        r.kind = FileKind::Other;
        return r;
    }
    r.fd = fd;
    return r;
}

void closeDescriptor(int fd) { _close(fd); }

bool flushToDisk(int fd) { return _commit(fd) == 0; }

bool replaceFile(const QString &from, const QString &to) {
    const std::wstring source = longForm(from), target = longForm(to);
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (attempt > 0) Sleep(50);
        // Over an existing file, ReplaceFileW keeps what belongs to the file rather than to its
        // contents: its access list, alternate streams, attributes and creation time.
        if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
            ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                         nullptr))
            return true;
        if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        error = GetLastError();
        if (!passingSharingViolation(error)) break;
    }
    SetLastError(error);
    errno = errnoOf(error);
    return false;
}

void clearLastError() {
    errno = 0;
    SetLastError(ERROR_SUCCESS);
}

int lastError() {
    // Qt's file engine on Windows reports through the system's last error, not errno.
    const DWORD error = GetLastError();
    if (error != ERROR_SUCCESS) return errnoOf(error);
    return errno;
}

bool isQuotaExceeded(int error) { return error == kQuotaExceeded; }

bool isInUse(int error) { return error == kInUse; }

bool heldOpenElsewhere(const QString &name) {
    // A rename over a file that someone holds open without sharing its deletion fails as "access
    // denied"; opening it with no sharing at all tells that case from a real lack of rights.
    HANDLE h = CreateFileW(longForm(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

void ignoreFileSizeLimitSignal() {}

namespace {

// A file on disk that is neither a folder nor a link (a reparse point: symbolic link or junction).
bool plain(HANDLE h) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) &&
           !(info.dwFileAttributes &
             (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE));
}

HANDLE openItself(const QString &path, DWORD access) {
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    return CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

std::optional<QByteArray> readPlainFile(const QString &path, qint64 maxBytes) {
    HANDLE h = openItself(path, GENERIC_READ);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    if (!plain(h)) {
        CloseHandle(h);
        return std::nullopt;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return std::nullopt;
    }
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}

bool isPlainFile(const QString &path) {
    HANDLE h = openItself(path, 0);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool result = plain(h);
    CloseHandle(h);
    return result;
}

namespace {

// %LOCALAPPDATA% as the environment gives it (Qt asks the shell, which ignores the variable), or
// the shell's answer when the variable is missing.
QString localAppData() {
    const QString fromEnvironment = qEnvironmentVariable("LOCALAPPDATA");
    if (!fromEnvironment.isEmpty()) return QDir::fromNativeSeparators(fromEnvironment);
    QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return generic;
}

QString organisationFolder() { return localAppData() + '/' + QCoreApplication::organizationName(); }

}  // namespace

void setUpUserFolders() {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, localAppData());
}

QString dataFolder() { return organisationFolder() + '/' + QCoreApplication::applicationName(); }

QString cacheFolder() { return dataFolder() + QStringLiteral("/cache"); }

}  // namespace lumora::platform
