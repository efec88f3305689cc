// The document without a window: what is unsaved, what a file name means, what a restored tally's
// file held, the recovery file's life, «Новый», and an orphan in a folder that takes no lock.
#include "editing/document.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <map>

#include "document_support.h"
#include "documents/backend/file_store.h"
#include "documents/core/tally_file.h"
#include "documents/core/tally_texts.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::DocumentRoom;
using test::entryOf;
using test::rowOf;
using test::tallyFile;
using test::typeCount;

// Unsaved is every line Save would write against what the file holds: the counts (to the last step,
// 120 cm), the length and the rounding; a tally without a file is unsaved once it holds counts.
TEST_F(DocumentRoom, UnsavedComparesAllTheLinesSaveWouldWrite) {
    const struct {
        const char *what;
        std::function<void(Form &)> change;
        bool unsaved;
    } changes[] = {
        {"nothing", [](Form &) {}, false},
        {"a count", [](Form &f) { typeCount(f, 30, "2"); }, true},
        {"a count at 120 cm", [](Form &f) { typeCount(f, 120, "2"); }, true},
        {"the length", [](Form &f) { f.setListIndex(static_cast<int16_t>(entryOf(400))); }, true},
        {"the rounding", [](Form &f) { f.clickTis(); }, true},
        {"no rounding", [](Form &f) { f.clickNoOkrugl(); }, true},
        {"another file's name", [](Form &f) { f.tallyFileName = "/b.txt"; }, true},
    };
    for (const auto &c : changes) {
        step([&] { form.clickClear(); });
        form.tallyFileName.clear();
        EXPECT_FALSE(doc.unsaved()) << "an empty tally";
        type(120, "5");
        EXPECT_TRUE(doc.unsaved()) << "a count at the last step, without a file";
        dialogs.answers = {name("a.txt")};
        doc.saveAs();
        ASSERT_FALSE(doc.unsaved()) << c.what;
        step([&] { c.change(form); });
        EXPECT_EQ(doc.unsaved(), c.unsaved) << c.what;
    }
}

// A file named as typed is known by its absolute, canonical name: a start in another folder, with a
// file of the same name there, restores the tally and saves it where it came from.
TEST_F(DocumentRoom, ARelativeNameMeansTheFileInTheFolderItWasNamedIn) {
    QTemporaryDir work, home;
    DiskFiles disk;
    doc.setFiles(disk);
    const QByteArray theirs = QByteArray::fromStdString(tallyFile({{40, "1"}}));
    test::put(work.filePath("F.txt"), QByteArray::fromStdString(tallyFile({{24, "4"}})));
    test::put(home.filePath("F.txt"), theirs);
    const QString before = QDir::currentPath();
    {
        Form first(test::kComma);
        first.startUp();
        Document killed(first, [](const TallyDocument &) {});
        killed.setQuestions(asked);
        killed.setFiles(disk);
        killed.setRecoveryFolder(recovery.path());
        QDir::setCurrent(work.path());
        killed.openFile("F.txt");
        QDir::setCurrent(before);
        EXPECT_EQ(first.tallyFileName, canonicalFileName(work.filePath("F.txt").toStdString()));
        killed.beginStep();
        typeCount(first, 30, "7");
        killed.endStep();
        killed.endOnRequest();  // the recovery file stays
    }
    asked.recovery = [](const std::vector<RecoveryOffer> &o) {
        return std::vector<RecoveryChoice>(o.size(), RecoveryChoice::Restore);
    };
    QDir::setCurrent(home.path());
    ASSERT_TRUE(doc.offerRecovery());
    doc.save();
    QDir::setCurrent(before);
    EXPECT_TRUE(asked.changedFilesAsked.empty()) << "the file holds what it held when the tally left it";
    EXPECT_EQ(test::contents(home.filePath("F.txt")), theirs);
    EXPECT_EQ(readTally(test::contents(work.filePath("F.txt")).toStdString()).counts[rowOf(30) - 1], "7");
}

// A restored tally's file is compared with what it held when the tally left it: saved since (by
// this window or another), Save asks first; as it was, Save writes. A recovery file of an earlier
// version, which does not say, asks whenever the file is there.
TEST_F(DocumentRoom, ARestoredTallyMeetsANewerSaveOfItsFileWithTheQuestion) {
    const std::string left = tallyFile({{24, "4"}}), newer = tallyFile({{24, "4"}, {30, "3"}});
    const struct {
        const char *what;
        std::string onDisk;
        bool recorded;  // the recovery file records what the file held
        bool asks;
    } cases[] = {
        {"unchanged", left, true, false},
        {"saved since", newer, true, true},
        {"an older recovery file", left, false, true},
    };
    int k = 0;
    for (const auto &c : cases) {
        const std::string f = file("F.txt", c.onDisk);
        RecoveredTally tally = orphanWith(27, "77", f);
        if (c.recorded) tally.held = contentsOf(left);
        leaveOrphan(tally, QString("recovery-%1-x.txt").arg(++k).toUtf8().constData());
        answer = LeaveAnswer::Discard;
        ASSERT_TRUE(doc.offerRecovery()) << c.what;
        asked.changedFilesAsked.clear();
        asked.changedFile = [](const QString &) { return ChangedFileAnswer::Cancel; };
        doc.save();
        EXPECT_EQ(asked.changedFilesAsked.size(), c.asks ? 1u : 0u) << c.what;
        EXPECT_EQ(files.files[f] == c.onDisk, c.asks) << c.what;
    }
}

