#include "editing/document.h"

#include "documents/core/tally_texts.h"
#include "editing/document_files.h"
#include "tally/dropped_note.h"

namespace lumora {

const char kReplaceQuestion[] = "Данные подсчёта не сохранены. Сохранить их?";
const char kLeaveQuestion[] = "Данные подсчёта не сохранены. Сохранить их перед выходом?";

namespace {

bool holdsCounts(const Form &form) {
    for (int i = 1; i <= kRowCount; ++i)
        if (!form.row(i).count.empty()) return true;
    return false;
}

}  // namespace

Document::Document(Form &form, std::function<void(const TallyDocument &)> apply)
    : form_(form),
      dialogs_(std::make_unique<Dialogs>()),
      watched_(std::make_unique<Files>()),
      history_(std::move(apply)),
      recovery_(recoveryFolder_) {
    // The recovery file is written from the event loop, never on the keystroke's own path; a steady
    // typist gets one too, since a change does not restart the wait.
    recoveryTimer_.setSingleShot(true);
    recoveryTimer_.setInterval(1000);
    connect(&recoveryTimer_, &QTimer::timeout, this, &Document::writeRecoveryNow);
}

Document::~Document() { end(); }

bool Document::linesUnsaved() const {
    if (form_.tallyFileName.empty()) return holdsCounts(form_);
    return !saved_.holds(form_.tallyFileName, tallyFileBytes(form_));
}

bool Document::unsaved() const { return linesUnsaved() || (restorePending_ && !restoreInEffect()); }

// ---- Steps ---------------------------------------------------------------------------------------

// A step may run further events before it ends (showing the form can move the focus when the
// focused box is hidden): those belong to the step that is open.
void Document::beginStep() {
    if (stepOpen_) return;
    stepOpen_ = true;
    stepBefore_ = current();
    typingBox_ = 0;
    endTyping_ = false;
}

void Document::endStep() {
    if (!stepOpen_) return;
    stepOpen_ = false;
    const TallyDocument after = current();
    if (after != stepBefore_) {
        if (!history_.applying() && !saving_) {
            // A step after an undone restore takes the restore's place in the history.
            if (restorePending_ && !restoreInEffect()) {
                followRestore();
                restoreLost_ = true;
                restoreStep_ = nullptr;
            }
            history_.record(stepBefore_, after, typingBox_);
        }
        // A length that empties counts says so until the tally next changes.
        droppedNote_ = history_.applying() || replacing_
                           ? QString()
                           : QString::fromStdString(droppedByLengthNote(stepBefore_.state, form_));
        // An undo or redo is done once the stack has moved: undo() and redo() follow it then.
        if (!history_.applying()) changed();
    }
    if (endTyping_) history_.breakTyping();
    typingBox_ = 0;
    endTyping_ = false;
    emit stateChanged();
}

void Document::typedLength(bool ends) {
    typingBox_ = kLengthBox;
    endTyping_ = endTyping_ || ends;
}

void Document::runStep(const std::function<void()> &change) {
    if (runStep_) return runStep_(change);
    beginStep();
    change();
    endStep();
}

void Document::undo() {
    history_.undo();
    changed();
    emit stateChanged();
}

void Document::redo() {
    history_.redo();
    changed();
    emit stateChanged();
}

// ---- The recovery file ---------------------------------------------------------------------------

void Document::changed() {
    followRestore();
    if (linesUnsaved()) {
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
    followRestore();
    std::optional<QString> error;
    if (linesUnsaved()) {
        RecoveredTally tally;
        tally.state = TallyState::of(form_);
        tally.fileName = form_.tallyFileName;
        tally.held = saved_.held(form_.tallyFileName);
        error = recovery_.write(tally);
    } else {
        recovery_.remove();
    }
    // Crash protection that fails says so until a write works again.
    const QString problem =
        error ? QStringLiteral("Защита от сбоев не работает: не удаётся записать файл восстановления (%1).")
                    .arg(*error)
              : QString();
    if (problem == recoveryProblem_) return;
    recoveryProblem_ = problem;
    emit recoveryProblemChanged();
}

// Before the present: in effect. After it: undone. Nowhere: gone past the undo limit (in effect),
// unless a new step took the place of an undone restore (noted in endStep, before the push).
bool Document::restoreInEffect() const {
    if (restoreLost_) return false;
    if (!restoreStep_) return true;
    const QUndoStack &stack = history_.stack();
    for (int k = stack.count() - 1; k >= 0; --k)
        if (stack.command(k) == restoreStep_) return k < stack.index();
    return true;
}

// A restored tally undone away keeps the recovery file it came in (with what it last held); the
// tally on screen gets a file of its own. Redone, the tally takes its file back.
void Document::followRestore() {
    if (!restorePending_) return;
    const bool inEffect = restoreInEffect();
    if (!inEffect && !held_) {
        held_ = std::make_unique<RecoveryFile>(std::move(recovery_));
        recovery_ = RecoveryFile(recoveryFolder_);
    } else if (inEffect && held_) {
        recovery_.remove();
        recovery_ = std::move(*held_);
        held_.reset();
    }
}

void Document::restoredTallyIsSafe() {
    if (held_) held_->remove();
    forgetRestore();
}

void Document::forgetRestore() {
    held_.reset();
    restorePending_ = false;
    restoreLost_ = false;
    restoreStep_ = nullptr;
}

void Document::endOnRequest() {
    writeRecoveryNow();
    keepRecovery_ = recovery_.exists();
    endRequested_ = true;
}

void Document::end() {
    recoveryTimer_.stop();
    if (!keepRecovery_) recovery_.remove();
    held_.reset();  // its file stays for the next start
}

}  // namespace lumora
