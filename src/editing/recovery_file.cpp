#include "editing/recovery_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSysInfo>
#include <QUuid>
#include <algorithm>

#include "platform/files.h"

namespace lumora {

namespace {

const char kPrefix[] = "recovery-";
const char kSuffix[] = ".txt";

QString lockPathOf(const QString &path) { return path + QStringLiteral(".lock"); }

std::shared_ptr<QLockFile> lockFor(const QString &path) {
    auto lock = std::make_shared<QLockFile>(lockPathOf(path));
    // Only a lock whose process is gone is stale; a window left idle for hours still owns its file.
    lock->setStaleLockTime(0);
    return lock;
}

// Clears a lock that cannot hold its file: one that is not a plain file (nothing of ours), is empty or
// garbled (the window died while writing it), or was taken on another computer sharing this folder
// more than a day ago (whether that window still runs cannot be asked from here). A lock of this
// computer is judged by Qt, by whether its process still runs.
void clearDeadLock(const QString &path) {
    const QString lockPath = lockPathOf(path);
    if (!QFileInfo(lockPath).isSymLink() && !QFileInfo::exists(lockPath)) return;
    if (!platform::isPlainFile(lockPath)) {
        QFile::remove(lockPath);
        return;
    }
    QLockFile lock(lockPath);
    qint64 pid = 0;
    QString host, application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0) {
        lock.removeStaleLockFile();
        return;
    }
    if (!host.isEmpty() && host != QSysInfo::machineHostName() &&
        QFileInfo(lockPath).lastModified().secsTo(QDateTime::currentDateTime()) > 24 * 3600)
        lock.removeStaleLockFile();
}

// Moves an unreadable file out of the way under a name that is never offered; the new name, or "".
QString setAside(const QString &path) {
    const QFileInfo info(path);
    QString target = info.dir().filePath(QStringLiteral("unreadable-") + info.fileName());
    for (int n = 2; QFileInfo(target).exists() || QFileInfo(target).isSymLink(); ++n)
        target = info.dir().filePath(QStringLiteral("unreadable-%1-").arg(n) + info.fileName());
    return QFile::rename(path, target) ? target : QString();
}

}  // namespace

RecoveryFile::RecoveryFile(QString folder) : folder_(std::move(folder)) {}

RecoveryFile::~RecoveryFile() = default;

QString RecoveryFile::defaultFolder() { return platform::dataFolder(); }

bool RecoveryFile::exists() const { return !path_.isEmpty() && QFileInfo::exists(path_); }

bool RecoveryFile::claim() {
    if (lock_) return true;
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) return false;
    const QString name = QString::fromLatin1(kPrefix) + QString::number(QCoreApplication::applicationPid()) +
                         QLatin1Char('-') + QUuid::createUuid().toString(QUuid::Id128).left(8) +
                         QString::fromLatin1(kSuffix);
    const QString path = QDir(folder_).filePath(name);
    auto lock = lockFor(path);
    if (!lock->tryLock(0)) return false;
    path_ = path;
    lock_ = std::move(lock);
    return true;
}

std::optional<QString> RecoveryFile::write(const RecoveredTally &tally) {
    if (!claim())
        return QStringLiteral("не удаётся создать файл в папке «%1»").arg(QDir::toNativeSeparators(folder_));
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    const std::string bytes = writeRecovery(tally);
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

void RecoveryFile::remove() {
    if (!lock_) return;
    QFile::remove(path_);
    lock_->unlock();
    lock_.reset();
    path_.clear();
}

RecoveryFile::Scan RecoveryFile::scan(const QString &folder) {
    Scan found;
    if (folder.isEmpty()) return found;
    const QDir dir(folder);
    // Links and special files too: whatever bears our name is either read or set aside.
    const QStringList names =
        dir.entryList({QString::fromLatin1(kPrefix) + QLatin1Char('*') + QString::fromLatin1(kSuffix)},
                      QDir::Files | QDir::System | QDir::Hidden);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        clearDeadLock(path);
        auto lock = lockFor(path);
        if (!lock->tryLock(0)) {
            // Its window is still running, unless the lock is something no window makes (a folder
            // that could not be cleared away).
            const bool lockOfOurs = platform::isPlainFile(lockPathOf(path));
            if (lock->error() == QLockFile::LockFailedError && lockOfOurs) continue;
            lock.reset();  // the folder takes no lock: nobody can be writing it either
        }
        std::optional<RecoveredTally> tally;
        if (auto bytes = platform::readPlainFile(path, 1 << 20); bytes && bytes->size() <= (1 << 20))
            tally = readRecovery(bytes->toStdString());
        if (!tally) {
            const QString aside = setAside(path);
            if (!aside.isEmpty()) found.setAside << aside;
            continue;
        }
        found.orphans.push_back({path, QFileInfo(path).lastModified(), *tally, lock});
    }
    std::sort(found.orphans.begin(), found.orphans.end(),
              [](const Orphan &a, const Orphan &b) { return a.written > b.written; });
    return found;
}

void RecoveryFile::adopt(Orphan &orphan) {
    if (!orphan.lock) return;
    remove();
    path_ = orphan.path;
    lock_ = std::move(orphan.lock);
}

void RecoveryFile::keep(Orphan &orphan) {
    if (orphan.lock) orphan.lock->unlock();
    orphan.lock.reset();
}

void RecoveryFile::discard(Orphan &orphan) {
    QFile::remove(orphan.path);
    if (orphan.lock) orphan.lock->unlock();
    orphan.lock.reset();
}

}  // namespace lumora
