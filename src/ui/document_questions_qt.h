// The document's questions as Qt's dialogs: the file dialogs and messages, one message box with
// three answers for the questions before a tally goes, before a changed file is written over and
// about one tally left behind, and the recovery dialog.
#pragma once

#include <QMessageBox>
#include <QPointer>

#include "editing/document_questions.h"
#include "ui/document_dialogs.h"

namespace lumora {

// A message box with three answers: the first is the default, the last is Escape's.
enum class ThreeAnswer { Accept, Destructive, Reject };
struct ThreeAnswerBox {
    QMessageBox::Icon icon = QMessageBox::Question;
    QString title, text;
    QString accept, destructive, reject;  // the buttons' captions
    const char *objectName = "";
};
ThreeAnswer askThreeWay(QWidget *parent, const ThreeAnswerBox &box);

// The same box, answered by the caller's own three values, in the buttons' order.
template <class Answer>
Answer askThreeWay(QWidget *parent, const ThreeAnswerBox &box, Answer accept, Answer destructive,
                   Answer reject) {
    switch (askThreeWay(parent, box)) {
        case ThreeAnswer::Accept:
            return accept;
        case ThreeAnswer::Destructive:
            return destructive;
        case ThreeAnswer::Reject:
            break;
    }
    return reject;
}

class QtDocumentQuestions : public DocumentQuestions {
public:
    explicit QtDocumentQuestions(QWidget *parent) : parent_(parent), dialogs_(parent) {}
    QtDocumentDialogs &dialogs() { return dialogs_; }

    std::optional<std::string> openFileName(const std::string &title, const std::string &filter) override {
        return dialogs_.openFileName(title, filter);
    }
    std::optional<std::string> saveFileName(const std::string &title, const std::string &filter) override {
        return dialogs_.saveFileName(title, filter);
    }
    void message(const std::string &text) override { dialogs_.message(text); }
    bool question(const std::string &text) override { return dialogs_.question(text); }
    std::optional<std::string> inputText(const std::string &prompt, const std::string &title,
                                         const std::string &defaultText) override {
        return dialogs_.inputText(prompt, title, defaultText);
    }
    LeaveAnswer askToSave(const std::string &question) override;
    ChangedFileAnswer askAboutChangedFile(const QString &fileName) override;
    std::vector<RecoveryChoice> chooseRecovery(const std::vector<RecoveryOffer> &offers) override;

private:
    QPointer<QWidget> parent_;
    QtDocumentDialogs dialogs_;
};

}  // namespace lumora
