#include "documents/core/recovery_text.h"

#include "documents/core/tally_file.h"

namespace lumora {

namespace {

const char kMark[] = "lumora-recovery 1";

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

}  // namespace

std::string writeRecovery(const TallyState &state, const std::string &fileName) {
    std::string out = writeTally(state.counts);
    out += std::string(kMark) + "\r\n";
    out += "length " + std::to_string(state.length) + "\r\n";
    out += std::string("rounded ") + (state.rounded ? "1" : "0") + "\r\n";
    out += "decimals " + std::to_string(state.decimals) + "\r\n";
    out += "file " + fileName + "\r\n";
    return out;
}

std::optional<RecoveredTally> readRecovery(std::string_view bytes) {
    TallyReadResult tally = readTallyCounts(bytes);
    if (!tally.ok) return std::nullopt;
    if (!valueOf(bytes, kMark)) return std::nullopt;
    auto length = smallNumber(valueOf(bytes, "length"), 0, kLengthCount);
    auto rounded = smallNumber(valueOf(bytes, "rounded"), 0, 1);
    auto decimals = smallNumber(valueOf(bytes, "decimals"), 1, 3);
    auto file = valueOf(bytes, "file");
    if (!length || !rounded || !decimals || !file) return std::nullopt;
    RecoveredTally r;
    r.state.length = static_cast<int16_t>(*length);
    r.state.counts = tally.counts;
    r.state.rounded = *rounded == 1;
    r.state.decimals = static_cast<int16_t>(*decimals);
    r.fileName = *file;
    return r;
}

}  // namespace lumora
