// What the export and the printed sheet read from the window: the texts as shown, never recomputed.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "documents/core/tally_file.h"
#include "table/volume_table.h"
#include "tally/form.h"

namespace lumora {

struct StepTexts {
    std::string d;      // diameter caption, e.g. "24"
    std::string count;  // count box, "" when empty
    std::string vd;     // step volume
};

struct TallyTexts {
    std::array<StepTexts, kRowCount> steps;
    // Step i + 1's unit volume is an estimate, not the standard's value (see cellEstimated).
    std::array<bool, kRowCount> estimated{};
    std::string Text1, Text2;    // mean diameters by count and by volume
    std::string Text13, Text4;   // total count and total volume
    std::string Text3;           // the decimals as shown ("1", "2" or "3")
    std::string length;          // the selected entry of the length list, e.g. "6,00"
    std::string title;           // the tally's title ("" for none)
    bool NoOkrugl = false;       // menu mark "Не округлять"
    bool TrueD = false;          // mean-diameter panel hidden
    bool groupsOnSheet = false;  // the thickness groups go under the totals (Form::groupsOnSheet)
};

TallyTexts tallyTexts(const Form &form);

// The note that the printed sheet and the workbook add under the totals when a counted step's unit
// volume is an estimate; such steps carry its "*".
extern const char kEstimateNote[];

// The diameters of the steps that have a count and an estimated unit volume, in grid order.
std::vector<std::string> estimatedCountedSteps(const TallyTexts &texts);

// The count texts of steps 1..93 of the form.
TallyCounts tallyCounts(const Form &form);

// The length and rounding that a saved tally carries; nullopt when no length is selected (the file
// then holds the counts alone and opens at the length selected at the time).
std::optional<TallySettings> tallySettings(const Form &form);

// The tally file of the form: its counts, length and rounding.
std::string tallyFileBytes(const Form &form);

}  // namespace lumora
