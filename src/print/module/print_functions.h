// What the print module gives the program: its print entry points, in one table. The module exports
// the table as lumoraPrintFunctions(); the program's forwarders (print_module_loader.cpp) call through
// it, so that the program itself references nothing of Qt's print support.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "print/print_commands.h"
#include "print/sheet_painter.h"
#include "print/statement_print.h"

namespace lumora {

// The signatures are those of the declarations, so that the table and the functions cannot drift.
struct PrintFunctions {
    // Set to the size of the table the module was built with: a module of another build is refused.
    size_t size = sizeof(PrintFunctions);
    decltype(&::lumora::printTally) printTally;
    decltype(&::lumora::previewTally) previewTally;
    decltype(&::lumora::printStatementOnPrinter) printStatementOnPrinter;
    decltype(&::lumora::runPrintDialog) runPrintDialog;
    decltype(&::lumora::runPrintPreview) runPrintPreview;
    // printSheetToPdf has two overloads: this is the one into a staged file.
    std::optional<std::string> (*printSheetToPdf)(const Form &, StagedFile &, const std::string &);
    decltype(&::lumora::printStatementToPdf) printStatementToPdf;
};

// The module's entry point, by this name.
using PrintFunctionsEntry = const PrintFunctions *(*)();

}  // namespace lumora
