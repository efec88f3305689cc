// The printed statement: the summary pages, then each tally's sheet, with the same painter as a single
// tally's sheet.
#pragma once

#include <QPrinter>
#include <optional>
#include <string>
#include <vector>

#include "documents/backend/file_store.h"
#include "documents/core/print_layout.h"
#include "documents/core/statement.h"

namespace lumora {

// The printed statement's pages laid out for `printer` (prepared as the sheet's): the summary, then
// each tally's sheet. Not ok, with the error in Russian, when a tally's sheet cannot be laid out.
struct StatementPages {
    bool ok = false;
    std::vector<SheetPage> pages;
    int summaryPages = 0;
    std::string error;
};
StatementPages statementPages(const QPrinter &printer, const Statement &statement, const std::string &title,
                              const std::string &date, const NumberFormat &fmt);

// Prints the statement on `printer` (or into the file the print dialog chose).
std::optional<std::string> printStatement(QPrinter &printer, const Statement &statement,
                                          const std::string &title, const std::string &date,
                                          const NumberFormat &fmt);

// The printed statement as an A4 PDF into the staged file's temporary; the caller commits it.
std::optional<std::string> printStatementToPdf(const Statement &statement, const std::string &title,
                                               const std::string &date, const NumberFormat &fmt,
                                               StagedFile &pdf);

}  // namespace lumora
