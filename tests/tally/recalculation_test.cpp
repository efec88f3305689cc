#include <gtest/gtest.h>

#include "form_test_support.h"

using namespace lumora;
using namespace lumora::test;

namespace {

Form &started(Form &f) {
    f.startUp();
    return f;
}

}  // namespace

TEST(Recalculation, TypingFiveAtTwentyFourCentimetresShowsVolumeAndTotals) {
    Form f(kComma);
    started(f);
    typeCount(f, 24, "5");
    const GridRow &r = f.row(rowOf(24));
    EXPECT_EQ(r.vm3, "0,33");
    EXPECT_EQ(r.vd, "1,7");  // 1.65 at one decimal
    EXPECT_EQ(f.Text13(), "5");
    EXPECT_EQ(f.Text4(), "1,7");
    EXPECT_EQ(f.Text1(), "24");
    EXPECT_EQ(f.Text2(), "24");
}

TEST(Recalculation, StepVolumeFollowsTheRoundingState) {
    // 1,10 m, 7 cm: one log is 0,0049 m3; three logs 0,0147.
    Form f(kComma);
    started(f);
    f.setListIndex(entryOf(110));
    ASSERT_EQ(f.row(rowOf(7)).vm3, "0,0049");
    typeCount(f, 7, "3");
    f.clickNoOkrugl();
    EXPECT_EQ(f.row(rowOf(7)).vd, "0,0147");
    EXPECT_EQ(f.Text4(), "0,0147");
    f.clickTis();
    EXPECT_EQ(f.row(rowOf(7)).vd, "0,015");
    f.clickSot();
    EXPECT_EQ(f.row(rowOf(7)).vd, "0,01");
    f.clickDes();
    EXPECT_EQ(f.row(rowOf(7)).vd, "0");
    EXPECT_EQ(f.Text4(), "0");
}

TEST(Recalculation, TotalVolumeIsTheSumOfTheShownStepVolumes) {
    Form f(kComma);
    started(f);
    f.setVm3(10, "0,05");
    f.setVm3(11, "0,07");
    f.setCountText(1010, "5");  // 0.25
    f.setCountText(1011, "5");  // 0.35
    EXPECT_EQ(f.row(10).vd, "0,3");
    EXPECT_EQ(f.row(11).vd, "0,4");
    EXPECT_EQ(f.Text4(), "0,7");
}

TEST(Recalculation, MeanDiametersAreWeightedMeans) {
    Form f(kComma);
    started(f);
    typeCount(f, 20, "2");
    typeCount(f, 30, "1");
    EXPECT_EQ(f.Text13(), "3");
    EXPECT_EQ(f.Text1(), "23,3");
    f.clickNoOkrugl();
    EXPECT_EQ(f.Text1(), "23,333");
    // By volume: (20 * 0,46 + 30 * 0,52) / (0,46 + 0,52).
    EXPECT_EQ(f.row(rowOf(20)).vd, "0,46");
    EXPECT_EQ(f.Text2(), "25,306");
}

TEST(Recalculation, EmptyTallyAndZeroCounts) {
    Form f(kComma);
    started(f);
    typeCount(f, 10, "4");
    f.setCountText(1000 + rowOf(10), "");
    EXPECT_EQ(f.Text13(), "0");
    EXPECT_EQ(f.Text4(), "0");
    EXPECT_EQ(f.Text1(), "0");
    EXPECT_EQ(f.Text2(), "0");
    f.setCountText(1000 + rowOf(10), "0");
    EXPECT_EQ(f.row(rowOf(10)).vd, "0");
    EXPECT_EQ(f.Text13(), "0");
    EXPECT_EQ(f.sumDiameterCount, 0);
}

TEST(Recalculation, WritingTheSameTextRunsNothing) {
    Form f(kComma);
    started(f);
    typeCount(f, 12, "7");
    const long before = f.handlerCounts().fullRecalculations;
    f.setCountText(1000 + rowOf(12), "7");
    EXPECT_EQ(f.handlerCounts().fullRecalculations, before);
}

TEST(Recalculation, ACountThatIsNotANumberKeepsItsStepVolume) {
    Form f(kComma);
    started(f);
    typeCount(f, 24, "5");
    f.setCountText(1000 + rowOf(24), "5x");  // as pasted or loaded
    EXPECT_EQ(f.row(rowOf(24)).vd, "1,7");   // the failed step leaves it
    EXPECT_EQ(f.Text13(), "5");              // the lenient total still counts the leading 5
    EXPECT_EQ(f.Text4(), "1,7");
}

TEST(Recalculation, NoLengthSelectedGivesNoVolumes) {
    Form f(kComma);
    started(f);
    typeCount(f, 24, "5");
    f.setListIndex(0);
    f.setCountText(1000 + rowOf(24), "3");
    EXPECT_EQ(f.row(rowOf(24)).vd, "");
    EXPECT_EQ(f.Text4(), "0");
}

TEST(Recalculation, CountInARowWithoutVolumeIsRemovedWithItsTotals) {
    Form f(kComma);
    started(f);
    typeCount(f, 40, "2");
    typeCount(f, 20, "1");
    f.setListIndex(entryOf(1000));  // 10,00 m has no 40 cm
    EXPECT_EQ(f.row(rowOf(40)).count, "");
    EXPECT_EQ(f.row(rowOf(40)).vd, "");
    EXPECT_EQ(f.Text13(), "1");
    EXPECT_EQ(f.Text1(), "20");
}

// Ties in large products: the exact value is rounded half up once, where a binary product with a
// nudged half came out just under the tie and went down.
TEST(Recalculation, ExactTiesRoundUpInLargeProducts) {
    Form f(kComma);
    started(f);
    f.setListIndex(entryOf(880));
    ASSERT_EQ(f.row(rowOf(110)).vm3, "10,45");
    typeCount(f, 110, "165");  // 1724,25 m3
    EXPECT_EQ(f.row(rowOf(110)).vd, "1724,3");
    EXPECT_EQ(f.Text4(), "1724,3");
    f.clickNoOkrugl();
    EXPECT_EQ(f.row(rowOf(110)).vd, "1724,25");

    f.setListIndex(entryOf(1100));
    f.clickDes();
    ASSERT_EQ(f.row(rowOf(16)).vm3, "0,35");
    typeCount(f, 16, "99999");  // 34999,65 m3
    EXPECT_EQ(f.row(rowOf(16)).vd, "34999,7");
    // The mean by volume divides exact sums: 16 x 34999,7 / 34999,7.
    EXPECT_EQ(f.Text2(), "16");
}
