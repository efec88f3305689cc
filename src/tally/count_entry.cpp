// Typing counts: the character filter, the keys of a count box, the focus and its grid following,
// and the toolbar's plus, minus and clear.
#include <algorithm>

#include "tally/form.h"

namespace lumora {

std::string Form::plusOne(const std::string &t) const {
    if (t.empty()) return "1";
    auto v = localeNumber(t, fmt_);
    if (!v || *v == 99999) return t;  // not a number, or the most a box can hold
    return numberText(*v + 1, fmt_);
}

std::string Form::minusOne(const std::string &t) const {
    if (t.empty()) return t;
    auto v = localeNumber(t, fmt_);
    // A count cannot go below one log: 1, 0 (and anything that is not a number) empty the box.
    if (!v || *v <= 1) return "";
    return numberText(*v - 1, fmt_);
}

// Writes a count stepped by plus or minus and leaves the caret after it, so that a digit typed next
// goes at the end.
void Form::stepCount(int index, const std::string &text) {
    // With no length selected the rows stand out of sight: a count entered there would come back
    // into the next length's tally unseen.
    if (selectedColumn == 0 && !text.empty()) return;
    setCountText(index, text);
    setCountSelection(index, static_cast<int>(countText(index).size()), 0);
}

void Form::typeCountChar(int index, char32_t c) {
    Event event(*this);
    if (index < kFirstCountIndex || index > kLastCountIndex) return;
    bringCountIntoView(index);
    if (selectedColumn == 0) return;   // no length: the rows stand out of sight
    if (c < U'0' || c > U'9') return;  // Enter, Backspace, signs, separators, letters, Ctrl+V...
    const GridRow &r = row(index - 1000);
    if (r.countLocked) return;
    const int n = static_cast<int>(r.count.size());
    const int start = std::clamp(r.selStart, 0, n);
    const int length = std::clamp(r.selLength, 0, n - start);
    std::string text = r.count.substr(0, static_cast<size_t>(start)) + static_cast<char>(c) +
                       r.count.substr(static_cast<size_t>(start + length));
    if (static_cast<int>(text.size()) > kMaxCountLength) return;
    setCountText(index, text);
    setCountSelection(index, start + 1, 0);
}

void Form::setCountSelection(int index, int start, int length) {
    if (index < kFirstCountIndex || index > kLastCountIndex) return;
    GridRow &r = rowRef(index - 1000);
    const int n = static_cast<int>(r.count.size());
    r.selStart = std::clamp(start, 0, n);
    r.selLength = std::clamp(length, 0, n - r.selStart);
}

void Form::countKeyDown(int k, int keyCode) {
    Event event(*this);
    if (k < kFirstCountIndex || k > kLastCountIndex) return;
    const int r = k - (k / 1000) * 1000;
    pendingSelectToEnd_ = false;
    // A key acts on the box the user can see: one that scrolling moved away comes back first.
    bringCountIntoView(k);
    if (keyCode == Key::Up && r != leadingEmptyRows + 1) neighbourMove(k, neighbourOf(k, -1));
    if (keyCode == Key::Down || keyCode == Key::Enter) neighbourMove(k, neighbourOf(k, +1));
    if (keyCode == Key::KeypadPlus) stepCount(k, plusOne(countText(k)));
    if (keyCode == Key::KeypadMinus) stepCount(k, minusOne(countText(k)));
    if (keyCode == Key::Backspace && selectedListIndex != 0 && !countText(k).empty()) {
        const std::string &t = countText(k);
        setCountText(k, t.substr(0, t.size() - 1));
        setCountSelection(k, static_cast<int>(countText(k).size()), 0);
    }
    if (keyCode == Key::Delete) setCountText(k, "");
    focusCountIndex = static_cast<int16_t>(k);
    countTotalPass();

    // The Shift+End that a neighbour move leaves for the box that has the focus: its text from the
    // caret to the end becomes selected, and that box's own key bookkeeping runs.
    if (pendingSelectToEnd_ && focusTarget_ == FocusTarget::Count) {
        pendingSelectToEnd_ = false;
        const int f = focusedCount_;
        const GridRow &fr = row(f - 1000);
        setCountSelection(f, fr.selStart, static_cast<int>(fr.count.size()) - fr.selStart);
        view_->selectCountText(f);
        focusCountIndex = static_cast<int16_t>(f);
        countTotalPass();
    }
}

// The box that Up (-1) or Down and Enter (+1) go to from box k: the next one, or with even steps on,
// the next that is not an empty odd step from 15 cm. A skip never leads past the steps in use: where
// it would, the key goes to the next box as without the item.
int Form::neighbourOf(int k, int direction) const {
    const int next = k + direction;
    if (!evenSteps) return next;
    auto skipped = [this](int index) {
        if (index < kFirstCountIndex || index > kLastCountIndex) return false;
        const int d = diametersCm()[static_cast<size_t>(index - 1001)];
        return d >= 15 && d % 2 == 1 && countText(index).empty();
    };
    int to = next;
    while (skipped(to)) to += direction;
    const int first = leadingEmptyRows + kFirstCountIndex;
    if (to < first || to > kLastCountIndex || !row(to - 1000).visible[static_cast<size_t>(Cell::Count)])
        return next;
    return to;
}

void Form::neighbourMove(int /*from*/, int to) {
    giveFocusToCount(to);  // a box that does not exist or is hidden keeps the focus where it was
    if (to >= kFirstCountIndex && to <= kLastCountIndex) setCountSelection(to, 0, 0);
    pendingSelectToEnd_ = true;
}

bool Form::giveFocusToCount(int index) {
    Event event(*this);
    if (index < kFirstCountIndex || index > kLastCountIndex) return false;
    if (!row(index - 1000).visible[static_cast<size_t>(Cell::Count)]) return false;
    if (focusTarget_ == FocusTarget::Count && focusedCount_ == index) return true;
    countGotFocus(index);
    view_->giveFocusToCount(index);
    return true;
}

void Form::countGotFocus(int index) {
    Event event(*this);
    if (index < kFirstCountIndex || index > kLastCountIndex) return;
    if (focusTarget_ == FocusTarget::Count && focusedCount_ == index) return;
    focusTarget_ = FocusTarget::Count;
    focusedCount_ = index;
    focusCountIndex = static_cast<int16_t>(index);
    focusFollowing(index - 1000);
}

void Form::otherGotFocus(FocusTarget target) {
    Event event(*this);
    if (target == FocusTarget::GridScroll) {
        VScroll2GotFocus();
        return;
    }
    focusTarget_ = target;
    focusedCount_ = 0;
}

// Keeps the focused count box inside the window of 19 rows.
void Form::focusFollowing(int r) {
    const int L = leadingEmptyRows;
    const int N = shownRows;
    const int M = N >= 19 ? N - 19 : 0;
    if (r == L + 1) setVScroll2Value(0);
    if (L == 0) {
        if (r == N) setVScroll2Value(static_cast<int16_t>(M));
        if (vscroll2Value_ >= r) setVScroll2Value(static_cast<int16_t>(vscroll2Value_ - 1));
        if (r >= 20 && vscroll2Value_ == r - 20) setVScroll2Value(static_cast<int16_t>(r - 19));
        return;
    }
    // Lengths whose first rows are empty: the steps in use start at slot 1 when the value is 0.
    if (r == L + N) setVScroll2Value(static_cast<int16_t>(M));
    const int slot = r - vscroll2Value_ - L;
    if (slot < 1)
        setVScroll2Value(static_cast<int16_t>(std::max(0, r - L - 1)));
    else if (slot > 19)
        setVScroll2Value(static_cast<int16_t>(r - L - 19));
}

void Form::clickPlus() {
    Event event(*this);
    returnFocusIndex = focusCountIndex;
    const int c = focusCountIndex;
    bringCountIntoView(c);
    if (c >= kFirstCountIndex && c <= kLastCountIndex && !row(c - 1000).countLocked && listIndex_ != 0)
        stepCount(c, plusOne(countText(c)));
    giveFocusToCount(returnFocusIndex);
}

void Form::clickMinus() {
    Event event(*this);
    returnFocusIndex = focusCountIndex;
    const int c = focusCountIndex;
    bringCountIntoView(c);
    if (c >= kFirstCountIndex && c <= kLastCountIndex) stepCount(c, minusOne(countText(c)));
    giveFocusToCount(returnFocusIndex);
}

void Form::clickClear() {
    Event event(*this);
    massUpdate = kSet;
    returnFocusIndex = focusCountIndex;
    for (int r = 1; r <= kRowCount; ++r) {
        setCountText(1000 + r, "");
        setVD(r, "");
    }
    setText4("0");
    setText13("0");
    setText1("0");
    setText2("0");
    giveFocusToCount(returnFocusIndex);
    massUpdate = kClear;
}

}  // namespace lumora
