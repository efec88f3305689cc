// Drives the window from a short script in the environment variable LUMORA_TEST_SCRIPT, so that
// tests can run the real program as a child process (crash recovery is tested by killing it).
// Commands, separated by ";":
//   restore=yes|no          the answer to the question about a tally left by a crashed window
//   leave=save|discard|cancel   the answer to the question asked before leaving with unsaved counts
//   type=WIDGET:TEXT        focuses the named widget and types the text into it, key by key
//   trigger=ACTION          chooses the named menu item (e.g. Tis, Undo, Exit)
//   wait=MS                 lets the window run on its own for MS milliseconds
//   show=FILE               writes what the window shows into FILE (UTF-8): the length, a line per
//                           counted step (diameter, count, unit volume, step volume, tab-separated)
//                           and the four result boxes
// Without the variable nothing happens.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace lumora {

class MainWindow;
class ScriptedAnswers;

class ScriptDriver {
public:
    explicit ScriptDriver(MainWindow &window);
    ~ScriptDriver();
    // Sets the answers; call before the window asks anything.
    void prepare();
    // Runs the typing and menu commands from the event loop.
    void start();

private:
    void run();
    void writeShown(const QString &file) const;
    MainWindow &window_;
    QStringList commands_;
    std::unique_ptr<ScriptedAnswers> answers_;
};

}  // namespace lumora
