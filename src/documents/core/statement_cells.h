// The first sheet of the statement's workbook, «Сводка»: the title, the date, then under the column
// heads (units in them: «Объем, м³») one row per tally with its file, length, logs and volume as
// numbers, the totals and the three thickness groups.
#pragma once

#include <string>
#include <vector>

#include "documents/core/export_cells.h"
#include "documents/core/statement.h"

namespace lumora {

extern const char kSummarySheetName[];

// The row of the column heads; the tallies follow it.
constexpr int kSummaryHeadRow = 4;

std::vector<ExportCell> statementSummaryCells(const Statement &statement, const std::string &title,
                                              const std::string &date);

}  // namespace lumora
