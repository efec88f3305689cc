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
#include <utility>
#include <variant>
#include <vector>

#include "documents/core/tally_texts.h"
#include "numbers/numbers.h"

namespace lumora {

struct ExportCell {
    using Value = std::variant<std::string, int16_t, double>;
    ExportCell() = default;
    ExportCell(int r, int c, Value v, std::string f = {})
        : row(r), column(c), value(std::move(v)), format(std::move(f)) {}

    int row = 0;     // from 1
    int column = 0;  // from 1
    Value value;
    std::string format;  // the number's format in the spreadsheet ("0.00"), none when empty

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

// The column where the cells that say which tally a sheet is go, right of the export's own.
constexpr int kAboutColumn = 6;

// Those cells: «Длина, м» and the length as the window shows it (a number written with two
// decimals), «Дата» and the date, and «Название» and the title when there is one.
std::vector<ExportCell> aboutCells(const TallyTexts &texts, const std::string &title,
                                   const std::string &date);

}  // namespace lumora
