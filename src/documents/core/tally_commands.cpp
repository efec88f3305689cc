#include "documents/core/tally_commands.h"

#include "documents/core/tally_texts.h"

namespace lumora {

const char kTallyFileFilter[] = "Текстовые файлы (*.txt)";

namespace {

void writeTo(Form &form, DocumentDialogs &dialogs, FileStore &files, const std::string &name) {
    if (auto error = writeTallyFile(form, name, files)) {
        dialogs.message(*error);
        return;
    }
    form.tallyFileName = name;
}

}  // namespace

std::optional<std::string> writeTallyFile(const Form &form, const std::string &name, FileStore &files) {
    return files.writeAtomically(name, writeTally(tallyCounts(form)));
}

void openTally(Form &form, DocumentDialogs &dialogs, FileStore &files) {
    auto name = dialogs.openFileName("Загрузить текстовый файл", kTallyFileFilter);
    if (!name) return;
    FileRead file = files.read(*name, kMaxTallyFileBytes);
    if (!file.ok) {
        dialogs.message(file.error);
        return;
    }
    // The whole file is checked before the first count is stored: a bad file changes nothing.
    TallyReadResult tally = readTally(file.bytes);
    if (!tally.ok) {
        dialogs.message(tally.error);
        return;
    }

    // One action: the results are recomputed in full once the last count is stored.
    Form::Event load(form);
    form.tallyFileName = *name;
    form.loadingFile = kSet;
    for (int i = 1; i <= kRowCount; ++i) {
        form.setCountText(1000 + i, tally.counts[static_cast<size_t>(i - 1)]);
        // Only the first stored count is handled in the shortened way.
        form.loadingFile = kClear;
    }
}

void saveTally(Form &form, DocumentDialogs &dialogs, FileStore &files) {
    if (!form.tallyFileName.empty()) return writeTo(form, dialogs, files, form.tallyFileName);
    auto name = dialogs.saveFileName("Сохранить...", kTallyFileFilter);
    if (name) writeTo(form, dialogs, files, *name);
}

void saveTallyAs(Form &form, DocumentDialogs &dialogs, FileStore &files) {
    auto name = dialogs.saveFileName("Сохранить как...", kTallyFileFilter);
    if (name) writeTo(form, dialogs, files, *name);
}

}  // namespace lumora
