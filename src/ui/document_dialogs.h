// The dialogs of the document commands, as Qt widgets: file dialogs, message box, question, input
// box, print dialog and print preview. Pass one to DocumentCommands.
#pragma once

#include <QPointer>
#include <QWidget>

#include "documents/backend/document_commands.h"
#include "documents/core/tally_commands.h"

namespace lumora {

// The extension of the first pattern of a dialog filter: "txt" for "Текстовые файлы (*.txt)".
QString defaultSuffix(const std::string &filter);

class QtDocumentDialogs : public DocumentDialogs, public PrinterDialogs {
public:
    explicit QtDocumentDialogs(QWidget *parent) : parent_(parent) {}

    std::optional<std::string> openFileName(const std::string &title, const std::string &filter) override;
    std::optional<std::string> saveFileName(const std::string &title, const std::string &filter) override;
    void message(const std::string &text) override;
    bool question(const std::string &text) override;
    std::optional<std::string> inputText(const std::string &prompt, const std::string &title,
                                         const std::string &defaultText) override;
    bool choosePrinter(QPrinter &printer, const QString &pdfName) override;
    void showPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint) override;

    // What is printed, as the question without a printer names it («лист», «ведомость»).
    QString printedDocument = QStringLiteral("лист");
    // The name a save dialog offers, in its folder (none when empty).
    QString suggestedName;

private:
    QPointer<QWidget> parent_;
};

}  // namespace lumora
