// Crash recovery in the window: the recovery file follows the tally, orphans are offered in one
// dialog, what cannot be read is set aside, and a failing write says so.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QTableWidget>
#include <QTimer>

#include "documents/core/recovery_text.h"
#include "file_bytes_support.h"
#include "platform_support.h"
#include "ui/recovery_dialog.h"
#include "window_files_support.h"

namespace lumora {
namespace {

using test::rowOf;
using test::tallyFile;
using test::WindowFiles;

TEST_F(WindowFiles, TwoWindowsKeepTheirOwnFilesAndALeftFileIsOfferedBack) {
    MainWindow other(test::kComma);
    other.document().setRecoveryFolder(recoveryDir.path());
    typeCount(24, "5");
    other.form().countGotFocus(1000 + rowOf(30));
    other.forwardForTest([&] { other.form().typeCountChar(1000 + rowOf(30), U'8'); });
    w->document().writeRecoveryNow();
    other.document().writeRecoveryNow();
    ASSERT_EQ(recoveryFiles().size(), 2u);

    // Both windows are running: neither file is offered to a third.
    MainWindow third(test::kComma);
    third.document().setRecoveryFolder(recoveryDir.path());
    int asked = 0;
    test::answerRecovery(third, [&](const std::vector<RecoveryOffer> &offers) {
        ++asked;
        return std::vector<RecoveryChoice>(offers.size(), RecoveryChoice::Restore);
    });
    EXPECT_FALSE(third.document().offerRecovery());
    EXPECT_EQ(asked, 0);

    // A file whose window is gone (written by hand here, with no lock) is offered and restored.
    QDir(recoveryDir.path()).remove(recoveryFiles().first());
    TallyState left;
    left.length = static_cast<int16_t>(test::entryOf(450));
    left.counts[static_cast<size_t>(rowOf(40) - 1)] = "17";
    left.rounded = false;
    left.decimals = 3;
    QFile orphan(QDir(recoveryDir.path()).filePath("recovery-1-dead.txt"));
    ASSERT_TRUE(orphan.open(QIODevice::WriteOnly));
    orphan.write(QByteArray::fromStdString(writeRecovery(left, "/лес/делянка.txt")));
    orphan.close();
    std::vector<RecoveryOffer> offered;
    test::answerRecovery(third, [&](const std::vector<RecoveryOffer> &offers) {
        offered = offers;
        return std::vector<RecoveryChoice>{RecoveryChoice::Restore};
    });
    EXPECT_TRUE(third.document().offerRecovery());
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].fileName, "/лес/делянка.txt");
    EXPECT_EQ(offered[0].length, "4,50");
    EXPECT_EQ(offered[0].logs, 17);
    EXPECT_EQ(TallyState::of(third.form()), left);
    EXPECT_EQ(third.form().tallyFileName, "/лес/делянка.txt");
    EXPECT_TRUE(third.unsaved());
    EXPECT_EQ(third.windowTitle(), "делянка.txt[*] — Люмора");
}

// Crash protection that fails says so in the status line while it fails, ahead of any other note, and
// the line is clear once a write works again.
TEST_F(WindowFiles, AFailingRecoveryWriteIsShownUntilAWriteWorks) {
    const QString blocked = recoveryDir.filePath("not-a-folder");
    test::put(blocked, "a file where the folder should be");
    w->document().setRecoveryFolder(blocked);
    auto *line = w->findChild<QLabel *>("StatusLine");
    ASSERT_NE(line, nullptr);
    typeCount(24, "5");
    w->document().writeRecoveryNow();
    EXPECT_TRUE(w->document().recoveryProblem().contains("не удаётся записать файл восстановления"))
        << w->document().recoveryProblem().toStdString();
    EXPECT_EQ(line->text(), w->document().recoveryProblem());
    widget<QComboBox>("Hight1")->setCurrentIndex(test::entryOf(50));  // empties 24 cm: a note of its own
    EXPECT_EQ(line->text(), w->document().recoveryProblem()) << "the failing protection stays in view";

    QFile::remove(blocked);
    typeCount(12, "2");
    w->document().writeRecoveryNow();
    EXPECT_EQ(w->document().recoveryProblem(), "");
    EXPECT_EQ(line->text(), "");
    EXPECT_EQ(QDir(blocked).entryList({"recovery-*.txt"}).size(), 1);
}

