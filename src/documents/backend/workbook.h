// The exported workbook as an .xlsx file: the cells of the export, numbers as numbers and texts as
// texts, on one sheet, with no formatting.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "documents/backend/file_store.h"
#include "documents/core/export_cells.h"
#include "tally/form.h"

namespace lumora {

// Writes the cells into a new workbook at `path`, replacing the file only once the workbook is
// complete. Returns the error in Russian, or nullopt.
std::optional<std::string> writeWorkbook(const std::vector<ExportCell> &cells, const QString &path);

// One sheet of a workbook: its name (unique, at most 31 characters) and its cells.
struct WorkbookSheet {
    WorkbookSheet(std::string sheetName, std::vector<ExportCell> sheetCells)
        : name(std::move(sheetName)), cells(std::move(sheetCells)) {}
    std::string name;
    std::vector<ExportCell> cells;
    // Widths in characters of the columns (from 1) that need one; the others keep the default.
    std::vector<std::pair<int, double>> columnWidths;
};

// Today's date as the workbooks write it: "DD.MM.YYYY".
std::string workbookDate();
// Today's date as the printed sheets show it: "DD.MM.YY".
std::string sheetDate();

// A tally's sheet named `name`: the export's cells, beside them the cells that say which tally it is
// (its title when it has one, length and the date), and column widths that show the group labels.
// Returns the export's error instead when a text is not a number.
std::optional<std::string> addTallySheet(std::vector<WorkbookSheet> &sheets, std::string name,
                                         const TallyTexts &texts, const NumberFormat &fmt,
                                         const std::string &title, const std::string &date);

// Writes the sheets, in order, into the staged file's temporary; the caller commits it.
std::optional<std::string> writeWorkbook(const std::vector<WorkbookSheet> &sheets, StagedFile &workbook);

// Writes the cells into the staged file's temporary; the caller commits it.
std::optional<std::string> writeWorkbook(const std::vector<ExportCell> &cells, StagedFile &workbook);

// The form's tally as the export sees it, into the staged file (the batch report's --xlsx).
std::optional<std::string> writeExportWorkbook(const Form &form, StagedFile &workbook);

// The form's tally as the export sees it, written to `path`.
// Returns the error in Russian (a text that is not a number, a file that cannot be written), or nullopt.
std::optional<std::string> writeExportWorkbook(const Form &form, const QString &path);

}  // namespace lumora
