// The printed statement's summary: the title, the date, one row per tally (file, length, logs,
// volume, mean diameters by count and by volume), the totals and the thickness groups, on as many A4 pages as
// the rows need. Each page repeats the header and the column heads; the totals and the groups stay together
// on the last page. Laid out as the tally sheet is (text items in twips, widths from the caller), so the same
// painter draws it on a printer, a PDF or a preview; the tallies' own sheets follow it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "documents/core/print_layout.h"
#include "documents/core/statement.h"

namespace lumora {

// The default title of a statement.
extern const char kDefaultStatementTitle[];

struct StatementPageInputs {
    std::string title;
    std::string date;                      // "DD.MM.YY"
    double pageWidth = 0, pageHeight = 0;  // twips
};

std::vector<SheetPage> layoutStatementSummary(const Statement &statement, const StatementPageInputs &in,
                                              const NumberFormat &fmt, const TextWidthFn &width);

// `text` cut at a character boundary and ended with "…" so that it is at most `maxWidth` wide.
std::string elided(const std::string &text, double maxWidth,
                   const std::function<double(const std::string &)> &width);

}  // namespace lumora
