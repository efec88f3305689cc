// The document commands of the main window, ready to be connected to the menu and the toolbar.
//
//   DocumentCommands commands(form, dialogs, printerDialogs);
//   File menu:  "Открыть" -> Open()            "Сохранить" -> Save()     "Сохранить как..." -> SaveAs()
//               "Экспорт в *.xls" -> ExportXLS()   "&Печать" -> Print()
//               "Предварительный просмотр..." -> PrintPreview()
//   Toolbar:    "Сохранить" -> Command4()     "Экспорт в Excel" -> Command5()
//
// Each call runs the whole command, modal dialogs included, and leaves the form as the window should
// then show it. Failures are told to the user in a message box in Russian; none of them changes the
// tally in the window. The toolbar commands give the keyboard focus back to the count box that had
// it (through the form's view).
#pragma once

#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>

#include "documents/backend/file_store.h"
#include "documents/core/tally_commands.h"
#include "tally/form.h"

namespace lumora {

// The printer's dialogs, which need the printer itself.
class PrinterDialogs {
public:
    virtual ~PrinterDialogs() = default;
    // The print dialog on `printer`; false when cancelled. Printing to a file offers `pdfName` when it
    // is not empty.
    virtual bool choosePrinter(QPrinter &printer, const QString &pdfName) = 0;
    // A preview of what `paint` draws on a printer; returns when the preview is closed.
    virtual void showPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint) = 0;
};

// Opens a written workbook in the user's spreadsheet program as a new, untitled document.
class SpreadsheetLauncher {
public:
    virtual ~SpreadsheetLauncher() = default;
    // False when no spreadsheet program could be started.
    virtual bool open(const QString &workbookPath) = 0;
};

// The user's spreadsheet program (src/platform/desktop.h): on Linux LibreOffice Calc
// (`soffice --calc -n FILE`) where installed, otherwise the desktop's program for .xlsx files
// (xdg-open); on Windows the program registered for .xlsx.
class DesktopSpreadsheet : public SpreadsheetLauncher {
public:
    bool open(const QString &workbookPath) override;
};

// The folder of the workbooks handed to the spreadsheet program: the user's cache folder.
QString exportFolder();
// Removes the workbooks there that are more than a day old (the spreadsheet program has long since
// read them). Run at start.
void removeStaleWorkbooks(const QString &folder = exportFolder());

// Writes a workbook with `write` (given the file to write) into the export folder and opens it in
// the spreadsheet program; when none starts, offers to save it to a file of the user's choice.
// Failures are told through `dialogs`.
void handToSpreadsheet(const std::function<std::optional<std::string>(const QString &)> &write,
                       DocumentDialogs &dialogs, SpreadsheetLauncher &spreadsheet);

class DocumentCommands {
public:
    // `files` and `spreadsheet` default to the disk and the desktop's programs; tests pass their own.
    DocumentCommands(Form &form, DocumentDialogs &dialogs, PrinterDialogs &printerDialogs,
                     FileStore *files = nullptr, SpreadsheetLauncher *spreadsheet = nullptr);

    // The counts as the file holds them when a tally was loaded.
    std::optional<TallyCounts> Open();
    void Save();
    void SaveAs();
    void Command4();
    void ExportXLS();
    void Command5();
    void Print();
    void PrintPreview();

private:
    void exportWorkbook();
    std::string askTitle();

    Form &form_;
    DocumentDialogs &dialogs_;
    PrinterDialogs &printerDialogs_;
    DiskFiles disk_;
    DesktopSpreadsheet desktop_;
    FileStore &files_;
    SpreadsheetLauncher &spreadsheet_;
};

}  // namespace lumora
