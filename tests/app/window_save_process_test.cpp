// The window's Save with the real program and the real disk, as a user without the rights of root.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "file_bytes_support.h"
#include "program_run_support.h"

namespace {

using lumora::test::contents;
using lumora::test::put;

QByteArray tallyFile(int row, const char *count) {
    QByteArray bytes;
    for (int i = 1; i <= 93; ++i) bytes += (i == row ? QByteArray(count) : QByteArray("0")) + "\r\n";
    return bytes;
}

// A file the user may write, in a folder the user may not: Save writes it in place, as a plain save
// would, instead of refusing for want of a temporary beside it.
TEST(WindowSaveProcess, AWritableFileInAFolderTheUserCannotWriteIsSavedInPlace) {
    if (geteuid() != 0 || !QFile::exists("/usr/bin/setpriv"))
        GTEST_SKIP() << "needs root to become another user";
    QTemporaryDir dir;
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString home = dir.filePath("home"), locked = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(home) && QDir().mkdir(locked));
    ASSERT_EQ(chown(QFile::encodeName(home).constData(), 65534, 65534), 0);
    put(locked + "/t.txt", tallyFile(22, "4"));
    ASSERT_EQ(chmod(QFile::encodeName(locked + "/t.txt").constData(), 0666),
              0);  // the folder stays root's 0755

    lumora::test::ProgramStart how;
    how.program = "setpriv";
    how.lang = "C.UTF-8";
    how.timeoutMs = 15000;
    how.env = {{"QT_QPA_PLATFORM", "offscreen"},
               {"HOME", home},
               {"XDG_RUNTIME_DIR", ""},
               // The caret starts at the count's beginning: "5" before "4".
               {"LUMORA_TEST_SCRIPT", "leave=discard;type=Text1022:5;trigger=Save;trigger=Exit"}};
    for (const char *v : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        how.env.emplace_back(v, home);
    const lumora::test::ProgramRun run = lumora::test::runProgram(
        {"--reuid=65534", "--regid=65534", "--clear-groups", LUMORA_SCRIPTED_BINARY, locked + "/t.txt"}, how);
    EXPECT_EQ(run.status, 0) << "a message box is waiting: the save failed";
    EXPECT_EQ(contents(locked + "/t.txt"),
              tallyFile(22, "54") + "6.00\r\n1\r\n");  // the length as a C locale writes it
    EXPECT_EQ(QDir(locked).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

}  // namespace
