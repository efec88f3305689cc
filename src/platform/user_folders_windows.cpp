#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include "platform/user_folders.h"

namespace lumora::platform {

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
