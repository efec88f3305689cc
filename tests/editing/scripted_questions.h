// The document's questions answered from a script: file dialogs and messages by ScriptedDialogs, the
// three-answer questions and the recovery offer by functions, each question's text recorded.
#pragma once

#include <functional>

#include "documents/core/scripted_dialogs.h"
#include "editing/document_questions.h"

namespace lumora::test {

struct ScriptedQuestions : DocumentQuestions {
    explicit ScriptedQuestions(ScriptedDialogs &d) : dialogs(d) {}
    ScriptedDialogs &dialogs;
    std::vector<std::string> asked;  // the save questions' texts, in order
    std::function<LeaveAnswer()> leave = [] { return LeaveAnswer::Cancel; };
    std::function<ChangedFileAnswer(const QString &)> changedFile = [](const QString &) {
        return ChangedFileAnswer::Cancel;
    };
    std::vector<QString> changedFilesAsked;
    std::function<std::vector<RecoveryChoice>(const std::vector<RecoveryOffer> &)> recovery =
        [](const std::vector<RecoveryOffer> &) { return std::vector<RecoveryChoice>(); };

    std::optional<std::string> openFileName(const std::string &title, const std::string &filter) override {
        return dialogs.openFileName(title, filter);
    }
    std::optional<std::string> saveFileName(const std::string &title, const std::string &filter) override {
        return dialogs.saveFileName(title, filter);
    }
    void message(const std::string &text) override { dialogs.message(text); }
    bool question(const std::string &text) override { return dialogs.question(text); }
    std::optional<std::string> inputText(const std::string &prompt, const std::string &title,
                                         const std::string &defaultText) override {
        return dialogs.inputText(prompt, title, defaultText);
    }
    LeaveAnswer askToSave(const std::string &question) override {
        asked.push_back(question);
        return leave();
    }
    ChangedFileAnswer askAboutChangedFile(const QString &fileName) override {
        changedFilesAsked.push_back(fileName);
        return changedFile(fileName);
    }
    std::vector<RecoveryChoice> chooseRecovery(const std::vector<RecoveryOffer> &offers) override {
        return recovery(offers);
    }
};

}  // namespace lumora::test
