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

// As localeNumber, but narrowed to a 32-bit float (nullopt when it does not fit).
std::optional<float> singleNumber(std::string_view text, const NumberFormat &fmt);

// The number at the start of the text, blanks anywhere ignored, "." as the only decimal point;
// 0 when the text does not start with a number. Never fails.
double lenientNumber(std::string_view text);

// At most 15 significant digits, no trailing zeros, no grouping, the locale's separator
// (25 -> "25", 0.0147 -> "0,0147", 0 -> "0").
std::string numberText(double value, const NumberFormat &fmt);

// The largest whole number not above the value.
double wholePart(double value);

// "##0.0##": one to three decimals after the value is taken to 15 significant digits, halves
// away from zero (24 -> "24,0", 24.12345 -> "24,123").
std::string format0_0xx(double value, const NumberFormat &fmt);

// A 64-bit float stored into a signed 16-bit or 32-bit integer: rounded to nearest, halves to even;
// nullopt when out of range (an overflow of the original arithmetic).
std::optional<int16_t> toInt16(double value);
std::optional<int32_t> toInt32(double value);

// The rounding rule of every result: whole part(x * 10^places + 0.500000000001) / 10^places.
// nullopt when the arithmetic overflows.
std::optional<double> Ocrugl(double Chislo, int16_t Razrad);

// The added constant of Ocrugl, exactly as the bit pattern 3FE000000000232F.
double roundingHalf();

}  // namespace lumora
