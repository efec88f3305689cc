#include "documents/core/tally_texts.h"

namespace lumora {

TallyTexts tallyTexts(const Form &form) {
    TallyTexts t;
    for (int i = 1; i <= kRowCount; ++i) {
        const GridRow &row = form.row(i);
        t.steps[static_cast<size_t>(i - 1)] = {row.d, row.count, row.vd};
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
    return t;
}

TallyCounts tallyCounts(const Form &form) {
    TallyCounts counts;
    for (int i = 1; i <= kRowCount; ++i) counts[static_cast<size_t>(i - 1)] = form.row(i).count;
    return counts;
}

}  // namespace lumora
