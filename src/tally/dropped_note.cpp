#include "tally/dropped_note.h"

#include <charconv>

#include "tally/form.h"

namespace lumora {

std::string droppedByLengthNote(const TallyState &before, const Form &after) {
    if (before.length == after.selectedListIndex) return {};
    std::string steps;
    long logs = 0;
    // Runs of rows without a volume at the new length, each named from its first to its last emptied
    // step ("16–120 см"), so that a long tally gives a short note.
    int first = 0, last = 0;
    auto closeRun = [&] {
        if (first == 0) return;
        steps += (steps.empty() ? "" : ", ") + after.row(first).d;
        if (last != first) steps += "–" + after.row(last).d;
        first = last = 0;
    };
    for (int i = 1; i <= kRowCount; ++i) {
        const std::string &was = before.counts[static_cast<size_t>(i - 1)];
        // The blank entry keeps the last column's volumes on its hidden rows, but shows no step.
        if (after.selectedListIndex != 0 && !after.row(i).vm3.empty()) {
            closeRun();
            continue;
        }
        if (was.empty() || !after.row(i).count.empty()) continue;
        long n = 0;
        std::from_chars(was.data(), was.data() + was.size(), n);
        logs += n;
        if (first == 0) first = i;
        last = i;
    }
    closeRun();
    if (steps.empty()) return {};
    // The blank entry of the list has no steps at all.
    const std::string where =
        after.selectedListIndex == 0 ? "Без длины" : "При длине " + after.listText() + " м";
    return where + " нет ступеней " + steps + " см: убрано " + std::to_string(logs) + " шт. Ctrl+Z вернёт.";
}

}  // namespace lumora
