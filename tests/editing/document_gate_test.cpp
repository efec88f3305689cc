// The document's gate and file commands without a window: every command that replaces an unsaved
// tally asks first, a length or rounding change after a save is unsaved like a count, and Save asks
// before writing over a file that another program changed (from the menu and from the toolbar).
#include <QFile>

#include "document_support.h"

namespace lumora {
namespace {

using test::DocumentRoom;
using test::entryOf;
using test::tallyFile;

// Open, a recent file, a file named at start, «Новый» and a restore all ask before replacing unsaved
// counts; «Отмена» keeps the tally and its recovery file, «Не сохранять» replaces it.
TEST_F(DocumentRoom, EveryCommandThatReplacesAnUnsavedTallyAsksFirst) {
    const std::string f = file("F.txt", tallyFile({{24, "4"}}));
    test::put(QString::fromStdString(f), QByteArray::fromStdString(files.files[f]));  // the recent list looks
    const struct {
        const char *what;
        std::function<void()> replace;
        const char *after;  // the count at 24 cm once replaced
    } commands[] = {
        {"open",
         [&] {
             dialogs.answers = {f};
             doc.open();
         },
         "4"},
        {"a recent file", [&] { doc.openRecentFile(QString::fromStdString(f)); }, "4"},
        {"a file named at start", [&] { doc.openFile(f); }, "4"},
        {"«Новый»", [&] { doc.newTally(); }, ""},
        {"a restore",
         [&] {
             leaveOrphan(orphanWith(27, "77"));
             doc.offerRecovery();
         },
         ""},
    };
    for (const auto &c : commands) {
        for (LeaveAnswer a : {LeaveAnswer::Cancel, LeaveAnswer::Discard}) {
            answer = LeaveAnswer::Discard;
            doc.openFile(f);  // saved: no question, and F.txt is recent
            type(30, "5");
            doc.writeRecoveryNow();
            questions = 0;
            answer = a;
            c.replace();
            EXPECT_EQ(questions, 1) << c.what;
            ASSERT_EQ(asked.asked.back(), "Данные подсчёта не сохранены. Сохранить их?") << c.what;
            if (a == LeaveAnswer::Cancel) {
                EXPECT_EQ(count(30), "5") << c.what;
                EXPECT_TRUE(doc.unsaved()) << c.what;
                EXPECT_EQ(recoveryFiles().size(), std::string(c.what) == "a restore" ? 2 : 1) << c.what;
            } else {
                EXPECT_EQ(count(30), "") << c.what;
                EXPECT_EQ(count(24), c.after) << c.what;
            }
            for (const QString &n : recoveryFiles())
                if (n == "recovery-0-x.txt") QFile::remove(recovery.filePath(n));
        }
    }
}

// The tally's file holds the counts and the length and rounding they are shown at: changing either
// after a save is unsaved, with its recovery file and its question.
TEST_F(DocumentRoom, ALengthOrRoundingChangeAfterASaveIsUnsaved) {
    const struct {
        const char *what;
        std::function<void()> change;
    } changes[] = {
        {"length", [&] { step([&] { form.setListIndex(static_cast<int16_t>(entryOf(400))); }); }},
        {"three decimals", [&] { step([&] { form.clickTis(); }); }},
        {"no rounding", [&] { step([&] { form.clickNoOkrugl(); }); }},
    };
    for (const auto &c : changes) {
        type(24, "5");
        dialogs.answers = {name("a.txt")};
        doc.saveAs();
        ASSERT_FALSE(doc.unsaved()) << c.what;
        c.change();
        EXPECT_TRUE(doc.unsaved()) << c.what;
        doc.writeRecoveryNow();
        EXPECT_EQ(recoveryFiles().size(), 1) << c.what;
        answer = LeaveAnswer::Cancel;
        questions = 0;
        EXPECT_FALSE(doc.mayLeave()) << c.what;
        EXPECT_EQ(questions, 1) << c.what;
        EXPECT_EQ(asked.asked.back(), "Данные подсчёта не сохранены. Сохранить их перед выходом?");
        doc.save();
        EXPECT_EQ(files.files[name("a.txt")], tallyFileBytes(form)) << c.what;
        EXPECT_TRUE(recoveryFiles().isEmpty()) << c.what;
    }
}

// Window B saved into F.txt after window A opened it: A's Save (from the menu or the toolbar) asks,
// and writes over only when told.
TEST_F(DocumentRoom, SaveAsksBeforeWritingOverAFileAnotherProgramChanged) {
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
    for (bool toolbar : {false, true}) {
        for (const auto &c : cases) {
            const std::string f = file("F.txt", tallyFile({{24, "4"}}));
            answer = LeaveAnswer::Discard;
            doc.openFile(f);
            type(30, "5");
            files.files[f] = theirs;
            asked.changedFilesAsked.clear();
            asked.changedFile = [&](const QString &) { return c.answer; };
            dialogs.answers = {name("G.txt")};
            toolbar ? doc.saveFromToolbar() : doc.save();
            ASSERT_EQ(asked.changedFilesAsked.size(), 1u) << toolbar;
            EXPECT_EQ(asked.changedFilesAsked[0].toStdString(),
                      QDir::toNativeSeparators(QString::fromStdString(f)).toStdString());
            EXPECT_EQ(files.files[f], c.fileAfter.empty() ? tallyFileBytes(form) : c.fileAfter) << toolbar;
            EXPECT_EQ(files.files.count(name("G.txt")), c.savedAs ? 1u : 0u) << toolbar;
            files.files.erase(name("G.txt"));
        }
    }
    // A file this window wrote itself is no one else's change.
    asked.changedFilesAsked.clear();
    type(40, "1");
    doc.save();
    EXPECT_TRUE(asked.changedFilesAsked.empty());
}

}  // namespace
}  // namespace lumora
