// The document the window shows: the tally state in the form, the file it belongs to and what that
// file holds, the undo history, and the life of the recovery file. The window forwards commands to
// it and shows its answers; it has no widgets, so tests drive it without a window.
//
// Its rules:
// - Unsaved: the lines Save would write (counts, length, rounding) differ from what the tally's file
//   holds, or the tally has no file and holds counts. The title's "*", the question before leaving or
//   replacing the tally, and the recovery file follow only this.
// - One gate for every command that replaces the tally (Open, a recent file, a file named at start
//   or by the desktop, a restore): when the tally is unsaved, the user is asked first.
// - A recovery file lives until its content is safe: saved into its file, replaced after the user
//   said «Не сохранять», or deleted by the user.
// - Save never writes over what this window has not seen: when its file is no longer what it last
//   read or wrote, the user is asked first.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "editing/recovery_file.h"
#include "editing/saved_tally.h"
#include "editing/tally_history.h"
#include "tally/form.h"

namespace lumora {

enum class LeaveAnswer { Save, Discard, Cancel };

class Document : public QObject {
    Q_OBJECT
public:
    // `apply` gives the form a state from undo or redo (the window wraps it so the widgets follow).
    Document(Form &form, std::function<void(const TallyDocument &)> apply);
    ~Document() override;

    TallyDocument current() const { return {TallyState::of(form_), form_.tallyFileName}; }
    bool unsaved() const;

    // The tally was loaded from its file (`bytes` as read, nullopt when not known) or written to it.
    void loaded(const std::optional<std::string> &bytes);
    void saved(const std::optional<std::string> &bytes);
    // The tally's file now, as read from the disk: true when this window read or wrote it and it has
    // changed since.
    bool changedByOthers(const std::string &bytesOnDisk) const;

    // The gate before the tally is replaced (or the program left): true when it may go. An unsaved
    // tally asks `ask`; «Сохранить» runs `save` and goes on only when the tally is then saved.
    bool mayReplace(const std::function<LeaveAnswer()> &ask, const std::function<void()> &save);
    // The tally changed: the recovery file follows (written from the event loop, or removed).
    void changed();

    TallyHistory &history() { return history_; }
    const TallyHistory &history() const { return history_; }

    // The recovery file of this tally; written at most a second after a change.
    const RecoveryFile &recoveryFile() const { return recovery_; }
    const QString &recoveryFolder() const { return recoveryFolder_; }
    void setRecoveryFolder(const QString &folder);
    void writeRecoveryNow();
    // What the status line says while recovery writes fail ("" while they work).
    const QString &recoveryProblem() const { return recoveryProblem_; }
    // The tally in an orphaned recovery file becomes this document, unsaved, with that file as its
    // recovery file.
    void restore(RecoveryFile::Orphan &orphan);
    // Ending on the system's request: the recovery file stays for the next start.
    void keepRecoveryAtEnd();
    bool keepsRecovery() const { return keepRecovery_; }
    // A clean end: nothing is left to recover unless kept above.
    void end();

signals:
    void recoveryProblemChanged();

private:
    Form &form_;
    SavedTally saved_;
    TallyHistory history_;
    QString recoveryFolder_ = RecoveryFile::defaultFolder();
    RecoveryFile recovery_;
    QTimer recoveryTimer_;
    QString recoveryProblem_;
    bool keepRecovery_ = false;
};

}  // namespace lumora
