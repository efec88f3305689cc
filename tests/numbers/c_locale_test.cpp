// The figures do not depend on the C library's locale. A Qt application sets that locale from the
// environment, and on a Russian desktop it has a decimal comma: every figure must still be the
// standard's, computed the same as under the "C" locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "numbers/numbers.h"
#include "table/volume_table.h"
#include "tally/tally_state_support.h"

using namespace lumora;
using namespace lumora::test;

namespace {

const char kHowToGenerate[] =
    "run scripts/setup, or: sudo apt-get install locales && "
    "sudo sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen && sudo locale-gen";

// The locale name the C library takes from the environment, as setlocale(LC_ALL, "") would.
std::string environmentLocale() {
    for (const char *name : {"LC_ALL", "LC_NUMERIC", "LANG"})
        if (const char *v = std::getenv(name); v && *v) return v;
    return "C";
}

// A locale's name as this C library knows it: ru_RU.UTF-8 on POSIX systems, Russian_Russia.1251 in
// Windows' C run-time. The first name given when none loads, for the message.
const char *loadableName(std::initializer_list<const char *> names) {
    for (const char *name : names)
        if (std::setlocale(LC_ALL, name)) {
            std::setlocale(LC_ALL, "C");
            return name;
        }
    return *names.begin();
}
const char *russianLocale() { return loadableName({"ru_RU.UTF-8", "Russian_Russia.1251"}); }
const char *germanLocale() { return loadableName({"de_DE.UTF-8", "German_Germany.1252"}); }

// Switches the C library's whole locale for the life of the object.
class CLocale {
public:
    explicit CLocale(const char *name) : live_(std::setlocale(LC_ALL, name) != nullptr) {}
    ~CLocale() { std::setlocale(LC_ALL, "C"); }
    bool live() const { return live_; }
    static char decimalPoint() { return *std::localeconv()->decimal_point; }

private:
    bool live_;
};

// Everything a form shows for a tally typed afresh, as one text to compare.
std::string figures(int lengthEntry, const std::vector<std::pair<int, int>> &counts, int16_t decimals,
                    bool rounded) {
    TallyState state;
    state.length = static_cast<int16_t>(lengthEntry);
    state.rounded = rounded;
    state.decimals = decimals;
    for (auto [diameter, count] : counts)
        state.counts[static_cast<size_t>(rowOf(diameter) - 1)] = std::to_string(count);
    return typedAfresh(state);
}

}  // namespace

// The guard: a run under LANG=ru_RU.UTF-8 tests the Russian locale only when the C library has it.
TEST(CLibraryLocale, IsLiveWhenTheRunNamesARussianOne) {
    const std::string wanted = environmentLocale();
    const bool loaded = std::setlocale(LC_ALL, "") != nullptr;
    const char point = loaded ? CLocale::decimalPoint() : '?';
    std::setlocale(LC_ALL, "C");
    std::printf("C library locale: %s %s, decimal point '%c'\n", wanted.c_str(),
                loaded ? "is live" : "cannot be loaded", point);
    if (wanted.rfind("ru_RU", 0) != 0) return;
    ASSERT_TRUE(loaded) << "The run names " << wanted << ", but the C library cannot load it; "
                        << kHowToGenerate;
    EXPECT_EQ(point, ',') << "The C library's " << wanted << " has no decimal comma; " << kHowToGenerate;
}

// The whole 6,00 m column, read, shown and multiplied with the C library in a comma locale.
TEST(CLibraryLocale, TheSixMetreColumnIsExactUnderCommaLocales) {
    std::vector<std::pair<int, int>> tally;
    for (int d : diametersCm()) tally.push_back({d, d % 7 + 1});
    const std::string classic = figures(entryOf(600), tally, 3, true);
    for (const char *name : {russianLocale(), germanLocale()}) {
        SCOPED_TRACE(name);
        CLocale locale(name);
        if (!locale.live()) {
            if (std::string(name) == germanLocale()) continue;  // a second comma locale, when present
            FAIL() << "The C library cannot load " << name << "; " << kHowToGenerate;
        }
        ASSERT_EQ(CLocale::decimalPoint(), ',');
        for (int i = 1; i <= kRowCount; ++i) {
            const int32_t cell = tableCell(entryOf(600), i);
            const std::string shown = decimalText(cell, 4, kComma);
            EXPECT_EQ(numberText(*unitVolume(entryOf(600), i, kComma), kComma), shown) << i;
            EXPECT_EQ(scaledNumber(shown, 4, kComma), cell) << shown;
            EXPECT_EQ(*localeNumber(shown, kComma), cell / 10000.0) << shown;
            EXPECT_EQ(lenientNumber(decimalText(cell, 4, kPoint)), cell / 10000.0) << shown;
        }
        EXPECT_EQ(figures(entryOf(600), tally, 3, true), classic);
    }
}

// Random tallies at every length and rounding: the same figures under "C" and under ru_RU.
TEST(CLibraryLocale, TalliesAtEveryLengthShowTheSameFiguresUnderRussian) {
    std::mt19937 rng(2708);
    for (int entry = 1; entry <= kLengthCount; ++entry) {
        std::vector<std::pair<int, int>> tally;
        for (int k = 0; k < 12; ++k)
            tally.push_back({diametersCm()[rng() % kRowCount], static_cast<int>(rng() % 400)});
        const auto decimals = static_cast<int16_t>(1 + rng() % 3);
        const bool rounded = rng() % 4 != 0;
        const std::string classic = figures(entry, tally, decimals, rounded);
        CLocale russian(russianLocale());
        ASSERT_TRUE(russian.live()) << kHowToGenerate;
        EXPECT_EQ(figures(entry, tally, decimals, rounded), classic) << "length entry " << entry;
    }
}
