// The document's gate: every command that replaces an unsaved tally asks first, a length or rounding
// change after a save is unsaved like a count, and Save asks before writing over a file that another
// program changed.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

#include "documents/core/recovery_text.h"
#include "documents/core/tally_texts.h"
#include "file_bytes_support.h"
#include "window_files_support.h"

namespace lumora {
namespace {

using test::rowOf;
using test::tallyFile;
using test::WindowFiles;

class DocumentGate : public WindowFiles {
protected:
    // A file both on the disk (the recent files list checks that it is there) and in memory.
    std::string fileOnDisk(const char *name, const std::string &bytes) {
        const QString path = disk.filePath(name);
        test::put(path, QByteArray::fromStdString(bytes));
        files.files[path.toStdString()] = bytes;
        return path.toStdString();
    }
    // The tally a crashed window left behind, for the file `named`.
    void leaveOrphan(const std::string &named) {
        TallyState left;
        left.counts[static_cast<size_t>(rowOf(27) - 1)] = "77";
        test::put(recoveryDir.filePath("recovery-0-x.txt"),
                  QByteArray::fromStdString(writeRecovery(left, named)));
        w->setRecoveryChooser([](const std::vector<RecoveryOffer> &o) {
            return std::vector<RecoveryChoice>(o.size(), RecoveryChoice::Restore);
        });
    }
    QTemporaryDir disk;
};

// Open, a recent file, a file named at start and a restore all ask before replacing unsaved counts;
// «Отмена» keeps the tally and its recovery file, «Не сохранять» replaces it.
TEST_F(DocumentGate, EveryCommandThatReplacesAnUnsavedTallyAsksFirst) {
    const std::string f = fileOnDisk("F.txt", tallyFile({{24, "4"}}));
    const struct {
        const char *what;
        std::function<void()> replace;
    } commands[] = {
        {"open",
         [&] {
             dialogs.answers = {f};
             action("Open")->trigger();
         }},
        {"a recent file", [&] { action("RecentFile1")->trigger(); }},
        {"a file named at start", [&] { w->openTallyFile(QString::fromStdString(f)); }},
        {"a restore",
         [&] {
             leaveOrphan("");
             w->offerRecovery();
         }},
    };
    for (const auto &c : commands) {
        for (LeaveAnswer a : {LeaveAnswer::Cancel, LeaveAnswer::Discard}) {
            w->openTallyFile(QString::fromStdString(f));  // saved: no question, and F.txt is recent
            typeCount(30, "5");
            w->writeRecoveryNow();
            questions = 0;
            answer = a;
            c.replace();
            EXPECT_EQ(questions, 1) << c.what;
            if (a == LeaveAnswer::Cancel) {
                EXPECT_EQ(box(30)->text(), "5") << c.what;
                EXPECT_TRUE(w->isWindowModified()) << c.what;
                EXPECT_EQ(recoveryFiles().size(), std::string(c.what) == "a restore" ? 2 : 1) << c.what;
            } else {
                EXPECT_EQ(box(30)->text(), "") << c.what;
            }
            for (const QString &name : recoveryFiles())
                if (name == "recovery-0-x.txt") QFile::remove(recoveryDir.filePath(name));
            answer = LeaveAnswer::Discard;
            w->openTallyFile(QString::fromStdString(f));
        }
    }
}

// After a crash the user opens the file again: the tally kept from it is offered first, and the file
// then asks before replacing it; the recovery file stays until the user lets the tally go.
TEST_F(DocumentGate, ARestoredTallyMeetsTheFileNamedAtStart) {
    const std::string f = fileOnDisk("F.txt", tallyFile({{24, "4"}}));
    leaveOrphan(f);
    ASSERT_TRUE(w->offerRecovery());
    answer = LeaveAnswer::Cancel;
    w->openTallyFile(QString::fromStdString(f));
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(box(27)->text(), "77");
    EXPECT_EQ(recoveryFiles(), QStringList{"recovery-0-x.txt"});
    EXPECT_FALSE(w->close()) << "leaving asks too";
    answer = LeaveAnswer::Discard;
    w->openTallyFile(QString::fromStdString(f));
    EXPECT_EQ(box(24)->text(), "4");
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

// The tally's file holds the counts and the length and rounding they are shown at: changing either
// after a save is unsaved, with its "*", its recovery file and its question.
TEST_F(DocumentGate, ALengthOrRoundingChangeAfterASaveIsUnsaved) {
    const struct {
        const char *what;
        std::function<void()> change;
    } changes[] = {
        {"length", [&] { widget<QComboBox>("Hight1")->setCurrentIndex(test::entryOf(400)); }},
        {"three decimals", [&] { action("Tis")->trigger(); }},
        {"no rounding", [&] { action("NoOkrugl")->trigger(); }},
    };
    for (const auto &c : changes) {
        typeCount(24, "5");
        dialogs.answers = {std::string("a.txt")};
        action("SaveAs")->trigger();
        ASSERT_FALSE(w->isWindowModified()) << c.what;
        c.change();
        EXPECT_TRUE(w->isWindowModified()) << c.what;
        w->writeRecoveryNow();
        EXPECT_EQ(recoveryFiles().size(), 1) << c.what;
        answer = LeaveAnswer::Cancel;
        questions = 0;
        EXPECT_FALSE(w->close()) << c.what;
        EXPECT_EQ(questions, 1) << c.what;
        action("Save")->trigger();
        EXPECT_EQ(files.files["a.txt"], tallyFileBytes(w->form())) << c.what;
        EXPECT_TRUE(recoveryFiles().isEmpty()) << c.what;
    }
}

// Window B saved into F.txt after window A opened it: A's Save asks, and writes over only when told.
TEST_F(DocumentGate, SaveAsksBeforeWritingOverAFileAnotherProgramChanged) {
    const std::string theirs = tallyFile({{32, "7"}});
    const struct {
        ChangedFileAnswer answer;
        std::string fileAfter;  // "" : our tally
        bool savedAs;
    } cases[] = {
        {ChangedFileAnswer::Cancel, theirs, false},
        {ChangedFileAnswer::SaveAs, theirs, true},
        {ChangedFileAnswer::Overwrite, "", false},
    };
    for (const auto &c : cases) {
        files.files["F.txt"] = tallyFile({{24, "4"}});
        answer = LeaveAnswer::Discard;
        w->openTallyFile("F.txt");
        typeCount(30, "5");
        files.files["F.txt"] = theirs;
        QString asked;
        w->setChangedFileQuestion([&](const QString &name) {
            asked = name;
            return c.answer;
        });
        dialogs.answers = {std::string("G.txt")};
        action("Save")->trigger();
        EXPECT_EQ(asked, "F.txt");
        EXPECT_EQ(files.files["F.txt"], c.fileAfter.empty() ? tallyFileBytes(w->form()) : c.fileAfter);
        EXPECT_EQ(files.files.count("G.txt"), c.savedAs ? 1u : 0u);
        files.files.erase("G.txt");
    }
    // A file this window wrote itself is no one else's change.
    int again = 0;
    w->setChangedFileQuestion([&](const QString &) {
        ++again;
        return ChangedFileAnswer::Cancel;
    });
    typeCount(40, "1");
    action("Save")->trigger();
    EXPECT_EQ(again, 0);
}

}  // namespace
}  // namespace lumora