// Nothing is deleted that the user has not seen: each orphan goes as the user chose, and Escape
// (no choices) keeps them all for the next start.
TEST_F(WindowFiles, EachOrphanGoesAsChosenAndEscapeKeepsThemAll) {
    struct Case {
        std::vector<RecoveryChoice> choices;  // for the newer, then the older
        bool restored;
        int filesLeft;
        const char *count24;  // the window's count at 24 cm afterwards
    };
    using C = RecoveryChoice;
    const Case cases[] = {
        {{}, false, 2, ""},
        {{C::Later, C::Later}, false, 2, ""},
        {{C::Discard, C::Discard}, false, 0, ""},
        {{C::Discard, C::Restore}, true, 1, "1"},
        {{C::Restore, C::Restore}, true, 2, "2"},  // one window, one tally: the other stays
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        const QDateTime now = QDateTime::currentDateTime();
        for (int k : {1, 2}) {
            TallyState left;
            left.counts[static_cast<size_t>(rowOf(24) - 1)] = std::to_string(k);
            const QString path = dir.filePath(QString("recovery-%1-dead.txt").arg(k));
            test::put(path,
                      QByteArray::fromStdString(writeRecovery(left, "/t/" + std::to_string(k) + ".txt")));
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            f.setFileTime(now.addSecs(k * 60), QFileDevice::FileModificationTime);  // 2 is the newer
        }
        MainWindow window(test::kComma);
        window.document().setRecoveryFolder(dir.path());
        std::vector<RecoveryOffer> offered;
        test::answerRecovery(window, [&](const std::vector<RecoveryOffer> &offers) {
            offered = offers;
            return c.choices;
        });
        EXPECT_EQ(window.document().offerRecovery(), c.restored);
        ASSERT_EQ(offered.size(), 2u);
        EXPECT_EQ(offered[0].fileName, "/t/2.txt") << "the newest first";
        EXPECT_GT(offered[0].written, offered[1].written);
        EXPECT_EQ(QDir(dir.path()).entryList({"recovery-*.txt"}).size(), c.filesLeft);
        EXPECT_EQ(window.form().row(rowOf(24)).count, c.count24);
    }
}

// A restored tally that is undone belongs to no file again, but its recovery file stays: leaving asks,
// writes nothing into the restored tally's file, and the tally is offered again at the next start.
TEST_F(WindowFiles, UndoingARestoreLeavesTheRestoredFileAloneAndKeepsTheTally) {
    files.files["/t/plot.txt"] = tallyFile({{24, "9"}});
    TallyState left;
    left.counts[static_cast<size_t>(rowOf(30) - 1)] = "3";
    test::put(QDir(recoveryDir.path()).filePath("recovery-3-dead.txt"),
              QByteArray::fromStdString(writeRecovery(left, "/t/plot.txt")));
    asked.recovery =
        ([](const std::vector<RecoveryOffer> &) { return std::vector{RecoveryChoice::Restore}; });
    ASSERT_TRUE(w->document().offerRecovery());
    EXPECT_EQ(w->windowTitle(), "plot.txt[*] — Люмора");
    action("Undo")->trigger();
    EXPECT_EQ(w->windowTitle(), "Люмора[*]");
    EXPECT_TRUE(w->isWindowModified()) << "the restored tally is still unsaved";
    answer = LeaveAnswer::Save;
    EXPECT_TRUE(w->close()) << "the empty tally needs no save";
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(files.files["/t/plot.txt"], tallyFile({{24, "9"}}));
    w.reset();
    const RecoveryFile::Scan next = RecoveryFile::scan(recoveryDir.path());
    ASSERT_EQ(next.orphans.size(), 1u);
    EXPECT_EQ(next.orphans[0].tally.state, left);
}

// What cannot be read as a recovery file is set aside under another name, never deleted, and told
// once; a link to a FIFO or a device neither hangs the start nor is read.
TEST_F(WindowFiles, UnreadableRecoveryFilesAreSetAsideAndToldOnce) {
    const QDir dir(recoveryDir.path());
    TallyState fine;
    fine.counts[0] = "1";
    const std::string good = writeRecovery(fine, "");
    TallyState lost;  // 69 cm has no volume at 6,00 m
    lost.counts[static_cast<size_t>(rowOf(69) - 1)] = "4";
    const std::pair<const char *, std::string> files[] = {
        {"recovery-1-cut.txt", good.substr(0, good.size() / 2)},
        {"recovery-2-binary.txt", std::string("\x7f"
                                              "ELF\0\1\2",
                                              7)},
        {"recovery-3-big.txt", good + std::string(2 << 20, '0')},
        {"recovery-4-unshown.txt", writeRecovery(lost, "")},
    };
    for (const auto &[name, bytes] : files) test::put(dir.filePath(name), QByteArray::fromStdString(bytes));
    if (!os::makeFifo(dir.filePath("fifo"))) GTEST_SKIP() << "no named pipes in this file system";
    ASSERT_TRUE(QFile::link(dir.filePath("fifo"), dir.filePath("recovery-5-fifo.txt")));
    ASSERT_TRUE(QFile::link(os::endlessDevice(), dir.filePath("recovery-6-zero.txt")));
    const std::vector<std::string> &told = dialogs.messages;
    int offered = 0;
    asked.recovery = ([&](const std::vector<RecoveryOffer> &o) {
        ++offered;
        return std::vector<RecoveryChoice>(o.size(), RecoveryChoice::Restore);
    });
    EXPECT_FALSE(w->document().offerRecovery());
    EXPECT_EQ(offered, 0);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(dir.entryList({"recovery-*.txt"}, QDir::Files | QDir::System).size(), 0);
    EXPECT_EQ(dir.entryList({"unreadable-recovery-*.txt"}, QDir::Files | QDir::System).size(), 6);
    for (const auto &[name, bytes] : files) {
        EXPECT_TRUE(QString::fromStdString(told[0]).contains(QString("unreadable-") + name)) << name;
        EXPECT_EQ(test::contents(dir.filePath(QString("unreadable-") + name)).toStdString(),
                  bytes.substr(0, 1 << 22));
    }
    EXPECT_FALSE(w->document().offerRecovery());
    EXPECT_EQ(told.size(), 1u) << "told once";
}

