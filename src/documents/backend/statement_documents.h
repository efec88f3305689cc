// The statement's documents: the workbook («Сводка», then one sheet per tally in the export's
// layout) and the printed statement (the summary pages, then each tally's sheet), with the same
// writers and the same painter as a single tally's.
#pragma once

#include <QPrinter>
#include <optional>
#include <string>
#include <vector>

#include "documents/backend/file_store.h"
#include "documents/core/print_layout.h"
#include "documents/core/statement.h"

namespace lumora {

// Sheet names for the tallies' files: the file name without ".txt", characters a sheet name cannot
// hold replaced by "_", at most 31 characters, unique whatever the letter case (a repeated name gets
// " (2)", " (3)" ...), and never «Сводка».
std::vector<std::string> statementSheetNames(const std::vector<std::string> &fileNames);

// Writes the statement's workbook into the staged file's temporary; the caller commits it.
std::optional<std::string> writeStatementWorkbook(const Statement &statement, const std::string &title,
                                                  const std::string &date, const NumberFormat &fmt,
                                                  StagedFile &workbook);

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
