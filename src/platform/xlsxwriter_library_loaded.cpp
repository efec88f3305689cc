#include <QFile>
#include <QLibrary>
#include <type_traits>

#include "platform/xlsxwriter_library.h"

namespace lumora::platform {

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
        resolve(w.workbookNewOpt, "workbook_new_opt");
        resolve(w.setColumn, "worksheet_set_column");
        resolve(w.addFormat, "workbook_add_format");
        resolve(w.setNumFormat, "format_set_num_format");
        return w;
    }();
    return api;
}

QByteArray libraryFileName(const QString &path) { return QFile::encodeName(path); }

}  // namespace lumora::platform
