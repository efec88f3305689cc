// The statement's workbook: «Сводка», then one sheet per tally in the export's layout, with the same
// writers as a single tally's. (The printed statement is in print/statement_print.h.)
#pragma once

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

}  // namespace lumora
