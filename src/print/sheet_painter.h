// Painting the printed tally sheet on a QPrinter: a real printer, a PDF file or a print preview.
//
// The layout is worked out first, in twips, with the printer's own font metrics; only when it is
// complete is anything drawn, so a text that is not a number stops the print before a document is
// started. One twip is resolution/1440 device units; the printer is used full page, so the origin
// is the paper's top left corner, and the paper is A4.
#pragma once

#include <QFont>
#include <QPrinter>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "documents/backend/file_store.h"
#include "documents/core/print_layout.h"
#include "tally/form.h"

namespace lumora {

// The sheet's font: "times new roman cyr", which resolves to a serif with Times metrics
// (Liberation Serif where installed).
QFont sheetFont(double sizePt, bool bold);

// Text widths in twips, measured with the sheet's font on the given device.
TextWidthFn sheetTextWidth(const QPaintDevice *device);

// Sets the printer up as the sheet expects (A4, full page); copies and orientation are left as
// the print dialog chose them.
void prepareSheetPrinter(QPrinter &printer);

// The paper's size in twips (A4 once prepared).
QSizeF sheetPaper(const QPrinter &printer);

// Paints pages laid out in twips, one after the other, as one document named `docName`. Returns the
// error in Russian, or nullopt.
std::optional<std::string> printPages(QPrinter &printer, const std::vector<SheetPage> &pages,
                                      const std::string &docName);

// Something to print on a prepared printer; returns the error in Russian, or nullopt.
using PrintJob = std::function<std::optional<std::string>(QPrinter &)>;

// The job as an A4 PDF in the staged file's temporary, checked to be complete; the caller commits it.
std::optional<std::string> printToPdf(StagedFile &pdf, const PrintJob &job);

// The job on `printer`; when the print dialog chose "print to file", through a temporary that
// replaces the target only once it is complete.
std::optional<std::string> printOrFile(QPrinter &printer, const PrintJob &job);

// Lays the form's tally out on the printer's page and paints it. Returns the error in Russian
// (a text that is not a number, a printer that cannot start), or nullopt.
std::optional<std::string> printSheet(QPrinter &printer, const Form &form, const std::string &title,
                                      const std::string &date);

// The sheet as an A4 PDF file at `path`, dated today (the batch report's --pdf). The file is
// replaced only once the PDF is complete. Returns the error in Russian, or nullopt.
std::optional<std::string> printSheetToPdf(const Form &form, const QString &path, const std::string &title);
// The same into the staged file's temporary; the caller commits it.
std::optional<std::string> printSheetToPdf(const Form &form, StagedFile &pdf, const std::string &title);

// Prints on `printer`; when the print dialog chose "print to file", the PDF is written through a
// temporary in the target's folder that replaces the target only once it is complete.
std::optional<std::string> printSheetOrFile(QPrinter &printer, const Form &form, const std::string &title,
                                            const std::string &date);

}  // namespace lumora
