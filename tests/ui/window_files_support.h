// What the window's document tests share: a window with WindowDocuments over scripted dialogs and
// files in memory, and a way to play a story of the user's steps.
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
#include "ui/window_documents.h"
#include "window_test_support.h"

namespace lumora::test {

struct NoPrinter : PrinterDialogs {
    bool choosePrinter(QPrinter &, const QString &) override { return false; }
    void showPreview(QPrinter &, const std::function<void(QPrinter *)> &) override {}
};

// A tally file with one count at the given diameters.
inline std::string tallyFile(std::initializer_list<std::pair<int, const char *>> counts) {
    std::string out;
    for (int i = 1; i <= kRowCount; ++i) {
        std::string line = "0";
        for (const auto &[d, n] : counts)
            if (rowOf(d) == i) line = n;
        out += line + "\r\n";
    }
    return out;
}

class WindowFiles : public WindowTest {
protected:
    void SetUp() override {
        w->setRecoveryFolder(recoveryDir.path());
        w->setLeaveQuestion([this] {
            ++questions;
            return answer;
        });
        docs = std::make_unique<WindowDocuments>(*w, dialogs, printer, &files);
        showWindow();
    }
    void TearDown() override { docs.reset(); }

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

    QTemporaryDir recoveryDir;
    ScriptedDialogs dialogs;
    NoPrinter printer;
    MemoryFiles files;
    std::unique_ptr<WindowDocuments> docs;
    LeaveAnswer answer = LeaveAnswer::Cancel;
    int questions = 0;
};

}  // namespace lumora::test
