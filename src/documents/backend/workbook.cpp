#include "documents/backend/workbook.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "documents/backend/file_store.h"
#include "documents/backend/workbook_numbers.h"
#include "documents/core/tally_texts.h"
#include "platform/program.h"
#include "platform/xlsxwriter_library.h"

namespace lumora {

namespace {

std::optional<std::string> failed(const char *what) {
    return std::string("Не удалось записать книгу: ") + what + ".";
}

// libxlsxwriter writes the whole package at workbook_close(); the file is made in a private folder
// and then copied over the target in one atomic step.
std::optional<std::string> writePackage(const std::vector<WorkbookSheet> &sheets, const QString &file,
                                        const QString &scratchFolder) {
    const platform::XlsxWriter &xlsx = platform::xlsxWriter();
    if (!xlsx.loaded()) return failed("не найдена библиотека libxlsxwriter");
    const ClassicNumbers pointDecimals;  // values and widths in the XML with a ".", whatever the desktop
    const QByteArray name = platform::libraryFileName(file);
    // The library's own scratch files go into our private folder too, not into the system's default
    // (the root of the drive on some Windows versions, which a user may not write).
    QByteArray scratch = platform::libraryFileName(scratchFolder);
    if (name.isEmpty() || scratch.isEmpty()) return failed("имя временной папки не подходит библиотеке книг");
    lxw_workbook_options options{};
    options.tmpdir = scratch.data();
    lxw_workbook *workbook = xlsx.workbookNewOpt(name.constData(), &options);
    if (!workbook) return failed("не удалось создать файл");
    lxw_error error = LXW_NO_ERROR;
    // One format per number format used; without the library's format functions, numbers stay plain.
    std::map<std::string, lxw_format *> formats;
    auto formatOf = [&](const std::string &numberFormat) -> lxw_format * {
        if (numberFormat.empty() || !xlsx.addFormat || !xlsx.setNumFormat) return nullptr;
        lxw_format *&f = formats[numberFormat];
        if (!f && (f = xlsx.addFormat(workbook))) xlsx.setNumFormat(f, numberFormat.c_str());
        return f;
    };
    for (const WorkbookSheet &page : sheets) {
        lxw_worksheet *sheet = xlsx.addWorksheet(workbook, page.name.c_str());
        if (!sheet) error = LXW_ERROR_MEMORY_MALLOC_FAILED;
        for (const auto &[column, width] : page.columnWidths) {
            if (error != LXW_NO_ERROR || !xlsx.setColumn) break;
            const auto c = static_cast<lxw_col_t>(column - 1);
            error = xlsx.setColumn(sheet, c, c, width, nullptr);
        }
        for (const ExportCell &cell : page.cells) {
            if (error != LXW_NO_ERROR) break;
            const auto row = static_cast<lxw_row_t>(cell.row - 1);
            const auto column = static_cast<lxw_col_t>(cell.column - 1);
            if (const auto *text = std::get_if<std::string>(&cell.value))
                error = xlsx.writeString(sheet, row, column, text->c_str(), nullptr);
            else if (const auto *whole = std::get_if<int16_t>(&cell.value))
                error = xlsx.writeNumber(sheet, row, column, *whole, nullptr);
            else
                error =
                    xlsx.writeNumber(sheet, row, column, std::get<double>(cell.value), formatOf(cell.format));
        }
        if (error != LXW_NO_ERROR) break;
    }
    const lxw_error closed = xlsx.close(workbook);
    if (error != LXW_NO_ERROR || closed != LXW_NO_ERROR)
        return failed(("ошибка при формировании файла (код " +
                       std::to_string(error != LXW_NO_ERROR ? error : closed) + ")")
                          .c_str());
    return std::nullopt;
}

}  // namespace

std::optional<std::string> writeWorkbook(const std::vector<ExportCell> &cells, StagedFile &workbook) {
    return writeWorkbook(std::vector<WorkbookSheet>{WorkbookSheet("Лист1", cells)}, workbook);
}

std::optional<std::string> writeWorkbook(const std::vector<WorkbookSheet> &sheets, StagedFile &workbook) {
    QTemporaryDir dir;
    if (!dir.isValid()) return failed("нет временной папки");
    const QString temporary = dir.filePath("export.xlsx");
    if (auto error = writePackage(sheets, temporary, dir.path())) return error;
    QFile written(temporary);
    if (!written.open(QIODevice::ReadOnly)) return failed("временный файл не читается");
    QByteArray package = written.readAll();
    if (auto error = shortenWorkbookNumbers(package)) return error;
    return workbook.write(package);
}

std::optional<std::string> writeWorkbook(const std::vector<ExportCell> &cells, const QString &path) {
    StagedFile workbook(path);
    if (auto error = writeWorkbook(cells, workbook)) return error;
    return workbook.commit();
}

std::string workbookDate() { return QDate::currentDate().toString("dd.MM.yyyy").toStdString(); }

std::string sheetDate() { return QDate::currentDate().toString("dd.MM.yy").toStdString(); }

std::optional<std::string> addTallySheet(std::vector<WorkbookSheet> &sheets, std::string name,
                                         const TallyTexts &texts, const NumberFormat &fmt,
                                         const std::string &title, const std::string &date) {
    ExportResult cells = exportCells(texts, fmt);
    if (!cells.ok) return cells.error;
    for (ExportCell &cell : aboutCells(texts, title, date)) cells.cells.push_back(std::move(cell));
    WorkbookSheet &sheet = sheets.emplace_back(std::move(name), std::move(cells.cells));
    // The longest group label, «Средние (14–24 см)», whole; the date and the heads beside.
    if (texts.groupsOnSheet) sheet.columnWidths.emplace_back(1, 20);
    sheet.columnWidths.emplace_back(kAboutColumn, 10);
    sheet.columnWidths.emplace_back(kAboutColumn + 1, 12);
    return std::nullopt;
}

std::optional<std::string> writeExportWorkbook(const Form &form, StagedFile &workbook) {
    std::vector<WorkbookSheet> sheets;
    if (auto error = addTallySheet(sheets, "Лист1", tallyTexts(form), form.numberFormat(), form.tallyTitle,
                                   workbookDate()))
        return error;
    return writeWorkbook(sheets, workbook);
}

std::optional<std::string> writeExportWorkbook(const Form &form, const QString &path) {
    StagedFile workbook(path);
    if (auto error = writeExportWorkbook(form, workbook)) return error;
    return workbook.commit();
}

}  // namespace lumora
