// Putting several documents in place together, with the failures a test cannot provoke as a normal
// user (a rename refused late, a rollback that fails too, a batch stopped by a signal) injected
// through the renames that commitAll makes.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "documents/backend/file_store.h"
#include "file_bytes_support.h"
#include "platform/files.h"

namespace lumora {
namespace {

using test::contents;
using test::put;

TEST(CommitAll, AFailureOrAStopPutsBackWhatWasReplacedAndLeavesNoTemporaries) {
    struct Case {
        const char *what;
        int failingRename;   // the n-th rename fails (0: none)
        int stopBeforeFile;  // stopped before the n-th file (0: never)
        bool rollbackFails;  // putting back the first file fails too
    };
    const Case cases[] = {
        {"the second rename is refused", 2, 0, false},
        {"stopped by a signal between the renames", 0, 2, false},
        {"the rollback fails as well", 2, 0, true},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.xlsx"), b = dir.filePath("b.pdf");
        put(a, "old a");
        put(b, "old b");
        std::vector<std::unique_ptr<StagedFile>> staged;
        for (const QString &target : {a, b}) {
            staged.push_back(std::make_unique<StagedFile>(target));
            ASSERT_FALSE(staged.back()->write("new " + target.right(5).toUtf8()));
        }
        int renames = 0, files = 0;
        CommitSteps steps;
        steps.replace = [&](const QString &from, const QString &to) {
            ++renames;
            if (renames == c.failingRename || (c.rollbackFails && renames > 2)) return false;
            return platform::replaceFile(from, to);
        };
        steps.stopped = [&] { return ++files == c.stopBeforeFile; };
        const auto failure = commitAll({staged[0].get(), staged[1].get()}, steps);
        staged.clear();

        ASSERT_TRUE(failure.has_value()) << c.what;
        EXPECT_EQ(contents(b), "old b") << c.what;
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        if (!c.rollbackFails) {
            EXPECT_EQ(contents(a), "old a") << c.what;
            EXPECT_EQ(left, QStringList({"a.xlsx", "b.pdf"}))
                << c.what << ": " << left.join(' ').toStdString();
            continue;
        }
        // The old contents of a.xlsx stay in the copy that the message names.
        ASSERT_EQ(left.size(), 3) << left.join(' ').toStdString();
        const QString copy = dir.filePath(left.filter(".old.").value(0));
        EXPECT_EQ(contents(copy), "old a");
        EXPECT_NE(failure->find(("«" + copy + "»").toStdString()), std::string::npos) << *failure;
        EXPECT_EQ(failure->find(".."), std::string::npos) << *failure;
    }
}

}  // namespace
}  // namespace lumora
