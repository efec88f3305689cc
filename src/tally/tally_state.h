// The tally state: the length, the 93 counts, the rounding switch, the decimals and the title typed
// at Print. It is the one
// value that undo, crash recovery and "is it saved?" compare and restore; every other text of the
// form (volumes, totals, mean diameters, layout) is recomputed from it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "table/volume_table.h"

namespace lumora {

class Form;

struct TallyState {
    int16_t length = 64;  // the selected entry of the length list (0: no length), 6,00 m at start
    std::array<std::string, kRowCount> counts{};  // count texts of steps 1..93, "" when empty
    bool rounded = true;                          // the rounding switch
    int16_t decimals = 2;                         // 1..3
    std::string title;                            // "" for none

    // What the form holds now.
    static TallyState of(const Form &form);

    // Gives the form this state through its own controls: the length list, the rounding menu, then
    // each count box, so every figure is the one these inputs give when typed afresh.
    void applyTo(Form &form) const;

    bool sameCounts(const TallyState &other) const { return counts == other.counts; }
    bool operator==(const TallyState &other) const {
        return length == other.length && counts == other.counts && rounded == other.rounded &&
               decimals == other.decimals && title == other.title;
    }
    bool operator!=(const TallyState &other) const { return !(*this == other); }
};

}  // namespace lumora
