#include <gtest/gtest.h>

#include "form_test_support.h"

using namespace lumora;
using namespace lumora::test;

namespace {

int slotOf(const Form &f, int row) { return f.row(row).top[static_cast<size_t>(Cell::Count)] / kRowPitch; }

}  // namespace

TEST(GridScrolling, PlacesRowsBySlot) {
    Form f(kComma);
    f.startUp();
    EXPECT_EQ(f.row(1).top[0], 270);
    EXPECT_EQ(f.row(19).top[0], 5130);
    f.setVScroll2Value(74);
    EXPECT_EQ(slotOf(f, 93), 19);
    EXPECT_EQ(f.row(74).top[3], 0);
    f.setVScroll2Value(100);
    EXPECT_EQ(f.vscroll2Value(), 74);
}

TEST(GridScrolling, ShortLengthHidesTheScrollBar) {
    Form f(kComma);
    f.startUp();
    f.setListIndex(1);
    EXPECT_FALSE(f.vscroll2Visible());
    EXPECT_EQ(f.row(3).top[0], 0);
    EXPECT_EQ(f.row(4).top[0], 270);
    f.VScroll2Scroll();
    EXPECT_EQ(f.vscroll2Max(), 0);
}

TEST(GridScrolling, FocusLeavingTheWindowScrollsByOneRow) {
    Form f(kComma);
    f.startUp();
    f.countGotFocus(1019);
    f.countKeyDown(1019, Key::Down);
    EXPECT_EQ(f.vscroll2Value(), 1);
    EXPECT_EQ(slotOf(f, 20), 19);
    f.setVScroll2Value(10);
    f.countGotFocus(1011);
    EXPECT_EQ(f.vscroll2Value(), 10);  // a box inside the window never moves it
    f.countKeyDown(1011, Key::Up);
    EXPECT_EQ(f.vscroll2Value(), 9);
    f.countGotFocus(1093);
    EXPECT_EQ(f.vscroll2Value(), 74);
    f.countGotFocus(1001);
    EXPECT_EQ(f.vscroll2Value(), 0);
}

TEST(GridScrolling, EveryStepInUseIsReachableByArrowsAndStaysVisible) {
    for (int lengthCm : {100, 200, 600, 1000, 1500, 50}) {
        Form f(kComma);
        f.startUp();
        f.setListIndex(entryOf(lengthCm));
        const int first = f.leadingEmptyRows + 1, last = f.leadingEmptyRows + f.shownRows;
        f.countGotFocus(1000 + first);
        int r = first;
        auto check = [&] {
            ASSERT_EQ(f.focusedCountIndex(), 1000 + r) << lengthCm;
            const int slot = slotOf(f, r);
            EXPECT_GE(slot, 1) << lengthCm << " row " << r;
            EXPECT_LE(slot, 19) << lengthCm << " row " << r;
        };
        for (; r < last; ++r) {
            check();
            f.countKeyDown(1000 + r, Key::Down);
        }
        check();
        for (; r > first; --r) {
            check();
            f.countKeyDown(1000 + r, Key::Up);
        }
        check();
    }
}

TEST(GridScrolling, ScrollBarFocusKeepsTheRows) {
    Form f(kComma);
    f.startUp();
    f.setVScroll2Value(5);
    f.otherGotFocus(FocusTarget::GridScroll);
    EXPECT_EQ(f.gridScrollValue, 5);
    EXPECT_EQ(slotOf(f, 6), 1);
}
