#include "documents/backend/workbook.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <type_traits>

#include "documents/backend/file_store.h"
#include "documents/core/tally_texts.h"
#include "platform/classic_numbers.h"

namespace lumora {

namespace {

std::optional<std::string> failed(const char *what) {
    return std::string("Не удалось записать книгу: ") + what + ".";
}

// libxlsxwriter, and OpenSSL's libcrypto that comes with it, are loaded at the first export instead of
// with the program: linked in, they cost every start of the window about 3 ms and 1.7 MB of memory.
struct XlsxWriter {
    decltype(&workbook_new) workbookNew = nullptr;
    decltype(&workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&worksheet_write_string) writeString = nullptr;
    decltype(&worksheet_write_number) writeNumber = nullptr;
    decltype(&workbook_close) close = nullptr;
    bool loaded() const { return workbookNew && addWorksheet && writeString && writeNumber && close; }
};

const XlsxWriter &xlsxWriter() {
    static const XlsxWriter api = [] {
        XlsxWriter w;
        QLibrary library(QStringLiteral("xlsxwriter"), QStringLiteral(LXW_SOVERSION));
        if (!library.load()) return w;  // stays loaded: QLibrary unloads only when asked to
        auto resolve = [&library](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
        };
        resolve(w.workbookNew, "workbook_new");
        resolve(w.addWorksheet, "workbook_add_worksheet");
        resolve(w.writeString, "worksheet_write_string");
        resolve(w.writeNumber, "worksheet_write_number");
        resolve(w.close, "workbook_close");
        return w;
    }();
    return api;
}

// libxlsxwriter writes the whole package at workbook_close(); the file is made in a private folder
// and then copied over the target in one atomic step.
std::optional<std::string> writePackage(const std::vector<ExportCell> &cells, const QString &file) {
    const XlsxWriter &xlsx = xlsxWriter();
    if (!xlsx.loaded()) return failed("не найдена библиотека libxlsxwriter");
    const ClassicNumbers pointDecimals;  // values and widths in the XML with a ".", whatever the desktop
    const QByteArray name = QFile::encodeName(file);
    lxw_workbook *workbook = xlsx.workbookNew(name.constData());
    if (!workbook) return failed("не удалось создать файл");
    lxw_worksheet *sheet = xlsx.addWorksheet(workbook, "Лист1");
    lxw_error error = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (const ExportCell &cell : cells) {
        if (error != LXW_NO_ERROR) break;
        const auto row = static_cast<lxw_row_t>(cell.row - 1);
        const auto column = static_cast<lxw_col_t>(cell.column - 1);
        if (const auto *text = std::get_if<std::string>(&cell.value))
            error = xlsx.writeString(sheet, row, column, text->c_str(), nullptr);
        else if (const auto *whole = std::get_if<int16_t>(&cell.value))
            error = xlsx.writeNumber(sheet, row, column, *whole, nullptr);
        else
            error = xlsx.writeNumber(sheet, row, column, std::get<double>(cell.value), nullptr);
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
    QTemporaryDir dir;
    if (!dir.isValid()) return failed("нет временной папки");
    const QString temporary = dir.filePath("export.xlsx");
    if (auto error = writePackage(cells, temporary)) return error;
    QFile written(temporary);
    if (!written.open(QIODevice::ReadOnly)) return failed("временный файл не читается");
    return workbook.write(written.readAll());
}

std::optional<std::string> writeWorkbook(const std::vector<ExportCell> &cells, const QString &path) {
    StagedFile workbook(path);
    if (auto error = writeWorkbook(cells, workbook)) return error;
    return workbook.commit();
}

std::optional<std::string> writeExportWorkbook(const Form &form, StagedFile &workbook) {
    ExportResult cells = exportCells(tallyTexts(form), form.numberFormat());
    if (!cells.ok) return cells.error;
    return writeWorkbook(cells.cells, workbook);
}

std::optional<std::string> writeExportWorkbook(const Form &form, const QString &path) {
    StagedFile workbook(path);
    if (auto error = writeExportWorkbook(form, workbook)) return error;
    return workbook.commit();
}

}  // namespace lumora
