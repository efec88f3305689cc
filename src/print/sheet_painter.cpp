#include "print/sheet_painter.h"

#include <QDate>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPalette>
#include <QTemporaryDir>

#include "documents/backend/file_store.h"
#include "documents/backend/workbook.h"
#include "documents/core/tally_texts.h"

namespace lumora {

namespace {

constexpr double kTwipsPerInch = 1440;

double unitsPerTwip(const QPaintDevice *device) { return device->logicalDpiX() / kTwipsPerInch; }

// The three system colours, taken from the application's palette: light grey, text black, grey.
QColor colourOf(SheetColour role) {
    const QPalette palette = QGuiApplication::palette();
    switch (role) {
        case SheetColour::InactiveBorder:
            return palette.color(QPalette::Inactive, QPalette::Mid);
        case SheetColour::InactiveCaption:
            return palette.color(QPalette::Inactive, QPalette::Dark);
        case SheetColour::ButtonText:
            break;
    }
    return palette.color(QPalette::Active, QPalette::ButtonText);
}

void paintItems(QPainter &painter, const std::vector<SheetItem> &items, const QPaintDevice *device) {
    const double scale = unitsPerTwip(device);
    for (const SheetItem &item : items) {
        const QFont font = sheetFont(item.sizePt, item.bold);
        painter.setFont(font);
        painter.setPen(colourOf(item.colour));
        // The item's y is the top of the text; QPainter draws on the baseline.
        const double ascent = QFontMetricsF(font, device).ascent();
        painter.drawText(QPointF(item.x * scale, item.y * scale + ascent), QString::fromStdString(item.text));
    }
}

}  // namespace

QFont sheetFont(double sizePt, bool bold) {
    static const bool substituted = [] {
        QFont::insertSubstitutions("times new roman cyr",
                                   {"Times New Roman", "Liberation Serif", "Tinos", "DejaVu Serif"});
        return true;
    }();
    (void)substituted;
    QFont font("times new roman cyr");
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(sizePt);
    font.setBold(bold);
    return font;
}

TextWidthFn sheetTextWidth(const QPaintDevice *device) {
    const double scale = unitsPerTwip(device);
    return [device, scale](const std::string &text, double sizePt, bool bold) {
        return QFontMetricsF(sheetFont(sizePt, bold), device)
                   .horizontalAdvance(QString::fromStdString(text)) /
               scale;
    };
}

void prepareSheetPrinter(QPrinter &printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
}

std::optional<std::string> printSheet(QPrinter &printer, const Form &form, const std::string &title,
                                      const std::string &date) {
    SheetInputs in;
    in.texts = tallyTexts(form);
    in.title = title;
    in.date = date;
    const QSizeF paper = sheetPaper(printer);
    in.pageWidth = paper.width();
    in.pageHeight = paper.height();
    SheetLayout layout = layoutSheet(in, form.numberFormat(), sheetTextWidth(&printer));
    if (!layout.ok) return layout.error;
    return printPages(printer, {layout.items}, title);
}

QSizeF sheetPaper(const QPrinter &printer) {
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Point);
    return {paper.width() * 20, paper.height() * 20};  // 20 twips to the point
}

std::optional<std::string> printPages(QPrinter &printer, const std::vector<SheetPage> &pages,
                                      const std::string &docName) {
    // The document's name: the PDF's Title, and the job's name in a printer's queue.
    printer.setDocName(QString::fromStdString(docName));
    QPainter painter;
    if (!painter.begin(&printer)) return std::string("Лист не напечатан: принтер недоступен.");
    for (size_t k = 0; k < pages.size(); ++k) {
        if (k > 0 && !printer.newPage()) {
            painter.end();
            return std::string("Лист не напечатан: ошибка принтера.");
        }
        paintItems(painter, pages[k], &printer);
    }
    if (!painter.end()) return std::string("Лист не напечатан: ошибка принтера.");
    return std::nullopt;
}

namespace {

// The PDF writer reports no write errors: a full disk leaves a file cut short, or an empty one. A
// complete PDF ends with its end-of-file marker.
bool completePdf(const QString &name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 64) return false;
    file.seek(file.size() - 32);
    return file.read(32).contains("%%EOF");
}

std::optional<std::string> paintPdf(QPrinter &printer, StagedFile &pdf, const PrintJob &job) {
    std::string error;
    const QString temporary = pdf.temporary(error);
    if (temporary.isEmpty()) return error;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temporary);
    if (auto failed = job(printer)) return failed;
    if (!completePdf(temporary))
        return QString("Лист не записан в «%1»: файл не удалось записать полностью (нет места на диске?).")
            .arg(pdf.target())
            .toStdString();
    return std::nullopt;
}

PrintJob sheetJob(const Form &form, const std::string &title, const std::string &date) {
    return [&form, title, date](QPrinter &printer) { return printSheet(printer, form, title, date); };
}

}  // namespace

std::optional<std::string> printToPdf(StagedFile &pdf, const PrintJob &job) {
    QPrinter printer(QPrinter::HighResolution);
    prepareSheetPrinter(printer);
    return paintPdf(printer, pdf, job);
}

std::optional<std::string> printOrFile(QPrinter &printer, const PrintJob &job) {
    const QString target = printer.outputFileName();
    if (target.isEmpty()) return job(printer);
    StagedFile pdf(target);
    auto error = paintPdf(printer, pdf, job);
    printer.setOutputFileName(target);
    if (error) return error;
    return pdf.commit();
}

std::optional<std::string> printSheetToPdf(const Form &form, StagedFile &pdf, const std::string &title) {
    return printToPdf(pdf, sheetJob(form, title, sheetDate()));
}

std::optional<std::string> printSheetToPdf(const Form &form, const QString &path, const std::string &title) {
    StagedFile pdf(path);
    if (auto error = printSheetToPdf(form, pdf, title)) return error;
    return pdf.commit();
}

std::optional<std::string> printSheetOrFile(QPrinter &printer, const Form &form, const std::string &title,
                                            const std::string &date) {
    return printOrFile(printer, sheetJob(form, title, date));
}

}  // namespace lumora
