#include <QByteArray>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/desktop.h"

namespace lumora::platform {

bool openInSpreadsheetProgram(const QString &workbookPath) {
    // "-n" opens the file as a template: the user gets a new, untitled, unsaved document.
    if (QProcess::startDetached("soffice", {"--calc", "-n", workbookPath})) return true;
    // xdg-open hands the file on and ends; a status other than 0 means no program took it.
    QProcess opener;
    opener.start("xdg-open", {workbookPath});
    if (!opener.waitForStarted(3000)) return false;
    if (!opener.waitForFinished(10000)) return true;  // still handing it on: a program was found
    return opener.exitStatus() == QProcess::NormalExit && opener.exitCode() == 0;
}

const char *spreadsheetProgramNames() { return "LibreOffice Calc"; }

bool startSystemInfoTool() {
    // System-information viewers of the Linux desktops, most detailed first.
    for (const char *name :
         {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "xfce4-taskmanager"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return true;
    }
    return false;
}

bool printDialogOffersPdfWithoutPrinter() { return true; }

void chooseHeadlessPainting() { qputenv("QT_QPA_PLATFORM", "offscreen"); }

QString qtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

}  // namespace lumora::platform
