// Opening a written workbook in the user's spreadsheet program.
#pragma once

#include <QString>

namespace lumora::platform {

// Opens the .xlsx file as a new, untitled document where the program allows it. False when no
// program took the file.
bool openInSpreadsheetProgram(const QString &workbookPath);

}  // namespace lumora::platform
