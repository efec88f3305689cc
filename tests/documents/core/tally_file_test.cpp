// The tally file format: what the writer produces byte for byte, and what the reader accepts,
// stores and refuses.
#include "documents/core/tally_file.h"

#include <gtest/gtest.h>

#include "documents/core/tally_texts.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::kComma;
using test::kPoint;

std::string lines(const std::vector<std::string> &texts, const std::string &end = "\r\n") {
    std::string s;
    for (const auto &t : texts) s += t + end;
    return s;
}

std::vector<std::string> zeros(size_t n) { return std::vector<std::string>(n, "0"); }

TEST(TallyFileWriter, FiveLogsAtStepFourAndTwelveAtStepSixGiveTheDocumentedLines) {
    TallyCounts counts;
    counts[3] = "5";
    counts[5] = "12";
    std::vector<std::string> expected = {"0", "0", "0", "5", "0", "12"};
    for (int i = 0; i < 87; ++i) expected.push_back("0");
    EXPECT_EQ(writeTally(counts), lines(expected));
}

TEST(TallyFileWriter, AnEmptyTallyIsNinetyThreeZeroLinesEachEndedByCrLf) {
    const std::string bytes = writeTally(TallyCounts{});
    EXPECT_EQ(bytes, lines(zeros(93)));
    EXPECT_EQ(bytes.size(), 93u * 3);
    EXPECT_EQ(bytes.substr(bytes.size() - 3), "0\r\n");
}

TEST(TallyFileReader, ReadsBackWhatTheWriterWrote) {
    TallyCounts counts;
    for (size_t i = 0; i < counts.size(); i += 3) counts[i] = std::to_string(i * 7 + 1);
    TallyReadResult r = readTally(writeTally(counts));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.counts, counts);
}

// Whatever the user can put into the count boxes (typed digits with leading zeros, the most a box
// holds, keypad plus and minus, Backspace), under either decimal separator, is saved as a file that
// loads back to the same counts, a zero count coming back as an empty box.
TEST(TallyFileReader, EveryTallyTheProgramSavesLoadsBack) {
    for (const NumberFormat &fmt : {kComma, kPoint}) {
        Form form(fmt);
        form.startUp();
        const std::string typed[] = {"0", "00000", "007", "1", "42", "99999", "10000", "5"};
        for (int r = 1; r <= kRowCount; ++r) {
            const int index = 1000 + r;
            form.countGotFocus(index);
            for (char c : typed[static_cast<size_t>(r) % std::size(typed)])
                form.typeCountChar(index, static_cast<char32_t>(c));
            if (r % 5 == 0) form.countKeyDown(index, Key::KeypadPlus);
            if (r % 7 == 0) form.countKeyDown(index, Key::KeypadMinus);
            if (r % 11 == 0) form.countKeyDown(index, Key::Backspace);
        }
        const TallyCounts saved = tallyCounts(form);
        TallyReadResult r = readTally(writeTally(saved));
        ASSERT_TRUE(r.ok) << r.error;
        for (size_t i = 0; i < saved.size(); ++i) {
            const bool zero = saved[i].find_first_not_of('0') == std::string::npos;
            EXPECT_EQ(r.counts[i], zero ? std::string() : saved[i]) << "step " << i + 1;
        }
        EXPECT_NE(std::find(saved.begin(), saved.end(), "99999"), saved.end());
        EXPECT_NE(std::find(saved.begin(), saved.end(), "007"), saved.end());
    }
}

