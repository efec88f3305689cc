#include "documents/core/tally_file.h"

namespace lumora {

namespace {

const char kNotLoaded[] = "\nФайл не загружен, таблица не изменена.";

// A line is quoted in the message only when it is short, plain text; anything else (a binary or
// foreign file) is described without echoing its bytes.
bool quotable(std::string_view line) {
    if (line.size() > 20) return false;
    for (char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) return false;
    return true;
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

TallyReadResult readTally(std::string_view bytes, const NumberFormat &fmt) {
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

        std::optional<double> value = localeNumber(line, fmt);
        if (!value) {
            if (line.find_first_not_of(" \t") == std::string_view::npos)
                return failure("Строка " + std::to_string(lineNo) + " пустая, а в ней должно быть число.");
            if (quotable(line))
                return failure("В строке " + std::to_string(lineNo) + " не число: «" + std::string(line) +
                               "».");
            return failure("В строке " + std::to_string(lineNo) + " не число.");
        }
        result.counts[i] = *value == 0.0 ? std::string() : std::string(line);
    }
    result.ok = true;
    return result;
}

}  // namespace lumora
