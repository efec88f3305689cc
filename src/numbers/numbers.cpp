#include "numbers/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace lumora {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A "."-normalised number ([sign] digits [. digits] [e [sign] digits]) as the nearest double.
// std::from_chars rounds correctly and never looks at the C library's locale, which a Qt application
// sets from the environment (a Russian one makes strtod stop at the "."). Too large is nullopt; too
// small to represent is a signed zero, as strtod gave.
std::optional<double> canonicalNumber(const std::string &canon) {
    const char *first = canon.data();
    const char *last = first + canon.size();
    if (first != last && *first == '+') ++first;  // from_chars takes only a minus sign
    double v = 0.0;
    const auto [end, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (canon.find("e-") == std::string::npos) return std::nullopt;
        return canon[0] == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || end != last || !std::isfinite(v)) return std::nullopt;
    return v;
}

// Parses [sign] digits [sep digits] [e [sign] digits] over the whole of s.
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
    return canonicalNumber(canon);
}

}  // namespace

std::optional<double> localeNumber(std::string_view text, const NumberFormat &fmt) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    return parseStrict(text.substr(b, e - b), fmt.decimalSeparator);
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
    return canonicalNumber(canon).value_or(0.0);
}

std::string numberText(double value, const NumberFormat &fmt) {
    if (value == 0.0) return "0";
    // What printf's "%.15g" gives, but always with a "." whatever the C library's locale says.
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, written.ptr);
    // Exponent form, only for values outside normal use: "1E-05", "1E+15".
    if (auto epos = s.find('e'); epos != std::string::npos) {
        const char *expFirst = s.data() + epos + 1;
        if (*expFirst == '+') ++expFirst;
        int exp = 0;
        std::from_chars(expFirst, s.data() + s.size(), exp);
        std::string digits = std::to_string(std::abs(exp));
        if (digits.size() < 2) digits.insert(0, "0");
        s = s.substr(0, epos) + "E" + (exp < 0 ? "-" : "+") + digits;
    }
    for (char &c : s)
        if (c == '.') c = fmt.decimalSeparator;
    return s;
}

double wholePart(double value) { return std::floor(value); }

std::optional<int16_t> toInt16(double value) {
    double r = std::nearbyint(value);  // default rounding mode: halves to even
    if (!std::isfinite(r) || r < -32768.0 || r > 32767.0) return std::nullopt;
    return static_cast<int16_t>(r);
}

namespace {

constexpr int kMaxScale = 18;

int64_t pow10(int n) {
    int64_t p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

// num / den rounded half away from zero (den > 0).
int64_t divideHalfUp(int64_t num, int64_t den) {
    const int64_t q = num / den;
    const int64_t r = num % den;
    const int64_t twice = (r < 0 ? -r : r);
    if (twice >= den - twice) return num < 0 ? q - 1 : q + 1;
    return q;
}

}  // namespace

std::optional<int64_t> scaledNumber(std::string_view text, int scale, const NumberFormat &fmt) {
    if (scale < 0 || scale > kMaxScale) return std::nullopt;
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    std::string_view s = text.substr(b, e - b);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int64_t value = 0;
    size_t digits = 0;
    auto addDigit = [&value](char c) {
        return !__builtin_mul_overflow(value, int64_t{10}, &value) &&
               !__builtin_add_overflow(value, int64_t{c - '0'}, &value);
    };
    for (; i < s.size() && isDigit(s[i]); ++i, ++digits)
        if (!addDigit(s[i])) return std::nullopt;
    int decimals = 0;
    if (i < s.size() && s[i] == fmt.decimalSeparator) {
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++digits) {
            if (decimals < scale) {
                if (!addDigit(s[i])) return std::nullopt;
                ++decimals;
            } else if (s[i] != '0') {
                return std::nullopt;  // a digit below the scale: not exact at this scale
            }
        }
    }
    if (digits == 0 || i != s.size()) return std::nullopt;
    if (__builtin_mul_overflow(value, pow10(scale - decimals), &value)) return std::nullopt;
    return negative ? -value : value;
}

int64_t roundHalfUp(int64_t value, int fromScale, int toScale) {
    if (toScale >= fromScale) return value;
    return divideHalfUp(value, pow10(fromScale - toScale));
}

std::optional<int64_t> roundedNumber(std::string_view text, int places, const NumberFormat &fmt) {
    if (auto exact = scaledNumber(text, places, fmt)) return exact;
    constexpr int kFine = 9;
    if (places > kFine) return std::nullopt;
    if (auto fine = scaledNumber(text, kFine, fmt)) return roundHalfUp(*fine, kFine, places);
    return std::nullopt;
}

std::string decimalText(int64_t value, int scale, const NumberFormat &fmt) {
    if (value == 0) return "0";
    const bool negative = value < 0;
    // Digits of the magnitude, without overflow at the most negative value.
    std::string digits;
    for (int64_t v = value; v != 0; v /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + std::abs(v % 10)));
    if (static_cast<int>(digits.size()) <= scale)
        digits.insert(digits.begin(), static_cast<size_t>(scale + 1) - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - static_cast<size_t>(scale));
    std::string frac = digits.substr(digits.size() - static_cast<size_t>(scale));
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    std::string text = negative ? "-" : "";
    text += whole;
    if (!frac.empty()) text += fmt.decimalSeparator + frac;
    return text;
}

std::optional<std::string> quotientText(int64_t numerator, int64_t denominator, int places,
                                        const NumberFormat &fmt) {
    if (denominator == 0 || places < 0 || places > kMaxScale) return std::nullopt;
    if (denominator < 0) {
        if (__builtin_mul_overflow(numerator, int64_t{-1}, &numerator)) return std::nullopt;
        denominator = -denominator;
    }
    int64_t scaled;
    if (__builtin_mul_overflow(numerator, pow10(places), &scaled)) return std::nullopt;
    return decimalText(divideHalfUp(scaled, denominator), places, fmt);
}

std::optional<std::string> quotient0_0xx(int64_t numerator, int64_t denominator, const NumberFormat &fmt) {
    auto text = quotientText(numerator, denominator, 3, fmt);
    if (text && text->find(fmt.decimalSeparator) == std::string::npos)
        *text += std::string(1, fmt.decimalSeparator) + "0";
    return text;
}

}  // namespace lumora
