// The cells of the exported workbook, worked out before anything is written, so that a text that
// is not a number stops the export with a message and never leaves a half-filled workbook.
//
// Row 1: "Ср.диам." and the two mean diameters; row 2: the column heads; then one row per step with
// a count (diameter, whole count, step volume), with no gaps; then "Итого" with the totals.
// Volumes and mean diameters are rounded to 4 places, counts cut to whole numbers. A step whose unit
// volume is an estimate gets a "*" in column 4, and the note that explains it goes in the row under
// the totals; when asked (TallyTexts::groupsOnSheet), the three thickness groups follow (label,
// logs, volume).
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "documents/core/tally_texts.h"
#include "numbers/numbers.h"

namespace lumora {

struct ExportCell {
    int row = 0;     // from 1
    int column = 0;  // from 1
    std::variant<std::string, int16_t, double> value;

    bool operator==(const ExportCell &o) const {
        return row == o.row && column == o.column && value == o.value;
    }
};

struct ExportResult {
    bool ok = false;
    std::vector<ExportCell> cells;  // in writing order; empty when not ok
    std::string error;              // when not ok, in Russian
};

ExportResult exportCells(const TallyTexts &texts, const NumberFormat &fmt);

}  // namespace lumora
