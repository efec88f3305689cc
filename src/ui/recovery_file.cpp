#include "ui/recovery_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUuid>
#include <algorithm>

#include "platform/user_folders.h"

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

}  // namespace

RecoveryFile::RecoveryFile(QString folder) : folder_(std::move(folder)) {}

RecoveryFile::~RecoveryFile() = default;

QString RecoveryFile::defaultFolder() {
    return platform::dataFolder();
}

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

bool RecoveryFile::write(const TallyState &state, const std::string &fileName) {
    if (!claim()) return false;
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const std::string bytes = writeRecovery(state, fileName);
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void RecoveryFile::remove() {
    if (!lock_) return;
    QFile::remove(path_);
    lock_->unlock();
    lock_.reset();
    path_.clear();
}

std::vector<RecoveryFile::Orphan> RecoveryFile::orphans(const QString &folder) {
    std::vector<Orphan> found;
    if (folder.isEmpty()) return found;
    const QDir dir(folder);
    const QStringList names = dir.entryList(
        {QString::fromLatin1(kPrefix) + QLatin1Char('*') + QString::fromLatin1(kSuffix)}, QDir::Files);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        auto lock = lockFor(path);
        if (!lock->tryLock(0)) continue;  // its window is still running
        QFile file(path);
        std::optional<RecoveredTally> tally;
        if (file.open(QIODevice::ReadOnly)) tally = readRecovery(file.read(1 << 20).toStdString());
        if (!tally) {
            QFile::remove(path);
            continue;
        }
        found.push_back({path, QFileInfo(path).lastModified(), *tally, lock});
    }
    std::sort(found.begin(), found.end(),
              [](const Orphan &a, const Orphan &b) { return a.written > b.written; });
    return found;
}

void RecoveryFile::adopt(Orphan &orphan) {
    remove();
    path_ = orphan.path;
    lock_ = std::move(orphan.lock);
}

void RecoveryFile::discard(Orphan &orphan) {
    QFile::remove(orphan.path);
    if (orphan.lock) orphan.lock->unlock();
    orphan.lock.reset();
}

}  // namespace lumora
