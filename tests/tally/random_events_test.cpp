// Long random sequences of what a user can do to the form, checking after every event what must
// always hold of a tally.
#include <gtest/gtest.h>

#include <random>

#include "form_test_support.h"

using namespace lumora;
using namespace lumora::test;

namespace {

bool isCount(const std::string &t) {
    if (t.empty()) return true;
    if (t.size() > 5) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

int slotOf(const Form &f, int row) { return f.row(row).top[static_cast<size_t>(Cell::Count)] / kRowPitch; }

bool focusInsideWindow(const Form &f) {
    const int r = f.focusedCountIndex() - 1000;
    if (r < 1 || f.listIndex() == 0) return false;
    return f.row(r).visible[static_cast<size_t>(Cell::Count)] && slotOf(f, r) >= 1 && slotOf(f, r) <= 19;
}

// focusEvent: the focus moved by a key or a click from a box that stood inside the window, or to a
// box clicked inside it; it must then still stand inside.
void checkInvariants(const Form &f, bool focusEvent, const std::string &what) {
    SCOPED_TRACE(what);
    const NumberFormat &fmt = f.numberFormat();
    const int L = f.leadingEmptyRows;
    double countSum = 0;
    if (L != kRowCount) {
        const int last = std::min(kRowCount, kRowCount - f.hiddenRows + L);
        for (int i = L + 1; i <= last; ++i) countSum += lenientNumber(f.row(i).count);
    }
    ASSERT_EQ(f.Text13(), numberText(countSum, fmt));

    const int places = f.rounded() ? f.decimals() : 4;
    double volumeSum = 0;
    for (int i = 1; i <= kRowCount; ++i) {
        const GridRow &r = f.row(i);
        ASSERT_TRUE(isCount(r.count)) << "row " << i << " holds '" << r.count << "'";
        if (r.vm3.empty()) { ASSERT_EQ(r.count, "") << "row " << i << " has no unit volume"; }
        if (!r.count.empty() && f.listIndex() != 0 && i <= f.shownRows + L) {
            const double p = *localeNumber(r.vm3, fmt) * *localeNumber(r.count, fmt);
            ASSERT_EQ(r.vd, numberText(*Ocrugl(p, static_cast<int16_t>(places)), fmt)) << "row " << i;
        }
        if (r.count.empty()) { ASSERT_EQ(r.vd, "") << "row " << i; }
        if (!r.vd.empty()) volumeSum += *localeNumber(r.vd, fmt);
    }
    const std::string total =
        f.rounded() ? numberText(*Ocrugl(volumeSum, f.decimals()), fmt) : numberText(volumeSum, fmt);
    ASSERT_EQ(f.Text4(), total);

    if (focusEvent && f.listIndex() > 0) {
        const int r = f.focusedCountIndex() - 1000;
        ASSERT_TRUE(focusInsideWindow(f)) << "focused row " << r << " L " << L << " N " << f.shownRows << " V "
                                          << f.vscroll2Value();
    }
}

void runSequence(unsigned seed, const NumberFormat &fmt, int events) {
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Form f(fmt);
    f.startUp();
    const std::u32string chars = U"0123456789a-,.+ ";
    const int countKeys[] = {Key::Up,          Key::Down,      Key::Enter,  Key::KeypadPlus,
                             Key::KeypadMinus, Key::Backspace, Key::Delete, Key::End};
    const int listKeys[] = {Key::KeypadPlus, Key::KeypadMinus, Key::Delete, Key::Enter, Key::Down};
    const std::u32string listChars = U"0123456789,.\b\x1b\r";

    for (int e = 0; e < events; ++e) {
        bool focusEvent = false;
        std::string what;
        const int focused = f.focusedCountIndex();
        const bool wasInside = focusInsideWindow(f);
        switch (pick(0, 17)) {
            case 0:
            case 1:
            case 2:
            case 3:
                if (focused) {
                    f.typeCountChar(focused, chars[static_cast<size_t>(pick(0, int(chars.size()) - 1))]);
                    what = "typed";
                }
                break;
            case 4:
            case 5:
            case 6: {
                if (!focused) break;
                const int key = countKeys[pick(0, 7)];
                f.countKeyDown(focused, key);
                what = "key " + std::to_string(key) + " in " + std::to_string(focused);
                focusEvent = wasInside;
                break;
            }
            case 7: {  // a click on a box that shows in the window
                const int r = f.leadingEmptyRows + f.vscroll2Value() + pick(1, 19);
                if (r >= 1 && r <= kRowCount && f.row(r).visible[2] && slotOf(f, r) >= 1 && slotOf(f, r) <= 19 &&
                    f.row(r).top[2] % kRowPitch == 0) {
                    f.countGotFocus(1000 + r);
                    what = "click " + std::to_string(r);
                    focusEvent = true;
                }
                break;
            }
            case 8:  // a toolbar button takes the focus, then gives it back
                f.otherGotFocus(FocusTarget::Other);
                f.clickPlus();
                what = "plus";
                break;
            case 9:
                f.otherGotFocus(FocusTarget::Other);
                f.clickMinus();
                what = "minus";
                break;
            case 10:
                if (pick(0, 9) == 0) {
                    f.otherGotFocus(FocusTarget::Other);
                    f.clickClear();
                    what = "clear";
                }
                break;
            case 11:
                f.clickCheck1();
                what = "switch";
                break;
            case 12: {
                const int which = pick(0, 5);
                if (which == 0) f.clickCommand1();
                if (which == 1) f.clickCommand2();
                if (which == 2) f.clickNoOkrugl();
                if (which == 3) f.clickDes();
                if (which == 4) f.clickSot();
                if (which == 5) f.clickTis();
                what = "rounding " + std::to_string(which);
                break;
            }
            case 13:
                f.otherGotFocus(FocusTarget::RoundingSwitch);
                f.Check1KeyDown(pick(0, 1) ? Key::KeypadPlus : Key::KeypadMinus);
                what = "switch keypad";
                break;
            case 14:
                if (pick(0, 3) == 0) {
                    f.otherGotFocus(FocusTarget::LengthList);
                    f.setListIndex(pick(0, kLengthCount));
                    what = "length " + std::to_string(f.listIndex());
                }
                break;
            case 15:
                f.otherGotFocus(FocusTarget::LengthList);
                f.Hight1KeyDown(listKeys[pick(0, 4)]);
                what = "list key";
                break;
            case 16:
                f.otherGotFocus(FocusTarget::LengthList);
                f.Hight1KeyPress(listChars[static_cast<size_t>(pick(0, int(listChars.size()) - 1))]);
                what = "list char";
                break;
            case 17:
                f.setVScroll2Value(static_cast<int16_t>(pick(0, 80)));
                what = "scroll";
                break;
        }
        checkInvariants(f, focusEvent, "event " + std::to_string(e) + ": " + what);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace

TEST(RandomEvents, TallyStaysConsistentUnderLongRandomSequences) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        runSequence(seed, seed % 2 ? NumberFormat{','} : NumberFormat{'.'}, 4000);
        if (HasFatalFailure()) return;
    }
}
