#include "documents/core/tally_file.h"

#include <optional>

namespace lumora {

namespace {

constexpr size_t kCountDigits = 5;  // what a count box holds
const char kNotLoaded[] = "\nФайл не загружен, таблица не изменена.";

// A line is quoted in the message only when it is short, plain text; anything else (a binary or
// foreign file) is described without echoing its bytes.
bool quotable(std::string_view line) {
    if (line.empty() || line.size() > 20) return false;
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

// Splits the file into lines: a line ends at CR LF, CR or LF.
class Lines {
public:
    explicit Lines(std::string_view bytes) : bytes_(bytes) {}
    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::string_view rest() const { return bytes_.substr(pos_); }
    std::string_view next() {
        size_t end = bytes_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) end = bytes_.size();
        std::string_view line = bytes_.substr(pos_, end - pos_);
        pos_ = end;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n' && (pos_ == end || bytes_[pos_ - 1] == '\r')) ++pos_;
        return line;
    }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
};

std::string_view trimmed(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

std::optional<TallySettings> roundingOfLine(std::string_view line, int length) {
    const std::string_view text = trimmed(line);
    if (text.size() != 1) return std::nullopt;
    TallySettings s;
    s.length = length;
    if (text[0] == '-') {
        s.rounded = false;
    } else if (text[0] >= '1' && text[0] <= '3') {
        s.decimals = text[0] - '0';
    } else {
        return std::nullopt;
    }
    return s;
}

TallyReadResult failure(std::string message) {
    TallyReadResult r;
    r.error = std::move(message) + kNotLoaded;
    return r;
}

// "В строке N должно быть ...", quoting the line when it is plain text.
TallyReadResult refuseLine(const std::string &what, std::string_view line) {
    if (quotable(line)) return failure(what + ", а в ней «" + std::string(line) + "».");
    return failure(what + ".");
}

}  // namespace

std::string lengthText(int length, char decimalSeparator) {
    const int cm = lengthsCm()[static_cast<size_t>(length - 1)];
    const std::string hundredths = std::to_string(cm % 100);
    return std::to_string(cm / 100) + decimalSeparator + (hundredths.size() < 2 ? "0" : "") + hundredths;
}

int lengthOfText(std::string_view text) {
    // Exactly lengthText's form: whole metres without leading zeros, a comma or a point, two digits.
    text = trimmed(text);
    const size_t separator = text.find_first_of(",.");
    if (separator == std::string_view::npos || separator == 0 || separator > 2 ||
        text.size() != separator + 3 || (separator == 2 && text[0] == '0'))
        return 0;
    int cm = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        if (k == separator) continue;
        if (text[k] < '0' || text[k] > '9') return 0;
        cm = cm * 10 + (text[k] - '0');
    }
    const auto &lengths = lengthsCm();
    for (size_t k = 0; k < lengths.size(); ++k)
        if (lengths[k] == cm) return static_cast<int>(k) + 1;
    return 0;
}

std::string titleLine(std::string_view title) {
    std::string line(title);
    for (char &c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return line;
}

std::string writeTally(const TallyCounts &counts, const std::optional<TallySettings> &settings,
                       char decimalSeparator, std::string_view title) {
    std::string out;
    out.reserve(counts.size() * 4 + 12);
    for (const std::string &count : counts) {
        out += count.empty() ? std::string("0") : count;
        out += "\r\n";
    }
    if (settings) {
        out += lengthText(settings->length, decimalSeparator) + "\r\n";
        out += settings->rounded ? std::to_string(settings->decimals) : std::string("-");
        out += "\r\n";
        if (!title.empty()) out += titleLine(title) + "\r\n";
    }
    return out;
}

namespace {

// The first 93 lines, leaving `lines` after them.
TallyReadResult readCounts(std::string_view bytes, std::optional<Lines> &lines) {
    if (bytes.size() > kMaxTallyFileBytes) return failure("Файл больше 1 МБ — это не файл таблицы.");
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (bytes.empty())
        return failure("Файл пустой, а в нём должно быть 93 строки — по одной на каждый диаметр.");

    TallyReadResult result;
    lines.emplace(bytes);
    for (size_t i = 0; i < result.counts.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        if (lines->atEnd())
            return failure("Строки " + std::to_string(lineNo) +
                           " нет: файл кончился раньше, а в нём должно быть 93 строки — по одной на "
                           "каждый диаметр.");
        const std::string_view line = lines->next();
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            return failure("Строка " + std::to_string(lineNo) + " пустая, а в ней должно быть число.");
        std::optional<std::string> count = countOfLine(line);
        if (!count)
            return refuseLine("В строке " + std::to_string(lineNo) + " должно быть целое число от 0 до 99999",
                              line);
        result.counts[i] = std::move(*count);
    }
    result.ok = true;
    return result;
}

}  // namespace

TallyReadResult readTallyCounts(std::string_view bytes) {
    std::optional<Lines> lines;
    return readCounts(bytes, lines);
}

TallyReadResult readTally(std::string_view bytes) {
    std::optional<Lines> lines;
    TallyReadResult result = readCounts(bytes, lines);
    if (!result.ok) return result;

    // Lines 94 and 95 are the length and the rounding only when both are valid; anything else after
    // the counts (a second tally, a note, a recovery file's own lines) is ignored, as the format
    // always allowed, and the file opens as a 93-line file.
    if (lines->atEnd()) return result;
    const int length = lengthOfText(lines->next());
    if (length == 0 || lines->atEnd()) return result;
    result.settings = roundingOfLine(lines->next(), length);
    // The title belongs to a file whose length and rounding are valid; a foreign line 96 after
    // something else is ignored with them.
    if (result.settings && !lines->atEnd()) result.title = titleLine(lines->next());
    return result;
}

}  // namespace lumora
