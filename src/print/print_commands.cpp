#include "print/print_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>

#include "documents/backend/workbook.h"
#include "documents/core/tally_texts.h"
#include "platform/desktop.h"
#include "print/sheet_painter.h"
#include "print/statement_print.h"

namespace lumora {

void printTally(Form &form, DocumentDialogs &dialogs, PrinterDialogs &printers,
                const std::function<std::string()> &askTitle) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    printer.setFromTo(1, 1);
    printer.setPrintRange(QPrinter::PageRange);
    // Printed to a file, the sheet goes beside its tally, under the tally's name.
    QString pdfName;
    if (!form.tallyFileName.empty()) {
        const QFileInfo tally(QString::fromStdString(form.tallyFileName));
        const bool txt = tally.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0;
        pdfName = tally.dir().filePath((txt ? tally.completeBaseName() : tally.fileName()) +
                                       QStringLiteral(".pdf"));
    }
    if (!printers.choosePrinter(printer, pdfName)) return;  // a cancel prints nothing
    // Copies and orientation are the dialog's; the page range is not used: there is one sheet.
    printer.setPrintRange(QPrinter::AllPages);
    prepareSheetPrinter(printer);
    const std::string title = askTitle();
    if (auto error = printSheetOrFile(printer, form, title, sheetDate())) dialogs.message(*error);
}

void previewTally(Form &form, DocumentDialogs &dialogs, PrinterDialogs &printers,
                  const std::function<std::string()> &askTitle) {
    QPrinter printer(QPrinter::HighResolution);
    prepareSheetPrinter(printer);
    const std::string title = askTitle();
    const std::string date = sheetDate();
    // The layout is checked once before the preview opens, so a bad text is told, not shown blank.
    SheetInputs check;
    check.texts = tallyTexts(form);
    check.pageWidth = check.pageHeight = 20000;
    SheetLayout layout = layoutSheet(check, form.numberFormat(), sheetTextWidth(&printer));
    if (!layout.ok) return dialogs.message(layout.error);
    printers.showPreview(printer, [&form, &title, &date](QPrinter *target) {
        prepareSheetPrinter(*target);
        printSheet(*target, form, title, date);
    });
}

std::optional<std::string> printStatementOnPrinter(PrinterDialogs &printers, const Statement &statement,
                                                   const std::string &title, const NumberFormat &fmt,
                                                   const QString &pdfName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(1);
    if (!printers.choosePrinter(printer, pdfName)) return std::nullopt;
    printer.setPrintRange(QPrinter::AllPages);
    prepareSheetPrinter(printer);
    return printStatement(printer, statement, title, sheetDate(), fmt);
}

bool runPrintDialog(QPrinter &printer, const QString &pdfName, QWidget *parent,
                    const std::function<std::optional<std::string>()> &pdfInstead) {
    if (QPrinterInfo::availablePrinterNames().isEmpty() && !platform::printDialogOffersPdfWithoutPrinter()) {
        const std::optional<std::string> name = pdfInstead();
        if (!name) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(*name));
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    // Qt's own dialog offers "print.pdf" in the current folder; its file box is the one named
    // "filename". (A platform's native dialog has none and names the file itself.)
    if (auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename")); file && !pdfName.isEmpty())
        file->setText(QDir::toNativeSeparators(pdfName));
    dialog.setMinMax(0, 10);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    return dialog.exec() == QDialog::Accepted;
}

void runPrintPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint, QWidget *parent) {
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter *p) { paint(p); });
    preview.exec();
}

}  // namespace lumora