// A restored tally's recovery file lives until the tally is saved or let go: an undo takes it off
// the screen, not out of its file; leaving then asks, and a redo brings it back under its file.
TEST_F(DocumentRoom, UndoingARestoreKeepsTheRestoredTallyInItsRecoveryFile) {
    leaveOrphan(orphanWith(27, "82"));
    ASSERT_TRUE(doc.offerRecovery());
    doc.undo();
    EXPECT_EQ(count(27), "");
    doc.writeRecoveryNow();
    QTest::qWait(50);
    EXPECT_EQ(recoveryFiles(), QStringList{"recovery-0-x.txt"});
    EXPECT_TRUE(doc.unsaved());
    type(30, "1");  // the next tally gets a file of its own
    doc.writeRecoveryNow();
    EXPECT_EQ(recoveryFiles().size(), 2);
    EXPECT_FALSE(doc.mayLeave()) << "asked, and cancelled";
    EXPECT_EQ(questions, 1);
    answer = LeaveAnswer::Discard;
    EXPECT_TRUE(doc.mayLeave());
    doc.end();
    EXPECT_TRUE(recoveryFiles().isEmpty()) << "«Не сохранять» lets both go";

    leaveOrphan(orphanWith(27, "82"));
    ASSERT_TRUE(doc.offerRecovery());
    doc.undo();
    doc.redo();
    EXPECT_EQ(count(27), "82");
    dialogs.answers = {name("R.txt")};
    doc.save();
    EXPECT_FALSE(doc.unsaved());
    EXPECT_TRUE(recoveryFiles().isEmpty()) << "saved: safe";

    // Undone away, then another tally restored: each stays in its own recovery file.
    leaveOrphan(orphanWith(27, "82"), "recovery-0-a.txt");
    ASSERT_TRUE(doc.offerRecovery());
    doc.undo();
    leaveOrphan(orphanWith(30, "7"), "recovery-0-b.txt");
    answer = LeaveAnswer::Save;  // the tally on screen is the empty one: nothing to save
    ASSERT_TRUE(doc.offerRecovery());
    EXPECT_EQ(count(30), "7");
    doc.writeRecoveryNow();
    std::map<std::string, std::string> kept;
    for (const QString &f : recoveryFiles())
        if (auto left = readRecovery(test::contents(recovery.filePath(f)).toStdString()))
            kept[f.toStdString()] = left->state.counts[static_cast<size_t>(rowOf(27) - 1)] +
                                    left->state.counts[static_cast<size_t>(rowOf(30) - 1)];
    EXPECT_EQ(kept,
              (std::map<std::string, std::string>{{"recovery-0-a.txt", "82"}, {"recovery-0-b.txt", "7"}}));
}

// «Новый»: through the gate, an empty tally without a file at the length and rounding on screen, and
// undone like an Open.
TEST_F(DocumentRoom, NewGivesAnEmptyTallyWithoutAFileAndUndoesLikeOpen) {
    const std::string f = file("F.txt", tallyFile({{24, "4"}}));
    doc.openFile(f);
    step([&] {
        form.setListIndex(static_cast<int16_t>(entryOf(400)));
        form.clickTis();
    });
    dialogs.answers.clear();
    doc.save();
    const TallyState truck = TallyState::of(form);
    const std::string truckBytes = files.files[f];
    doc.newTally();
    EXPECT_EQ(questions, 0) << "a saved tally goes without a question";
    EXPECT_EQ(form.tallyFileName, "");
    EXPECT_EQ(TallyState::of(form).counts, TallyCounts{});
    EXPECT_EQ(TallyState::of(form).length, truck.length);
    EXPECT_EQ(TallyState::of(form).decimals, truck.decimals);
    EXPECT_FALSE(doc.unsaved());
    type(30, "2");
    dialogs.answers = {std::nullopt};
    doc.save();
    EXPECT_EQ(files.files[f], truckBytes) << "the next truck is not written over the last one's file";
    EXPECT_EQ(dialogs.shown.back().kind, "save");
    questions = 0;
    doc.newTally();
    EXPECT_EQ(questions, 1);
    doc.undo();
    doc.undo();
    EXPECT_EQ(TallyState::of(form), truck);
    EXPECT_EQ(form.tallyFileName, f);
    EXPECT_FALSE(doc.unsaved());
}

// A steady typist, a key every fifth of a second, gets a recovery file within about a second.
TEST_F(DocumentRoom, TheRecoveryFileIsWrittenWhileTheUserKeepsTyping) {
    QElapsedTimer typing;
    typing.start();
    bool written = false;
    for (int k = 0; k < 15 && !written; ++k) {
        type(24 + k % 3, "1");
        QTest::qWait(200);
        written = !recoveryFiles().isEmpty();
    }
    EXPECT_TRUE(written) << "still typing after " << typing.elapsed() << " ms";
}

// An orphan in a folder that takes no lock (here its lock cannot be made) is still offered and
// restored; the start says once that it stays where it lies.
TEST_F(DocumentRoom, AnOrphanWhoseLockCannotBeTakenIsStillOffered) {
    leaveOrphan(orphanWith(27, "77"));
    ASSERT_TRUE(QDir(recovery.path()).mkdir("recovery-0-x.txt.lock"));
    ASSERT_TRUE(QDir(recovery.path()).mkdir("recovery-0-x.txt.lock/keep"));  // not removable as a file
    ASSERT_TRUE(doc.offerRecovery());
    EXPECT_EQ(count(27), "77");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("recovery-0-x.txt"), std::string::npos) << dialogs.messages[0];
    doc.writeRecoveryNow();
    EXPECT_EQ(recoveryFiles().size(), 2) << "the tally is kept in this window's own file";
}

}  // namespace
}  // namespace lumora
