#include "documents/backend/workbook.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QTemporaryDir>

#include "documents/backend/file_store.h"
#include "documents/core/tally_texts.h"

namespace lumora {

namespace {

std::optional<std::string> failed(const char *what) {
    return std::string("Не удалось записать книгу: ") + what + ".";
}

// libxlsxwriter writes the whole package at workbook_close(); the file is made in a private folder
// and then copied over the target in one atomic step.
std::optional<std::string> writePackage(const std::vector<ExportCell> &cells, const QString &file) {
    const QByteArray name = QFile::encodeName(file);
    lxw_workbook *workbook = workbook_new(name.constData());
    if (!workbook) return failed("не удалось создать файл");
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_error error = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (const ExportCell &cell : cells) {
        if (error != LXW_NO_ERROR) break;
        const auto row = static_cast<lxw_row_t>(cell.row - 1);
        const auto column = static_cast<lxw_col_t>(cell.column - 1);
        if (const auto *text = std::get_if<std::string>(&cell.value))
            error = worksheet_write_string(sheet, row, column, text->c_str(), nullptr);
        else if (const auto *whole = std::get_if<int16_t>(&cell.value))
            error = worksheet_write_number(sheet, row, column, *whole, nullptr);
        else
            error = worksheet_write_number(sheet, row, column, std::get<double>(cell.value), nullptr);
    }
    const lxw_error closed = workbook_close(workbook);
    if (error != LXW_NO_ERROR || closed != LXW_NO_ERROR)
        return failed(("ошибка при формировании файла (код " +
                       std::to_string(error != LXW_NO_ERROR ? error : closed) + ")")
                          .c_str());
    return std::nullopt;
}

}  // namespace

std::optional<std::string> writeWorkbook(const std::vector<ExportCell> &cells, const QString &path) {
    QTemporaryDir dir;
    if (!dir.isValid()) return failed("нет временной папки");
    const QString temporary = dir.filePath("export.xlsx");
    if (auto error = writePackage(cells, temporary)) return error;
    QFile written(temporary);
    if (!written.open(QIODevice::ReadOnly)) return failed("временный файл не читается");
    return saveFileAtomically(path, written.readAll());
}

std::optional<std::string> writeExportWorkbook(const Form &form, const QString &path) {
    ExportResult cells = exportCells(tallyTexts(form), form.numberFormat());
    if (!cells.ok) return cells.error;
    return writeWorkbook(cells.cells, path);
}

}  // namespace lumora
