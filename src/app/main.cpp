// Люмора: the window, or with --report the batch report of a saved tally.
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <clocale>
#include <ostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/report.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/program.h"
#include "ui/run_window.h"

namespace {

// The decimal separator follows the user's locale (LANG=ru_RU.UTF-8 gives a comma).
lumora::NumberFormat userNumberFormat() {
    lumora::NumberFormat fmt;
    const QString point = QLocale::system().decimalPoint();
    fmt.decimalSeparator = point.size() == 1 && point.at(0).unicode() < 128 ? point.at(0).toLatin1() : ',';
    return fmt;
}

// Qt's application object sets the C library's locale from the environment. Figures never go
// through the C library (the numbers module is locale-free), but libraries might: numbers in the
// C library stay in the "C" locale, as Qt advises. Everything the user sees still takes the decimal
// separator from QLocale::system().
void keepClassicNumbers() { std::setlocale(LC_NUMERIC, "C"); }

int report(const std::vector<std::string> &args) {
    return lumora::runReport(args, userNumberFormat(), lumora::platform::standardOutput(),
                             lumora::platform::standardError());
}

}  // namespace

int main(int argc, char **argv) {
    lumora::platform::markRunning();
    lumora::setProgramNames();
    // Past a file-size limit a write then fails with "file too big", which is reported like any
    // other failed save, instead of the signal ending the program.
    lumora::platform::ignoreFileSizeLimitSignal();
    const std::vector<std::string> args = lumora::platform::programArguments(argc, argv);
    if (lumora::wantsReport(args)) {
        lumora::platform::useStartingConsole();
        if (lumora::reportNeedsFonts(args)) {
            // The sheet is painted with real fonts, but no window opens and no display is needed.
            lumora::platform::chooseHeadlessPainting();
            QGuiApplication gui(argc, argv);
            keepClassicNumbers();
            return report(args);
        }
        QCoreApplication core(argc, argv);
        keepClassicNumbers();
        return report(args);
    }

    // Read before any application object exists: --help, --version and a wrong option need no display.
    QStringList arguments{QString::fromLocal8Bit(argc > 0 ? argv[0] : "lumora")};
    for (const std::string &arg : args) arguments << QString::fromUtf8(arg.c_str());
    const lumora::WindowCommandLine line = lumora::parseWindowCommandLine(arguments);
    if (line.action != lumora::WindowCommandLine::Action::OpenWindow) lumora::platform::useStartingConsole();
    if (line.action == lumora::WindowCommandLine::Action::PrintAndExit) {
        lumora::platform::standardOutput() << line.text.toUtf8().constData() << std::flush;
        return 0;
    }
    if (line.action == lumora::WindowCommandLine::Action::Fail) {
        lumora::platform::standardError() << line.text.toUtf8().constData() << std::flush;
        return 2;
    }
    if (lumora::platform::handWindowToGuiTwin()) return 0;
    QApplication app(argc, argv);
    keepClassicNumbers();
    return lumora::runWindow(app, userNumberFormat(), line.file);
}
