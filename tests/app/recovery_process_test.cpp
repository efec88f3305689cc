// Crash recovery with the real program: counts typed into a window that is then killed come back at
// the next start, and a clean exit leaves nothing behind.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <optional>
#include <vector>

#include "documents/core/recovery_text.h"
#include "file_bytes_support.h"
#include "platform_support.h"
#include "program_run_support.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::rowOf;

class RecoveryProcess : public ::testing::Test {
protected:
    // Starts the program with its own data folder and a script of what the user does.
    void start(QProcess &p, const QString &script, const QStringList &args = {}) {
        test::ProgramStart how;
        how.program = LUMORA_SCRIPTED_BINARY;
        how.env = {{"QT_QPA_PLATFORM", "offscreen"},
                   {"XDG_DATA_HOME", home.path()},                           // the data folder on Linux
                   {"LOCALAPPDATA", QDir::toNativeSeparators(home.path())},  // and on Windows
                   {"LUMORA_TEST_SCRIPT", script}};
        test::prepareProgram(p, how);
        p.start(how.program, args);
        ASSERT_TRUE(p.waitForStarted());
    }

    // The program's data folder under XDG_DATA_HOME (%LOCALAPPDATA% on Windows):
    // organisation/application (both "lumora").
    QDir dataFolder() const {
        return QDir(
            home.filePath(QCoreApplication::organizationName() + "/" + QCoreApplication::applicationName()));
    }
    QStringList recoveryFiles() const { return dataFolder().entryList({"recovery-*.txt"}, QDir::Files); }

    // Waits (up to 5 s) for a recovery file whose state passes `wanted`.
    std::optional<RecoveredTally> waitForRecovery(const std::function<bool(const RecoveredTally &)> &wanted) {
        QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired()) {
            for (const QString &name : recoveryFiles()) {
                QFile f(dataFolder().filePath(name));
                if (!f.open(QIODevice::ReadOnly)) continue;
                auto r = readRecovery(f.readAll().toStdString());
                if (r && wanted(*r)) return r;
            }
            QThread::msleep(50);
        }
        return std::nullopt;
    }

    QTemporaryDir home;
};

TEST_F(RecoveryProcess, CountsTypedBeforeAKillComeBackWithTheirLengthAndRounding) {
    const size_t r24 = static_cast<size_t>(rowOf(24) - 1), r30 = static_cast<size_t>(rowOf(30) - 1),
                 r52 = static_cast<size_t>(rowOf(52) - 1);
    {
        QProcess first;
        start(first, "type=Hight1:6,5;trigger=Tis;type=Text1022:5;type=Text1028:12");
        auto written = waitForRecovery([&](const RecoveredTally &r) { return r.state.counts[r30] == "12"; });
        ASSERT_TRUE(written) << "no recovery file within a second or so of typing";
        first.kill();  // SIGKILL: no chance to clean up
        first.waitForFinished();
    }
    ASSERT_EQ(recoveryFiles().size(), 1);

    {
        // Restored, then one more count: the window writes its state again, restored part included.
        QProcess second;
        start(second, "restore=yes;type=Text1050:1");
        auto restored = waitForRecovery([&](const RecoveredTally &r) { return r.state.counts[r52] == "1"; });
        ASSERT_TRUE(restored) << "the restored window did not keep its tally";
        EXPECT_EQ(restored->state.counts[r24], "5");
        EXPECT_EQ(restored->state.counts[r30], "12");
        EXPECT_EQ(restored->state.length, entryOf(650));
        EXPECT_TRUE(restored->state.rounded);
        EXPECT_EQ(restored->state.decimals, 3);
        second.kill();
        second.waitForFinished();
    }
    EXPECT_EQ(recoveryFiles().size(), 1) << "the restored window took the old file over";

    // Refused: the file goes, and leaving an untouched window leaves nothing.
    QProcess third;
    start(third, "restore=no;trigger=Exit");
    ASSERT_TRUE(third.waitForFinished(10000));
    EXPECT_EQ(third.exitCode(), 0);
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

// A logout, a closed terminal or Ctrl+C right after a change: the change is in the recovery file, which
// stays for the next start.
TEST_F(RecoveryProcess, TheSignalsThatEndTheProgramKeepTheLastChange) {
    if (!os::endsProgramsWithSignals()) GTEST_SKIP() << "no signals end a program here";
    std::vector<int> endings{SIGTERM, SIGINT};
#ifdef SIGHUP
    endings.push_back(SIGHUP);  // a closed terminal: POSIX only
#endif
    for (int signal : endings) {
        for (const QString &name : recoveryFiles()) dataFolder().remove(name);
        QProcess p;
        start(p, QString("type=Text1022:7;raise=%1").arg(signal));
        ASSERT_TRUE(p.waitForFinished(10000)) << signal;
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << signal;
        ASSERT_EQ(recoveryFiles().size(), 1) << signal;
        EXPECT_TRUE(dataFolder().entryList({"*.lock"}, QDir::Files).isEmpty());
        EXPECT_TRUE(waitForRecovery([](const RecoveredTally &r) { return r.state.counts[21] == "7"; }))
            << signal;
    }
}

// A signal while a question is open at start (the recovery dialog, the message about a file named on
// the command line that cannot be opened) ends the program, and every recovery file stays.
TEST_F(RecoveryProcess, ASignalDuringAQuestionAtStartEndsTheProgramAndKeepsTheRecoveryFiles) {
    if (!os::endsProgramsWithSignals()) GTEST_SKIP() << "no signals end a program here";
    TallyState left;
    left.counts[static_cast<size_t>(rowOf(27) - 1)] = "77";
    const QByteArray orphan = QByteArray::fromStdString(writeRecovery(left, "F.txt"));
    ASSERT_TRUE(QDir().mkpath(dataFolder().path()));
    const QString bad = home.filePath("bad.txt");
    test::put(bad, "abc\r\n");
    const struct {
        const char *what;
        bool orphanLeft;
    } questions[] = {{"the recovery dialog", true}, {"a file that cannot be opened", false}};
    for (const auto &q : questions) {
        for (const QString &name : recoveryFiles()) dataFolder().remove(name);
        if (q.orphanLeft) test::put(dataFolder().filePath("recovery-1-left.txt"), orphan);
        QProcess p;
        start(p, "", {bad});
        QThread::msleep(1500);  // the question is open by now
        p.terminate();          // SIGTERM
        const bool ended = p.waitForFinished(5000);
        if (!ended) p.kill();
        EXPECT_TRUE(ended) << q.what << ": the program went on after the signal";
        EXPECT_EQ(recoveryFiles().size(), q.orphanLeft ? 1 : 0) << q.what;
    }
}

TEST_F(RecoveryProcess, LeavingWithoutSavingRemovesTheRecoveryFile) {
    QProcess p;
    start(p, "leave=discard;type=Text1022:7;wait=2000;trigger=Exit");
    EXPECT_TRUE(waitForRecovery([](const RecoveredTally &r) { return r.state.counts[21] == "7"; }));
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

}  // namespace
}  // namespace lumora
