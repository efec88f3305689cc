// The batch report: the same form as the window, driven from the command line, printing the texts
// that the window would show for a saved tally.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "numbers/numbers.h"

namespace lumora {

class Form;

// True when the arguments ask for the report rather than the window: --report or any option that
// only the report has. (--help alone is the program's help, which includes the report's usage.)
bool wantsReport(const std::vector<std::string> &args);

// The report's usage, as the program's --help prints it after its own options.
std::string reportUsage();

// The report's lines for the form as it stands: length, each counted step, totals, mean diameters,
// and, when counted steps use estimated unit volumes, "Оценка" with their diameters.
void writeReport(const Form &form, std::ostream &out);

// The three thickness groups of the form's tally, "label\tlogs\tvolume" each (--groups).
void writeGroups(const Form &form, std::ostream &out);

// True when the report will paint a sheet, which needs fonts (a GUI application without a display).
bool reportNeedsFonts(const std::vector<std::string> &args);

// Runs the report; returns the exit status (0 done, 1 the tally file was refused or a document could
// not be written, 2 a bad command line).
int runReport(const std::vector<std::string> &args, const NumberFormat &fmt, std::ostream &out,
              std::ostream &err);

}  // namespace lumora
