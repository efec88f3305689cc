#include <QProcess>

#include "platform/spreadsheet_program.h"

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

}  // namespace lumora::platform
