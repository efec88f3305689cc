// The tally state: taking it from a form and giving it back restores what the user saw, with the
// figures of the same state typed afresh, whatever kind of step is taken back.
#include <gtest/gtest.h>

#include <functional>

#include "tally_state_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::figures;
using test::kComma;
using test::rowOf;
using test::typeCount;
using test::typedAfresh;

// A length at which a step counted at 6,00 m has no volume (the counts of that step are emptied).
int lengthLacking(int diameterCm) {
    for (int k = 1; k <= kLengthCount; ++k) {
        auto v = unitVolume(k, rowOf(diameterCm), kComma);
        if (!v || *v == 0) return k;
    }
    return 0;
}

struct StepCase {
    const char *name;
    std::function<void(Form &)> step;
};

class RestoringAState : public ::testing::TestWithParam<StepCase> {};

// A tally typed at 6,00 m, the step taken, then the state before it given back: the form shows what a
// fresh form with that state shows, and the state after the step given back again does the same.
TEST_P(RestoringAState, ShowsTheFiguresOfTheSameStateTypedAfresh) {
    Form f(kComma);
    f.startUp();
    f.clickSot();
    typeCount(f, 24, "5");
    typeCount(f, 30, "12");
    typeCount(f, 120, "2");
    f.countGotFocus(1000 + rowOf(30));
    const TallyState before = TallyState::of(f);

    GetParam().step(f);
    const TallyState after = TallyState::of(f);
    ASSERT_NE(after, before) << "the step changes the tally";
    EXPECT_EQ(figures(f), typedAfresh(after)) << "the step itself";

    before.applyTo(f);
    EXPECT_EQ(TallyState::of(f), before);
    EXPECT_EQ(figures(f), typedAfresh(before)) << "undone";

    after.applyTo(f);
    EXPECT_EQ(TallyState::of(f), after);
    EXPECT_EQ(figures(f), typedAfresh(after)) << "redone";
}

const int kBox30 = 1000 + 28;  // rowOf(30)

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfStep, RestoringAState,
    ::testing::Values(StepCase{"Digits", [](Form &f) { typeCount(f, 40, "317"); }},
                      StepCase{"Backspace", [](Form &f) { f.countKeyDown(kBox30, Key::Backspace); }},
                      StepCase{"Delete", [](Form &f) { f.countKeyDown(kBox30, Key::Delete); }},
                      StepCase{"KeypadPlus", [](Form &f) { f.countKeyDown(kBox30, Key::KeypadPlus); }},
                      StepCase{"KeypadMinus", [](Form &f) { f.countKeyDown(kBox30, Key::KeypadMinus); }},
                      StepCase{"Plus", [](Form &f) { f.clickPlus(); }},
                      StepCase{"Minus", [](Form &f) { f.clickMinus(); }},
                      StepCase{"Clear", [](Form &f) { f.clickClear(); }},
                      StepCase{"LengthKeepingCounts", [](Form &f) { f.setListIndex(entryOf(450)); }},
                      StepCase{"LengthClearingCounts", [](Form &f) { f.setListIndex(lengthLacking(120)); }},
                      StepCase{"DeleteInTheLengthList", [](Form &f) { f.Hight1KeyDown(Key::Delete); }},
                      StepCase{"KeypadMinusInTheLengthList",
                               [](Form &f) { f.Hight1KeyDown(Key::KeypadMinus); }},
                      StepCase{"RoundingSwitch", [](Form &f) { f.clickCheck1(); }},
                      StepCase{"NoRoundingMenu", [](Form &f) { f.clickNoOkrugl(); }},
                      StepCase{"ThousandthsMenu", [](Form &f) { f.clickTis(); }},
                      StepCase{"OneDecimalFewer", [](Form &f) { f.clickCommand1(); }},
                      StepCase{"OneDecimalMore", [](Form &f) { f.clickCommand2(); }}),
    [](const ::testing::TestParamInfo<StepCase> &info) { return std::string(info.param.name); });

TEST(TallyState, ALengthThatClearedCountsGivesThemBackWhenUndone) {
    Form f(kComma);
    f.startUp();
    typeCount(f, 120, "2");
    const TallyState before = TallyState::of(f);
    const int shortLength = lengthLacking(120);
    ASSERT_NE(shortLength, 0);
    f.setListIndex(shortLength);
    EXPECT_EQ(f.row(rowOf(120)).count, "");
    before.applyTo(f);
    EXPECT_EQ(f.row(rowOf(120)).count, "2");
    EXPECT_EQ(f.listText(), "6,00");
    EXPECT_NE(f.Text4(), "0");
}

TEST(TallyState, AnUnroundedStateKeepsItsDecimalsForWhenRoundingIsTurnedBackOn) {
    Form f(kComma);
    f.startUp();
    typeCount(f, 24, "7");
    TallyState s = TallyState::of(f);
    s.rounded = false;
    s.decimals = 3;
    s.applyTo(f);
    EXPECT_FALSE(f.rounded());
    EXPECT_TRUE(f.menuNoOkrugl());
    EXPECT_EQ(f.decimals(), 3);
    EXPECT_EQ(figures(f), typedAfresh(s));
    f.clickCheck1();
    EXPECT_EQ(f.decimals(), 3);
}

}  // namespace
}  // namespace lumora
