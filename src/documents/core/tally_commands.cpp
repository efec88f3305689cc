#include "documents/core/tally_commands.h"

#include "documents/core/tally_texts.h"

namespace lumora {

const char kTallyFileFilter[] = "Текстовые файлы (*.txt)";
const char kTallyOpenFilter[] = "Текстовые файлы (*.txt);;Все файлы (*)";

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
    return files.writeAtomically(name, tallyFileBytes(form));
}

void selectTallySettings(Form &form, const TallySettings &s) {
    if (form.listIndex() != s.length || form.selectedListIndex != s.length)
        form.setListIndex(static_cast<int16_t>(s.length));
    if (!s.rounded) {
        if (form.rounded()) form.clickNoOkrugl();
    } else if (s.decimals == 1) {
        form.clickDes();
    } else if (s.decimals == 3) {
        form.clickTis();
    } else {
        form.clickSot();
    }
}

std::string droppedCountsMessage(const Form &form, const TallyCounts &loaded) {
    std::string steps;
    for (int i = 1; i <= kRowCount; ++i) {
        const std::string &count = loaded[static_cast<size_t>(i - 1)];
        if (count.empty() || !form.row(i).count.empty()) continue;
        auto n = localeNumber(count, form.numberFormat());
        steps += (steps.empty() ? "" : ", ") + form.row(i).d + " см — " +
                 (n ? numberText(*n, form.numberFormat()) : count) + " шт.";
    }
    if (steps.empty()) return steps;
    return "При длине " + form.listText() + " м таких ступеней нет, и эти количества не загружены: " + steps +
           "\nПересчёт отличается от файла и отмечен как несохранённый.";
}

std::optional<TallyCounts> openTally(Form &form, DocumentDialogs &dialogs, FileStore &files) {
    auto name = dialogs.openFileName("Загрузить текстовый файл", kTallyOpenFilter);
    if (!name) return std::nullopt;
    FileRead file = files.read(*name, kMaxTallyFileBytes);
    if (!file.ok) {
        dialogs.message(file.error);
        return std::nullopt;
    }
    // The whole file is checked before the first count is stored: a bad file changes nothing.
    TallyReadResult tally = readTally(file.bytes);
    if (!tally.ok) {
        dialogs.message(tally.error);
        return std::nullopt;
    }

    {
        // One action: the results are recomputed in full once the last count is stored.
        Form::Event load(form);
        // The file's own length and rounding first: its counts then all find their steps.
        if (tally.settings) selectTallySettings(form, *tally.settings);
        form.tallyFileName = *name;
        form.loadingFile = kSet;
        for (int i = 1; i <= kRowCount; ++i) {
            form.setCountText(1000 + i, tally.counts[static_cast<size_t>(i - 1)]);
            // Only the first stored count is handled in the shortened way.
            form.loadingFile = kClear;
        }
    }
    const std::string dropped = droppedCountsMessage(form, tally.counts);
    if (!dropped.empty()) dialogs.message(dropped);
    return tally.counts;
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
