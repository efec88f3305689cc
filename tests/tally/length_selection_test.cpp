#include <gtest/gtest.h>

#include "form_test_support.h"

using namespace lumora;
using namespace lumora::test;

namespace {

struct SelectionCase {
    const char *group;
    int firstColumn, lastColumn;
    int leading, hidden, shown;
    int scrollMax;
    bool scrollVisible;
};

class SelectionPass : public ::testing::TestWithParam<SelectionCase> {};

}  // namespace

TEST_P(SelectionPass, GivesTheWorkedValuesForEveryLengthOfTheGroup) {
    const auto &c = GetParam();
    for (int column = c.firstColumn; column <= c.lastColumn; ++column) {
        Form f(kComma);
        f.startUp();
        f.setListIndex(0);
        f.setVScroll2Max(50);  // a previous maximum that no length of these groups may keep
        f.setListIndex(column);
        SCOPED_TRACE(std::string(c.group) + " column " + std::to_string(column));
        EXPECT_EQ(f.leadingEmptyRows, c.leading);
        EXPECT_EQ(f.hiddenRows, c.hidden);
        EXPECT_EQ(f.shownRows, c.shown);
        EXPECT_EQ(f.vscroll2Max(), c.scrollMax);
        EXPECT_EQ(f.vscroll2Visible(), c.scrollVisible);
        EXPECT_EQ(f.focusCountIndex, 1001 + c.leading);
        EXPECT_EQ(f.massUpdate, kClear);
        EXPECT_EQ(f.selectedColumn, column);
    }
}

INSTANTIATE_TEST_SUITE_P(AllLengths, SelectionPass,
                         ::testing::Values(SelectionCase{"0,50-0,90", 1, 5, 3, 81, 10, 0, false},
                                           SelectionCase{"1,00-1,90", 6, 15, 3, 2, 90, 71, true},
                                           SelectionCase{"2,00-2,90", 16, 27, 1, 0, 92, 73, true},
                                           SelectionCase{"3,00-9,50", 28, 106, 0, 0, 93, 74, true},
                                           SelectionCase{"10,00-13,50", 107, 114, 5, 60, 31, 12, true},
                                           SelectionCase{"14,00-15,00", 115, 116, 11, 74, 17, 0, false}));

TEST(LengthSelection, HalfAMetreUsesSixToFifteenCentimetres) {
    Form f(kComma);
    f.startUp();
    f.setListIndex(1);
    auto visible = [&](int i) { return f.row(i).visible[static_cast<size_t>(Cell::Count)]; };
    EXPECT_FALSE(visible(1));
    EXPECT_FALSE(visible(2));
    EXPECT_TRUE(visible(3));
    EXPECT_TRUE(f.row(3).countLocked);
    EXPECT_EQ(f.row(3).vm3, "");
    EXPECT_EQ(f.row(3).top[static_cast<size_t>(Cell::Count)], 0);
    EXPECT_EQ(f.row(4).vm3, "0,0013");
    EXPECT_EQ(f.row(13).vm3, "0,0088");
    for (int i = 4; i <= 13; ++i) EXPECT_FALSE(f.row(i).countLocked);
    for (int i = 14; i <= 92; ++i) EXPECT_FALSE(visible(i)) << i;
    EXPECT_TRUE(visible(93));
    EXPECT_TRUE(f.row(93).countLocked);
    EXPECT_EQ(f.focusCountIndex, 1004);
    EXPECT_FALSE(f.vscroll2Visible());
}

TEST(LengthSelection, TenMetresLocksTheOddDiametersInBetween) {
    Form f(kComma);
    f.startUp();
    f.setListIndex(entryOf(1000));
    for (int d = 8; d <= 38; ++d) {
        const GridRow &r = f.row(rowOf(d));
        EXPECT_TRUE(r.visible[static_cast<size_t>(Cell::Count)]) << d;
        const bool odd = d % 2 == 1 && d >= 15 && d <= 37;
        EXPECT_EQ(r.countLocked, odd) << d;
        EXPECT_EQ(r.vm3.empty(), odd) << d;
    }
}

