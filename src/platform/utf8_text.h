// UTF-8 text arriving in pieces (a console is written whole letters at a time).
#pragma once

#include <cstddef>
#include <string_view>

namespace lumora::platform {

// How much of `text` is whole letters: all of it but a letter whose last bytes have not come yet.
// Bytes that cannot begin or continue a letter count as whole (they are shown as a replacement
// character, not held back).
inline std::size_t completeUtf8Length(std::string_view text) {
    const std::size_t size = text.size();
    // A letter is at most 4 bytes: its start is among the last 4.
    for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: its lead is further back
        std::size_t length = 1;
        if (byte >= 0xC2 && byte < 0xE0)
            length = 2;
        else if (byte >= 0xE0 && byte < 0xF0)
            length = 3;
        else if (byte >= 0xF0 && byte < 0xF5)
            length = 4;
        return length > back ? size - back : size;
    }
    return size;
}

}  // namespace lumora::platform
