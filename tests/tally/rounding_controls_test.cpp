#include <gtest/gtest.h>

#include "form_test_support.h"

using namespace lumora;
using namespace lumora::test;

namespace {

struct RoundingControls : ::testing::Test {
    Form f{kComma};
    void SetUp() override { f.startUp(); }
};

}  // namespace

TEST_F(RoundingControls, ButtonsStepTheDecimalsWithinOneToThree) {
    typeCount(f, 24, "5");  // 1,65 m3
    f.clickCommand1();
    EXPECT_EQ(f.decimals(), 1);
    f.clickCommand2();
    EXPECT_EQ(f.Text3(), "2");
    EXPECT_EQ(f.Text4(), "1,65");
    f.clickCommand2();
    f.clickCommand2();
    EXPECT_EQ(f.decimals(), 3);
    EXPECT_EQ(f.focusedCountIndex(), 1000 + rowOf(24));
    EXPECT_TRUE(f.menuTis());  // the ticked item names what the results show
    EXPECT_FALSE(f.menuSot());
    f.clickCheck1();
    f.clickCheck1();  // off and on again: still one item ticked, the right one
    EXPECT_TRUE(f.menuTis());
    EXPECT_FALSE(f.menuNoOkrugl());
}

TEST_F(RoundingControls, SotWithTheSwitchOffTurnsItOnAndRecomputes) {
    typeCount(f, 20, "2");
    typeCount(f, 30, "1");
    f.clickCheck1();
    EXPECT_EQ(f.Check1Value(), 0);
    EXPECT_TRUE(f.menuNoOkrugl());
    f.clickSot();
    EXPECT_EQ(f.Check1Value(), 1);
    EXPECT_TRUE(f.menuSot());
    EXPECT_FALSE(f.menuNoOkrugl());
    EXPECT_FALSE(f.menuDes());
    EXPECT_FALSE(f.menuTis());
    EXPECT_EQ(f.Text3(), "2");
    EXPECT_EQ(f.Text1(), "23,33");
    EXPECT_EQ(f.Text2(), "25,31");
}

TEST_F(RoundingControls, NoOkruglTwiceRestoresSwitchAndMenu) {
    f.clickDes();
    typeCount(f, 20, "2");
    typeCount(f, 30, "1");
    const std::string t1 = f.Text1(), t4 = f.Text4();
    f.clickNoOkrugl();
    EXPECT_EQ(f.Check1Value(), 0);
    EXPECT_TRUE(f.menuNoOkrugl());
    EXPECT_FALSE(f.menuDes());
    EXPECT_EQ(f.Text1(), "23,333");
    f.clickNoOkrugl();
    EXPECT_EQ(f.Check1Value(), 1);
    EXPECT_FALSE(f.menuNoOkrugl());
    EXPECT_TRUE(f.menuDes());
    EXPECT_EQ(f.Text1(), t1);
    EXPECT_EQ(f.Text4(), t4);
}

TEST_F(RoundingControls, MenuChoiceWithNoCountsRecomputesNothing) {
    const long before = f.handlerCounts().fullRecalculations;
    f.clickTis();
    EXPECT_EQ(f.decimals(), 3);
    EXPECT_TRUE(f.menuTis());
    EXPECT_EQ(f.handlerCounts().fullRecalculations, before);
}

TEST_F(RoundingControls, SwitchClickRecomputesTheMeansEvenWhenNoStepVolumeChanges) {
    typeCount(f, 20, "10");
    typeCount(f, 30, "5");
    EXPECT_EQ(f.Text1(), "23,3");
    f.clickCheck1();  // the step volumes 2,3 and 2,6 read the same unrounded, the mean does not
    EXPECT_EQ(f.Check1Value(), 0);
    EXPECT_EQ(f.Text1(), "23,333");
    f.clickNoOkrugl();
    EXPECT_EQ(f.Text1(), "23,3");
}

TEST_F(RoundingControls, KeypadOnTheSwitchCountsInTheCurrentBox) {
    f.countGotFocus(1000 + rowOf(30));
    f.otherGotFocus(FocusTarget::RoundingSwitch);
    f.Check1KeyDown(Key::KeypadPlus);
    f.Check1KeyDown(Key::KeypadPlus);
    EXPECT_EQ(f.row(rowOf(30)).count, "2");
    f.Check1KeyDown(Key::KeypadMinus);
    f.Check1KeyDown(Key::KeypadMinus);
    EXPECT_EQ(f.row(rowOf(30)).count, "");
    f.setCountText(1000 + rowOf(30), "99999");
    f.Check1KeyDown(Key::KeypadPlus);
    EXPECT_EQ(f.row(rowOf(30)).count, "99999");
    f.Check1KeyDown(Key::Enter);
    EXPECT_EQ(f.row(rowOf(30)).count, "99999");
}
