#include <QByteArray>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

#include "platform_support.h"

namespace lumora::os {

void isolateUserFolders(const QString &home) {
    // Qt's own folders in test mode, and the program's (which follow %LOCALAPPDATA%, see
    // src/platform/files.h) in the private home: neither the registry nor the user's
    // AppData is touched, here or in the programs the tests start.
    QStandardPaths::setTestModeEnabled(true);
    const QString local = QDir::toNativeSeparators(home + "/localappdata");
    QDir().mkpath(local);
    qputenv("LOCALAPPDATA", local.toLocal8Bit());
    qputenv("APPDATA", QDir::toNativeSeparators(home + "/appdata").toLocal8Bit());
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home + "/localappdata");
}

FileSizeLimit::FileSizeLimit(long) {}
FileSizeLimit::~FileSizeLimit() = default;
bool FileSizeLimit::supported() { return false; }

bool makeFifo(const QString &) { return false; }
bool isFifo(const QString &) { return false; }

QString endlessDevice() { return QStringLiteral("NUL"); }

bool usersHaveExcelFirst() { return true; }
bool openFilesAreLocked() { return true; }
bool decimalSeparatorFollowsLang() { return false; }
bool endsProgramsWithSignals() { return false; }

const char *russianCLocale() { return "Russian_Russia.1251"; }

bool folderPermissionsBind() { return false; }

}  // namespace lumora::os
