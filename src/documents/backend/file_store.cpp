#include "documents/backend/file_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <cerrno>

#include "platform/files.h"

namespace lumora {

namespace {

// The reason for a failure, in Russian: from the system's error number where it is a familiar one,
// otherwise from what the file system shows about the path.
QString reason(int error, const QString &name, bool writing) {
    if (platform::isQuotaExceeded(error)) return "превышена дисковая квота";
    if (platform::isInUse(error)) return "файл открыт в другой программе";
    switch (error) {
        case ENOENT:
            return QFileInfo(name).dir().exists() ? "файл не найден" : "папка не найдена";
        case EACCES:
        case EPERM:
            if (platform::heldOpenElsewhere(name)) return "файл открыт в другой программе";
            // A save makes a temporary file beside the target: a folder the user cannot write
            // refuses it even when the file itself could be written.
            if (writing && !QFileInfo(QFileInfo(name).absolutePath()).isWritable())
                return "нет прав на запись в папку «" + QFileInfo(name).absolutePath() + "»";
            return "нет доступа";
        case ENOSPC:
            return "на диске нет места";
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

std::optional<std::string> refuseTarget(const QString &name) {
    const platform::FileKind kind = platform::fileKind(name);
    if (kind == platform::FileKind::Missing || kind == platform::FileKind::Regular) return std::nullopt;
    return message("Не удалось сохранить файл", name,
                   kind == platform::FileKind::Directory ? QString("это папка, а не файл")
                                                         : QString("это не обычный файл"));
}

FileRead DiskFiles::read(const std::string &name, size_t maxBytes) {
    FileRead r;
    const QString path = QString::fromStdString(name);
    // Opened without waiting, and refused unless it is a regular file: a pipe would otherwise hold the
    // window until something writes into it, and a device is not a tally.
    const platform::OpenedForReading opened = platform::openForReading(path);
    if (opened.fd < 0 && (opened.kind == platform::FileKind::Missing || opened.error != 0)) {
        r.error = message("Не удалось открыть файл", path, reason(opened.error, path, false));
        return r;
    }
    if (opened.fd < 0) {
        r.error = message("Не удалось открыть файл", path,
                          opened.kind == platform::FileKind::Directory ? QString("это папка, а не файл")
                                                                       : QString("это не обычный файл"));
        return r;
    }
    const int fd = opened.fd;
    QFile file;
    platform::clearLastError();
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        platform::closeDescriptor(fd);
        r.error = message("Не удалось открыть файл", path, reason(platform::lastError(), path, false));
        return r;
    }
    // One byte more than the limit is enough to know that a file is too large; a device or a pipe
    // that never ends is read no further.
    QByteArray bytes = file.read(static_cast<qint64>(maxBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        r.error = message("Не удалось прочитать файл", path, reason(platform::lastError(), path, false));
        return r;
    }
    r.ok = true;
    r.bytes = bytes.toStdString();
    return r;
}

std::optional<std::string> DiskFiles::writeAtomically(const std::string &name, const std::string &bytes) {
    return saveFileAtomically(QString::fromStdString(name), QByteArray::fromStdString(bytes));
}

namespace {

// Puts back what a file written in place held; true when it holds it again.
bool putBack(const QString &name, const QByteArray &old) {
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return false;
    for (qint64 done = 0; done < old.size();) {
        const qint64 written = file.write(old.constData() + done, old.size() - done);
        if (written <= 0) return false;
        done += written;
    }
    return platform::flushToDisk(file.handle());
}

// Writes all of `bytes` into the unbuffered `file`, a call after each short write. nullopt when
// written, else the error of the call that failed.
std::optional<int> writeAll(QFileDevice &file, const QByteArray &bytes) {
    for (qint64 done = 0; done < bytes.size();) {
        platform::clearLastError();
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) return platform::lastError();
        done += written;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> saveFileAtomically(const QString &name, const QByteArray &bytes) {
    // A save renames a new file over the target: over a device or a pipe that would replace it.
    if (auto refused = refuseTarget(name)) return refused;
    // A folder the user cannot write takes no temporary beside the file: there the file is written
    // in place, as a plain save would, so a file the user may write can still be saved. Anywhere else
    // a failure keeps the previous file whole.
    if (!QFileInfo(QFileInfo(name).absolutePath()).isWritable()) return writeFileInPlace(name, bytes);
    QSaveFile file(name);
    file.setDirectWriteFallback(false);
    // Unbuffered, so every short write is seen here: through its buffer, QSaveFile commits a file
    // cut short when the disk fills up (a short write followed by an error is taken as success).
    platform::clearLastError();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return message("Не удалось сохранить файл", name, reason(platform::lastError(), name, true));
    if (const std::optional<int> error = writeAll(file, bytes)) {
        file.cancelWriting();
        return message("Не удалось сохранить файл", name, reason(*error, name, true));
    }
    platform::clearLastError();
    if (!file.commit())
        return message("Не удалось сохранить файл", name, reason(platform::lastError(), name, true));
    return std::nullopt;
}

std::optional<std::string> writeFileInPlace(const QString &name, const QByteArray &bytes) {
    std::optional<QByteArray> old;
    if (QFileInfo::exists(name)) {
        QFile previous(name);
        platform::clearLastError();
        if (!previous.open(QIODevice::ReadOnly))
            return message("Не удалось сохранить файл", name, reason(platform::lastError(), name, false));
        old = previous.readAll();
        if (previous.error() != QFileDevice::NoError)
            return message("Не удалось сохранить файл", name, reason(platform::lastError(), name, false));
    }
    auto failed = [&](int error) {
        std::string text = message("Не удалось сохранить файл", name, reason(error, name, true));
        if (old)
            text += putBack(name, *old) ? "\nВ файле остались его прежние данные."
                                        : "\nПрежние данные файла вернуть не удалось: он пуст или обрезан.";
        return text;
    };
    QFile file(name);
    platform::clearLastError();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return failed(platform::lastError());
    if (const std::optional<int> error = writeAll(file, bytes)) {
        file.close();
        return failed(*error);
    }
    platform::clearLastError();
    if (!platform::flushToDisk(file.handle())) {
        const int error = platform::lastError();
        file.close();
        return failed(error);
    }
    return std::nullopt;
}

StagedFile::StagedFile(const QString &target) : target_(target) {
    // Through a link, as QSaveFile does: the file it names is replaced, and the link stays.
    const QFileInfo info(target);
    if (info.isSymLink()) target_ = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
}

const QString &StagedFile::temporary(std::string &error) {
    if (!temporary_.isEmpty()) return temporary_;
    if (auto refused = refuseTarget(target_)) {
        error = *refused;
        return temporary_;
    }
    const QFileInfo info(target_);
    // Created as a new file is (the user's usual permissions), then given those of the file it
    // replaces, if any.
    QFile file;
    for (int attempt = 0; attempt < 100 && !file.isOpen(); ++attempt) {
        file.setFileName(info.absolutePath() + "/." + info.fileName() + "." +
                         QString::number(QRandomGenerator::global()->generate(), 36));
        platform::clearLastError();
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && platform::lastError() != EEXIST) break;
    }
    if (!file.isOpen()) {
        error = message("Не удалось сохранить файл", target_, reason(platform::lastError(), target_, true));
        return temporary_;
    }
    file.close();
    if (info.exists()) QFile::setPermissions(file.fileName(), info.permissions());
    temporary_ = file.fileName();
    return temporary_;
}

std::optional<std::string> StagedFile::write(const QByteArray &bytes) {
    std::string error;
    const QString &name = temporary(error);
    if (name.isEmpty()) return error;
    QFile file(name);
    platform::clearLastError();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return message("Не удалось сохранить файл", target_, reason(platform::lastError(), target_, true));
    for (qint64 done = 0; done < bytes.size();) {
        platform::clearLastError();
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return message("Не удалось сохранить файл", target_,
                           reason(platform::lastError(), target_, true));
        done += written;
    }
    platform::clearLastError();
    if (!platform::flushToDisk(file.handle()))
        return message("Не удалось сохранить файл", target_, reason(platform::lastError(), target_, true));
    return std::nullopt;
}

std::optional<std::string> StagedFile::commit() { return commit(platform::replaceFile); }

std::optional<std::string> StagedFile::commit(const Replace &replace) {
    if (temporary_.isEmpty()) return message("Не удалось сохранить файл", target_, "ошибка записи");
    if (auto refused = refuseTarget(target_)) return refused;
    platform::clearLastError();
    if (!replace(temporary_, target_))
        return message("Не удалось сохранить файл", target_, reason(platform::lastError(), target_, true));
    temporary_.clear();
    return std::nullopt;
}

const char kBatchInterrupted[] = "Отчёт прерван: ни один файл не изменён.";

std::optional<std::string> commitAll(const std::vector<StagedFile *> &files, const CommitSteps &steps) {
    const StagedFile::Replace replace =
        steps.replace ? steps.replace : StagedFile::Replace(platform::replaceFile);
    struct Replaced {
        QString target, previous;  // previous: a copy of the old contents, "" when there was no file
    };
    std::vector<Replaced> done;
    // Puts the old contents back; what cannot be put back stays in its copy, which the message names.
    auto undo = [&done, &replace] {
        QString kept;
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            if (it->previous.isEmpty()) {
                QFile::remove(it->target);
            } else if (!replace(it->previous, it->target)) {
                kept += QString("\nПрежнее содержимое «%1» не удалось вернуть: оно в файле «%2».")
                            .arg(it->target, it->previous);
                it->previous.clear();  // kept: not removed below
            }
        }
        return kept.toStdString();
    };
    std::optional<std::string> failure;
    for (StagedFile *file : files) {
        if (steps.stopped && steps.stopped()) {
            failure = std::string(kBatchInterrupted);
            break;
        }
        Replaced r{file->target(), QString()};
        if (QFileInfo::exists(r.target)) {
            // The old contents, copied beside the target (a rename back is then enough to undo).
            const QFileInfo info(r.target);
            QString copy;
            for (int attempt = 0; attempt < 100 && copy.isEmpty(); ++attempt) {
                const QString name = info.absolutePath() + "/." + info.fileName() + ".old." +
                                     QString::number(QRandomGenerator::global()->generate(), 36);
                if (!QFileInfo::exists(name) && QFile::copy(r.target, name)) copy = name;
            }
            if (copy.isEmpty()) {
                failure =
                    message("Не удалось сохранить файл", r.target, "не удалось сохранить прежнее содержимое");
                break;
            }
            r.previous = copy;
        }
        failure = file->commit(replace);
        if (failure) {
            if (!r.previous.isEmpty()) QFile::remove(r.previous);
            break;
        }
        done.push_back(r);
    }
    if (failure) *failure += undo();
    // The copies go (those put back are gone already; those not put back were cleared above).
    for (const Replaced &r : done)
        if (!r.previous.isEmpty()) QFile::remove(r.previous);
    return failure;
}

void StagedFile::discard() {
    if (temporary_.isEmpty()) return;
    QFile::remove(temporary_);
    temporary_.clear();
}

}  // namespace lumora
