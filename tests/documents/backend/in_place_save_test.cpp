// A save written over the file itself (its folder takes no temporary): a failure half way puts the
// old contents back, and the message says whether the file still holds them.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "documents/backend/file_store.h"
#include "file_bytes_support.h"
#include "platform_support.h"

namespace lumora {
namespace {

TEST(InPlaceSave, AFailedWriteLeavesTheOldContentsOrSaysTheyAreGone) {
    const struct {
        const char *what;
        int oldSize;
        bool oldBack;
    } cases[] = {
        {"old contents under the limit", 300, true},
        {"old contents over the limit", 3000, false},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const QString name = dir.filePath("t.txt");
        const QByteArray old(c.oldSize, 'o');
        test::put(name, old);
        std::optional<std::string> error;
        {
            if (!os::FileSizeLimit::supported()) GTEST_SKIP() << "no file size limit here";
            const os::FileSizeLimit limit(1000);  // a disk that fills up, in effect
            error = writeFileInPlace(name, QByteArray(2000, 'n'));
        }
        ASSERT_TRUE(error) << c.what;
        EXPECT_NE(error->find("Не удалось сохранить файл"), std::string::npos) << *error;
        if (c.oldBack) {
            EXPECT_EQ(test::contents(name), old) << c.what;
            EXPECT_NE(error->find("остались его прежние данные"), std::string::npos) << *error;
        } else {
            EXPECT_NE(error->find("вернуть не удалось"), std::string::npos) << *error;
        }
    }
    QTemporaryDir dir;
    const QString name = dir.filePath("t.txt");
    test::put(name, "old");
    EXPECT_FALSE(writeFileInPlace(name, "new"));
    EXPECT_EQ(test::contents(name), "new");
}

}  // namespace
}  // namespace lumora
