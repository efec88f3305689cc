// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <QDir>
#include <QFileInfo>

#include "platform/xlsxwriter_library.h"

namespace lumora::platform {

const XlsxWriter &xlsxWriter() {
    static const XlsxWriter api{&workbook_new,           &workbook_add_worksheet, &worksheet_write_string,
                                &worksheet_write_number, &workbook_close,         &workbook_new_opt,
                                &worksheet_set_column,   &workbook_add_format,    &format_set_num_format};
    return api;
}

namespace {

bool isAscii(const QString &text) {
    for (QChar c : text)
        if (c.unicode() >= 128) return false;
    return true;
}

// The name in the ANSI code page, when every character has a place in it (a Russian name on a
// Windows set up for Russian); empty otherwise.
QByteArray inAnsiCodePage(const QString &name) {
    const std::wstring wide = name.toStdWString();
    BOOL lossy = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (size <= 1 || lossy) return QByteArray();
    QByteArray out(size, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, out.data(), size, nullptr, &lossy);
    out.chop(1);  // the terminating NUL
    return lossy ? QByteArray() : out;
}

// The short (8.3) form of an existing path, which is ASCII where the volume keeps short names.
QString shortForm(const QString &existing) {
    const std::wstring wide = QDir::toNativeSeparators(existing).toStdWString();
    const DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (size == 0) return QString();
    std::wstring out(size, L'\0');
    const DWORD written = GetShortPathNameW(wide.c_str(), out.data(), size);
    if (written == 0 || written >= size) return QString();
    out.resize(written);
    return QString::fromStdWString(out);
}

}  // namespace

// libxlsxwriter built with MinGW opens its files with the C library's narrow fopen, which reads a
// name in the ANSI code page: a UTF-8 name with Cyrillic letters (a user called Иван has them in
// %TEMP%) names no file there. ASCII names pass as they are; others in the ANSI code page when it
// holds them, else through the short form of their folder.
QByteArray libraryFileName(const QString &path) {
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (isAscii(native)) return native.toLatin1();
    if (QByteArray ansi = inAnsiCodePage(native); !ansi.isEmpty()) return ansi;
    const QFileInfo info(native);
    const QString shortPath = info.exists() ? shortForm(native)
                              : isAscii(info.fileName())
                                  ? shortForm(info.absolutePath()) + QLatin1Char('\\') + info.fileName()
                                  : QString();
    return isAscii(shortPath) && !shortPath.isEmpty() && !shortPath.startsWith(QLatin1Char('\\'))
               ? shortPath.toLatin1()
               : QByteArray();
}

}  // namespace lumora::platform
