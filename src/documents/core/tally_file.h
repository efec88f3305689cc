// The tally file: the 93 counts of a tally as a plain text file, one line per diameter step.
//
// Line i holds the text of count box 1000 + i, or "0" when the box is empty; every line, the last
// included, ends with CR LF. There is no header and no length: a loaded tally is recomputed at the
// length selected when it is opened.
//
// The reader checks the whole file before anything is stored, so a broken or foreign file can be
// refused without touching the tally in the window.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "table/volume_table.h"

namespace lumora {

// Count texts of steps 1..93, as the count boxes hold them ("" for an empty box).
using TallyCounts = std::array<std::string, kRowCount>;

// A tally file is under 1 KB; anything over 1 MiB is certainly not one and is refused unread.
constexpr size_t kMaxTallyFileBytes = 1024 * 1024;

// The file bytes: each count text (or "0" for an empty one) followed by CR LF.
std::string writeTally(const TallyCounts &counts);

struct TallyReadResult {
    bool ok = false;
    // When ok: the texts to store in the count boxes ("" for a line of zeros, otherwise the line's
    // digits without the blanks around them).
    TallyCounts counts;
    // When not ok: what is wrong and where, in Russian, ready for a message box.
    std::string error;
};

// Reads the first 93 lines; a line ends at CR LF, CR or LF, a final line break may be missing and a
// UTF-8 byte-order mark at the start is skipped. Every line must hold a whole count from 0 to 99999,
// digits only, blanks around it allowed: what typing into a count box can produce, and so what the
// writer writes. The decimal separator plays no part. Lines after the 93rd are ignored.
TallyReadResult readTally(std::string_view bytes);

}  // namespace lumora
