#include "ui/run_window.h"

#include <QAccessible>
#include <QIcon>
#include <QLocale>

#include "documents/backend/document_commands.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/program.h"
#include "ui/main_window.h"
#include "ui/script_driver/script_driver.h"

namespace lumora {

const char kDesktopId[] = "test.lumora.Lumora";

namespace {

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/lumora-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace

void setProgramNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("lumora"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("lumora.test"));
    QCoreApplication::setApplicationName(QStringLiteral("lumora"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    platform::setUpUserFolders();
}

ProgramWindow::ProgramWindow(QApplication &app, const NumberFormat &fmt) {
    // Asking whether assistive technology listens starts the platform's accessibility bridge now: its
    // connection to the accessibility bus then goes on, on Qt's D-Bus thread, while the window is
    // built, instead of holding up the first frame after it is shown.
    QAccessible::isActive();
    // Qt's own dialogs (file, print, message boxes) speak the user's language when it is Russian.
    const QStringList languages = QLocale::system().uiLanguages();
    if (!languages.isEmpty() && languages.first().startsWith(QLatin1String("ru")) &&
        qtTranslator_.load(QStringLiteral("qtbase_ru"), platform::qtTranslationsFolder())) {
        app.installTranslator(&qtTranslator_);
        app.installTranslator(&qtMissingWords_);
    }
    app.setWindowIcon(programIcon());
    removeStaleWorkbooks();
    window_ = std::make_unique<MainWindow>(fmt);
}

ProgramWindow::~ProgramWindow() = default;

bool startDocument(MainWindow &window, const QString &file) {
    Document &document = window.document();
    document.offerRecovery();
    if (!file.isEmpty()) document.openFile(file.toStdString());
    return !document.endRequested();
}

int runWindow(QApplication &app, const NumberFormat &fmt, const QString &file) {
    ProgramWindow program(app, fmt);
    // SIGTERM, SIGHUP and SIGINT end the program through the window, which keeps an unsaved tally.
    platform::ShutdownSignals shutdown;
    QObject::connect(&shutdown, &platform::ShutdownSignals::requested, &program.window(),
                     &MainWindow::endOnRequest);
    ScriptDriver script(program.window());
    script.prepare();
    program.window().show();
    // A signal while a question was open at start ends the program here, keeping the recovery files.
    if (!startDocument(program.window(), file)) return 0;
    script.start();
    return app.exec();
}

}  // namespace lumora
