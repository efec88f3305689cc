// The tally file: the 93 counts of a tally as a plain text file, one line per diameter step.
//
// Line i holds the text of count box 1000 + i, or "0" when the box is empty; every line, the last
// included, ends with CR LF. Two more lines follow: line 94 the length as the length list shows it
// ("4,00"), line 95 the rounding ("1", "2" or "3" decimals, "-" for none), so that the tally reopens
// with the figures it was saved with. A reader that takes only the first 93 lines (earlier versions
// of this program) still reads the counts. A file without the two lines (from those versions, or made
// by hand), or whose two lines are not a length and a rounding, opens at the length selected at the
// time: whatever follows line 93 is ignored unless it is those two lines.
//
// Line 96, after a valid length and rounding, is the tally's title as typed at Print («Кв. 12,
// выд. 5, дел. 3 — Машина 1»), UTF-8, written only when the tally has one. A reader that takes lines
// 94 and 95 ignores it; a file without it (or with it empty) has no title.
//
// The reader checks the whole file before anything is stored, so a broken or foreign file can be
// refused without touching the tally in the window.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "table/volume_table.h"

namespace lumora {

// Count texts of steps 1..93, as the count boxes hold them ("" for an empty box).
using TallyCounts = std::array<std::string, kRowCount>;

// A tally file is under 1 KB; anything over 1 MiB is certainly not one and is refused unread.
constexpr size_t kMaxTallyFileBytes = 1024 * 1024;

// The length and rounding a tally was saved with (lines 94 and 95).
struct TallySettings {
    int length = 0;  // the entry of the length list, 1..116 (the column of the table)
    bool rounded = true;
    int decimals = 2;  // 1..3, when rounded
    bool operator==(const TallySettings &o) const {
        return length == o.length && rounded == o.rounded && (!rounded || decimals == o.decimals);
    }
    bool operator!=(const TallySettings &o) const { return !(*this == o); }
};

// The length as the list shows it, with the given decimal separator: "4,00". Entry 1..116.
std::string lengthText(int length, char decimalSeparator);
// The list entry of a length written with either separator ("4,00" or "4.00"), blanks around it
// allowed; 0 when it is not one of the list's lengths.
int lengthOfText(std::string_view text);

// A title as one line: every control character (a line break, a tab) becomes a space.
std::string titleLine(std::string_view title);

// The file bytes: each count text (or "0" for an empty one) followed by CR LF, then, when given, the
// length (written with `decimalSeparator`) and the rounding, each followed by CR LF, and after them
// the title as titleLine makes it, when it is not empty.
std::string writeTally(const TallyCounts &counts, const std::optional<TallySettings> &settings = std::nullopt,
                       char decimalSeparator = ',', std::string_view title = {});

struct TallyReadResult {
    bool ok = false;
    // When ok: the texts to store in the count boxes ("" for a line of zeros, otherwise the line's
    // digits without the blanks around them).
    TallyCounts counts;
    // When ok: the length and rounding of lines 94 and 95, nullopt for a file without them.
    std::optional<TallySettings> settings;
    // When ok and the settings are there: line 96 as it is ("" when there is none).
    std::string title;
    // When not ok: what is wrong and where, in Russian, ready for a message box.
    std::string error;
};

// Reads the first 93 lines; a line ends at CR LF, CR or LF, a final line break may be missing and a
// UTF-8 byte-order mark at the start is skipped. Every line must hold a whole count from 0 to 99999,
// digits only, blanks around it allowed: what typing into a count box can produce, and so what the
// writer writes. The decimal separator plays no part.
// A length of the list on line 94 (either separator) and a rounding on line 95 give the settings;
// when either is missing or not valid there are none. Line 96 after them is the title (control
// characters read as spaces). Anything else after line 93 is ignored.
TallyReadResult readTally(std::string_view bytes);

// The first 93 lines only, as readTally checks them; what follows them is the caller's (the recovery
// file keeps its own lines there).
TallyReadResult readTallyCounts(std::string_view bytes);

}  // namespace lumora
