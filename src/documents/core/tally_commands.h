// The tally file commands of the File menu and the toolbar, over the headless form.
//
//   openTally   - "Открыть" (Ctrl+O)
//   saveTally   - "Сохранить" (Ctrl+S) and the toolbar button "Сохранить": writes to the file last
//                 opened or saved, asking for a name only when there is none yet
//   saveTallyAs - "Сохранить как..." (Ctrl+A): always asks for a name
//
// The dialogs and the file system are reached through the two interfaces below, so the commands run
// the same in the window (Qt dialogs, QSaveFile) and in tests (scripted answers, files in memory).
#pragma once

#include <optional>
#include <string>

#include "documents/core/tally_file.h"
#include "tally/form.h"

namespace lumora {

// The filter of the save dialogs, and of the Open dialog, which also offers every file.
extern const char kTallyFileFilter[];
extern const char kTallyOpenFilter[];

// The dialogs the document commands show. Every call is modal and returns when the user is done.
class DocumentDialogs {
public:
    virtual ~DocumentDialogs() = default;
    // Open dialog: the chosen file must exist. nullopt when cancelled.
    virtual std::optional<std::string> openFileName(const std::string &title, const std::string &filter) = 0;
    // Save dialog: asks before overwriting an existing file. nullopt when cancelled.
    virtual std::optional<std::string> saveFileName(const std::string &title, const std::string &filter) = 0;
    // Message box with an OK button.
    virtual void message(const std::string &text) = 0;
    // Yes / No question; true for yes.
    virtual bool question(const std::string &text) = 0;
    // Input box; nullopt when cancelled.
    virtual std::optional<std::string> inputText(const std::string &prompt, const std::string &title,
                                                 const std::string &defaultText) = 0;
};

struct FileRead {
    bool ok = false;
    std::string bytes;  // at most the requested limit plus one byte, so an oversize file shows itself
    std::string error;  // when not ok, in Russian
};

// Reading and atomically replacing whole files.
class FileStore {
public:
    virtual ~FileStore() = default;
    virtual FileRead read(const std::string &name, size_t maxBytes) = 0;
    // Writes the bytes to a temporary file beside the target and renames it over the target, so a
    // failure leaves the previous file as it was. Returns the error in Russian, or nullopt.
    virtual std::optional<std::string> writeAtomically(const std::string &name, const std::string &bytes) = 0;
};

// Loads a tally file chosen in the open dialog. Returns the counts as the file holds them when the
// tally was loaded, nullopt when nothing was (cancelled or refused). A file that carries its length and
// rounding selects them in the same action. A load takes the whole file or nothing: a file with counts
// that its length (or, for a file without one, the selected length) cannot show, or an old file with no
// length selected, is refused like a broken one, and the tally in the form stays as it was.
//
// A form started for this one file alone (the statement's and the report's, dropped when the file
// is refused) is its own check at the file's length (`OpenInto::FreshForm`): no second form is
// started for it.
enum class OpenInto { KeptForm, FreshForm };
std::optional<TallyCounts> openTally(Form &form, DocumentDialogs &dialogs, FileStore &files,
                                     OpenInto into = OpenInto::KeptForm);

// Selects a saved tally's length and rounding, as the user would in the length list and the menu.
void selectTallySettings(Form &form, const TallySettings &settings);

// Why the counts `counts` of the file `name` cannot be loaded at the length the form has selected:
// the message names the steps the length lacks and the lengths that have them. "" when every count
// can be shown. (Call it once the length the tally is to be shown at is selected.)
std::string unshownCountsMessage(const Form &form, const TallyCounts &counts, const std::string &name);
void saveTally(Form &form, DocumentDialogs &dialogs, FileStore &files);
void saveTallyAs(Form &form, DocumentDialogs &dialogs, FileStore &files);

// Writes the form's counts as a tally file to the given name (the batch report's --save).
// Returns the error in Russian, or nullopt.
std::optional<std::string> writeTallyFile(const Form &form, const std::string &name, FileStore &files);

}  // namespace lumora
