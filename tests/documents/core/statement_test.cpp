// The consolidated statement of several saved tallies, each at its own length and rounding.
#include "documents/core/statement.h"

#include <gtest/gtest.h>

#include <map>

#include "scripted_dialogs.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::kComma;
using test::MemoryFiles;
using test::rowOf;

// A saved tally file: counts by diameter, then the length line and the rounding line when given.
std::string tallyFile(const std::map<int, int> &counts, const std::string &length = "",
                      const std::string &rounding = "") {
    std::string bytes;
    for (int i = 1; i <= kRowCount; ++i) {
        const auto it = counts.find(diametersCm()[static_cast<size_t>(i - 1)]);
        bytes += (it == counts.end() ? std::string("0") : std::to_string(it->second)) + "\r\n";
    }
    if (!length.empty()) bytes += length + "\r\n" + rounding + "\r\n";
    return bytes;
}

// value * 10^-4 with a comma, trailing zeros dropped: the window's way of writing a volume.
std::string text4(int64_t value) {
    std::string digits = std::to_string(value);
    while (digits.size() < 5) digits.insert(0, "0");
    std::string whole = digits.substr(0, digits.size() - 4), part = digits.substr(digits.size() - 4);
    while (!part.empty() && part.back() == '0') part.pop_back();
    return part.empty() ? whole : whole + "," + part;
}

struct Tally {
    const char *path;
    int lengthCm;
    const char *length;
    const char *rounding;
    int places;
    std::map<int, int> counts;
};

TEST(Statement, AddsUpTalliesOfMixedLengthsAndRoundingsAsEachShowsItself) {
    const Tally tallies[] = {
        {"/day/лот-1.txt", 400, "4,00", "1", 1, {{12, 5}, {20, 3}, {30, 2}}},
        {"/day/lot2.txt", 650, "6.50", "3", 3, {{8, 7}, {14, 11}, {26, 4}, {44, 1}}},
        {"C:\\day\\lot3.txt", 300, "3,00", "-", 4, {{13, 9}, {24, 6}, {25, 2}, {60, 3}}},
    };
    MemoryFiles files;
    std::vector<StatementTally> loaded;
    std::vector<std::string> expected;
    int64_t totalLogs = 0, totalVolume = 0, groupLogs[3] = {}, groupVolume[3] = {};
    int64_t byCount = 0, byVolume = 0;  // Σ diameter × count and × step volume, the window's sums
    for (const Tally &t : tallies) {
        files.files[t.path] = tallyFile(t.counts, t.length, t.rounding);
        StatementLoad load = loadStatementTally(files, t.path, kComma);
        ASSERT_TRUE(load.tally) << load.error;
        loaded.push_back(std::move(*load.tally));
        int64_t logs = 0, volume = 0, unit = 1;
        for (int k = t.places; k < 4; ++k) unit *= 10;
        for (auto [cm, count] : t.counts) {
            const int64_t v =
                (int64_t{tableCell(entryOf(t.lengthCm), rowOf(cm))} * count + unit / 2) / unit * unit;
            logs += count;
            volume += v;
            const int g = cm < 14 ? 0 : cm < 26 ? 1 : 2;
            groupLogs[g] += count;
            groupVolume[g] += v;
            byCount += cm * count;
            byVolume += cm * v;
        }
        totalLogs += logs;
        totalVolume += volume;
        const std::string name = fileNameOf(t.path);
        expected.push_back(name + "\t" + std::string(t.length).replace(1, 1, ",") + "\t" +
                           std::to_string(logs) + "\t" + text4(volume) + "\t" + loaded.back().texts.Text1 +
                           "\t" + loaded.back().texts.Text2);
    }
    // The whole statement's means by the same rule, unrounded as its unrounded tally is.
    expected.push_back("Итого\t\t" + std::to_string(totalLogs) + "\t" + text4(totalVolume) + "\t" +
                       *quotient0_0xx(byCount, totalLogs, kComma) + "\t" +
                       *quotient0_0xx(byVolume, totalVolume, kComma));
    const char *labels[] = {"Мелкие (до 13 см)", "Средние (14–24 см)", "Крупные (от 26 см)"};
    for (int g = 0; g < 3; ++g)
        expected.push_back(std::string(labels[g]) + "\t\t" + std::to_string(groupLogs[g]) + "\t" +
                           text4(groupVolume[g]));

    const Statement s = makeStatement(std::move(loaded), kComma);
    EXPECT_EQ(statementLines(s, kComma), expected);
    EXPECT_EQ(s.places, 4);  // the unrounded tally
    EXPECT_EQ(groupVolume[0] + groupVolume[1] + groupVolume[2], totalVolume);
}

TEST(Statement, RefusesFilesItCannotPlaceNamingThem) {
    std::string unshowable = tallyFile({{120, 1}}, "0,50", "2");  // 0,50 m has no 120 cm step
    std::string broken = tallyFile({{20, 1}}, "4,00", "2");
    broken.replace(broken.find("0\r\n"), 1, "abc");
    struct Case {
        const char *path;
        std::optional<std::string> bytes;  // nullopt: no such file
        const char *says;
    } cases[] = {
        {"/in/old.txt", tallyFile({{20, 4}}), "нет длины"},
        {"/in/broken.txt", broken, "строке 1"},
        {"/in/missing.txt", std::nullopt, "не найден"},
        {"/in/unshowable.txt", unshowable, "120 см"},
    };
    for (const Case &c : cases) {
        MemoryFiles files;
        if (c.bytes) files.files[c.path] = *c.bytes;
        const StatementLoad load = loadStatementTally(files, c.path, kComma);
        EXPECT_FALSE(load.tally) << c.path;
        EXPECT_NE(load.error.find(c.path), std::string::npos) << load.error;
        EXPECT_NE(load.error.find(c.says), std::string::npos) << load.error;
    }
}

}  // namespace
}  // namespace lumora
