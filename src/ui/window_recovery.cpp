// The window's part in ending on the system's request: questions open at start close.
#include <QApplication>
#include <QDialog>

#include "ui/main_window.h"

namespace lumora {

void MainWindow::endOnRequest() {
    const bool already = doc_.endRequested();
    doc_.endOnRequest();
    if (already) return;
    // A question open at start runs its own event loop: it closes, and the start goes no further
    // (every recovery file stays for the next start).
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible()) dialog->reject();
    QCoreApplication::exit(0);
}

}  // namespace lumora
