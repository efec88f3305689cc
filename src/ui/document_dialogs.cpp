#include "ui/document_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>

#include "platform/desktop.h"
#include "print/print_commands.h"

namespace lumora {

namespace {

const char kProgramTitle[] = "Люмора";

QString q(const std::string &s) { return QString::fromStdString(s); }

}  // namespace

QString defaultSuffix(const std::string &filter) {
    const QString f = q(filter);
    const int star = f.indexOf(QLatin1String("(*."));
    if (star < 0) return QString();
    const int end = f.indexOf(QRegularExpression(QStringLiteral("[ ;)]")), star + 3);
    return f.mid(star + 3, end < 0 ? -1 : end - star - 3);
}

namespace {

// Where the file dialogs open: the folder of the last file chosen in them; before any, the user's
// Documents (not the folder the program was started in, which from a Start-menu entry or a desktop
// launcher is the program's own).
QString &lastFolder() {
    static QString folder;
    return folder;
}

QString startFolder() {
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir()) return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

std::optional<std::string> chooseFile(QWidget *parent, const std::string &title, const std::string &filter,
                                      QFileDialog::AcceptMode mode, const QString &suggested = QString()) {
    QFileDialog dialog(parent, q(title), startFolder(), q(filter));
    if (!suggested.isEmpty()) dialog.selectFile(suggested);
    dialog.setAcceptMode(mode);
    // Open: the chosen file must exist. Save: an existing file is overwritten only after a question.
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // A name typed without an extension gets the one of the filter ("txt", "xlsx") before the
    // dialog checks for an existing file.
    const QString suffix = defaultSuffix(filter);
    if (mode == QFileDialog::AcceptSave) dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    QString chosen = dialog.selectedFiles().first();
    // A desktop's own dialog may not add it.
    if (mode == QFileDialog::AcceptSave && !suffix.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QLatin1Char('.') + suffix;
    lastFolder() = QFileInfo(chosen).absolutePath();
    return chosen.toStdString();
}

}  // namespace

std::optional<std::string> QtDocumentDialogs::openFileName(const std::string &title,
                                                           const std::string &filter) {
    return chooseFile(parent_, title, filter, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtDocumentDialogs::saveFileName(const std::string &title,
                                                           const std::string &filter) {
    return chooseFile(parent_, title, filter, QFileDialog::AcceptSave, suggestedName);
}

void QtDocumentDialogs::message(const std::string &text) {
    QMessageBox box(QMessageBox::Warning, kProgramTitle, q(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtDocumentDialogs::question(const std::string &text) {
    QMessageBox box(QMessageBox::Question, kProgramTitle, q(text), QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDocumentDialogs::inputText(const std::string &prompt, const std::string &title,
                                                        const std::string &defaultText) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(q(title));
    dialog.setLabelText(q(prompt));
    dialog.setTextValue(q(defaultText));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

bool QtDocumentDialogs::choosePrinter(QPrinter &printer, const QString &pdfName) {
    return runPrintDialog(printer, pdfName, parent_, [this, &pdfName]() -> std::optional<std::string> {
        const std::string what = printedDocument.toStdString();
        if (!question("Принтер не установлен. Сохранить " + what + " в файл PDF?")) return std::nullopt;
        const QString suggested = pdfName.isEmpty() ? QStringLiteral("print.pdf") : pdfName;
        return chooseFile(parent_, "Сохранить " + what, "Документ PDF (*.pdf)", QFileDialog::AcceptSave,
                          suggested);
    });
}

void QtDocumentDialogs::showPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint) {
    runPrintPreview(printer, paint, parent_);
}

}  // namespace lumora
