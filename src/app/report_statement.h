// The batch statement: `lumora --statement FILE... [--xlsx OUT] [--pdf OUT] [--title TEXT]` adds up
// many saved tallies, each at its own length and rounding, and prints one line per file, the totals
// and the thickness groups; the workbook and the printed statement are written all or none.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "numbers/numbers.h"

namespace lumora {

// True when the arguments ask for the statement (--statement before any "--").
bool wantsStatement(const std::vector<std::string> &args);

// The statement's usage lines, part of the report's --help.
const char *statementUsage();

// Runs the statement; returns the exit status (0 done, 1 a file was refused or a document could not
// be written, 2 a bad command line).
int runStatement(const std::vector<std::string> &args, const NumberFormat &fmt, std::ostream &out,
                 std::ostream &err);

}  // namespace lumora
