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

// Whatever length comes next, the rows in use stand in the window and the scroll bar reaches them all.
TEST(GridScrolling, ALengthChangeWhileScrolledShowsTheRowsInUse) {
    for (int to : {50, 90, 1400, 1500}) {
        SCOPED_TRACE(to);
        Form f(kComma);
        f.startUp();
        typeCount(f, 14, "4");
        f.setVScroll2Value(40);
        f.otherGotFocus(FocusTarget::LengthList);
        f.setListIndex(entryOf(to));
        EXPECT_FALSE(f.vscroll2Visible());
        EXPECT_EQ(f.vscroll2Value(), 0);
        EXPECT_EQ(slotOf(f, f.leadingEmptyRows + 1), 1);  // the first row in use, at the top
        EXPECT_EQ(f.row(rowOf(14)).count, "4");
        EXPECT_EQ(slotOf(f, rowOf(14)), rowOf(14) - f.leadingEmptyRows);
    }
}

TEST(GridScrolling, AfterAShortLengthTheCaretCannotLeaveTheWindow) {
    Form f(kComma);
    f.startUp();
    f.setListIndex(1);              // 0,50 m: no range
    f.setListIndex(entryOf(1000));  // 10,00 m: 31 rows in use, 12 rows of range
    EXPECT_EQ(f.vscroll2Max(), 12);
    int box = 1000 + f.leadingEmptyRows + 1;
    f.countGotFocus(box);
    for (int k = 0; k < 40; ++k) {
        f.countKeyDown(f.focusedCountIndex(), Key::Down);
        const int r = f.focusedCountIndex() - 1000;
        ASSERT_GE(slotOf(f, r), 1) << "after " << k + 1 << " moves";
        ASSERT_LE(slotOf(f, r), 19) << "after " << k + 1 << " moves";
    }
    EXPECT_EQ(f.focusedCountIndex() - 1000, f.leadingEmptyRows + f.shownRows);  // the last row in use
}

TEST(GridScrolling, AKeyBringsTheBoxThatTheWheelScrolledAwayBackFirst) {
    for (int length : {600, 1000}) {  // the first rows in use, with and without leading empty rows
        SCOPED_TRACE(length);
        Form f(kComma);
        f.startUp();
        f.setListIndex(entryOf(length));
        const int box = 1000 + f.leadingEmptyRows + 3;
        f.countGotFocus(box);
        f.setVScroll2Value(12);  // the wheel: the box goes above the window
        ASSERT_LT(slotOf(f, box - 1000), 1);
        f.typeCountChar(box, U'7');
        EXPECT_EQ(f.countText(box), "7");
        EXPECT_EQ(slotOf(f, box - 1000), 1);
        f.setVScroll2Value(12);
        f.countKeyDown(box, Key::Up);  // the arrows too
        EXPECT_GE(slotOf(f, f.focusedCountIndex() - 1000), 1);
        f.setVScroll2Value(12);
        f.otherGotFocus(FocusTarget::Other);
        f.clickPlus();
        EXPECT_GE(slotOf(f, f.focusedCountIndex() - 1000), 1);
    }
}
