// The program's command line when it opens its window: `lumora [ФАЙЛ]`, --help and --version.
// The batch report (--report and its options) has a command line of its own (app/report.h).
#pragma once

#include <QString>
#include <QStringList>

namespace lumora {

struct WindowCommandLine {
    enum class Action { OpenWindow, PrintAndExit, Fail };
    Action action = Action::OpenWindow;
    QString file;  // the tally to open at start; empty for none
    QString text;  // what to print: the help or the version (PrintAndExit), or the error (Fail)
};

// Reads the arguments (the program's name first, as in argv). Needs no application object and no
// display, so that --help and --version work anywhere.
WindowCommandLine parseWindowCommandLine(const QStringList &arguments);

// "major.minor.0.revision", as the about box shows it.
QString programVersion();

}  // namespace lumora
