// Opening a written workbook in the user's spreadsheet program.
#pragma once

#include <QString>

namespace lumora::platform {

// Opens the .xlsx file as a new, untitled document where the program allows it. False when no
// program took the file.
bool openInSpreadsheetProgram(const QString &workbookPath);

// The spreadsheet programs to name when none took a workbook, those the system's users have first:
// "LibreOffice Calc" on Linux, "Microsoft Excel, LibreOffice Calc" on Windows. UTF-8.
const char *spreadsheetProgramNames();

}  // namespace lumora::platform
