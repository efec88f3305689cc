// Conversions between the texts that the tally shows and the numbers it computes with.
//
// Every count, volume and result lives as text; each computation reads its inputs back with one of
// the rules below and writes its result with another. The decimal separator is not global: it comes
// from a NumberFormat that the program takes from the user's locale at start-up (tests set it).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

struct NumberFormat {
    char decimalSeparator = ',';
};

// The whole text as a 64-bit float in the user's locale: surrounding blanks and a sign are allowed,
// the only decimal separator is the locale's. Empty or non-numeric text gives nullopt.
std::optional<double> localeNumber(std::string_view text, const NumberFormat &fmt);

// The number at the start of the text, blanks anywhere ignored, "." as the only decimal point;
// 0 when the text does not start with a number. Never fails.
double lenientNumber(std::string_view text);

// At most 15 significant digits, no trailing zeros, no grouping, the locale's separator
// (25 -> "25", 0.0147 -> "0,0147", 0 -> "0").
std::string numberText(double value, const NumberFormat &fmt);

// The largest whole number not above the value.
double wholePart(double value);

// A 64-bit float stored into a signed 16-bit integer: rounded to nearest, halves to even;
// nullopt when out of range (an overflow of the original arithmetic).
std::optional<int16_t> toInt16(double value);

// ---- Exact decimals ------------------------------------------------------------------------------
// Volumes are computed exactly: a unit volume has at most four decimals and a count is a whole
// number, so step volumes and totals are whole numbers of 0.0001 m3, and the mean diameters are
// exact fractions of such numbers. Results are rounded half up once, at the end.

// The text as a whole number of 10^-scale units: blanks around it, a sign and the locale's decimal
// separator allowed, no exponent. nullopt when it is not such a number, when it has nonzero digits
// below 10^-scale, or when it does not fit.
std::optional<int64_t> scaledNumber(std::string_view text, int scale, const NumberFormat &fmt);

// The text's value rounded half up to `places` decimals, as a whole number of 10^-places units; texts
// with more decimals (up to nine) are rounded exactly. nullopt when it is not such a number.
std::optional<int64_t> roundedNumber(std::string_view text, int places, const NumberFormat &fmt);

// A value of 10^-fromScale units rounded to 10^-toScale units (toScale <= fromScale), halves away
// from zero: 0.0147 to 2 places is 0.01, 0.25 to 1 place is 0.3.
int64_t roundHalfUp(int64_t value, int fromScale, int toScale);

// The exact text of value * 10^-scale: no trailing zeros, no grouping, the locale's separator, "0" for
// zero (147 at scale 4 -> "0,0147", 25000 at scale 3 -> "25").
std::string decimalText(int64_t value, int scale, const NumberFormat &fmt);

// numerator / denominator rounded half up to `places` decimals, as decimalText writes it; nullopt for a
// zero denominator or when the scaled quotient does not fit.
std::optional<std::string> quotientText(int64_t numerator, int64_t denominator, int places,
                                        const NumberFormat &fmt);

// numerator / denominator in "##0.0##": rounded half up to three decimals, at least one shown.
std::optional<std::string> quotient0_0xx(int64_t numerator, int64_t denominator, const NumberFormat &fmt);

}  // namespace lumora
