// The tally file commands as a user meets them: save, save as, open, and what a bad file does.
#include <gtest/gtest.h>

#include "documents/core/tally_texts.h"
#include "scripted_dialogs.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::kComma;
using test::MemoryFiles;
using test::rowOf;
using test::ScriptedDialogs;
using test::typeCount;

// Everything the window shows that a load could change.
struct Shown {
    std::vector<std::string> counts, volumes;
    std::string Text1, Text2, Text13, Text4, Text3;
    int16_t decimals;
    bool operator==(const Shown &o) const {
        return counts == o.counts && volumes == o.volumes && Text1 == o.Text1 && Text2 == o.Text2 &&
               Text13 == o.Text13 && Text4 == o.Text4 && Text3 == o.Text3 && decimals == o.decimals;
    }
};

Shown shown(const Form &f) {
    Shown s;
    for (int i = 1; i <= kRowCount; ++i) {
        s.counts.push_back(f.row(i).count);
        s.volumes.push_back(f.row(i).vd);
    }
    s.Text1 = f.Text1();
    s.Text2 = f.Text2();
    s.Text13 = f.Text13();
    s.Text4 = f.Text4();
    s.Text3 = f.Text3();
    s.decimals = f.decimals();
    return s;
}

// Lines 94 and 95 of a tally saved at the start-up length and rounding: 6,00 m, one decimal.
const std::string kAtStart = "6,00\r\n1\r\n";

std::string fileWith(const std::vector<std::pair<int, std::string>> &linesByDiameter) {
    TallyCounts counts;
    for (const auto &[d, text] : linesByDiameter) counts[static_cast<size_t>(rowOf(d) - 1)] = text;
    return writeTally(counts);
}

struct TallyCommands : ::testing::Test {
    TallyCommands() : f(kComma) { f.startUp(); }
    Form f;
    ScriptedDialogs dialogs;
    MemoryFiles files;
};

TEST_F(TallyCommands, SaveAsksForANameOnceThenWritesThereWithoutAsking) {
    typeCount(f, 24, "5");
    dialogs.answers = {std::string("/t/a.txt")};
    saveTally(f, dialogs, files);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, "save");
    EXPECT_EQ(dialogs.shown[0].title, "Сохранить...");
    EXPECT_EQ(dialogs.shown[0].filter, "Текстовые файлы (*.txt)");
    EXPECT_EQ(f.tallyFileName, "/t/a.txt");
    EXPECT_EQ(files.files["/t/a.txt"], fileWith({{24, "5"}}) + kAtStart);

    const std::string first = files.files["/t/a.txt"];
    saveTally(f, dialogs, files);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(files.writes, 2);
    EXPECT_EQ(files.files["/t/a.txt"], first);  // saving twice gives the same bytes
}

TEST_F(TallyCommands, SaveAsAlwaysAsksAndRemembersTheNewName) {
    f.tallyFileName = "/t/old.txt";
    dialogs.answers = {std::string("/t/new.txt")};
    saveTallyAs(f, dialogs, files);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Сохранить как...");
    EXPECT_EQ(f.tallyFileName, "/t/new.txt");
    EXPECT_EQ(files.files.count("/t/old.txt"), 0u);
    EXPECT_EQ(files.files["/t/new.txt"], writeTally(TallyCounts{}) + kAtStart);
}

TEST_F(TallyCommands, ACancelledSaveWritesNothingAndKeepsTheName) {
    f.tallyFileName = "/t/old.txt";
    dialogs.answers = {std::nullopt};
    saveTallyAs(f, dialogs, files);
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(f.tallyFileName, "/t/old.txt");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TallyCommands, AFailedSaveIsReportedAndDoesNotAdoptTheName) {
    files.failWrites = "Нет места на диске.";
    dialogs.answers = {std::string("/t/a.txt")};
    saveTally(f, dialogs, files);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Нет места на диске."});
    EXPECT_EQ(f.tallyFileName, "");
    // Saving to the remembered file reports a failure the same way.
    f.tallyFileName = "/t/b.txt";
    saveTally(f, dialogs, files);
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(TallyCommands, OpeningAFileGivesTheSameResultsAsTypingItsCounts) {
    Form typed(kComma);
    typed.startUp();
    typeCount(typed, 12, "3");
    typeCount(typed, 24, "5");
    typeCount(typed, 40, "12");
    files.files["/t/t.txt"] = fileWith({{12, "3"}, {24, "5"}, {40, "12"}});
    typeCount(f, 30, "7");  // replaced by the file's empty line

    dialogs.answers = {std::string("/t/t.txt")};
    openTally(f, dialogs, files);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, "open");
    EXPECT_EQ(dialogs.shown[0].title, "Загрузить текстовый файл");
    EXPECT_EQ(dialogs.shown[0].filter, "Текстовые файлы (*.txt);;Все файлы (*)");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(shown(f) == shown(typed));
    EXPECT_EQ(f.Text13(), "20");
    EXPECT_EQ(f.tallyFileName, "/t/t.txt");
    EXPECT_EQ(f.loadingFile, kClear);
}

TEST_F(TallyCommands, TheDecimalsEndAsTheyWereWhateverTheyWere) {
    files.files["/t/t.txt"] = fileWith({{24, "5"}});
    for (int16_t d : {1, 2, 3}) {
        f.setDecimals(d);
        dialogs.answers = {std::string("/t/t.txt")};
        openTally(f, dialogs, files);
        EXPECT_EQ(f.decimals(), d);
        EXPECT_EQ(f.Text3(), std::to_string(d));
    }
}

