// The title typed at Print belongs to the tally: one undo step that makes it unsaved, line 96 of its
// file through Save and Open, the recovery file, and the statement's name for it.
#include <gtest/gtest.h>

#include <QFile>

#include "document_support.h"
#include "documents/core/statement.h"

namespace lumora {
namespace {

using test::DocumentRoom;

TEST_F(DocumentRoom, TheTitleIsSavedReopenedUndoneAndRecovered) {
    type(24, "5");
    dialogs.answers = {name("a.txt")};
    doc.saveAs();
    ASSERT_FALSE(doc.unsaved());
    const std::string untitled = files.files[name("a.txt")];

    // Typed at Print: one step, and the tally is unsaved until it is saved with it.
    step([&] { form.tallyTitle = "Кв. 12, выд. 5, дел. 3 — Машина 1"; });
    EXPECT_TRUE(doc.unsaved());
    doc.writeRecoveryNow();
    ASSERT_EQ(recoveryFiles().size(), 1);
    QFile kept(recovery.filePath(recoveryFiles()[0]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const auto recovered = readRecovery(kept.readAll().toStdString());
    ASSERT_TRUE(recovered);
    EXPECT_EQ(recovered->state.title, "Кв. 12, выд. 5, дел. 3 — Машина 1");

    doc.undo();
    EXPECT_EQ(form.tallyTitle, "");
    EXPECT_FALSE(doc.unsaved()) << "undone: the tally is its file again";
    EXPECT_EQ(TallyState::of(form).counts[static_cast<size_t>(test::rowOf(24) - 1)], "5");
    doc.redo();
    EXPECT_EQ(form.tallyTitle, "Кв. 12, выд. 5, дел. 3 — Машина 1");
    doc.save();
    EXPECT_FALSE(doc.unsaved());
    EXPECT_EQ(files.files[name("a.txt")], untitled + "Кв. 12, выд. 5, дел. 3 — Машина 1\r\n");

    doc.newTally();
    EXPECT_EQ(form.tallyTitle, "") << "the next truck starts without one";
    doc.openFile(name("a.txt"));
    EXPECT_EQ(form.tallyTitle, "Кв. 12, выд. 5, дел. 3 — Машина 1");
    EXPECT_FALSE(doc.unsaved());
    doc.undo();
    EXPECT_EQ(form.tallyTitle, "") << "the Open undone";

    // A restored tally comes back with its title, unsaved.
    RecoveredTally orphan = orphanWith(30, "4");
    orphan.state.title = "Машина 2";
    leaveOrphan(orphan);
    answer = LeaveAnswer::Discard;
    ASSERT_TRUE(doc.offerRecovery());
    EXPECT_EQ(form.tallyTitle, "Машина 2");
    EXPECT_TRUE(doc.unsaved());
}

// The statement knows a tally by its title, by its file when it has none; its sheet carries the
// title.
TEST(TallyTitle, NamesTheTallyInTheStatement) {
    test::MemoryFiles files;
    Form form(test::kComma);
    form.startUp();
    test::typeCount(form, 24, "5");
    form.tallyTitle = "Машина 1";
    files.files["/day/a.txt"] = tallyFileBytes(form);
    form.tallyTitle.clear();
    files.files["/day/b.txt"] = tallyFileBytes(form);
    const struct {
        const char *path, *name, *title;
    } cases[] = {{"/day/a.txt", "Машина 1", "Машина 1"}, {"/day/b.txt", "b.txt", ""}};
    for (const auto &c : cases) {
        const StatementLoad load = loadStatementTally(files, c.path, test::kComma);
        ASSERT_TRUE(load.tally) << load.error;
        EXPECT_EQ(load.tally->name, c.name);
        EXPECT_EQ(load.tally->texts.title, c.title);
    }
}

}  // namespace
}  // namespace lumora
