// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <QDir>
#include <QFile>

#include "platform/plain_file.h"

namespace lumora::platform {

namespace {

// A file on disk that is neither a folder nor a link (a reparse point: symbolic link or junction).
bool plain(HANDLE h) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) &&
           !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT |
                                      FILE_ATTRIBUTE_DEVICE));
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

}  // namespace lumora::platform
