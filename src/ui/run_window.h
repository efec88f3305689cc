#pragma once
#include <QApplication>
#include <QTranslator>
#include <memory>

#include "numbers/numbers.h"

namespace lumora {

class MainWindow;
class WindowDocuments;

// What the program opens at start: Qt's own translations, the main window and its document commands.
class ProgramWindow {
public:
    ProgramWindow(QApplication &app, const NumberFormat &fmt);
    ~ProgramWindow();
    MainWindow &window() { return *window_; }

private:
    QTranslator qtTranslator_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<WindowDocuments> documents_;
};

// Shows the main window and runs the event loop until the program ends.
int runWindow(QApplication &app, const NumberFormat &fmt);

}  // namespace lumora
