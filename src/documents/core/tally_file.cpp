#include "documents/core/tally_file.h"

#include <optional>

namespace lumora {

namespace {

constexpr size_t kCountDigits = 5;  // what a count box holds
const char kNotLoaded[] = "\nФайл не загружен, таблица не изменена.";

// A line is quoted in the message only when it is short, plain text; anything else (a binary or
// foreign file) is described without echoing its bytes.
bool quotable(std::string_view line) {
    if (line.size() > 20) return false;
    for (char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) return false;
    return true;
}

// The count that a line holds, as a count box shows it: the digits without the blanks around them, or
// "" for none (a line of zeros). A box holds at most five characters, so longer runs of leading zeros
// are dropped. Anything else (a sign, a fraction, an exponent, more than 99999 logs) is no count.
std::optional<std::string> countOfLine(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    const size_t last = line.find_last_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    std::string_view digits = line.substr(first, last - first + 1);
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    const size_t significant = digits.find_first_not_of('0');
    if (significant == std::string_view::npos) return std::string();      // zero: no logs
    if (digits.size() - significant > kCountDigits) return std::nullopt;  // over 99999
    if (digits.size() > kCountDigits) digits = digits.substr(significant);
    return std::string(digits);
}

TallyReadResult failure(std::string message) {
    TallyReadResult r;
    r.error = std::move(message) + kNotLoaded;
    return r;
}

}  // namespace

std::string writeTally(const TallyCounts &counts) {
    std::string out;
    out.reserve(counts.size() * 4);
    for (const std::string &count : counts) {
        out += count.empty() ? std::string("0") : count;
        out += "\r\n";
    }
    return out;
}

TallyReadResult readTally(std::string_view bytes) {
    if (bytes.size() > kMaxTallyFileBytes) return failure("Файл больше 1 МБ — это не файл таблицы.");
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (bytes.empty())
        return failure("Файл пустой, а в нём должно быть 93 строки — по одной на каждый диаметр.");

    TallyReadResult result;
    size_t pos = 0;
    for (size_t i = 0; i < result.counts.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        if (pos >= bytes.size())
            return failure("Строки " + std::to_string(lineNo) +
                           " нет: файл кончился раньше, а в нём должно быть 93 строки — по одной на "
                           "каждый диаметр.");
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n' && (pos == end || bytes[pos - 1] == '\r')) ++pos;

        if (line.find_first_not_of(" \t") == std::string_view::npos)
            return failure("Строка " + std::to_string(lineNo) + " пустая, а в ней должно быть число.");
        std::optional<std::string> count = countOfLine(line);
        if (!count) {
            const std::string where =
                "В строке " + std::to_string(lineNo) + " должно быть целое число от 0 до 99999";
            if (quotable(line)) return failure(where + ", а в ней «" + std::string(line) + "».");
            return failure(where + ".");
        }
        result.counts[i] = std::move(*count);
    }
    result.ok = true;
    return result;
}

}  // namespace lumora