TEST(TallyFileReader, ZeroLinesEmptyTheBoxAndCountsAreKeptWithoutTheirBlanks) {
    std::vector<std::string> file = zeros(93);
    const std::pair<std::string, std::string> cases[] = {
        {"00", ""},         {"007", "007"},       {" 5 ", "5"},      {"\t12\t", "12"},    {"00000", ""},
        {"99999", "99999"}, {"0099999", "99999"}, {"0000012", "12"}, {"  00000000 ", ""}, {"00100", "00100"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) file[i] = cases[i].first;
    TallyReadResult r = readTally(lines(file));
    ASSERT_TRUE(r.ok) << r.error;
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(r.counts[i], cases[i].second) << cases[i].first;
    EXPECT_EQ(r.counts[std::size(cases)], "");
}

TEST(TallyFileReader, AcceptsTheLineEndsAndExtrasThatEditorsProduce) {
    std::vector<std::string> file = zeros(93);
    file[0] = "3";
    file[92] = "8";
    const std::string crlf = lines(file);
    const struct {
        const char *what;
        std::string bytes;
    } cases[] = {
        {"CR LF", crlf},
        {"no final line break", crlf.substr(0, crlf.size() - 2)},
        {"CR only", lines(file, "\r")},
        {"LF only", lines(file, "\n")},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + crlf},
        {"blank lines after line 93", crlf + "\r\n  \r\n\n"},
        {"a length and a rounding after line 93", crlf + "4,00\r\n2\r\n"},
        {"text after line 95", crlf + "4.00\n-\nзаметка\n"},
    };
    for (const auto &c : cases) {
        TallyReadResult r = readTally(c.bytes);
        ASSERT_TRUE(r.ok) << c.what << ": " << r.error;
        EXPECT_EQ(r.settings.has_value(), c.bytes.find("4") != std::string::npos) << c.what;
        EXPECT_EQ(r.counts[0], "3") << c.what;
        EXPECT_EQ(r.counts[1], "") << c.what;
        EXPECT_EQ(r.counts[92], "8") << c.what;
    }
}

// After the 93 counts, lines 94 and 95 are the length and the rounding only when both are valid:
// anything else there (a second tally, a note, a recovery file's own lines) is ignored, and the file
// opens as a 93-line file with its counts.
TEST(TallyFileReader, WhatFollowsTheCountsIsIgnoredUnlessItIsALengthAndARounding) {
    std::vector<std::string> file = zeros(93);
    file[4] = "77";
    const std::string counts = lines(file);
    const std::string ignored[] = {
        counts + counts,                                // two tallies one after the other
        counts + "4,15\r\n2\r\n",                       // a length not in the list
        counts + "4\r\n2\r\n",                          // a length without its hundredths
        counts + "не число\r\n",                        // a note typed after the counts
        counts + "4,00\r\n",                            // a length without its rounding
        counts + "4,00\r\n4\r\n",                       // four decimals
        counts + "4,00\r\n\r\n2\r\n",                   // an empty rounding line
        counts + "lumora-recovery 2\r\nlength 40\r\n",  // a recovery file's own lines
    };
    for (const std::string &bytes : ignored) {
        TallyReadResult r = readTally(bytes);
        ASSERT_TRUE(r.ok) << bytes.substr(counts.size());
        EXPECT_EQ(r.counts[4], "77");
        EXPECT_FALSE(r.settings.has_value()) << bytes.substr(counts.size());
    }
}

// A count is what typing into a count box can produce: a whole number of at most five digits. A sign,
// a fraction under either separator, an exponent or a million logs would reach the totals as counts
// that no box can show, so the file is refused at the line that holds one.
TEST(TallyFileReader, CountsThatTypingCannotProduceRefuseTheFileAtTheirLine) {
    const char *notCounts[] = {"-5",      "+5",     "-0",  "1e3",  "1,5", "2.5", "1e308",
                               "1000000", "100000", "5 5", "0x10", "inf", "nan", "12а"};
    int line = 1;
    for (const char *count : notCounts) {
        std::vector<std::string> file = zeros(93);
        file[static_cast<size_t>(line - 1)] = count;
        TallyReadResult r = readTally(lines(file));
        EXPECT_FALSE(r.ok) << count;
        const std::string quoted =
            std::string(count) == "12а" ? "." : std::string(", а в ней «") + count + "».";
        EXPECT_EQ(r.error, "В строке " + std::to_string(line) + " должно быть целое число от 0 до 99999" +
                               quoted + "\nФайл не загружен, таблица не изменена.")
            << count;
        line += 6;
    }
}

