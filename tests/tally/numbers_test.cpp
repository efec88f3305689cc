#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tally/numbers.h"

using namespace lumora;

namespace {
const NumberFormat comma{','};
const NumberFormat point{'.'};
}  // namespace

TEST(Numbers, LocaleNumberTakesOnlyTheLocaleSeparator) {
    EXPECT_EQ(*localeNumber("25", comma), 25);
    EXPECT_DOUBLE_EQ(*localeNumber(" 0,0147 ", comma), 0.0147);
    EXPECT_DOUBLE_EQ(*localeNumber("-1,5", comma), -1.5);
    EXPECT_DOUBLE_EQ(*localeNumber("+2", comma), 2);
    EXPECT_FALSE(localeNumber("0.5", comma));
    EXPECT_DOUBLE_EQ(*localeNumber("0.5", point), 0.5);
    EXPECT_FALSE(localeNumber("0,5", point));
    EXPECT_FALSE(localeNumber("", comma));
    EXPECT_FALSE(localeNumber("   ", comma));
    EXPECT_FALSE(localeNumber("abc", comma));
    EXPECT_FALSE(localeNumber("12a", comma));
    EXPECT_FALSE(localeNumber(",", comma));
    EXPECT_EQ(*localeNumber("007", comma), 7);
}

TEST(Numbers, LenientNumberReadsTheLeadingNumberAndNeverFails) {
    EXPECT_EQ(lenientNumber("12"), 12);
    EXPECT_EQ(lenientNumber("1 2"), 12);
    EXPECT_EQ(lenientNumber("12abc"), 12);
    EXPECT_EQ(lenientNumber("abc"), 0);
    EXPECT_EQ(lenientNumber(""), 0);
    EXPECT_DOUBLE_EQ(lenientNumber("1.5"), 1.5);
    EXPECT_EQ(lenientNumber("1,5"), 1);  // the comma is not a decimal point here
    EXPECT_EQ(lenientNumber("-3"), -3);
}

TEST(Numbers, NumberTextUsesTheLocaleSeparatorAndNoTrailingZeros) {
    EXPECT_EQ(numberText(25, comma), "25");
    EXPECT_EQ(numberText(0.0147, comma), "0,0147");
    EXPECT_EQ(numberText(0.0147, point), "0.0147");
    EXPECT_EQ(numberText(0, comma), "0");
    EXPECT_EQ(numberText(8.18, comma), "8,18");
    EXPECT_EQ(numberText(0.1 + 0.2, comma), "0,3");  // 15 significant digits
    EXPECT_EQ(numberText(123456.5, comma), "123456,5");
    EXPECT_EQ(numberText(-0.01, comma), "-0,01");
}

TEST(Numbers, FormatKeepsOneToThreeDecimals) {
    EXPECT_EQ(format0_0xx(24, comma), "24,0");
    EXPECT_EQ(format0_0xx(24.12345, comma), "24,123");
    EXPECT_EQ(format0_0xx(70.0 / 3.0, comma), "23,333");
    EXPECT_EQ(format0_0xx(23.5, point), "23.5");
    EXPECT_EQ(format0_0xx(0.0005, comma), "0,001");  // halves away from zero
    EXPECT_EQ(format0_0xx(-0.0005, comma), "-0,001");
    EXPECT_EQ(format0_0xx(9.9996, comma), "10,0");
    EXPECT_EQ(format0_0xx(0, comma), "0,0");
    EXPECT_EQ(format0_0xx(1.0005, comma), "1,001");  // 1.0005 is 1.00049999... but 15 digits say ...05
}

TEST(Numbers, IntegerStoresRoundHalvesToEvenAndDetectOverflow) {
    EXPECT_EQ(*toInt16(2.5), 2);
    EXPECT_EQ(*toInt16(3.5), 4);
    EXPECT_EQ(*toInt16(-32768), -32768);
    EXPECT_FALSE(toInt16(32768));
    EXPECT_EQ(*toInt32(2147483647.0), 2147483647);
    EXPECT_FALSE(toInt32(2147483648.0));
}

TEST(Rounding, ConstantIsTheExactBitPattern) {
    double d = roundingHalf();
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    EXPECT_EQ(bits, 0x3FE000000000232FULL);
    EXPECT_NE(d, 0.5);
}

struct RoundingCase {
    double value;
    int16_t places;
    double expected;
};

class RoundingRule : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(RoundingRule, GivesTheWorkedValues) {
    const auto &c = GetParam();
    EXPECT_DOUBLE_EQ(*Ocrugl(c.value, c.places), c.expected) << c.value << " to " << c.places;
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, RoundingRule,
                         ::testing::Values(RoundingCase{0.0147, 4, 0.0147}, RoundingCase{0.0147, 3, 0.015},
                                           RoundingCase{0.0147, 2, 0.01}, RoundingCase{0.0147, 1, 0},
                                           RoundingCase{1.005, 2, 1.01}, RoundingCase{2.675, 2, 2.68},
                                           RoundingCase{0.25, 1, 0.3}, RoundingCase{0.35, 1, 0.4},
                                           RoundingCase{-0.0147, 2, -0.01}));

TEST(Rounding, PlainHalfWouldGetTheDecimalHalvesWrong) {
    // 1.005 is held as 1.00499999...; only the nudged constant takes it up.
    EXPECT_EQ(std::floor(1.005 * 100 + 0.5) / 100, 1.0);
    EXPECT_EQ(*Ocrugl(1.005, 2), 1.01);
    EXPECT_FALSE(Ocrugl(1e308, 3));
}
