#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include "platform/desktop.h"
#include "platform/registry_text.h"

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

namespace {

// One registry value as text, or "" when the key or the value is not there. Read-only access: asking
// for more under HKEY_LOCAL_MACHINE is refused to a user who is not an administrator.
QString keyValue(HKEY root, const wchar_t *keyName, const wchar_t *valueName) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    QByteArray data(1024, '\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    const LONG status =
        RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE *>(data.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return {};
    data.truncate(static_cast<qsizetype>(size));
    return registryValueText(type, data).value_or(QString());
}

}  // namespace

bool startSystemInfoTool() {
    QString program = keyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
    if (program.isEmpty()) {
        const QString folder =
            keyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
        if (!folder.isEmpty() && QFileInfo::exists(folder + QStringLiteral("\\MSINFO32.EXE")))
            program = folder + QStringLiteral("\\MSINFO32.EXE");
    }
    if (program.isEmpty()) return false;
    const std::wstring path = QDir::toNativeSeparators(program).toStdWString();
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

// The native dialog needs a printer to show (it answers at once, as if cancelled, without one).
bool printDialogOffersPdfWithoutPrinter() { return false; }

void chooseHeadlessPainting() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsSet("QT_QPA_FONTDIR")) return;
    PWSTR folder = nullptr;
    if (SHGetKnownFolderPath(FOLDERID_Fonts, 0, nullptr, &folder) == S_OK)
        qputenv("QT_QPA_FONTDIR", QDir::fromNativeSeparators(QString::fromWCharArray(folder)).toLocal8Bit());
    CoTaskMemFree(folder);
}

QString qtTranslationsFolder() { return QStringLiteral(":/translations"); }

}  // namespace lumora::platform
