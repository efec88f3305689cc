#include "documents/core/recovery_text.h"

#include "documents/core/tally_file.h"

namespace lumora {

namespace {

const char kMark[] = "lumora-recovery 3";
const char kSecondMark[] = "lumora-recovery 2";
const char kFirstMark[] = "lumora-recovery 1";

std::string escapeName(const std::string &name) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || c == '%') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

std::optional<std::string> unescapeName(const std::string &text) {
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '%') {
            out += text[k];
            continue;
        }
        if (k + 2 >= text.size()) return std::nullopt;
        const int high = digit(text[k + 1]), low = digit(text[k + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        k += 2;
    }
    return out;
}

// The value of the line "key value" among `lines`, or nullopt.
std::optional<std::string> valueOf(std::string_view text, std::string_view key) {
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == ' ')
            return std::string(line.substr(key.size() + 1));
        if (line == key) return std::string();
        pos = end + 1;
    }
    return std::nullopt;
}

std::optional<int> smallNumber(const std::optional<std::string> &text, int low, int high) {
    if (!text || text->empty() || text->size() > 3) return std::nullopt;
    int n = 0;
    for (char c : *text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < low || n > high) return std::nullopt;
    return n;
}

// "SIZE HASH" as the "held" line gives it.
std::optional<FileContents> heldOf(const std::string &text) {
    const size_t space = text.find(' ');
    if (space == std::string::npos || space == 0 || space > 15) return std::nullopt;
    FileContents c;
    for (size_t k = 0; k < space; ++k) {
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
        c.size = c.size * 10 + (text[k] - '0');
    }
    c.sha256 = text.substr(space + 1);
    if (c.sha256.size() != 64) return std::nullopt;
    for (char h : c.sha256)
        if (!((h >= '0' && h <= '9') || (h >= 'a' && h <= 'f'))) return std::nullopt;
    return c;
}

}  // namespace

std::string writeRecovery(const TallyState &state, const std::string &fileName) {
    RecoveredTally tally;
    tally.state = state;
    tally.fileName = fileName;
    return writeRecovery(tally);
}

std::string writeRecovery(const RecoveredTally &tally) {
    const TallyState &state = tally.state;
    std::string out = writeTally(state.counts);
    out += std::string(kMark) + "\r\n";
    out += "length " + std::to_string(state.length) + "\r\n";
    out += std::string("rounded ") + (state.rounded ? "1" : "0") + "\r\n";
    out += "decimals " + std::to_string(state.decimals) + "\r\n";
    out += "file " + escapeName(tally.fileName) + "\r\n";
    out += "held";
    if (tally.held) out += " " + std::to_string(tally.held->size) + " " + tally.held->sha256;
    out += "\r\n";
    if (!state.title.empty()) out += "title " + escapeName(state.title) + "\r\n";
    return out;
}

std::optional<RecoveredTally> readRecovery(std::string_view bytes) {
    TallyReadResult tally = readTallyCounts(bytes);
    if (!tally.ok) return std::nullopt;
    const int version = valueOf(bytes, kMark)         ? 3
                        : valueOf(bytes, kSecondMark) ? 2
                        : valueOf(bytes, kFirstMark)  ? 1
                                                      : 0;
    if (version == 0) return std::nullopt;
    const bool escaped = version >= 2;
    auto length = smallNumber(valueOf(bytes, "length"), 0, kLengthCount);
    auto rounded = smallNumber(valueOf(bytes, "rounded"), 0, 1);
    auto decimals = smallNumber(valueOf(bytes, "decimals"), 1, 3);
    auto file = valueOf(bytes, "file");
    if (!length || !rounded || !decimals || !file) return std::nullopt;
    if (escaped) file = unescapeName(*file);
    if (!file) return std::nullopt;
    std::optional<std::string> title = valueOf(bytes, "title");
    if (title && !escaped) title.reset();
    if (title && !(title = unescapeName(*title))) return std::nullopt;
    std::optional<FileContents> held;
    if (version >= 3) {
        const auto line = valueOf(bytes, "held");
        if (!line) return std::nullopt;
        if (!line->empty() && !(held = heldOf(*line))) return std::nullopt;
    }
    // A count its length cannot show would be dropped without a word by a restore.
    for (int i = 1; i <= kRowCount; ++i)
        if (!tally.counts[static_cast<size_t>(i - 1)].empty() && (*length == 0 || tableCell(*length, i) == 0))
            return std::nullopt;
    RecoveredTally r;
    r.state.length = static_cast<int16_t>(*length);
    r.state.counts = tally.counts;
    r.state.rounded = *rounded == 1;
    r.state.decimals = static_cast<int16_t>(*decimals);
    r.state.title = title ? titleLine(*title) : std::string();
    r.fileName = *file;
    r.held = held;
    r.version = version;
    return r;
}

}  // namespace lumora
