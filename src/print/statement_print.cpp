#include "print/statement_print.h"

#include "documents/core/statement_layout.h"
#include "print/sheet_painter.h"

namespace lumora {

StatementPages statementPages(const QPrinter &printer, const Statement &statement, const std::string &title,
                              const std::string &date, const NumberFormat &fmt) {
    StatementPages result;
    const QSizeF paper = sheetPaper(printer);
    const TextWidthFn width = sheetTextWidth(&printer);
    StatementPageInputs summary{title, date, paper.width(), paper.height()};
    result.pages = layoutStatementSummary(statement, summary, fmt, width);
    result.summaryPages = static_cast<int>(result.pages.size());
    for (const StatementTally &t : statement.tallies) {
        SheetInputs in;
        in.texts = t.texts;
        in.title = t.name;
        in.date = date;
        in.pageWidth = paper.width();
        in.pageHeight = paper.height();
        SheetLayout sheet = layoutSheet(in, fmt, width);
        if (!sheet.ok) {
            result.pages.clear();
            result.error = "Файл «" + t.path + "»: " + sheet.error;
            return result;
        }
        result.pages.push_back(std::move(sheet.items));
    }
    result.ok = true;
    return result;
}

namespace {

PrintJob statementJob(const Statement &statement, const std::string &title, const std::string &date,
                      const NumberFormat &fmt) {
    return [&statement, title, date, fmt](QPrinter &printer) -> std::optional<std::string> {
        StatementPages pages = statementPages(printer, statement, title, date, fmt);
        if (!pages.ok) return pages.error;
        return printPages(printer, pages.pages, title);
    };
}

}  // namespace

std::optional<std::string> printStatement(QPrinter &printer, const Statement &statement,
                                          const std::string &title, const std::string &date,
                                          const NumberFormat &fmt) {
    return printOrFile(printer, statementJob(statement, title, date, fmt));
}

std::optional<std::string> printStatementToPdf(const Statement &statement, const std::string &title,
                                               const std::string &date, const NumberFormat &fmt,
                                               StagedFile &pdf) {
    return printToPdf(pdf, statementJob(statement, title, date, fmt));
}

}  // namespace lumora
