// What the tests need from the operating system beyond what the program uses: isolating the user's
// folders, a smaller file-size limit, named pipes, knowing whether permissions bind the test.
// POSIX and Windows implementations (platform_support_*.cpp), chosen by the build.
#pragma once

#include <QString>

namespace lumora::os {

// Gives this process and the programs it starts folders of their own under `home` for the
// settings, the recovery file and the workbook cache, instead of the user's.
void isolateUserFolders(const QString &home);

// While it lives, files may grow to `bytes` only, and a write past that fails instead of ending the
// process. Where the system has no such limit, supported() is false and nothing changes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    static bool supported();

private:
    long old_ = 0;
    void *previousHandler_ = nullptr;
};

// Makes a named pipe (a FIFO) at `path`; false where the file system has none.
bool makeFifo(const QString &path);
bool isFifo(const QString &path);
// A device that reads without end.
QString endlessDevice();

// Whether a program's decimal separator follows LANG (POSIX), or the user's regional settings
// whatever the environment says (Windows).
bool decimalSeparatorFollowsLang();

// Whether the system ends programs with signals (SIGTERM, SIGINT...) that a program can catch; Windows
// sends console events and session messages instead.
bool endsProgramsWithSignals();

// Whether a file that a program holds open cannot be replaced (Windows), or can (POSIX).
bool openFilesAreLocked();

// The name under which the C library loads the Russian locale (its decimal comma): ru_RU.UTF-8 on
// POSIX systems, Russian_Russia.1251 in Windows' C run-time.
const char *russianCLocale();

// Whether the system's users have Microsoft Excel for their spreadsheets sooner than LibreOffice Calc
// (Windows), or LibreOffice Calc (Linux).
bool usersHaveExcelFirst();

// Whether folder permissions stop this process from writing (not as root; not on Windows, where
// they are access lists that the tests do not set).
bool folderPermissionsBind();

}  // namespace lumora::os
