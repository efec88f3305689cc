// The print entry points of the program, forwarded to the print module, which is loaded at the
// first call: from beside the program (the build folder), else from where it is installed
// (LUMORA_PRINT_MODULE_FROM_PROGRAM, relative to the program's folder). When it cannot be loaded, the
// command says so and prints nothing.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "print/module/print_functions.h"

namespace lumora {

namespace {

struct Loaded {
    const PrintFunctions *functions = nullptr;
    std::string error;
};

Loaded load() {
    const QString program = QCoreApplication::applicationDirPath();
    const QString file = QStringLiteral("lumora-print.so");
    const QString installed =
        QDir::cleanPath(QDir(program).filePath(QStringLiteral(LUMORA_PRINT_MODULE_FROM_PROGRAM)));
    QString why;
    for (const QString &folder : {program, installed}) {
        const QString path = QDir(folder).filePath(file);
        if (!QFileInfo::exists(path)) continue;
        QLibrary library(path);
        if (!library.load()) {  // once loaded it stays: QLibrary unloads only when asked to
            why = library.errorString();
            break;
        }
        const auto entry = reinterpret_cast<PrintFunctionsEntry>(library.resolve("lumoraPrintFunctions"));
        const PrintFunctions *functions = entry ? entry() : nullptr;
        if (functions && functions->size == sizeof(PrintFunctions)) return {functions, {}};
        why = QStringLiteral("«%1» — модуль другой сборки программы").arg(QDir::toNativeSeparators(path));
        break;
    }
    if (why.isEmpty())
        why = QStringLiteral("файла %1 нет ни рядом с программой, ни в «%2»")
                  .arg(file, QDir::toNativeSeparators(installed));
    return {
        nullptr,
        QStringLiteral("Печать недоступна: не удалось загрузить модуль печати: %1.").arg(why).toStdString()};
}

const Loaded &module() {
    static const Loaded loaded = load();
    return loaded;
}

}  // namespace

void printTally(Form &form, DocumentDialogs &dialogs, PrinterDialogs &printers,
                const std::function<std::string()> &askTitle) {
    if (!module().functions) return dialogs.message(module().error);
    module().functions->printTally(form, dialogs, printers, askTitle);
}

void previewTally(Form &form, DocumentDialogs &dialogs, PrinterDialogs &printers,
                  const std::function<std::string()> &askTitle) {
    if (!module().functions) return dialogs.message(module().error);
    module().functions->previewTally(form, dialogs, printers, askTitle);
}

std::optional<std::string> printStatementOnPrinter(PrinterDialogs &printers, const Statement &statement,
                                                   const std::string &title, const NumberFormat &fmt,
                                                   const QString &pdfName) {
    if (!module().functions) return module().error;
    return module().functions->printStatementOnPrinter(printers, statement, title, fmt, pdfName);
}

// Called only from inside a print command, once the module is loaded.
bool runPrintDialog(QPrinter &printer, const QString &pdfName, QWidget *parent,
                    const std::function<std::optional<std::string>()> &pdfInstead) {
    return module().functions && module().functions->runPrintDialog(printer, pdfName, parent, pdfInstead);
}

void runPrintPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint, QWidget *parent) {
    if (module().functions) module().functions->runPrintPreview(printer, paint, parent);
}

std::optional<std::string> printSheetToPdf(const Form &form, StagedFile &pdf, const std::string &title) {
    if (!module().functions) return module().error;
    return module().functions->printSheetToPdf(form, pdf, title);
}

std::optional<std::string> printStatementToPdf(const Statement &statement, const std::string &title,
                                               const std::string &date, const NumberFormat &fmt,
                                               StagedFile &pdf) {
    if (!module().functions) return module().error;
    return module().functions->printStatementToPdf(statement, title, date, fmt, pdf);
}

}  // namespace lumora
