// Windows: the wide-character calls throughout, so that names with Cyrillic letters work whatever
// the system's ANSI code page is.
// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <QDir>
#include <cerrno>

#include "platform/files.h"

namespace lumora::platform {

namespace {

// The C library knows no error number for a used-up disk quota: one of our own, outside its range.
constexpr int kQuotaExceeded = 0x4c51;
constexpr DWORD kErrorDiskQuotaExceeded = 1295;  // ERROR_DISK_QUOTA_EXCEEDED, not in MinGW's headers

std::wstring wide(const QString &name) { return QDir::toNativeSeparators(name).toStdWString(); }

int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_CURRENT_DIRECTORY:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case kErrorDiskQuotaExceeded:
            return kQuotaExceeded;
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
    if (MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = errnoOf(GetLastError());
    return false;
}

bool isQuotaExceeded(int error) { return error == kQuotaExceeded; }

void ignoreFileSizeLimitSignal() {}

}  // namespace lumora::platform
