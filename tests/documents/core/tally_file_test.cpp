// The tally file format: what the writer produces byte for byte, and what the reader accepts,
// stores and refuses.
#include "documents/core/tally_file.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

const NumberFormat kComma{','};
const NumberFormat kPoint{'.'};

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
    for (const NumberFormat &fmt : {kComma, kPoint}) {
        TallyReadResult r = readTally(writeTally(counts), fmt);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.counts, counts);
    }
}

TEST(TallyFileReader, ZeroLinesEmptyTheBoxAndOtherNumbersAreKeptExactlyAsRead) {
    std::vector<std::string> file = zeros(93);
    file[0] = "00";
    file[1] = "007";
    file[2] = " 5 ";
    file[3] = "1,5";
    file[4] = "-0";
    TallyReadResult r = readTally(lines(file), kComma);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.counts[0], "");
    EXPECT_EQ(r.counts[1], "007");
    EXPECT_EQ(r.counts[2], " 5 ");
    EXPECT_EQ(r.counts[3], "1,5");
    EXPECT_EQ(r.counts[4], "");
    EXPECT_EQ(r.counts[5], "");
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
        {"two tallies one after the other", crlf + lines(std::vector<std::string>(93, "4"))},
        {"text after line 93", crlf + "не число\r\n\r\n"},
    };
    for (const auto &c : cases) {
        TallyReadResult r = readTally(c.bytes, kComma);
        ASSERT_TRUE(r.ok) << c.what << ": " << r.error;
        EXPECT_EQ(r.counts[0], "3") << c.what;
        EXPECT_EQ(r.counts[1], "") << c.what;
        EXPECT_EQ(r.counts[92], "8") << c.what;
    }
}

TEST(TallyFileReader, TheDecimalSeparatorIsTheLocales) {
    std::vector<std::string> file = zeros(93);
    file[9] = "2.5";
    EXPECT_TRUE(readTally(lines(file), kPoint).ok);
    TallyReadResult r = readTally(lines(file), kComma);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("строке 10"), std::string::npos) << r.error;
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
        {"a word", lines(text), "В строке 7 не число: «abc»."},
        {"binary bytes", lines(binary), "В строке 1 не число."},
        {"a long text", lines(longText), "В строке 2 не число."},
        {"over 1 MiB", lines(zeros(93)) + std::string(kMaxTallyFileBytes, '0'),
         "Файл больше 1 МБ — это не файл таблицы."},
    };
    for (const Refusal &c : refusals) {
        TallyReadResult r = readTally(c.bytes, kComma);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.error, c.message + "\nФайл не загружен, таблица не изменена.") << c.what;
    }
}

TEST(TallyFileReader, AFileOfExactlyOneMebibyteIsStillRead) {
    std::string bytes = lines(zeros(93));
    bytes += std::string(kMaxTallyFileBytes - bytes.size(), 'z');
    EXPECT_TRUE(readTally(bytes, kComma).ok);
    EXPECT_FALSE(readTally(bytes + "z", kComma).ok);
}

}  // namespace
}  // namespace lumora
