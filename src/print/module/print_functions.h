// What the print module gives the program: its print entry points, in one table. The module exports
// the table as lumoraPrintFunctions(); the program's forwarders (print_module_loader.cpp) call through
// it, so that the program itself references nothing of Qt's print support.
#pragma once

#include <QPrinter>
#include <functional>
#include <optional>
#include <string>

#include "documents/backend/document_commands.h"
#include "documents/backend/file_store.h"
#include "documents/core/statement.h"
#include "tally/form.h"

class QWidget;

namespace lumora {

struct PrintFunctions {
    // Set to the size of the table the module was built with: a module of another build is refused.
    size_t size = sizeof(PrintFunctions);
    void (*printTally)(Form &, DocumentDialogs &, PrinterDialogs &, const std::function<std::string()> &);
    void (*previewTally)(Form &, DocumentDialogs &, PrinterDialogs &, const std::function<std::string()> &);
    std::optional<std::string> (*printStatementOnPrinter)(PrinterDialogs &, const Statement &,
                                                          const std::string &, const NumberFormat &,
                                                          const QString &);
    bool (*runPrintDialog)(QPrinter &, const QString &, QWidget *,
                           const std::function<std::optional<std::string>()> &);
    void (*runPrintPreview)(QPrinter &, const std::function<void(QPrinter *)> &, QWidget *);
    std::optional<std::string> (*printSheetToPdf)(const Form &, StagedFile &, const std::string &);
    std::optional<std::string> (*printStatementToPdf)(const Statement &, const std::string &,
                                                      const std::string &, const NumberFormat &,
                                                      StagedFile &);
};

// The module's entry point, by this name.
using PrintFunctionsEntry = const PrintFunctions *(*)();

}  // namespace lumora
