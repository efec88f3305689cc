// The document without a window: what is unsaved, and what counts as someone else's change.
#include "editing/document.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "documents/core/tally_texts.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::kComma;
using test::typeCount;

// Unsaved is every line Save would write against what the file holds: the counts, the length and
// the rounding; a tally without a file is unsaved once it holds counts.
TEST(Document, UnsavedComparesAllTheLinesSaveWouldWrite) {
    const struct {
        const char *what;
        std::function<void(Form &)> change;
        bool unsaved;
    } changes[] = {
        {"nothing", [](Form &) {}, false},
        {"a count", [](Form &f) { typeCount(f, 30, "2"); }, true},
        {"the length", [](Form &f) { f.setListIndex(entryOf(400)); }, true},
        {"the rounding", [](Form &f) { f.clickTis(); }, true},
        {"no rounding", [](Form &f) { f.clickNoOkrugl(); }, true},
        {"another file's name", [](Form &f) { f.tallyFileName = "b.txt"; }, true},
    };
    QTemporaryDir recovery;
    for (const auto &c : changes) {
        Form f(kComma);
        f.startUp();
        Document doc(f, [](const TallyDocument &) {});
        doc.setRecoveryFolder(recovery.path());
        EXPECT_FALSE(doc.unsaved()) << "an empty tally";
        typeCount(f, 24, "5");
        EXPECT_TRUE(doc.unsaved()) << "counts without a file";
        f.tallyFileName = "a.txt";
        const std::string bytes = tallyFileBytes(f);
        doc.saved(bytes);
        c.change(f);
        EXPECT_EQ(doc.unsaved(), c.unsaved) << c.what;
        f.tallyFileName = "a.txt";
        EXPECT_FALSE(doc.changedByOthers(bytes)) << c.what;
        EXPECT_TRUE(doc.changedByOthers(bytes + "0\r\n")) << c.what;
    }
}

}  // namespace
}  // namespace lumora
