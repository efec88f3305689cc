// The program's window for the start-up benchmark under Wine (window_startup_bench --wine): cross-built
// with the floors, it opens the window as lumora.exe does, prints "painted" once it is painted, and ends.
#include "program_window_probe.h"

int main(int argc, char **argv) { return lumora::bench::programWindowProbe(argc, argv, 1); }
