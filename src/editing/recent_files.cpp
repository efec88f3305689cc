#include "editing/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace lumora {

namespace {

const char kKey[] = "recentFiles";

// One spelling per file, so that the same file reached by two paths is listed once.
QString normalised(const QString &path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

RecentFiles::RecentFiles() {
    QSettings settings;
    for (const QString &f : settings.value(kKey).toStringList()) {
        if (f.isEmpty() || files_.contains(f)) continue;
        files_ << f;
        if (files_.size() == kMaxFiles) break;
    }
}

void RecentFiles::add(const QString &path) {
    const QString f = normalised(path);
    files_.removeAll(f);
    files_.prepend(f);
    while (files_.size() > kMaxFiles) files_.removeLast();
    keep();
}

void RecentFiles::remove(const QString &path) {
    if (files_.removeAll(path) + files_.removeAll(normalised(path)) > 0) keep();
}

void RecentFiles::clear() {
    files_.clear();
    keep();
}

void RecentFiles::keep() const {
    QSettings settings;
    settings.setValue(kKey, files_);
}

QString recentFileCaption(int k, const QString &path) {
    const QFileInfo info(path);
    QString name = info.fileName();
    QString folder = QDir::toNativeSeparators(info.absolutePath());
    // An ampersand in a name is shown, not taken for an access key.
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    folder.replace(QLatin1Char('&'), QLatin1String("&&"));
    const QString number = k <= 9 ? QStringLiteral("&%1").arg(k) : QString::number(k);
    return QStringLiteral("%1 %2   (%3)").arg(number, name, folder);
}

}  // namespace lumora
