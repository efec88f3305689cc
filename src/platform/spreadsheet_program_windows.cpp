// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <shellapi.h>

#include <QDir>

#include "platform/spreadsheet_program.h"

namespace lumora::platform {

namespace {

bool shellExecute(const wchar_t *verb, const std::wstring &file) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, verb, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;  // the documented boundary between success and an error code
}

}  // namespace

bool openInSpreadsheetProgram(const QString &workbookPath) {
    const std::wstring file = QDir::toNativeSeparators(workbookPath).toStdWString();
    // "New" is the verb that Excel (and LibreOffice) register to open a workbook as the template of
    // a new, untitled one; a program without it opens the file itself.
    return shellExecute(L"new", file) || shellExecute(nullptr, file);
}

const char *spreadsheetProgramNames() { return "Microsoft Excel, LibreOffice Calc"; }

}  // namespace lumora::platform