TEST_F(TallyCommands, SaveAfterOpenWritesToTheOpenedFileAndARoundTripKeepsTheCounts) {
    const std::string bytes = fileWith({{3, "007"}, {24, "5"}, {120, "99999"}});
    files.files["/t/t.txt"] = bytes;
    dialogs.answers = {std::string("/t/t.txt")};
    openTally(f, dialogs, files);
    EXPECT_EQ(f.row(rowOf(3)).count, "007");
    files.files.clear();
    saveTally(f, dialogs, files);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(files.files["/t/t.txt"], bytes + kAtStart);
}

TEST_F(TallyCommands, ABadFileChangesNothingAndSaysWhatIsWrong) {
    typeCount(f, 24, "5");
    typeCount(f, 30, "2");
    f.tallyFileName = "/t/mine.txt";
    std::string fiftyLines;
    for (int i = 0; i < 50; ++i) fiftyLines += "3\r\n";
    const struct {
        std::string bytes, message;
    } cases[] = {
        {fiftyLines, "Строки 51 нет"},
        {fileWith({{12, "abc"}}), "В строке 10 должно быть целое число от 0 до 99999, а в ней «abc»."},
        {std::string(2 * 1024 * 1024, '1'), "Файл больше 1 МБ"},
    };
    for (const auto &c : cases) {
        const Shown before = shown(f);
        files.files["/t/bad.txt"] = c.bytes;
        dialogs.messages.clear();
        dialogs.answers = {std::string("/t/bad.txt")};
        openTally(f, dialogs, files);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].rfind(c.message, 0), 0u) << dialogs.messages[0];
        EXPECT_TRUE(shown(f) == before) << c.message;
        EXPECT_EQ(f.tallyFileName, "/t/mine.txt");
        EXPECT_EQ(f.loadingFile, kClear);
    }
    // A file that cannot be read at all is reported by the store's own message.
    dialogs.messages.clear();
    dialogs.answers = {std::string("/t/missing.txt")};
    openTally(f, dialogs, files);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Файл не найден."});
}

TEST_F(TallyCommands, CancellingTheOpenDialogChangesNothingAndLaterEditsRecalculate) {
    typeCount(f, 24, "5");
    const Shown before = shown(f);
    dialogs.answers = {std::nullopt};
    openTally(f, dialogs, files);
    EXPECT_TRUE(shown(f) == before);
    EXPECT_EQ(f.loadingFile, kClear);
    typeCount(f, 24, "0");  // now "50"
    EXPECT_EQ(f.Text13(), "50");
    EXPECT_NE(f.Text4(), before.Text4);
}

// A load takes the whole file or nothing: counts the selected length cannot show refuse the file,
// and the message names those steps and the lengths that have them all.
TEST_F(TallyCommands, AFileWithCountsTheLengthCannotShowIsRefusedWhole) {
    struct Case {
        int lengthCm;  // 0: no length selected
        std::vector<std::pair<int, std::string>> file;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {1000,
         {{7, "4"}, {15, "2"}, {24, "3"}, {69, "1"}},
         {"при длине 10,00 м", "7 см — 4 шт., 15 см — 2 шт., 69 см — 1 шт.",
          "Все эти ступени есть при длинах 1,00–", "не загружен"}},
        {600, {{24, "4"}, {69, "3"}}, {"при длине 6,00 м", "69 см — 3 шт.", "есть при длинах "}},
        {0, {{24, "5"}}, {"длина не выбрана", "24 см — 5 шт.", "есть при длинах 1,00–"}},
    };
    for (const Case &c : cases) {
        Form g(kComma);
        g.startUp();
        g.setListIndex(c.lengthCm ? test::entryOf(c.lengthCm) : 0);
        if (c.lengthCm) typeCount(g, 30, "2");
        g.tallyFileName = "/t/mine.txt";
        const Shown before = shown(g);
        ScriptedDialogs d;
        files.files["/t/plot.txt"] = fileWith(c.file);
        d.answers = {std::string("/t/plot.txt")};
        EXPECT_FALSE(openTally(g, d, files)) << c.lengthCm;
        EXPECT_TRUE(shown(g) == before) << c.lengthCm;
        EXPECT_EQ(g.tallyFileName, "/t/mine.txt");
        ASSERT_EQ(d.messages.size(), 1u);
        for (const std::string &text : c.said)
            EXPECT_NE(d.messages[0].find(text), std::string::npos) << text << "\n" << d.messages[0];
        EXPECT_EQ(d.messages[0].find(".."), std::string::npos) << d.messages[0];  // no doubled full stop
    }
}

TEST_F(TallyCommands, OpenRecomputesEveryResultWhenOnlyTheFirstLineDiffers) {
    files.files["/t/t.txt"] = fileWith({{3, "7"}});
    dialogs.answers = {std::string("/t/t.txt")};
    openTally(f, dialogs, files);
    EXPECT_EQ(f.Text13(), "7");
    EXPECT_EQ(f.row(1).vd, "0,1");  // 7 x 0,012 = 0,084
    EXPECT_EQ(f.Text4(), "0,1");
    EXPECT_EQ(f.Text1(), "3");
    EXPECT_EQ(f.Text2(), "3");
}

}  // namespace
}  // namespace lumora