// A lock left empty, garbled or by another computer long ago does not hold its file for ever; the lock
// of a window that runs does.
TEST_F(WindowFiles, ALockThatCannotHoldItsFileIsCleared) {
    struct Case {
        QByteArray lock;
        int ageDays;
        bool offered;
    };
    const Case cases[] = {
        {"", 0, true},
        {"garbage\x01\x02", 0, true},
        {"4242\nlumora\nelsewhere.example\n", 2, true},
        {"4242\nlumora\nelsewhere.example\n", 0, false},
        {"held", 2, false},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        TallyState left;
        left.counts[0] = "1";
        const QString path = dir.filePath("recovery-7-dead.txt");
        test::put(path, QByteArray::fromStdString(writeRecovery(left, "")));
        QLockFile held(path + ".lock");  // as a running window holds it
        if (c.lock == "held")
            ASSERT_TRUE(held.tryLock(0));
        else
            test::put(path + ".lock", c.lock);
        QFile lock(path + ".lock");
        // Where the system locks open files, a held lock keeps the time it was taken.
        if (lock.open(QIODevice::ReadWrite)) {
            lock.setFileTime(QDateTime::currentDateTime().addDays(-c.ageDays),
                             QFileDevice::FileModificationTime);
            lock.close();
        } else {
            ASSERT_TRUE(os::openFilesAreLocked() && c.lock == "held") << c.lock.toStdString();
        }
        MainWindow window(test::kComma);
        window.document().setRecoveryFolder(dir.path());
        int offered = 0;
        test::answerRecovery(window, [&](const std::vector<RecoveryOffer> &o) {
            offered += static_cast<int>(o.size());
            return std::vector<RecoveryChoice>(o.size(), RecoveryChoice::Later);
        });
        window.document().offerRecovery();
        EXPECT_EQ(offered == 1, c.offered) << c.lock.toStdString() << " " << c.ageDays;
    }
}

// The dialog itself: a row per tally with its time, file, length and logs; one restore at a time;
// Escape chooses nothing, so every tally is offered again.
TEST(RecoveryDialog, ShowsEachTallyAndEscapeChoosesNothing) {
    const QDateTime when(QDate(2026, 3, 14), QTime(9, 26));
    const std::vector<RecoveryOffer> offers{{when, "/лес/делянка.txt", "4,50", 17},
                                            {when.addDays(-1), "", "", 0}};
    auto answer = [&](const std::function<void(QDialog *, QTableWidget *)> &act) {
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(dialog, dialog->findChild<QTableWidget *>("RecoveryTable"));
        });
        return askAboutRecovery(nullptr, offers);
    };
    auto choice = [](QTableWidget *t, int row) { return qobject_cast<QComboBox *>(t->cellWidget(row, 4)); };

    EXPECT_TRUE(answer([&](QDialog *d, QTableWidget *t) {
                    ASSERT_EQ(t->rowCount(), 2);
                    EXPECT_EQ(t->item(0, 0)->text(), "14.03.2026 09:26:00");
                    EXPECT_EQ(t->item(0, 1)->text(), "делянка.txt");
                    EXPECT_EQ(t->item(0, 2)->text(), "4,50 м");
                    EXPECT_EQ(t->item(0, 3)->text(), "17");
                    EXPECT_EQ(choice(t, 0)->currentText(), "Восстановить");
                    QTest::keyClick(d, Qt::Key_Escape);
                }).empty());
    const auto chosen = answer([&](QDialog *d, QTableWidget *t) {
        choice(t, 1)->setCurrentIndex(1);  // restore the older one instead
        EXPECT_EQ(choice(t, 0)->currentText(), "Решить позже");
        d->accept();
    });
    EXPECT_EQ(chosen, (std::vector<RecoveryChoice>{RecoveryChoice::Later, RecoveryChoice::Restore}));
}

}  // namespace
}  // namespace lumora
