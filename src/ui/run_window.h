#pragma once
#include <QApplication>
#include <QString>
#include <QTranslator>
#include <memory>

#include "numbers/numbers.h"
#include "ui/qt_words.h"

namespace lumora {

class MainWindow;

// The desktop's id of the program: the name of its desktop entry, icon and metainfo.
extern const char kDesktopId[];

// The organisation and application names under which the program keeps its settings (QSettings:
// ~/.config/lumora/lumora.conf, on Windows %LOCALAPPDATA%\lumora\lumora.ini). Call before anything
// reads or writes a setting.
void setProgramNames();

// What the program opens at start: Qt's own translations, the program's icon, the main window and its
// document commands.
class ProgramWindow {
public:
    ProgramWindow(QApplication &app, const NumberFormat &fmt);
    ~ProgramWindow();
    MainWindow &window() { return *window_; }

private:
    QTranslator qtTranslator_;
    QtMissingWords qtMissingWords_;
    std::unique_ptr<MainWindow> window_;
};

// The start once the window is shown: the tallies left behind are offered first, then `file` (when
// one is named) is opened, so that a restored tally meets the named file's question. False when a
// signal ended the program meanwhile.
bool startDocument(MainWindow &window, const QString &file);

// Shows the main window, opens `file` in it when one is named (as the Open command would, so a file
// that is refused gives the usual message and leaves the tally empty) and runs the event loop until
// the program ends.
int runWindow(QApplication &app, const NumberFormat &fmt, const QString &file = QString());

}  // namespace lumora
