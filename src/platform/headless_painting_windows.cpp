// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <shlobj.h>

#include <QDir>
#include <QString>

#include "platform/headless_painting.h"

namespace lumora::platform {

void chooseHeadlessPainting() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsSet("QT_QPA_FONTDIR")) return;
    PWSTR folder = nullptr;
    if (SHGetKnownFolderPath(FOLDERID_Fonts, 0, nullptr, &folder) == S_OK)
        qputenv("QT_QPA_FONTDIR", QDir::fromNativeSeparators(QString::fromWCharArray(folder)).toLocal8Bit());
    CoTaskMemFree(folder);
}

}  // namespace lumora::platform
