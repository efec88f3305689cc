// The document the window shows: the tally state in the form, the file it belongs to and what that
// file holds, the undo history, the life of the recovery file, and every file command (open, open a
// named file, save, save as, the toolbar's save, a new tally, restore, leave). The window forwards
// commands to it and shows its answers; it has no widgets, so tests drive it without a window.
//
// Its rules:
// - Unsaved: the lines Save would write (counts, length, rounding) differ from what the tally's file
//   holds, or the tally has no file and holds counts, or a restored tally that is not yet safe was
//   undone away. The title's "*", the question before leaving or replacing the tally, and the
//   recovery file follow only this.
// - One gate for every command that replaces the tally (Open, a recent file, a file named at start
//   or by the desktop, «Новый», a restore): when the tally is unsaved, the user is asked first.
// - A recovery file lives until its content is safe: saved into its file, replaced after the user
//   said «Не сохранять», or deleted by the user. An undo is none of these: a restored tally undone
//   away keeps its recovery file, and this window's later tallies get a file of their own.
// - Save never writes over what this window has not seen: when its file is no longer what it last
//   read or wrote (or, for a restored tally, what it held when the tally left it), the user is asked.
// - Each file is known by its absolute, canonical name.
// - One user step is one undo entry: a run of digits typed into one box, a length typed into the
//   list's box (until Enter, leaving the box or a choice from the list), or any other event.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "editing/document_questions.h"
#include "editing/recent_files.h"
#include "editing/recovery_file.h"
#include "editing/saved_tally.h"
#include "editing/tally_history.h"
#include "tally/form.h"

namespace lumora {

class Document : public QObject {
    Q_OBJECT
public:
    // The box number of the length list's text box for undo steps (count boxes are 1001 to 1093).
    static constexpr int kLengthBox = 1;

    // `apply` gives the form a state from undo or redo (the window wraps it so the widgets follow).
    Document(Form &form, std::function<void(const TallyDocument &)> apply);
    ~Document() override;

    // Who answers the questions and where the files are (the window gives Qt's dialogs and the disk).
    void setQuestions(DocumentQuestions &questions) { questions_ = &questions; }
    DocumentQuestions *questions() const { return questions_; }
    void setFiles(FileStore &files) { files_ = &files; }
    // How a command's change of the tally runs as one user step: the window passes its forward(),
    // so the widgets show the result. By default the step is run here.
    using RunStep = std::function<void(const std::function<void()> &)>;
    void setRunStep(RunStep run) { runStep_ = std::move(run); }

    TallyDocument current() const { return {TallyState::of(form_), form_.tallyFileName}; }
    bool unsaved() const;

    // ---- User steps: opened before the first handler of an event, ended after the last one. ----
    void beginStep();
    void endStep();
    // The step typed a digit into count box `index`, or a character into the length list's box (with
    // `ends` for Enter, which ends the typed length).
    void typedIntoCount(int index) { typingBox_ = index; }
    void typedLength(bool ends);
    // The focus moved: the next digit or character starts a new step.
    void focusMoved() { history_.breakTyping(); }
    // The note of counts that the step's length emptied ("" for none).
    const QString &droppedNote() const { return droppedNote_; }

    // ---- File commands: each asks what it must, runs as one step, and tells what failed. ----
    void open();
    // A named file (start, desktop, recent files), loaded as Open loads a chosen one.
    void openFile(const std::string &name);
    // An entry of the recent files; one that is gone leaves the list with a message.
    void openRecentFile(const QString &path);
    void save();
    void saveAs();
    void saveFromToolbar();
    // «Новый»: an empty tally without a file, at the length and rounding on screen.
    void newTally();
    // Offers back the tallies that windows left behind without a clean exit, and tells once of any
    // that could not be read; true when one was restored.
    bool offerRecovery();
    // The gate before the program is left: true when it may go.
    bool mayLeave();

    const RecentFiles &recentFiles() const { return recent_; }
    void clearRecentFiles();

    TallyHistory &history() { return history_; }
    const TallyHistory &history() const { return history_; }
    void undo();
    void redo();

    // The recovery file of this tally; written at most a second after a change.
    const RecoveryFile &recoveryFile() const { return recovery_; }
    const QString &recoveryFolder() const { return recoveryFolder_; }
    void setRecoveryFolder(const QString &folder);
    void writeRecoveryNow();
    // What the status line says while recovery writes fail ("" while they work).
    const QString &recoveryProblem() const { return recoveryProblem_; }
    // Ending on the system's request: the recovery file stays for the next start, and no command
    // replaces the tally any more.
    void endOnRequest();
    bool endRequested() const { return endRequested_; }
    bool keepsRecovery() const { return keepRecovery_; }
    // A clean end: nothing is left to recover unless kept above (or a restored tally undone away).
    void end();

signals:
    void recoveryProblemChanged();
    // A step ended or a command ran: the title, the marker and the status line follow.
    void stateChanged();
    void recentFilesChanged();

private:
    class Dialogs;
    class Files;
    // The tally's lines differ from its file's (the own recovery file follows only this).
    bool linesUnsaved() const;
    bool mayReplace(const char *question);
    bool mayWriteOver();
    void load(const std::optional<std::string> &named);
    void write(void (*command)(Form &, DocumentDialogs &, FileStore &), bool fromToolbar);
    void restore(RecoveryFile::Orphan &orphan);
    void changed();
    void noteRecentFile();
    void runStep(const std::function<void()> &change);
    // Whether the restored tally is still in the history before the present, and the recovery files
    // that follow from it.
    bool restoreInEffect() const;
    void followRestore();
    void restoredTallyIsSafe();
    void forgetRestore();  // the restore is no longer followed; its held file is left as it is

    Form &form_;
    DocumentQuestions *questions_ = nullptr;
    FileStore *files_ = nullptr;
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<Files> watched_;
    RunStep runStep_;
    SavedTally saved_;
    TallyHistory history_;
    RecentFiles recent_;
    QString recoveryFolder_ = RecoveryFile::defaultFolder();
    RecoveryFile recovery_;
    // The recovery file of a restored tally that an undo took off the screen: it keeps that tally
    // until it is saved or the user says «Не сохранять».
    std::unique_ptr<RecoveryFile> held_;
    bool restorePending_ = false;
    bool restoreLost_ = false;  // undone, and a new step took its place
    const QUndoCommand *restoreStep_ = nullptr;
    QTimer recoveryTimer_;
    QString recoveryProblem_;
    bool keepRecovery_ = false;
    bool endRequested_ = false;

    TallyDocument stepBefore_;
    bool stepOpen_ = false;
    int typingBox_ = 0;       // the box that took a typed digit or character in this step
    bool endTyping_ = false;  // the step ends the typed length
    bool saving_ = false;     // a save may name another file for the tally: that is no undo step
    bool replacing_ = false;  // Open, «Новый», a restore: the counts are replaced, not dropped
    QString droppedNote_;
};

}  // namespace lumora
