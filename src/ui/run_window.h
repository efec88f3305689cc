#pragma once
#include <QApplication>

#include "tally/numbers.h"

namespace lumora {
// Shows the main window and runs the event loop until the program ends.
int runWindow(QApplication &app, const NumberFormat &fmt);
}  // namespace lumora
