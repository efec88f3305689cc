#include "ui/run_window.h"

#include <QLibraryInfo>
#include <QLocale>

#include "documents/backend/document_commands.h"
#include "ui/main_window.h"
#include "ui/script_driver.h"
#include "ui/window_documents.h"

namespace lumora {

ProgramWindow::ProgramWindow(QApplication &app, const NumberFormat &fmt) {
    // Qt's own dialogs (file, print, message boxes) speak the user's language when it is Russian.
    const QStringList languages = QLocale::system().uiLanguages();
    if (!languages.isEmpty() && languages.first().startsWith(QLatin1String("ru")) &&
        qtTranslator_.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator_);
    removeStaleWorkbooks();
    window_ = std::make_unique<MainWindow>(fmt);
    documents_ = std::make_unique<WindowDocuments>(*window_);
}

ProgramWindow::~ProgramWindow() = default;

int runWindow(QApplication &app, const NumberFormat &fmt) {
    ProgramWindow program(app, fmt);
    ScriptDriver script(program.window());
    script.prepare();
    program.window().show();
    program.window().offerRecovery();
    script.start();
    return app.exec();
}

}  // namespace lumora
