#include "documents/core/tally_texts.h"

namespace lumora {

const char kEstimateNote[] = "* — объем рассчитан: в ГОСТ 2708-75 значения нет";

TallyTexts tallyTexts(const Form &form) {
    TallyTexts t;
    for (int i = 1; i <= kRowCount; ++i) {
        const GridRow &row = form.row(i);
        t.steps[static_cast<size_t>(i - 1)] = {row.d, row.count, row.vd};
        t.estimated[static_cast<size_t>(i - 1)] = row.vm3Estimated && !row.vm3.empty();
    }
    t.Text1 = form.Text1();
    t.Text2 = form.Text2();
    t.Text13 = form.Text13();
    t.Text4 = form.Text4();
    t.Text3 = form.Text3();
    const int index = form.listIndex();
    if (index >= 0 && static_cast<size_t>(index) < form.listEntries().size())
        t.length = form.listEntries()[static_cast<size_t>(index)];
    t.NoOkrugl = form.menuNoOkrugl();
    t.TrueD = form.TrueD;
    t.groupsOnSheet = form.groupsOnSheet;
    t.title = form.tallyTitle;
    return t;
}

std::vector<std::string> estimatedCountedSteps(const TallyTexts &texts) {
    std::vector<std::string> diameters;
    for (size_t i = 0; i < texts.steps.size(); ++i)
        if (texts.estimated[i] && !texts.steps[i].count.empty()) diameters.push_back(texts.steps[i].d);
    return diameters;
}

TallyCounts tallyCounts(const Form &form) {
    TallyCounts counts;
    for (int i = 1; i <= kRowCount; ++i) counts[static_cast<size_t>(i - 1)] = form.row(i).count;
    return counts;
}

std::optional<TallySettings> tallySettings(const Form &form) {
    if (form.selectedListIndex < 1 || form.selectedListIndex > kLengthCount) return std::nullopt;
    TallySettings s;
    s.length = form.selectedListIndex;
    s.rounded = form.rounded();
    s.decimals = form.decimals();
    return s;
}

std::string tallyFileBytes(const Form &form) {
    return writeTally(tallyCounts(form), tallySettings(form), form.numberFormat().decimalSeparator,
                      form.tallyTitle);
}

}  // namespace lumora
