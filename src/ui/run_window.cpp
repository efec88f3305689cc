#include "ui/run_window.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/main_window.h"
#include "ui/window_documents.h"

namespace lumora {

int runWindow(QApplication &app, const NumberFormat &fmt) {
    // Qt's own dialogs (file, print, message boxes) speak the user's language when it is Russian.
    QTranslator qtTranslator;
    const QStringList languages = QLocale::system().uiLanguages();
    if (!languages.isEmpty() && languages.first().startsWith(QLatin1String("ru")) &&
        qtTranslator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    MainWindow window(fmt);
    WindowDocuments documents(window);
    window.show();
    return app.exec();
}

}  // namespace lumora
