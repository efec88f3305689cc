#include <QStandardPaths>

#include "platform/user_folders.h"

namespace lumora::platform {

void setUpUserFolders() {}

QString dataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation); }

QString cacheFolder() { return QStandardPaths::writableLocation(QStandardPaths::CacheLocation); }

}  // namespace lumora::platform
