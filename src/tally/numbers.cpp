#include "tally/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace lumora {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Parses [sign] digits [sep digits] [e [sign] digits] over the whole of s; returns the value
// computed by strtod on a "."-normalised copy, so the result is correctly rounded.
std::optional<double> parseStrict(std::string_view s, char sep) {
    std::string canon;
    canon.reserve(s.size());
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) canon += s[i++];
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) canon += s[i++], ++digits;
    if (i < s.size() && s[i] == sep) {
        canon += '.';
        ++i;
        while (i < s.size() && isDigit(s[i])) canon += s[i++], ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        canon += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) canon += s[i++];
        size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) canon += s[i++], ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    double v = std::strtod(canon.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

std::optional<double> localeNumber(std::string_view text, const NumberFormat &fmt) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    return parseStrict(text.substr(b, e - b), fmt.decimalSeparator);
}

std::optional<float> singleNumber(std::string_view text, const NumberFormat &fmt) {
    auto v = localeNumber(text, fmt);
    if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*v);
}

double lenientNumber(std::string_view text) {
    std::string s;
    for (char c : text)
        if (!isBlank(c) && c != '\n' && c != '\r') s += c;
    std::string canon;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) canon += s[i++];
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) canon += s[i++], ++digits;
    if (i < s.size() && s[i] == '.') {
        canon += s[i++];
        while (i < s.size() && isDigit(s[i])) canon += s[i++], ++digits;
    }
    if (digits == 0) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::string exp = "e";
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
        size_t expDigits = 0;
        while (j < s.size() && isDigit(s[j])) exp += s[j++], ++expDigits;
        if (expDigits > 0) canon += exp;
    }
    double v = std::strtod(canon.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

std::string numberText(double value, const NumberFormat &fmt) {
    if (value == 0.0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s = buf;
    // Exponent form, only for values outside normal use: "1E-05", "1E+15".
    if (auto epos = s.find('e'); epos != std::string::npos) {
        std::string mant = s.substr(0, epos);
        int exp = std::atoi(s.c_str() + epos + 1);
        char eb[16];
        std::snprintf(eb, sizeof eb, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
        s = mant + eb;
    }
    for (char &c : s)
        if (c == '.') c = fmt.decimalSeparator;
    return s;
}

double wholePart(double value) { return std::floor(value); }

std::string format0_0xx(double value, const NumberFormat &fmt) {
    // Digits of the value at 15 significant digits, as an exact decimal: mantissa * 10^exp10.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    bool negative = buf[0] == '-';
    const char *p = buf + (negative ? 1 : 0);
    std::string digits;
    for (; *p && *p != 'e'; ++p)
        if (isDigit(*p)) digits += *p;
    int exp10 = std::atoi(p + 1) - 14;  // value = digits * 10^exp10
    // Scale to thousandths: keep digits down to 10^-3, round the rest half away from zero.
    int drop = -3 - exp10;  // how many trailing digits lie below 10^-3
    std::string kept;
    if (drop <= 0) {
        kept = digits + std::string(static_cast<size_t>(-drop), '0');
    } else if (static_cast<size_t>(drop) > digits.size()) {
        kept = "0";
    } else {
        kept = digits.substr(0, digits.size() - static_cast<size_t>(drop));
        bool up = digits[digits.size() - static_cast<size_t>(drop)] >= '5';
        if (kept.empty()) kept = "0";
        if (up) {
            int k = static_cast<int>(kept.size()) - 1;
            while (k >= 0 && kept[static_cast<size_t>(k)] == '9') kept[static_cast<size_t>(k--)] = '0';
            if (k < 0)
                kept.insert(kept.begin(), '1');
            else
                ++kept[static_cast<size_t>(k)];
        }
    }
    // kept is the value in thousandths.
    while (kept.size() < 4) kept.insert(kept.begin(), '0');
    std::string intPart = kept.substr(0, kept.size() - 3);
    std::string frac = kept.substr(kept.size() - 3);
    size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    while (frac.size() > 1 && frac.back() == '0') frac.pop_back();
    bool isZero = intPart == "0" && frac == "0";
    return (negative && !isZero ? "-" : "") + intPart + fmt.decimalSeparator + frac;
}

std::optional<int16_t> toInt16(double value) {
    double r = std::nearbyint(value);  // default rounding mode: halves to even
    if (!std::isfinite(r) || r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<int32_t> toInt32(double value) {
    double r = std::nearbyint(value);
    if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(r);
}

double roundingHalf() {
    const uint64_t bits = 0x3FE000000000232FULL;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::optional<double> Ocrugl(double Chislo, int16_t Razrad) {
    double p = std::pow(10.0, static_cast<double>(Razrad));
    double t = Chislo * p + roundingHalf();
    if (!std::isfinite(t)) return std::nullopt;
    double r = std::floor(t) / p;
    if (!std::isfinite(r)) return std::nullopt;
    return r;
}

}  // namespace lumora
