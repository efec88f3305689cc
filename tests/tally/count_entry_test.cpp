#include <gtest/gtest.h>

#include "form_test_support.h"

using namespace lumora;
using namespace lumora::test;

namespace {

struct Entry : ::testing::Test {
    RecordingView view;
    Form f{kComma, &view};
    void SetUp() override { f.startUp(); }
    const std::string &count(int d) { return f.row(rowOf(d)).count; }
    int box(int d) { return 1000 + rowOf(d); }
};

}  // namespace

TEST_F(Entry, OnlyDigitsReachACountBoxAndAtMostFive) {
    f.countGotFocus(box(24));
    const long recalculations = f.handlerCounts().fullRecalculations;
    for (char32_t c : {U'a', U'-', U',', U'.', U'+', char32_t(13), char32_t(8), char32_t(22), U'ж'})
        f.typeCountChar(box(24), c);
    EXPECT_EQ(count(24), "");
    EXPECT_EQ(f.handlerCounts().fullRecalculations, recalculations);
    typeCount(f, 24, "7");
    EXPECT_EQ(count(24), "7");
    typeCount(f, 24, "23456");
    EXPECT_EQ(count(24), "72345");  // the sixth digit is refused
    f.setCountSelection(box(24), 1, 2);
    f.typeCountChar(box(24), U'9');  // replaces the selection
    EXPECT_EQ(count(24), "7945");
}

TEST_F(Entry, LockedBoxesTakeNoDigits) {
    typeCount(f, 69, "4");  // 69 cm has no volume at 6,00 m
    EXPECT_EQ(count(69), "");
}

TEST_F(Entry, KeypadPlusAndMinusStepTheCount) {
    const int b = box(30);
    f.countKeyDown(b, Key::KeypadPlus);
    EXPECT_EQ(count(30), "1");
    f.setCountText(b, "41");
    f.countKeyDown(b, Key::KeypadPlus);
    EXPECT_EQ(count(30), "42");
    f.countKeyDown(b, Key::KeypadMinus);
    EXPECT_EQ(count(30), "41");
    f.setCountText(b, "99999");
    f.countKeyDown(b, Key::KeypadPlus);
    EXPECT_EQ(count(30), "99999");
    f.setCountText(b, "1");
    f.countKeyDown(b, Key::KeypadMinus);
    EXPECT_EQ(count(30), "");
    f.countKeyDown(b, Key::KeypadMinus);
    EXPECT_EQ(count(30), "");
    f.setCountText(b, "0");  // never a negative count of logs
    f.countKeyDown(b, Key::KeypadMinus);
    EXPECT_EQ(count(30), "");
    f.setCountText(b, "12x");  // not a number: plus leaves it, minus empties it
    f.countKeyDown(b, Key::KeypadPlus);
    EXPECT_EQ(count(30), "12x");
    f.countKeyDown(b, Key::KeypadMinus);
    EXPECT_EQ(count(30), "");
}

TEST_F(Entry, BackspaceRemovesTheLastDigitWhereverTheCaretIs) {
    const int b = box(30);
    f.setCountText(b, "123");
    f.setCountSelection(b, 1, 0);
    f.countKeyDown(b, Key::Backspace);
    EXPECT_EQ(count(30), "12");
    EXPECT_EQ(f.row(rowOf(30)).selStart, 2);
    f.countKeyDown(b, Key::Delete);
    EXPECT_EQ(count(30), "");
}

TEST_F(Entry, ArrowsMoveToTheNeighbourWithItsWholeTextSelected) {
    typeCount(f, 10, "12");
    typeCount(f, 11, "345");
    f.countGotFocus(box(10));
    f.countKeyDown(box(10), Key::Down);
    EXPECT_EQ(f.focusedCountIndex(), box(11));
    EXPECT_EQ(f.focusCountIndex, box(11));
    EXPECT_EQ(f.row(rowOf(11)).selStart, 0);
    EXPECT_EQ(f.row(rowOf(11)).selLength, 3);
    EXPECT_EQ(view.focusRequests.back(), box(11));
    EXPECT_EQ(view.selectRequests.back(), box(11));
    f.typeCountChar(box(11), U'9');  // the next digit replaces the count
    EXPECT_EQ(count(11), "9");
    f.countKeyDown(box(11), Key::Up);
    EXPECT_EQ(f.focusedCountIndex(), box(10));
    f.countKeyDown(box(10), Key::Enter);
    EXPECT_EQ(f.focusedCountIndex(), box(11));
    f.clickPlus();  // after a move, Plus counts in the new box
    EXPECT_EQ(count(11), "10");
}

TEST_F(Entry, UpInTheFirstStepAndDownInTheLastStayPut) {
    f.countGotFocus(1001);
    const size_t requests = view.focusRequests.size();
    f.countKeyDown(1001, Key::Up);
    EXPECT_EQ(f.focusedCountIndex(), 1001);
    EXPECT_EQ(view.focusRequests.size(), requests);
    EXPECT_TRUE(view.selectRequests.empty());

    f.setCountText(1093, "123");
    f.countGotFocus(1093);
    f.setCountSelection(1093, 1, 0);
    f.countKeyDown(1093, Key::Down);
    EXPECT_EQ(f.focusedCountIndex(), 1093);
    EXPECT_EQ(f.row(93).selStart, 1);
    EXPECT_EQ(f.row(93).selLength, 2);  // from the caret to the end
}

