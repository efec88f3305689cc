// The program's window, opened exactly as the program opens it, that prints "painted" once it has
// been painted for the first time, and ends: what the start-up benchmark times (started as
// window_startup_bench --child on Linux, as window_probe.exe under Wine).
#pragma once

#include <QApplication>
#include <QStringList>
#include <clocale>

#include "app/command_line.h"
#include "first_paint.h"
#include "ui/main_window.h"
#include "ui/run_window.h"

namespace lumora::bench {

// argv[firstArgument...] are the window's own arguments.
inline int programWindowProbe(int argc, char **argv, int firstArgument) {
    // As the program starts: its names, its command line read before the application exists.
    setProgramNames();
    QStringList arguments{QString::fromLocal8Bit(argv[0])};
    for (int k = firstArgument; k < argc; ++k) arguments << QString::fromLocal8Bit(argv[k]);
    if (parseWindowCommandLine(arguments).action != WindowCommandLine::Action::OpenWindow) return 2;
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // the figures below with a ".", as under every desktop
    ProgramWindow program(app, NumberFormat{','});
    FirstPaint probe;
    program.window().installEventFilter(&probe);
    program.window().show();
    return app.exec();
}

}  // namespace lumora::bench
