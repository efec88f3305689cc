// Feeds arbitrary bytes to the tally file reader. The reader must never crash, and what it accepts
// must be 93 counts of at most five digits, with or without a length of the list and a rounding, that
// write back and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/core/tally_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    lumora::TallyReadResult r = lumora::readTally(bytes);
    if (!r.ok) {
        if (r.error.empty()) std::abort();
        return 0;
    }
    for (const std::string &count : r.counts)
        if (count.size() > 5 || count.find_first_not_of("0123456789") != std::string::npos) std::abort();
    if (r.settings && (r.settings->length < 1 || r.settings->length > lumora::kLengthCount ||
                       r.settings->decimals < 1 || r.settings->decimals > 3))
        std::abort();
    lumora::TallyReadResult again = lumora::readTally(lumora::writeTally(r.counts, r.settings));
    if (!again.ok || again.counts != r.counts || again.settings != r.settings) std::abort();
    return 0;
}
