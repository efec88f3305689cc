// The print module's entry point: the table of its print entry points.
#include <QtGlobal>

#include "print/module/print_functions.h"

extern "C" Q_DECL_EXPORT const lumora::PrintFunctions *lumoraPrintFunctions() {
    using namespace lumora;
    static const PrintFunctions functions = [] {
        PrintFunctions f;
        f.printTally = &printTally;
        f.previewTally = &previewTally;
        f.printStatementOnPrinter = &printStatementOnPrinter;
        f.runPrintDialog = &runPrintDialog;
        f.runPrintPreview = &runPrintPreview;
        f.printSheetToPdf = &printSheetToPdf;  // the overload the table's type names
        f.printStatementToPdf = &printStatementToPdf;
        return f;
    }();
    return &functions;
}
