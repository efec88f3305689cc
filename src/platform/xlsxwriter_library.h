// The few functions of libxlsxwriter that the workbook writer calls. On Linux the library is loaded
// at the first export instead of with the program: linked in, it and OpenSSL's libcrypto cost every
// start of the window about 3 ms and 1.7 MB of memory. On Windows it is linked into the program, so
// that the program stays one file.
#pragma once

#include <xlsxwriter.h>

#include <QByteArray>
#include <QString>

namespace lumora::platform {

struct XlsxWriter {
    decltype(&workbook_new) workbookNew = nullptr;
    decltype(&workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&worksheet_write_string) writeString = nullptr;
    decltype(&worksheet_write_number) writeNumber = nullptr;
    decltype(&workbook_close) close = nullptr;
    decltype(&workbook_new_opt) workbookNewOpt = nullptr;
    decltype(&worksheet_set_column) setColumn = nullptr;  // widths only; a workbook is whole without them
    decltype(&workbook_add_format) addFormat = nullptr;   // number formats only, as the widths
    decltype(&format_set_num_format) setNumFormat = nullptr;
    bool loaded() const {
        return workbookNew && addWorksheet && writeString && writeNumber && close && workbookNewOpt;
    }
};

// The functions, loading the library on the first call; loaded() is false when it is not there.
const XlsxWriter &xlsxWriter();

// A file or folder name as the library opens it: in the file system's encoding on POSIX; on Windows
// in a form the library's narrow calls can open (see xlsxwriter_library_linked.cpp), or empty when
// the name has none.
QByteArray libraryFileName(const QString &path);

}  // namespace lumora::platform
