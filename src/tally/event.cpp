// The end of a user action: whatever way the handlers took, what the window shows afterwards is what a
// freshly started form shows for the same length, counts and rounding.
//
// The handlers keep their step-by-step order, and some of those orders leave a result behind: a mean
// diameter computed before the total it divides by was rewritten, a length change that reuses the
// sums of the previous length, a load whose first line only runs the mean-diameter pass. Rather than
// rely on each path, the outermost action recomputes the totals and means from the texts once more
// (the setters compare, so nothing changes when all was in line), ticks the rounding menu item that
// names what the result boxes show, and keeps the box with the caret inside the window of 19 rows.
#include <algorithm>

#include "tally/form.h"

namespace lumora {

Form::Event::Event(Form &form, bool scrolling) : form_(form), scrolling_(scrolling) {
    // Only a scroll that the user started counts as one; the handlers scroll on their own too.
    if (scrolling_ && form_.eventDepth_ == 0) form_.scrolledInEvent_ = true;
    ++form_.eventDepth_;
}

Form::Event::~Event() {
    if (--form_.eventDepth_ > 0 || form_.settling_) return;
    const bool scrolled = form_.scrolledInEvent_;
    form_.scrolledInEvent_ = false;
    form_.settling_ = true;
    ++form_.eventDepth_;
    form_.settle(scrolled);
    --form_.eventDepth_;
    form_.settling_ = false;
}

void Form::settle(bool scrolled) {
    if (loadingFile || listEntries_.empty()) return;  // mid-load, or before start-up
    // With no length there is no tally: counts stored meanwhile (a load) would come back unseen.
    if (selectedColumn == 0)
        for (int i = 1; i <= kRowCount; ++i) setCountText(1000 + i, "");
    countTotalPass();
    stepVolumePass();
    meanDiameterPass();

    text3_ = std::to_string(vscroll1Value_);
    noOkrugl_ = !rounded();
    des_ = rounded() && vscroll1Value_ == 1;
    sot_ = rounded() && vscroll1Value_ == 2;
    tis_ = rounded() && vscroll1Value_ == 3;

    // A hidden scroll bar stands at 0; a shown one reaches every row in use.
    rangeRule();
    if (!vscroll2Visible_) setVScroll2Value(0);
    // Scrolling may move the rows away from the caret; anything else brings its box back.
    if (!scrolled) keepCaretInView();
}

// Scrolls so that count box `index` stands in slots 1..19, when it is a row in use.
void Form::bringCountIntoView(int index) {
    if (index < kFirstCountIndex || index > kLastCountIndex || listIndex_ == 0) return;
    const int r = index - 1000;
    const int L = leadingEmptyRows;
    if (r <= L || r > L + shownRows) return;
    const int slot = r - vscroll2Value_ - L;
    if (slot < 1)
        setVScroll2Value(static_cast<int16_t>(r - L - 1));
    else if (slot > 19)
        setVScroll2Value(static_cast<int16_t>(r - L - 19));
}

// The caret is never in a box the user cannot see: a box that the length left without a row in
// use hands the focus to the nearest row in use.
void Form::keepCaretInView() {
    if (focusTarget_ != FocusTarget::Count || listIndex_ == 0) return;
    const int L = leadingEmptyRows;
    if (L >= kRowCount || shownRows <= 0) return;
    const int r = focusedCount_ - 1000;
    const int target = std::clamp(r, L + 1, std::min<int>(kRowCount, L + shownRows));
    if (target != r || !row(r).visible[static_cast<size_t>(Cell::Count)]) giveFocusToCount(1000 + target);
    bringCountIntoView(1000 + target);
}

}  // namespace lumora
