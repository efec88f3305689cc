#include "ui/run_window.h"

#include <QWidget>

namespace lumora {
int runWindow(QApplication &app, const NumberFormat &) {
    QWidget w;
    w.setWindowTitle("Люмора");
    w.show();
    return app.exec();
}
}  // namespace lumora