TEST(LengthSelection, TheBlankEntryEmptiesTheTallyAndMovesRowsAway) {
    Form f(kComma);
    f.startUp();
    typeCount(f, 24, "5");
    typeCount(f, 30, "2");
    f.setListIndex(0);
    for (int i = 1; i <= kRowCount; ++i) {
        EXPECT_EQ(f.row(i).count, "");
        EXPECT_EQ(f.row(i).vd, "");
        for (int16_t top : f.row(i).top) EXPECT_EQ(top, -10);
    }
    EXPECT_EQ(f.Text13(), "0");
    EXPECT_EQ(f.Text4(), "0");
    EXPECT_EQ(f.Text1(), "0");
    EXPECT_EQ(f.Text2(), "0");
    EXPECT_EQ(f.selectedColumn, 0);
    EXPECT_EQ(f.returnFocusIndex, 1000 + rowOf(30));
}

TEST(LengthSelection, KeypadStepsThroughTheLengthsWithinTheList) {
    Form f(kComma);
    f.startUp();
    f.setListIndex(1);
    f.Hight1KeyDown(Key::KeypadMinus);
    EXPECT_EQ(f.listIndex(), 0);
    f.Hight1KeyDown(Key::KeypadMinus);
    EXPECT_EQ(f.listIndex(), 0);
    f.Hight1KeyDown(Key::KeypadPlus);
    EXPECT_EQ(f.listIndex(), 1);
    f.setListIndex(116);
    f.Hight1KeyDown(Key::KeypadPlus);
    EXPECT_EQ(f.listIndex(), 116);
    f.Hight1KeyDown(Key::Delete);
    EXPECT_EQ(f.listIndex(), 0);
}

TEST(LengthSelection, EnterJumpsToTheFirstStepInUse) {
    RecordingView view;
    Form f(kComma, &view);
    f.startUp();
    f.setListIndex(entryOf(1000));
    f.otherGotFocus(FocusTarget::LengthList);
    f.Hight1KeyDown(Key::Enter);
    EXPECT_EQ(f.focusedCountIndex(), 1006);
    ASSERT_FALSE(view.focusRequests.empty());
    EXPECT_EQ(view.focusRequests.back(), 1006);
}

TEST(LengthSelection, PassRunsOneUnitVolumeUpdatePerChangedCaption) {
    Form f(kComma);
    f.startUp();
    const long before = f.handlerCounts().unitVolumeUpdates;
    f.setListIndex(1);  // 0,50 m: most captions change, 83 empty cells pass through "0"
    const long ran = f.handlerCounts().unitVolumeUpdates - before;
    EXPECT_GT(ran, 93);
    EXPECT_LE(ran, 186);
}

namespace {

// Types characters into the length list as a user would, the caret where the list leaves it.
void typeInList(Form &f, const std::u32string &chars) {
    for (char32_t c : chars) f.Hight1KeyPress(c);
}

}  // namespace

TEST(TypeAhead, CompletesTheTypedPrefixToTheFirstLength) {
    for (const NumberFormat &fmt : {kComma, kPoint}) {
        RecordingView view;
        Form f(fmt, &view);
        f.startUp();
        const std::string sep(1, fmt.decimalSeparator);
        f.Hight1KeyPress(27);  // Escape empties the list text
        EXPECT_EQ(f.listText(), "");
        EXPECT_EQ(f.selectedListIndex, 64);
        typeInList(f, U"6");
        EXPECT_EQ(f.listIndex(), 64);
        EXPECT_EQ(f.listSelStart(), 1);
        EXPECT_EQ(f.listSelLength(), 3);
        typeInList(f, U",");
        EXPECT_EQ(f.listIndex(), 64);
        EXPECT_EQ(f.listSelStart(), 2);
        EXPECT_EQ(f.listSelLength(), 2);
        typeInList(f, U"1");
        EXPECT_EQ(f.listIndex(), 65);
        EXPECT_EQ(f.listText(), "6" + sep + "10");
        EXPECT_EQ(view.beeps, 0);
    }
}

