// A document without a window: a started form, scripted questions, files in memory under names in a
// real folder, and a recovery folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "documents/core/recovery_text.h"
#include "documents/core/tally_texts.h"
#include "editing/document.h"
#include "editing/document_files.h"
#include "file_bytes_support.h"
#include "scripted_questions.h"
#include "tally/form_test_support.h"

namespace lumora::test {

class DocumentRoom : public ::testing::Test {
protected:
    DocumentRoom() {
        form.startUp();
        asked.leave = [this] {
            ++questions;
            return answer;
        };
        doc.setQuestions(asked);
        doc.setFiles(files);
        doc.setRecoveryFolder(recovery.path());
    }

    // A user's step on the form, as the window runs it.
    void step(const std::function<void()> &change) {
        doc.beginStep();
        change();
        doc.endStep();
    }
    void type(int d, const std::string &digits) {
        step([&] {
            typeCount(form, d, digits);
            doc.typedIntoCount(1000 + rowOf(d));
        });
    }
    std::string count(int d) const { return form.row(rowOf(d)).count; }
    std::string name(const char *file) const {
        return canonicalFileName(folder.filePath(file).toStdString());
    }
    std::string file(const char *file, const std::string &bytes) {
        files.files[name(file)] = bytes;
        return name(file);
    }
    QStringList recoveryFiles() const { return QDir(recovery.path()).entryList({"recovery-*.txt"}); }
    // The tally a crashed window left behind.
    void leaveOrphan(const RecoveredTally &tally, const char *as = "recovery-0-x.txt") {
        put(recovery.filePath(as), QByteArray::fromStdString(writeRecovery(tally)));
        asked.recovery = [](const std::vector<RecoveryOffer> &o) {
            return std::vector<RecoveryChoice>(o.size(), RecoveryChoice::Restore);
        };
    }
    RecoveredTally orphanWith(int d, const char *n, const std::string &fileName = "") {
        RecoveredTally t;
        t.state.length = static_cast<int16_t>(entryOf(600));
        t.state.counts[static_cast<size_t>(rowOf(d) - 1)] = n;
        t.fileName = fileName;
        return t;
    }

    QTemporaryDir recovery, folder;
    Form form{kComma};
    Document doc{form, [this](const TallyDocument &d) {
                     step([&] {
                         d.state.applyTo(form);
                         form.tallyFileName = d.fileName;
                     });
                 }};
    ScriptedDialogs dialogs;
    ScriptedQuestions asked{dialogs};
    MemoryFiles files;
    LeaveAnswer answer = LeaveAnswer::Cancel;  // to the save question, which is counted
    int questions = 0;
};

}  // namespace lumora::test
