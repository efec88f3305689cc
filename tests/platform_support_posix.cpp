#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include "platform_support.h"

namespace lumora::os {

void isolateUserFolders(const QString &home) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + "/data"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + "/cache"));
}

FileSizeLimit::FileSizeLimit(long bytes) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    old_ = static_cast<long>(old.rlim_cur);
    previousHandler_ = reinterpret_cast<void *>(signal(SIGXFSZ, SIG_IGN));
    rlimit small = old;
    small.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &small);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(old_);
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, reinterpret_cast<void (*)(int)>(previousHandler_));
}

bool FileSizeLimit::supported() { return true; }

bool makeFifo(const QString &path) { return mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }

bool isFifo(const QString &path) {
    struct stat st {};
    return stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

QString endlessDevice() { return QStringLiteral("/dev/zero"); }

bool usersHaveExcelFirst() { return false; }
bool openFilesAreLocked() { return false; }
bool decimalSeparatorFollowsLang() { return true; }
bool endsProgramsWithSignals() { return true; }

const char *russianCLocale() { return "ru_RU.UTF-8"; }

bool folderPermissionsBind() { return geteuid() != 0; }

}  // namespace lumora::os
