// The batch report's documents are all or nothing: on any failure none of them appears or changes,
// and names it cannot honour are refused before anything is written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "file_bytes_support.h"
#include "program_run_support.h"

namespace {

using ShellRun = lumora::test::ProgramRun;

// Runs a shell line with $L the program (so that limits and raw bytes can be given).
ShellRun shell(const QString &line, const QString &dir) {
    lumora::test::ProgramStart how;
    how.lang = "C.UTF-8";
    how.folder = dir;
    return lumora::test::runShell(line, how);
}

using lumora::test::contents;
using lumora::test::put;

class ReportOutputs : public ::testing::Test {
protected:
    void SetUp() override {
        QByteArray tally;
        for (int i = 1; i <= 93; ++i) tally += (i == 22 ? "5" : "0") + QByteArray("\r\n");
        put(dir.filePath("t.txt"), tally);
        for (const char *name : {"old.xlsx", "old.pdf", "old.txt"})
            put(dir.filePath(name), "old " + QByteArray(name));
    }
    // The folder holds exactly these names (no temporaries left behind).
    QStringList names() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden);
    }
    void expectOldFilesUntouched() {
        for (const char *name : {"old.xlsx", "old.pdf", "old.txt"})
            EXPECT_EQ(contents(dir.filePath(name)), "old " + QByteArray(name)) << name;
    }
    QTemporaryDir dir;
};

TEST_F(ReportOutputs, OneFailedDocumentLeavesEveryOtherAsItWas) {
    const QStringList before = names();
    ShellRun r = shell("$L --report t.txt --length 6,00 --xlsx old.xlsx --pdf old.pdf --save no/such/t.txt",
                       dir.path());
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("папка не найдена"), std::string::npos) << r.err;
    expectOldFilesUntouched();
    EXPECT_EQ(names(), before);

    r = shell("$L --report t.txt --length 6,00 --xlsx old.xlsx --pdf old.pdf --save old.txt", dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contents(dir.filePath("old.xlsx")).startsWith("PK"));
    EXPECT_TRUE(contents(dir.filePath("old.pdf")).startsWith("%PDF-"));
    EXPECT_EQ(contents(dir.filePath("old.txt")), contents(dir.filePath("t.txt")) + "6.00\r\n1\r\n");
    EXPECT_EQ(names(), before);
}

