// The document's file commands: open, a named file, save, save as, the toolbar's save, «Новый» and
// the gate before the tally goes.
#include <QDir>
#include <QFileInfo>

#include "documents/core/tally_texts.h"
#include "editing/document_files.h"
#include "editing/qt_text.h"

namespace lumora {

std::string canonicalFileName(const std::string &name) {
    if (name.empty()) return name;
    const QFileInfo info(qs(name));
    QString path = info.canonicalFilePath();  // "" while the file does not exist
    if (path.isEmpty()) {
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        path = folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
    }
    return QDir::cleanPath(path).toStdString();
}

// Every command that replaces the tally asks first when it is unsaved, as leaving does.
bool Document::mayReplace(const char *question) {
    if (!unsaved()) return true;
    switch (questions_->askToSave(question)) {
        case LeaveAnswer::Save:
            // A restored tally undone away stays in its recovery file for the next start: what is
            // saved is the tally on screen.
            if (linesUnsaved()) save();
            return !linesUnsaved();  // a cancelled or failed save keeps the tally
        case LeaveAnswer::Discard:
            // The own recovery file goes once the tally is replaced (or the program left): until then
            // the tally on screen is still the one it keeps.
            restoredTallyIsSafe();
            return true;
        case LeaveAnswer::Cancel:
            return false;
    }
    return false;
}

bool Document::mayLeave() { return mayReplace(kLeaveQuestion); }

void Document::open() { load(std::nullopt); }

void Document::openFile(const std::string &name) { load(canonicalFileName(name)); }

void Document::openRecentFile(const QString &path) {
    if (!QFileInfo(path).isFile()) {
        recent_.remove(path);
        emit recentFilesChanged();
        questions_->message(QStringLiteral("Не удалось открыть файл «%1»: файл не найден.\n"
                                           "Он убран из списка недавних файлов.")
                                .arg(path)
                                .toStdString());
        return;
    }
    openFile(path.toStdString());
}

// A loaded tally is the file's whole contents (a file the length cannot show is refused). A file
// without lines 94 and 95 opens at the length on screen: the tally as loaded is what it holds.
void Document::load(const std::optional<std::string> &named) {
    if (endRequested_ || !mayReplace(kReplaceQuestion)) return;
    dialogs_->inner = questions_;
    dialogs_->namedFile = named;
    watched_->inner = files_;
    watched_->reset();
    std::optional<TallyCounts> loaded;
    replacing_ = true;
    runStep([&] { loaded = openTally(form_, *dialogs_, *watched_); });
    replacing_ = false;
    dialogs_->namedFile.reset();
    if (loaded) {
        saved_.remember(form_.tallyFileName, tallyFileBytes(form_), watched_->bytes);
        noteRecentFile();
    }
    changed();
    emit stateChanged();
}

void Document::newTally() {
    if (endRequested_ || !mayReplace(kReplaceQuestion)) return;
    replacing_ = true;
    runStep([this] {
        form_.clickClear();
        form_.tallyFileName.clear();
        form_.tallyTitle.clear();
    });
    replacing_ = false;
    changed();
    emit stateChanged();
}

// Save writes over the tally's file only when it still holds what this window last read or wrote
// there, or the user says so.
bool Document::mayWriteOver() {
    const std::string &name = form_.tallyFileName;
    if (name.empty()) return true;
    const FileRead onDisk = files_->read(name, kMaxTallyFileBytes);
    if (!onDisk.ok || !saved_.changedSince(name, onDisk.bytes)) return true;
    switch (questions_->askAboutChangedFile(QDir::toNativeSeparators(qs(name)))) {
        case ChangedFileAnswer::Overwrite:
            return true;
        case ChangedFileAnswer::SaveAs:
            saveAs();
            return false;
        case ChangedFileAnswer::Cancel:
            return false;
    }
    return false;
}

void Document::save() {
    if (mayWriteOver()) write(saveTally, false);
}

void Document::saveAs() { write(saveTallyAs, false); }

void Document::saveFromToolbar() {
    if (mayWriteOver()) write(saveTally, true);
}

// A command that writes the tally; when it did, the tally is what its file holds from now on.
void Document::write(void (*command)(Form &, DocumentDialogs &, FileStore &), bool fromToolbar) {
    dialogs_->inner = questions_;
    watched_->inner = files_;
    watched_->reset();
    saving_ = true;
    runStep([&] {
        // The toolbar's button gives the focus back to the count box that had it.
        if (fromToolbar) form_.returnFocusIndex = form_.focusCountIndex;
        command(form_, *dialogs_, *watched_);
        if (fromToolbar) form_.giveFocusToCount(form_.returnFocusIndex);
    });
    saving_ = false;
    if (watched_->written) {
        saved_.remember(form_.tallyFileName, tallyFileBytes(form_), watched_->bytes);
        history_.retie(form_.tallyFileName);
        if (restoreInEffect()) restoredTallyIsSafe();
        noteRecentFile();
    }
    changed();
    emit stateChanged();
}

void Document::noteRecentFile() {
    if (form_.tallyFileName.empty()) return;
    recent_.add(qs(form_.tallyFileName));
    emit recentFilesChanged();
}

void Document::clearRecentFiles() {
    recent_.clear();
    emit recentFilesChanged();
}

}  // namespace lumora
