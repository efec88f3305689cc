// What the program asks of the desktop: the spreadsheet program, the system's information tool,
// the print dialog, painting without a window, and Qt's own translations.
#pragma once

#include <QString>

namespace lumora::platform {

// Opening a written workbook in the user's spreadsheet program.

// Opens the .xlsx file as a new, untitled document where the program allows it. False when no
// program took the file.
bool openInSpreadsheetProgram(const QString &workbookPath);

// The spreadsheet programs to name when none took a workbook, those the system's users have first:
// "LibreOffice Calc" on Linux, "Microsoft Excel, LibreOffice Calc" on Windows. UTF-8.
const char *spreadsheetProgramNames();

// The about box's button that starts the system's information tool.

// Starts the system-information tool. False when there is none or it could not be started.
bool startSystemInfoTool();

// Printing where no printer is installed: Qt's own print dialog (POSIX) then still offers printing to
// a PDF file, while Windows' dialog cannot open at all.

// Whether the system's print dialog can print to a PDF file when no printer is installed.
bool printDialogOffersPdfWithoutPrinter();

// Painting without a window (the batch report's printed sheet): Qt's offscreen platform, given the
// fonts the system has.

// Chooses the headless platform for the Qt application made next. On Windows the offscreen
// platform reads fonts from one folder only, so it is pointed at the system's font folder.
void chooseHeadlessPainting();

// Where Qt's own translations (qtbase_ru.qm: the file, print and message dialogs) are found.

// POSIX: the folder of the installed Qt. Windows: the program's resources, where the build puts the
// file, since a static Qt has no folder of its own on the user's machine.
QString qtTranslationsFolder();

}  // namespace lumora::platform
