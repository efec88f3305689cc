// The recovery file's text: a tally file that also carries the length, the rounding and the file name.
#include "documents/core/recovery_text.h"

#include <gtest/gtest.h>

#include "../../tally/form_test_support.h"
#include "documents/core/tally_file.h"

namespace lumora {
namespace {

TEST(RecoveryText, KeepsTheWholeStateAndTheFileNameAndIsATallyFileToo) {
    TallyState s;
    s.length = 12;
    s.counts[0] = "5";
    s.counts[92] = "007";
    s.rounded = false;
    s.decimals = 3;
    const std::string text = writeRecovery(s, "/home/лес/квартал 12.txt");

    auto back = readRecovery(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->state, s);
    EXPECT_EQ(back->fileName, "/home/лес/квартал 12.txt");

    // Its first 93 lines are a tally file's, as earlier versions read it.
    TallyReadResult asTally = readTallyCounts(text);
    ASSERT_TRUE(asTally.ok);
    EXPECT_EQ(asTally.counts, s.counts);
    EXPECT_EQ(readRecovery(writeRecovery(TallyState{}, ""))->fileName, "");
}

TEST(RecoveryText, ACutOrForeignFileIsNotRecovered) {
    TallyState s;
    const std::string text = writeRecovery(s, "x.txt");
    EXPECT_FALSE(readRecovery(text.substr(0, text.size() / 2)));
    EXPECT_FALSE(readRecovery(writeTally(s.counts)));  // a plain tally file
    std::string badLength = text;
    badLength.replace(badLength.find("length 64"), 9, "length 999");
    EXPECT_FALSE(readRecovery(badLength));
    std::string badDecimals = text;
    badDecimals.replace(badDecimals.find("decimals 2"), 10, "decimals 7");
    EXPECT_FALSE(readRecovery(badDecimals));
}

}  // namespace
}  // namespace lumora
