// The recovery file's text: a tally file that also carries the length, the rounding and the file name.
#include "documents/core/recovery_text.h"

#include <gtest/gtest.h>

#include "documents/core/tally_file.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

TEST(RecoveryText, KeepsTheWholeStateAndTheFileNameAndIsATallyFileToo) {
    TallyState s;
    s.length = 28;  // 3,00 m: the first length with both 3 cm and 120 cm
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

// Every length of the list, with every rounding, reads back as it was written.
TEST(RecoveryText, EveryLengthAndRoundingComesBack) {
    for (int entry = 0; entry <= kLengthCount; ++entry) {
        TallyState s;
        s.length = static_cast<int16_t>(entry);
        for (int i = 1; i <= kRowCount && entry > 0; ++i)
            if (tableCell(entry, i) != 0)
                s.counts[static_cast<size_t>(i - 1)] = std::to_string(entry * 7 % 1000);
        s.rounded = entry % 4 != 0;
        s.decimals = static_cast<int16_t>(1 + entry % 3);
        auto back = readRecovery(writeRecovery(s, "/t/" + std::to_string(entry) + ".txt"));
        ASSERT_TRUE(back) << entry;
        EXPECT_EQ(back->state, s) << entry;
    }
}

// Any file name comes back as it was, line breaks and "%" included; a file of the first version (the
// name as it is) still reads.
TEST(RecoveryText, FileNamesComeBackByteForByte) {
    for (const std::string &name :
         {std::string("/t/a\nb.txt"), std::string("/t/100%.txt"), std::string("/t/%0A.txt"),
          std::string("/t/\r\t\x7f.txt"), std::string("/t/file \nlength 1")}) {
        auto back = readRecovery(writeRecovery(TallyState{}, name));
        ASSERT_TRUE(back) << name;
        EXPECT_EQ(back->fileName, name);
        EXPECT_EQ(back->state.length, 64);
    }
    std::string first = writeRecovery(TallyState{}, "");
    first.replace(first.find("lumora-recovery 3"), 17, "lumora-recovery 1");
    first.replace(first.find("file "), std::string::npos, "file /t/100%.txt\r\n");
    ASSERT_TRUE(readRecovery(first));
    EXPECT_EQ(readRecovery(first)->fileName, "/t/100%.txt");
}

// A restore would drop a count its length cannot show: such a file is not a recovery file.
TEST(RecoveryText, CountsItsLengthCannotShowMakeItUnreadable) {
    TallyState s;
    s.counts[static_cast<size_t>(test::rowOf(69) - 1)] = "3";  // no 69 cm at 6,00 m
    EXPECT_FALSE(readRecovery(writeRecovery(s, "")));
    s.length = static_cast<int16_t>(test::entryOf(300));
    EXPECT_TRUE(readRecovery(writeRecovery(s, "")));
    s.length = 0;
    EXPECT_FALSE(readRecovery(writeRecovery(s, "")));
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

namespace lumora {
namespace {

// Version 3 records what the tally's file held when the tally left it (or that this is not known);
// a file of version 2 reads back without it, and a "held" line that is not a size and a SHA-256 is
// no recovery file.
// The title comes back escaped as a name is, and a file without its line (older ones) has none.
TEST(RecoveryText, TheTitleComesBackAndAFileWithoutItHasNone) {
    TallyState s;
    s.title = "Кв. 12 — 100%";
    const std::string text = writeRecovery(s, "/t/a.txt");
    ASSERT_TRUE(readRecovery(text));
    EXPECT_EQ(readRecovery(text)->state, s);
    EXPECT_EQ(readRecovery(text.substr(0, text.find("title ")))->state.title, "");
    std::string bad = text;
    bad.replace(bad.find("100%"), 4, "100%Z");
    EXPECT_FALSE(readRecovery(bad)) << "a broken escape";
}

TEST(RecoveryText, WhatTheFileHeldComesBackAndOlderVersionsStillRead) {
    RecoveredTally t;
    t.state.counts[0] = "5";
    t.fileName = "/лес/F.txt";
    t.held = FileContents{2861, std::string(64, 'a')};
    const std::string text = writeRecovery(t);
    ASSERT_TRUE(readRecovery(text));
    EXPECT_EQ(readRecovery(text)->held, t.held);
    EXPECT_EQ(readRecovery(text)->version, 3);
    t.held.reset();
    EXPECT_EQ(readRecovery(writeRecovery(t))->held, std::nullopt);

    std::string second = text.substr(0, text.find("held"));
    second.replace(second.find("lumora-recovery 3"), 17, "lumora-recovery 2");
    ASSERT_TRUE(readRecovery(second));
    EXPECT_EQ(readRecovery(second)->version, 2);
    EXPECT_EQ(readRecovery(second)->fileName, "/лес/F.txt");
    EXPECT_FALSE(readRecovery(second.replace(second.find(" 2\r\n"), 2, " 3"))) << "a 3 needs its line";
    for (const char *held : {"held 12", "held x ", "held 12 abc"}) {
        std::string bad = text;
        bad.replace(bad.find("held"), bad.find("\r\n", bad.find("held")) - bad.find("held"), held);
        EXPECT_FALSE(readRecovery(bad)) << held;
    }
}

}  // namespace
}  // namespace lumora
