#include "editing/document.h"

#include "documents/core/tally_texts.h"

namespace lumora {

namespace {

bool holdsCounts(const Form &form) {
    for (int i = 1; i <= kRowCount; ++i)
        if (!form.row(i).count.empty()) return true;
    return false;
}

}  // namespace

Document::Document(Form &form, std::function<void(const TallyDocument &)> apply)
    : form_(form), history_(std::move(apply)), recovery_(recoveryFolder_) {
    // The recovery file is written from the event loop, never on the keystroke's own path.
    recoveryTimer_.setSingleShot(true);
    recoveryTimer_.setInterval(1000);
    connect(&recoveryTimer_, &QTimer::timeout, this, &Document::writeRecoveryNow);
}

Document::~Document() { end(); }

bool Document::unsaved() const {
    if (form_.tallyFileName.empty()) return holdsCounts(form_);
    return !saved_.holds(form_.tallyFileName, tallyFileBytes(form_));
}

// A file without lines 94 and 95 opens at the length on screen: the tally as loaded is what it holds.
void Document::loaded(const std::optional<std::string> &bytes) {
    saved_.remember(form_.tallyFileName, tallyFileBytes(form_), bytes);
}

void Document::saved(const std::optional<std::string> &bytes) {
    saved_.remember(form_.tallyFileName, tallyFileBytes(form_), bytes);
    history_.retie(form_.tallyFileName);
}

bool Document::changedByOthers(const std::string &bytesOnDisk) const {
    return saved_.changedSince(form_.tallyFileName, bytesOnDisk);
}

bool Document::mayReplace(const std::function<LeaveAnswer()> &ask, const std::function<void()> &save) {
    if (!unsaved()) return true;
    switch (ask()) {
        case LeaveAnswer::Save:
            save();
            return !unsaved();  // a cancelled or failed save keeps the tally
        case LeaveAnswer::Discard:
            // The recovery file goes once the tally is replaced (or the program left): until then the
            // tally on screen is still the one it keeps.
            return true;
        case LeaveAnswer::Cancel:
            return false;
    }
    return false;
}

void Document::changed() {
    if (unsaved()) {
        if (!recoveryTimer_.isActive()) recoveryTimer_.start();
    } else {
        recoveryTimer_.stop();
        recovery_.remove();
    }
}

void Document::setRecoveryFolder(const QString &folder) {
    recovery_ = RecoveryFile(folder);
    recoveryFolder_ = folder;
}

void Document::writeRecoveryNow() {
    recoveryTimer_.stop();
    std::optional<QString> error;
    if (unsaved())
        error = recovery_.write(TallyState::of(form_), form_.tallyFileName);
    else
        recovery_.remove();
    // Crash protection that fails says so until a write works again.
    const QString problem =
        error ? QStringLiteral("Защита от сбоев не работает: не удаётся записать файл восстановления (%1).")
                    .arg(*error)
              : QString();
    if (problem == recoveryProblem_) return;
    recoveryProblem_ = problem;
    emit recoveryProblemChanged();
}

void Document::restore(RecoveryFile::Orphan &orphan) {
    recovery_.adopt(orphan);
    saved_.forget(orphan.tally.fileName);  // what the file holds is not known: the tally is unsaved
}

void Document::keepRecoveryAtEnd() {
    writeRecoveryNow();
    keepRecovery_ = recovery_.exists();
}

void Document::end() {
    recoveryTimer_.stop();
    if (!keepRecovery_) recovery_.remove();
}

}  // namespace lumora