struct Refusal {
    const char *what;
    std::string bytes;
    std::string message;  // the first line of the message
};

TEST(TallyFileReader, RefusesBrokenFilesNamingTheProblemAndTheLine) {
    std::vector<std::string> emptyLine = zeros(93);
    emptyLine[4] = "";
    std::vector<std::string> text = zeros(93);
    text[6] = "abc";
    std::vector<std::string> binary = zeros(93);
    binary[0] = std::string("\x01\xFF\x00PK", 5);
    std::vector<std::string> longText = zeros(93);
    longText[1] = std::string(40, 'x');
    std::vector<std::string> blanks = zeros(93);
    blanks[2] = "   ";
    const Refusal refusals[] = {
        {"empty file", "", "Файл пустой, а в нём должно быть 93 строки — по одной на каждый диаметр."},
        {"only a byte-order mark", "\xEF\xBB\xBF",
         "Файл пустой, а в нём должно быть 93 строки — по одной на каждый диаметр."},
        {"fifty lines", lines(zeros(50)),
         "Строки 51 нет: файл кончился раньше, а в нём должно быть 93 строки — по одной на каждый "
         "диаметр."},
        {"ninety-two lines", lines(zeros(92)),
         "Строки 93 нет: файл кончился раньше, а в нём должно быть 93 строки — по одной на каждый "
         "диаметр."},
        {"an empty line", lines(emptyLine), "Строка 5 пустая, а в ней должно быть число."},
        {"a line of blanks", lines(blanks), "Строка 3 пустая, а в ней должно быть число."},
        {"a word", lines(text), "В строке 7 должно быть целое число от 0 до 99999, а в ней «abc»."},
        {"binary bytes", lines(binary), "В строке 1 должно быть целое число от 0 до 99999."},
        {"a long text", lines(longText), "В строке 2 должно быть целое число от 0 до 99999."},
        {"over 1 MiB", lines(zeros(93)) + std::string(kMaxTallyFileBytes, '0'),
         "Файл больше 1 МБ — это не файл таблицы."},
    };
    for (const Refusal &c : refusals) {
        TallyReadResult r = readTally(c.bytes);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.error, c.message + "\nФайл не загружен, таблица не изменена.") << c.what;
    }
}

// Lines 94 and 95: the length as the list shows it, with either separator, and the rounding. The first
// 93 lines stay what earlier versions wrote, so a reader that takes only them reads the same counts.
TEST(TallyFileLengthAndRounding, AreWrittenAfterTheCountsAndReadBack) {
    TallyCounts counts;
    counts[21] = "5";
    counts[92] = "007";
    const struct {
        int lengthCm;
        bool rounded;
        int decimals;
        char separator;
        const char *lines94and95;
    } cases[] = {
        {400, true, 2, ',', "4,00\r\n2\r\n"},    {50, true, 1, ',', "0,50\r\n1\r\n"},
        {1500, true, 3, '.', "15.00\r\n3\r\n"},  {625, false, 2, ',', "6,25\r\n-\r\n"},
        {1050, false, 3, '.', "10.50\r\n-\r\n"},
    };
    for (const auto &c : cases) {
        const TallySettings settings{test::entryOf(c.lengthCm), c.rounded, c.decimals};
        const std::string bytes = writeTally(counts, settings, c.separator);
        EXPECT_EQ(bytes, writeTally(counts) + c.lines94and95) << c.lines94and95;

        TallyReadResult r = readTally(bytes);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.counts, counts);
        ASSERT_TRUE(r.settings.has_value()) << c.lines94and95;
        EXPECT_EQ(*r.settings, settings) << c.lines94and95;

        TallyReadResult countsOnly = readTallyCounts(bytes);
        ASSERT_TRUE(countsOnly.ok);
        EXPECT_EQ(countsOnly.counts, counts);
    }
    TallyReadResult old = readTally(writeTally(counts));
    ASSERT_TRUE(old.ok);
    EXPECT_FALSE(old.settings.has_value()) << "a file of earlier versions carries no length";
}