TEST(TypeAhead, PointAndCommaBothActAsTheSeparator) {
    for (const NumberFormat &fmt : {kComma, kPoint}) {
        for (char32_t typed : {U'.', U','}) {
            Form f(fmt);
            f.startUp();
            f.Hight1KeyPress(27);
            typeInList(f, std::u32string{U'2', typed, U'5'});
            EXPECT_EQ(f.listIndex(), 22) << fmt.decimalSeparator << " typed " << static_cast<char>(typed);
        }
    }
}

TEST(TypeAhead, APrefixThatStartsNoLengthBeepsAndKeepsTheMatch) {
    RecordingView view;
    Form f(kComma, &view);
    f.startUp();
    f.Hight1KeyPress(27);
    typeInList(f, U"2");
    EXPECT_EQ(f.listIndex(), 16);
    EXPECT_EQ(f.Hight1KeyPress(U'5'), 0u);
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(f.listIndex(), 16);
    f.Hight1KeyPress(27);
    typeInList(f, U"99");
    EXPECT_EQ(f.listIndex(), entryOf(900));
    EXPECT_EQ(view.beeps, 2);
}

TEST(TypeAhead, EscapeDeselectsUntilTheNextKeyRestoresTheLength) {
    Form f(kComma);
    f.startUp();
    typeCount(f, 24, "5");
    f.Hight1KeyPress(27);
    EXPECT_EQ(f.listIndex(), -1);
    EXPECT_EQ(f.Text13(), "5");  // the grid keeps its length
    f.Hight1KeyDown(Key::Down);
    EXPECT_EQ(f.listIndex(), 64);
    EXPECT_EQ(f.row(rowOf(24)).count, "5");
}

TEST(TypeAhead, BackspaceShortensThePrefixAndEnterSelectsTheEntry) {
    Form f(kComma);
    f.startUp();
    typeCount(f, 24, "5");
    f.Hight1KeyPress(27);
    typeInList(f, U"2,5");
    EXPECT_EQ(f.listIndex(), 22);
    f.Hight1KeyPress(8);  // back to "2,"
    EXPECT_EQ(f.listIndex(), 16);
    EXPECT_EQ(f.listSelStart(), 2);
    EXPECT_EQ(f.Hight1KeyPress(13), 13u);
    EXPECT_EQ(f.listSelStart(), 0);
    EXPECT_EQ(f.listSelLength(), 4);
    f.setListSelection(1, 0);
    f.Hight1KeyPress(8);  // one character before the caret: the text goes
    EXPECT_EQ(f.listText(), "");
    // An empty prefix is no choice of the blank entry: the length and the count stay.
    EXPECT_NE(f.selectedListIndex, 0);
    EXPECT_EQ(f.row(rowOf(24)).count, "5");
    EXPECT_EQ(f.Text13(), "5");
    EXPECT_EQ(f.Hight1KeyPress(U'+'), 0u);
    EXPECT_EQ(f.Hight1KeyPress(U'-'), 0u);
}

TEST(LengthSelection, SignsTypedIntoTheListAreSwallowedWithoutABeep) {
    RecordingView view;
    Form f(kComma, &view);
    f.startUp();
    f.Hight1KeyPress(U'9');  // 9,00
    const int before = f.listIndex();
    EXPECT_EQ(f.Hight1KeyPress(U'+'), 0u);
    EXPECT_EQ(f.Hight1KeyPress(U'-'), 0u);
    EXPECT_EQ(view.beeps, 0);
    EXPECT_EQ(f.listIndex(), before);
    f.Hight1KeyPress(U'9');  // "99" starts no length: that one beeps
    EXPECT_EQ(view.beeps, 1);
}
