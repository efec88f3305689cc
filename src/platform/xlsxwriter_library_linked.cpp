#include "platform/xlsxwriter_library.h"

namespace lumora::platform {

const XlsxWriter &xlsxWriter() {
    static const XlsxWriter api{&workbook_new,           &workbook_add_worksheet, &worksheet_write_string,
                                &worksheet_write_number, &workbook_close,         &worksheet_set_column};
    return api;
}

QByteArray libraryFileName(const QString &path) { return path.toUtf8(); }

}  // namespace lumora::platform