// A length is read back as the entry it was written from, under either separator and with the
// blanks an editor leaves; anything else names no entry.
TEST(TallyFileLengthAndRounding, ALengthTextNamesItsEntryAndNothingElseDoes) {
    for (int k = 1; k <= kLengthCount; ++k)
        for (const char separator : {',', '.'}) {
            const std::string text = lengthText(k, separator);
            EXPECT_EQ(lengthOfText(text), k) << text;
            EXPECT_EQ(lengthOfText(" " + text + "\t"), k) << text;
        }
    for (const char *text : {"", "6", "6,0", "6,000", "06,00", "006,00", "+6,00", "-6,00", "6;00", "6,0 0",
                             ",00", "6,", "4,15", "99,00", "0,00", "150,00", "6,00\r\n2"})
        EXPECT_EQ(lengthOfText(text), 0) << text;
}

// Line 96 is the title, and only after a valid length and rounding; its own line breaks and other
// control characters cannot make another line of it. A reader of lines 94 and 95 sees the same
// settings with or without it.
TEST(TallyFileTitle, IsLineNinetySixAfterAValidLengthAndRounding) {
    std::vector<std::string> file = zeros(93);
    file[4] = "77";
    const std::string counts = lines(file);
    const struct {
        const char *after93;
        bool settings;
        const char *title;
    } cases[] = {
        {"4,00\r\n2\r\nКв. 12, выд. 5, дел. 3 — Машина 1\r\n", true, "Кв. 12, выд. 5, дел. 3 — Машина 1"},
        {"4,00\r\n2\r\nКв. , выд. , дел. \r\n", true, "Кв. , выд. , дел. "},  // blanks kept
        {"4,00\r\n-\nМашина 2", true, "Машина 2"},                            // LF, no final break
        {"4,00\r\n2\r\nа\tб\r\nвторая строка\r\n", true, "а б"},              // one line, tab flattened
        {"4,00\r\n2\r\n", true, ""},                                          // no line 96: no title
        {"4,00\r\n2\r\n\r\nМашина\r\n", true, ""},                            // an empty line 96
        {"4,15\r\n2\r\nМашина\r\n", false, ""},                               // a length not in the list
        {"4,00\r\n4\r\nМашина\r\n", false, ""},                               // a rounding that is none
        {"Машина\r\n", false, ""},                                            // a note after the counts
    };
    for (const auto &c : cases) {
        const TallyReadResult r = readTally(counts + c.after93);
        ASSERT_TRUE(r.ok) << c.after93;
        EXPECT_EQ(r.counts[4], "77") << c.after93;
        EXPECT_EQ(r.settings.has_value(), c.settings) << c.after93;
        EXPECT_EQ(r.title, c.title) << c.after93;
    }

    // The writer writes line 96 only for a title, as one line, and it reads back.
    TallyCounts tally;
    tally[4] = "77";
    const TallySettings settings{test::entryOf(400), true, 2};
    EXPECT_EQ(writeTally(tally, settings, ',', ""), writeTally(tally, settings, ','));
    const std::string titled = writeTally(tally, settings, ',', "Машина 1\r\nвыд. 5");
    EXPECT_EQ(titled, writeTally(tally, settings, ',') + "Машина 1  выд. 5\r\n");
    EXPECT_EQ(readTally(titled).title, "Машина 1  выд. 5");
    EXPECT_EQ(writeTally(tally, std::nullopt, ',', "Машина 1"), writeTally(tally))
        << "without a length there is no line 94, so no line 96";
}

TEST(TallyFileReader, AFileOfExactlyOneMebibyteIsStillRead) {
    std::string bytes = lines(zeros(93));
    bytes += std::string(kMaxTallyFileBytes - bytes.size(), '\n');
    EXPECT_TRUE(readTally(bytes).ok);
    EXPECT_FALSE(readTally(bytes + "\n").ok);
}

}  // namespace
}  // namespace lumora
