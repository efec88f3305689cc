#include "documents/core/tally_commands.h"

#include <cmath>

#include "documents/core/tally_texts.h"

namespace lumora {

const char kTallyFileFilter[] = "Текстовые файлы (*.txt)";
const char kTallyOpenFilter[] = "Текстовые файлы (*.txt);;Все файлы (*)";

namespace {

// After the counts are stored, each shown step gets its step volume recomputed on its own, as the
// step-volume pass does for one row; a row whose texts cannot be converted keeps its volume.
void recomputeShownStepVolumes(Form &form) {
    const NumberFormat &fmt = form.numberFormat();
    const int16_t places = form.rounded() ? form.decimals() : int16_t(4);
    for (int i = 1; i <= form.shownRows && i <= kRowCount; ++i) {
        const GridRow &row = form.row(i);
        if (row.vm3.empty() || row.count.empty() || form.listIndex() == 0) {
            form.setVD(i, "");
            continue;
        }
        auto unit = localeNumber(row.vm3, fmt);
        auto count = localeNumber(row.count, fmt);
        if (!unit || !count) continue;
        auto volume = Ocrugl(*unit * *count, places);
        if (!volume || !std::isfinite(*volume)) continue;
        form.setVD(i, numberText(*volume, fmt));
    }
}

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
           ".\nПересчёт отличается от файла и отмечен как несохранённый.";
}

std::optional<TallyCounts> openTally(Form &form, DocumentDialogs &dialogs, FileStore &files) {
    // The decimals are stepped away and back around the load, so the recalculation of the rounding
    // controls runs once more at the end with the loaded counts; they end as they were.
    const int16_t step = form.decimals() > 2 ? -1 : 1;
    form.setDecimals(static_cast<int16_t>(form.decimals() + step));
    form.loadingFile = kSet;
    auto finish = [&] {
        form.loadingFile = kClear;
        form.setDecimals(static_cast<int16_t>(form.decimals() - step));
    };

    auto name = dialogs.openFileName("Загрузить текстовой файл", kTallyOpenFilter);
    if (!name) {
        finish();
        return std::nullopt;
    }
    FileRead file = files.read(*name, kMaxTallyFileBytes);
    if (!file.ok) {
        dialogs.message(file.error);
        finish();
        return std::nullopt;
    }
    // The whole file is checked before the first count is stored: a bad file changes nothing.
    TallyReadResult tally = readTally(file.bytes, form.numberFormat());
    if (!tally.ok) {
        dialogs.message(tally.error);
        finish();
        return std::nullopt;
    }

    form.tallyFileName = *name;
    for (int i = 1; i <= kRowCount; ++i) {
        form.setCountText(1000 + i, tally.counts[static_cast<size_t>(i - 1)]);
        // Only the first stored count is handled in the shortened way.
        form.loadingFile = kClear;
    }
    recomputeShownStepVolumes(form);
    finish();
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
