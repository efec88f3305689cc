#include "documents/core/tally_commands.h"

#include <optional>
#include <vector>

#include "documents/core/tally_texts.h"
#include "tally/tally_state.h"

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

namespace {

// Whether a count at step `row` can be shown at list entry `entry` (the table has a volume there).
bool stepExists(int entry, int row) {
    return entry >= 1 && entry <= kLengthCount && tableCell(entry, row) != 0;
}

// The entries of the length list where every step of `rows` exists, as runs "0,50–9,50 м".
std::string lengthsWith(const Form &form, const std::vector<int> &rows) {
    const auto &entries = form.listEntries();
    std::string runs;
    int first = 0, last = 0;
    auto close = [&] {
        if (!first) return;
        runs += (runs.empty() ? "" : ", ") + entries[static_cast<size_t>(first)];
        if (last != first) runs += "–" + entries[static_cast<size_t>(last)];
        first = 0;
    };
    for (int entry = 1; entry <= kLengthCount && entry < static_cast<int>(entries.size()); ++entry) {
        bool all = true;
        for (int row : rows) all = all && stepExists(entry, row);
        if (!all) {
            close();
            continue;
        }
        if (!first) first = entry;
        last = entry;
    }
    close();
    return runs.empty() ? runs : runs + " м";
}

}  // namespace

std::string unshownCountsMessage(const Form &form, const TallyCounts &counts, const std::string &name) {
    // The form's own rule: a count stays where the column it shows has a unit volume.
    const int entry = form.selectedColumn;
    std::vector<int> rows;
    std::string steps;
    for (int i = 1; i <= kRowCount; ++i) {
        const std::string &count = counts[static_cast<size_t>(i - 1)];
        if (count.empty() || (entry >= 1 && !form.row(i).vm3.empty())) continue;
        rows.push_back(i);
        steps += (steps.empty() ? "" : ", ") + form.row(i).d + " см — " + count + " шт.";
    }
    if (rows.empty()) return {};
    std::string text = "Файл «" + name + "» не загружен: ";
    text += entry >= 1 ? "при длине " + form.listEntries()[static_cast<size_t>(entry)] +
                             " м нет ступеней, количества которых в нём есть: "
                       : "длина не выбрана, и количества из него показать нельзя: ";
    text += steps + "\n";  // each step already ends in "шт."
    std::string perStep;
    for (size_t k = 0; k < rows.size() && k < 8; ++k) {
        const std::string runs = lengthsWith(form, {rows[k]});
        perStep += "\n" + form.row(rows[k]).d + " см — " + (runs.empty() ? "ни при одной длине" : runs);
    }
    if (rows.size() > 8) perStep += "\n…";
    const std::string all = lengthsWith(form, rows);
    text += all.empty() ? "Ни при одной длине нет всех этих ступеней сразу."
                        : "Все эти ступени есть при длинах " + all + ".";
    if (rows.size() > 1) text += "\nПо отдельности:" + perStep;
    text += "\nВыберите длину, при которой они есть, и откройте файл снова.";
    return text;
}

std::optional<TallyCounts> openTally(Form &form, DocumentDialogs &dialogs, FileStore &files, OpenInto into) {
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
    // A file that carries its length is shown at that length: its counts are checked there.
    std::string refusal;
    if (tally.settings) {
        std::optional<Form> atFileLength;  // the form that checks, when it is not the form itself
        if (into == OpenInto::KeptForm) atFileLength.emplace(form.numberFormat()).startUp();
        Form &check = atFileLength ? *atFileLength : form;
        selectTallySettings(check, *tally.settings);
        refusal = unshownCountsMessage(check, tally.counts, *name);
    } else {
        refusal = unshownCountsMessage(form, tally.counts, *name);
    }
    if (!refusal.empty()) {
        dialogs.message(refusal);
        return std::nullopt;
    }

    const TallyState before = TallyState::of(form);
    const std::string beforeName = form.tallyFileName;
    {
        // One action: the results are recomputed in full once the last count is stored.
        Form::Event load(form);
        // The file's own length and rounding first: its counts then all find their steps.
        if (tally.settings) selectTallySettings(form, *tally.settings);
        form.tallyFileName = *name;
        form.tallyTitle = tally.title;
        form.loadingFile = kSet;
        for (int i = 1; i <= kRowCount; ++i) {
            form.setCountText(1000 + i, tally.counts[static_cast<size_t>(i - 1)]);
            // Only the first stored count is handled in the shortened way.
            form.loadingFile = kClear;
        }
    }
    // The check above follows the table; should the form still have left a count out, the tally goes
    // back to what it was rather than keep part of the file.
    if (TallyState::of(form).counts != tally.counts) {
        before.applyTo(form);
        form.tallyFileName = beforeName;
        dialogs.message("Файл «" + *name + "» не загружен: не все количества из него можно показать.");
        return std::nullopt;
    }
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