TEST_F(Entry, DownStopsAtTheLastStepInUseOfAShortLength) {
    f.setListIndex(1);  // 0,50 m: steps 4..13
    f.countGotFocus(1013);
    f.countKeyDown(1013, Key::Down);
    EXPECT_EQ(f.focusedCountIndex(), 1013);
}

TEST_F(Entry, PlusAndMinusActOnTheCurrentBoxAndGiveTheFocusBack) {
    f.countGotFocus(box(20));
    f.otherGotFocus(FocusTarget::Other);  // the toolbar button takes the click
    f.clickPlus();
    EXPECT_EQ(count(20), "1");
    EXPECT_EQ(f.focusedCountIndex(), box(20));
    EXPECT_EQ(f.returnFocusIndex, box(20));
    f.clickMinus();
    EXPECT_EQ(count(20), "");
    f.countGotFocus(box(69));  // locked
    f.clickPlus();
    EXPECT_EQ(count(69), "");
    EXPECT_EQ(f.focusedCountIndex(), box(69));
}

TEST_F(Entry, WithNoLengthNoCountCanBeEnteredOutOfSight) {
    f.countGotFocus(box(20));
    f.setListIndex(0);
    f.countGotFocus(box(20));
    f.typeCountChar(box(20), U'5');
    f.countKeyDown(box(20), Key::KeypadPlus);
    f.otherGotFocus(FocusTarget::Other);
    f.clickPlus();
    f.otherGotFocus(FocusTarget::RoundingSwitch);
    f.Check1KeyDown(Key::KeypadPlus);
    EXPECT_EQ(count(20), "");
    f.setListIndex(64);  // nothing comes back with the next length
    EXPECT_EQ(f.Text13(), "0");
}

TEST_F(Entry, PlusMinusAndTheKeypadLeaveTheCaretAtTheEnd) {
    f.countGotFocus(box(20));
    f.otherGotFocus(FocusTarget::Other);
    f.clickPlus();
    f.clickPlus();  // "2", and the next digit goes after it
    f.typeCountChar(box(20), U'5');
    EXPECT_EQ(count(20), "25");
    f.countKeyDown(box(20), Key::KeypadMinus);
    f.typeCountChar(box(20), U'1');
    EXPECT_EQ(count(20), "241");
    f.otherGotFocus(FocusTarget::RoundingSwitch);
    f.Check1KeyDown(Key::KeypadPlus);
    f.countGotFocus(box(20));
    f.typeCountChar(box(20), U'0');
    EXPECT_EQ(count(20), "2420");
}

TEST_F(Entry, ClearEmptiesTheTallyAndKeepsTheFocus) {
    typeCount(f, 20, "3");
    typeCount(f, 40, "2");
    f.clickClear();
    for (int i = 1; i <= kRowCount; ++i) {
        EXPECT_EQ(f.row(i).count, "");
        EXPECT_EQ(f.row(i).vd, "");
    }
    EXPECT_EQ(f.Text13(), "0");
    EXPECT_EQ(f.Text4(), "0");
    EXPECT_EQ(f.Text1(), "0");
    EXPECT_EQ(f.Text2(), "0");
    EXPECT_EQ(f.focusedCountIndex(), box(40));
    EXPECT_EQ(f.massUpdate, kClear);
    EXPECT_EQ(f.listIndex(), 64);
}

// «Чётные ступени от 14 см»: Enter, Down and Up pass over the empty odd steps from 15 cm; a step that
// holds a count is never passed over, below 15 cm every step is visited, and a click reaches any.
TEST_F(Entry, EvenStepsPassOverTheEmptyOddStepsFromFifteenCentimetres) {
    typeCount(f, 17, "3");
    const struct {
        bool on;
        int fromCm, key, toCm;
    } moves[] = {
        {true, 14, Key::Enter, 16}, {true, 16, Key::Down, 17},  {true, 17, Key::Down, 18},
        {true, 18, Key::Up, 17},    {true, 20, Key::Up, 18},    {true, 12, Key::Enter, 13},
        {true, 13, Key::Down, 14},  {true, 66, Key::Enter, 68}, {true, 68, Key::Down, 70},
        {true, 70, Key::Down, 72},  {true, 72, Key::Up, 70},    {false, 14, Key::Enter, 15},
        {false, 16, Key::Up, 15},
    };
    for (const auto &m : moves) {
        f.evenSteps = m.on;
        f.countGotFocus(box(m.fromCm));
        f.countKeyDown(box(m.fromCm), m.key);
        EXPECT_EQ(f.focusedCountIndex(), box(m.toCm))
            << m.fromCm << " key " << m.key << (m.on ? " on" : " off");
    }
    // At 0,50 m the grid ends at 15 cm: with no even step after 14 cm, Down goes to 15 cm.
    f.setListIndex(entryOf(50));
    f.evenSteps = true;
    f.countGotFocus(box(14));
    f.countKeyDown(box(14), Key::Down);
    EXPECT_EQ(f.focusedCountIndex(), box(15)) << "at 0,50 m";
    f.setListIndex(entryOf(600));
    f.countGotFocus(box(15));
    EXPECT_EQ(f.focusedCountIndex(), box(15)) << "a click reaches an odd step";
    typeCount(f, 15, "2");
    EXPECT_EQ(count(15), "2");
    f.evenSteps = false;
}
