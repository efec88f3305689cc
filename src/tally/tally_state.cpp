#include "tally/tally_state.h"

#include "tally/form.h"

namespace lumora {

TallyState TallyState::of(const Form &form) {
    TallyState s;
    s.length = form.selectedListIndex;
    for (int i = 1; i <= kRowCount; ++i) s.counts[static_cast<size_t>(i - 1)] = form.row(i).count;
    s.rounded = form.rounded();
    s.decimals = form.decimals();
    s.title = form.tallyTitle;
    return s;
}

void TallyState::applyTo(Form &form) const {
    // One action: the form brings every result into line with the state when it ends.
    Form::Event action(form);
    form.tallyTitle = title;
    const int savedFocus = form.focusCountIndex;
    // The length first: it empties the counts of the steps it lacks, which this state has empty too.
    if (form.listIndex() != length || form.selectedListIndex != length) form.setListIndex(length);

    // The rounding as the menu chooses it, so the switch, the decimals and the check marks agree.
    if (rounded) {
        if (decimals == 1)
            form.clickDes();
        else if (decimals == 3)
            form.clickTis();
        else
            form.clickSot();
    } else {
        form.setDecimals(decimals);
        if (form.rounded()) form.clickNoOkrugl();
    }

    for (int i = 1; i <= kRowCount; ++i) form.setCountText(1000 + i, counts[static_cast<size_t>(i - 1)]);
    // A length change sets the current box to the first step in use; keep the user's box otherwise.
    if (savedFocus >= kFirstCountIndex && savedFocus <= kLastCountIndex &&
        form.row(savedFocus - 1000).visible[static_cast<size_t>(Cell::Count)])
        form.focusCountIndex = static_cast<int16_t>(savedFocus);
}

}  // namespace lumora
