#include "documents/backend/file_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace lumora {

namespace {

// The reason for a failure, in Russian: from the system's error number where it is a familiar one,
// otherwise from what the file system shows about the path.
QString reason(int error, const QString &name, bool writing) {
    switch (error) {
        case ENOENT:
            return QFileInfo(name).dir().exists() ? "файл не найден" : "папка не найдена";
        case EACCES:
        case EPERM:
            return "нет доступа";
        case ENOSPC:
            return "на диске нет места";
        case EDQUOT:
            return "превышена дисковая квота";
        case EROFS:
            return "диск доступен только для чтения";
        case EISDIR:
            return "это папка, а не файл";
        case EFBIG:
            return "файл слишком большой";
        case ENAMETOOLONG:
            return "слишком длинное имя";
        case EIO:
            return "ошибка ввода-вывода";
        default:
            break;
    }
    QFileInfo info(name);
    if (info.isDir()) return "это папка, а не файл";
    if (!writing && !info.exists()) return "файл не найден";
    if (writing && !info.dir().exists()) return "папка не найдена";
    return writing ? "ошибка записи" : "ошибка чтения";
}

std::string message(const char *what, const QString &name, const QString &why) {
    return QString("%1 «%2»: %3.").arg(QString::fromUtf8(what), name, why).toStdString();
}

}  // namespace

FileRead DiskFiles::read(const std::string &name, size_t maxBytes) {
    FileRead r;
    const QString path = QString::fromStdString(name);
    QFile file(path);
    errno = 0;
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        r.error = message("Не удалось открыть файл", path, reason(errno, path, false));
        return r;
    }
    // One byte more than the limit is enough to know that a file is too large; a device or a pipe
    // that never ends is read no further.
    QByteArray bytes = file.read(static_cast<qint64>(maxBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        r.error = message("Не удалось прочитать файл", path, reason(errno, path, false));
        return r;
    }
    r.ok = true;
    r.bytes = bytes.toStdString();
    return r;
}

std::optional<std::string> DiskFiles::writeAtomically(const std::string &name, const std::string &bytes) {
    return saveFileAtomically(QString::fromStdString(name), QByteArray::fromStdString(bytes));
}

std::optional<std::string> saveFileAtomically(const QString &name, const QByteArray &bytes) {
    if (QFileInfo(name).isDir()) return message("Не удалось сохранить файл", name, "это папка, а не файл");
    QSaveFile file(name);
    // Unbuffered, so every short write is seen here: through its buffer, QSaveFile commits a file
    // cut short when the disk fills up (a short write followed by an error is taken as success).
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return message("Не удалось сохранить файл", name, reason(errno, name, true));
    for (qint64 done = 0; done < bytes.size();) {
        errno = 0;
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const int error = errno;
            file.cancelWriting();
            return message("Не удалось сохранить файл", name, reason(error, name, true));
        }
        done += written;
    }
    errno = 0;
    if (!file.commit()) return message("Не удалось сохранить файл", name, reason(errno, name, true));
    return std::nullopt;
}

}  // namespace lumora
