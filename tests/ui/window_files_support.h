// What the window's document tests share: a window whose document asks scripted questions and keeps
// its files in memory, and a way to play a story of the user's steps.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sstream>

#include "documents/backend/document_commands.h"
#include "documents/core/scripted_dialogs.h"
#include "editing/scripted_questions.h"
#include "window_test_support.h"

namespace lumora::test {

struct NoPrinter : PrinterDialogs {
    bool choosePrinter(QPrinter &, const QString &) override { return false; }
    void showPreview(QPrinter &, const std::function<void(QPrinter *)> &) override {}
};

// Gives another window's document scripted questions that choose as `choose` does.
inline void answerRecovery(
    MainWindow &window,
    std::function<std::vector<RecoveryChoice>(const std::vector<RecoveryOffer> &)> choose) {
    struct Answers {
        ScriptedDialogs dialogs;
        ScriptedQuestions questions{dialogs};
    };
    static std::vector<std::unique_ptr<Answers>> kept;  // as long as any window of the tests
    kept.push_back(std::make_unique<Answers>());
    kept.back()->questions.recovery = std::move(choose);
    window.document().setQuestions(kept.back()->questions);
}

class WindowFiles : public WindowTest {
protected:
    void SetUp() override {
        // Files named as typed ("a.txt") are in the working folder, which is the memory's.
        if (workingFolder.isEmpty()) workingFolder = QDir::currentPath();
        QDir::setCurrent(memoryDir.path());
        files.root = QDir::current().canonicalPath().toStdString();
        doc().setRecoveryFolder(recoveryDir.path());
        asked.leave = [this] {
            ++questions;
            return answer;
        };
        doc().setQuestions(asked);
        doc().setFiles(files);
        outputs = std::make_unique<DocumentCommands>(w->form(), dialogs, printer, &files);
        w->setOutputCommands(outputs.get());
        showWindow();
    }
    void TearDown() override {
        if (w) w->setOutputCommands(nullptr);
        QDir::setCurrent(workingFolder);
    }
    Document &doc() { return w->document(); }

    void typeCount(int d, const QString &digits) {
        box(d)->setFocus();
        QApplication::processEvents();
        for (QChar c : digits) QTest::sendKeyEvent(QTest::Click, box(d), Qt::Key_unknown, c, Qt::NoModifier);
    }
    // Plays a story of the user's steps ("type D DIGITS", "open NAME", "save", "saveas NAME", "undo",
    // "redo", "length ENTRY"); true when the last Save asked for a name (and was cancelled).
    bool play(const std::string &story) {
        bool asked = false;
        std::istringstream steps(story);
        std::string step;
        while (std::getline(steps, step, ';')) {
            std::istringstream words(step);
            std::string verb, arg, digits;
            words >> verb >> arg >> digits;
            if (verb == "type") {
                typeCount(std::stoi(arg), QString::fromStdString(digits));
            } else if (verb == "open" || verb == "saveas") {
                dialogs.answers = {arg};
                action(verb == "open" ? "Open" : "SaveAs")->trigger();
            } else if (verb == "save") {
                const size_t shownBefore = dialogs.shown.size();
                dialogs.answers.clear();
                action("Save")->trigger();
                asked = dialogs.shown.size() > shownBefore;
            } else if (verb == "undo" || verb == "redo") {
                action(verb == "undo" ? "Undo" : "Redo")->trigger();
            } else if (verb == "length") {
                widget<QComboBox>("Hight1")->setCurrentIndex(std::stoi(arg));
            }
        }
        return asked;
    }
    QStringList recoveryFiles() const { return QDir(recoveryDir.path()).entryList({"recovery-*.txt"}); }
    bool waitForRecoveryFile() {
        QDeadlineTimer deadline(3000);
        while (!deadline.hasExpired() && recoveryFiles().isEmpty()) QTest::qWait(20);
        return !recoveryFiles().isEmpty();
    }

    QTemporaryDir recoveryDir, memoryDir;
    QString workingFolder;
    ScriptedDialogs dialogs;
    ScriptedQuestions asked{dialogs};
    NoPrinter printer;
    MemoryFiles files;
    std::unique_ptr<DocumentCommands> outputs;
    LeaveAnswer answer = LeaveAnswer::Cancel;  // to the save question, which is counted
    int questions = 0;
};

}  // namespace lumora::test