TEST_F(ReportOutputs, AnOutputOnTheInputOrTwoOutputsOnOneFileAreRefusedBeforeWriting) {
    const QByteArray tally = contents(dir.filePath("t.txt"));
    ShellRun r = shell("$L --report t.txt --length 6,00 --save ./t.txt", dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--save"), std::string::npos) << r.err;
    EXPECT_EQ(contents(dir.filePath("t.txt")), tally);
    // Links, empty names and the statement's outputs: the shared table in batch_outputs_test.
}

TEST_F(ReportOutputs, ANameThatIsNotUtf8IsRefusedInsteadOfWrittenUnderAnother) {
    const QStringList before = names();
    ShellRun r = shell("$L --report t.txt --length 6,00 --save \"$(printf 'c\\376d.txt')\"", dir.path());
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(names(), before);
}

TEST_F(ReportOutputs, APipeOrADeviceIsNeitherReadNorReplaced) {
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    ShellRun r = shell("$L --report pipe --length 6,00", dir.path());  // would wait for a writer
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("это не обычный файл"), std::string::npos) << r.err;
    for (const char *option : {"--save", "--xlsx", "--pdf"}) {
        r = shell(QString("$L --report t.txt --length 6,00 %1 pipe").arg(option), dir.path());
        EXPECT_EQ(r.status, 1) << option << r.err;
        struct stat st {};
        ASSERT_EQ(stat(QFile::encodeName(dir.filePath("pipe")).constData(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << option;
        expectOldFilesUntouched();
    }
}

TEST_F(ReportOutputs, AFileSizeLimitIsAnErrorLikeAFullDiskAndAPdfCutShortIsNotPutInPlace) {
    ShellRun r = shell("ulimit -f 0; $L --report t.txt --length 6,00 --save old.txt", dir.path());
    EXPECT_EQ(r.status, 1) << "killed by the signal instead of an error: " << r.err;
    EXPECT_NE(r.err.find("файл слишком большой"), std::string::npos) << r.err;
    // A PDF is some kilobytes: past a limit of 2 blocks it is cut short, which its writer does not tell.
    r = shell("ulimit -f 2; $L --report t.txt --length 6,00 --pdf old.pdf", dir.path());
    EXPECT_EQ(r.status, 1) << r.err;
    expectOldFilesUntouched();
    EXPECT_EQ(names().size(), 4);
}

// The user may write the file but not the folder it is in: the save says which.
TEST_F(ReportOutputs, ASaveIntoAFolderTheUserCannotWriteSaysSo) {
    // As root every folder is writable: the program runs as "nobody" for this test.
    const bool root = geteuid() == 0;
    if (root && !QFile::exists("/usr/bin/setpriv")) GTEST_SKIP() << "no setpriv to drop root";
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    put(locked + "/t.txt", "previous");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(dir.filePath("t.txt"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(locked + "/t.txt",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    const QString as = root ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    ShellRun r = shell(as + "$L --report t.txt --length 6,00 --save locked/t.txt", dir.path());
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("нет прав на запись в папку"), std::string::npos) << r.err;
    EXPECT_EQ(contents(locked + "/t.txt"), "previous");
}

// An option's value that starts with "--" is the next option: the value is missing, nothing is written.
TEST_F(ReportOutputs, AnOptionWithoutItsValueIsABadCommandLine) {
    const QStringList before = names();
    for (const char *line :
         {"$L --report t.txt --length 6,00 --xlsx --pdf p.pdf", "$L --report t.txt --length --save",
          "$L --report --length 6,00 t.txt", "$L --report t.txt --length 6,00 --save --xlsx"}) {
        ShellRun r = shell(line, dir.path());
        EXPECT_EQ(r.status, 2) << line << r.err;
        EXPECT_NE(r.err.find("нужно значение"), std::string::npos) << line << r.err;
    }
    EXPECT_EQ(names(), before);
}

// Outputs are written as the window's Save writes: through a link to the file it names, keeping an
// existing file's permissions, and a new file gets the user's usual ones.
TEST_F(ReportOutputs, OutputsFollowLinksAndKeepTheirPermissions) {
    ASSERT_TRUE(QFile::link("old.txt", dir.filePath("link.txt")));
    ASSERT_EQ(chmod(QFile::encodeName(dir.filePath("old.pdf")).constData(), 0664), 0);
    ShellRun r =
        shell("umask 022; $L --report t.txt --length 6,00 --save link.txt --pdf old.pdf --xlsx new.xlsx",
              dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(QFileInfo(dir.filePath("link.txt")).isSymLink());
    // The tally as read, then the length and rounding it was shown at.
    EXPECT_EQ(contents(dir.filePath("old.txt")), contents(dir.filePath("t.txt")) + "6.00\r\n1\r\n");
    auto mode = [this](const char *name) {
        struct stat st {};
        stat(QFile::encodeName(dir.filePath(name)).constData(), &st);
        return st.st_mode & 07777;
    };
    EXPECT_EQ(mode("old.pdf"), 0664u);
    EXPECT_EQ(mode("new.xlsx"), 0644u);
}

// A rename refused late (a sticky folder, the file of another user) puts back every output already
// replaced: all or nothing.
TEST_F(ReportOutputs, ALateRefusalPutsBackEveryOutputAlreadyReplaced) {
    if (geteuid() != 0 || !QFile::exists("/usr/bin/setpriv")) GTEST_SKIP() << "needs root to play two users";
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 01777), 0);
    for (const char *name : {"t.txt", "old.xlsx"})  // the user's own; old.pdf stays root's
        ASSERT_EQ(chown(QFile::encodeName(dir.filePath(name)).constData(), 65534, 65534), 0);
    ASSERT_EQ(chmod(QFile::encodeName(dir.filePath("old.pdf")).constData(), 0666), 0);
    const QStringList before = names();
    ShellRun r = shell(
        "setpriv --reuid=65534 --regid=65534 --clear-groups "
        "$L --report t.txt --length 6,00 --xlsx old.xlsx --pdf old.pdf",
        dir.path());
    EXPECT_EQ(r.status, 1) << r.err;
    expectOldFilesUntouched();
    EXPECT_EQ(names(), before);
}

#ifdef LUMORA_PRINT_MODULE
// Qt's print support is loaded at the first print, from the print module: the window starts without
// it, and a program without its module says so instead of printing.
TEST_F(ReportOutputs, PrintSupportComesWithTheFirstPrintAndItsAbsenceIsSaid) {
    lumora::test::ProgramStart how;
    how.program = LUMORA_SCRIPTED_BINARY;
    how.folder = dir.path();
    how.env = {{"QT_QPA_PLATFORM", "offscreen"},
               {"LD_DEBUG", "files"},
               {"LUMORA_TEST_SCRIPT", "leave=discard;type=Text1022:5;trigger=Exit"}};
    how.display = true;
    ShellRun r = lumora::test::runProgram({}, how);
    EXPECT_EQ(r.status, 0) << r.err.substr(0, 2000);
    EXPECT_NE(r.err.find("libQt6Widgets"), std::string::npos) << "no loader trace";
    EXPECT_EQ(r.err.find("PrintSupport"), std::string::npos) << "the window loaded print support at start";

    how.program = LUMORA_BINARY;
    r = lumora::test::runProgram({"--report", "t.txt", "--length", "6,00", "--pdf", "new.pdf"}, how);
    EXPECT_EQ(r.status, 0) << r.err.substr(0, 2000);
    EXPECT_NE(r.err.find("lumora-print.so"), std::string::npos);
    EXPECT_TRUE(contents(dir.filePath("new.pdf")).startsWith("%PDF-"));

    // The program alone, without the module beside it or installed.
    ASSERT_TRUE(QDir(dir.path()).mkdir("bin"));
    ASSERT_TRUE(QFile::copy(LUMORA_BINARY, dir.filePath("bin/lumora")));
    r = shell("bin/lumora --report t.txt --length 6,00 --xlsx new.xlsx --pdf old.pdf", dir.path());
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("Печать недоступна: не удалось загрузить модуль печати: файла lumora-print.so нет"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(QFile::exists(dir.filePath("new.xlsx")));
    expectOldFilesUntouched();
}
#endif

}  // namespace
