// The print commands: the tally's sheet on a printer or in a preview, the statement on a printer, and
// Qt's own printer dialogs. With the painter they are the only code that needs Qt's print support,
// which is why printing is a room of its own: on Linux it is a module that the program loads at the
// first print (print/module), so that starting the window loads nothing it does not show.
#pragma once

#include <QPrinter>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "documents/backend/document_commands.h"
#include "documents/core/statement.h"
#include "tally/form.h"

class QWidget;

namespace lumora {

// «Печать»: the print dialog (a file is offered beside the tally, under its name), then the title
// asked by `askTitle`, then the sheet. Failures are told through `dialogs`.
void printTally(Form &form, DocumentDialogs &dialogs, PrinterDialogs &printers,
                const std::function<std::string()> &askTitle);
// «Предварительный просмотр...»: the title, then the sheet in a preview.
void previewTally(Form &form, DocumentDialogs &dialogs, PrinterDialogs &printers,
                  const std::function<std::string()> &askTitle);

// The statement on the printer chosen in the print dialog (a file is offered as `pdfName`). The error
// in Russian, or nullopt (printed, or the dialog cancelled).
std::optional<std::string> printStatementOnPrinter(PrinterDialogs &printers, const Statement &statement,
                                                   const std::string &title, const NumberFormat &fmt,
                                                   const QString &pdfName);

// Qt's print dialog on `printer`, a file offered as `pdfName`. Where no printer is installed and the
// platform's dialog would then offer no PDF, `pdfInstead` asks for a PDF file (nullopt: cancelled).
bool runPrintDialog(QPrinter &printer, const QString &pdfName, QWidget *parent,
                    const std::function<std::optional<std::string>()> &pdfInstead);
// Qt's print preview of what `paint` draws; returns when it is closed.
void runPrintPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint, QWidget *parent);

}  // namespace lumora
