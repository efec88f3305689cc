// Feeds arbitrary bytes to the tally file reader, under both decimal separators. The reader must
// never crash, and what it accepts must be 93 counts that write back and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/core/tally_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (char separator : {',', '.'}) {
        const lumora::NumberFormat fmt{separator};
        lumora::TallyReadResult r = lumora::readTally(bytes, fmt);
        if (!r.ok) {
            if (r.error.empty()) std::abort();
            continue;
        }
        lumora::TallyReadResult again = lumora::readTally(lumora::writeTally(r.counts), fmt);
        if (!again.ok || again.counts != r.counts) std::abort();
    }
    return 0;
}
