// Which unit volumes the form marks as estimates: they follow the selected length, and the tool tips
// of an estimated unit volume and of a step volume built on one say that the standard has no value.
#include <gtest/gtest.h>

#include "form_test_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::kComma;
using test::rowOf;
using test::typeCount;

const std::string kNote = "расчётное значение: в ГОСТ 2708-75 для этой длины и диаметра значения нет";

// The diameters whose unit volume the form marks at the selected length.
std::vector<int> markedDiameters(const Form &f) {
    std::vector<int> marked;
    for (int i = 1; i <= kRowCount; ++i)
        if (f.row(i).vm3Estimated) marked.push_back(diametersCm()[static_cast<size_t>(i - 1)]);
    return marked;
}

TEST(Estimates, TheMarksFollowTheSelectedLength) {
    Form f(kComma);
    f.startUp();
    EXPECT_TRUE(markedDiameters(f).empty());  // 6,00 m: the odd diameters are reference values

    f.setListIndex(entryOf(300));
    std::vector<int> odd;
    for (int d = 15; d <= 69; d += 2) odd.push_back(d);
    EXPECT_EQ(markedDiameters(f), odd);

    f.setListIndex(entryOf(1400));
    EXPECT_EQ(markedDiameters(f), (std::vector<int>{14, 16, 18, 20, 22, 24, 26, 28, 30}));
    f.setListIndex(entryOf(1500));  // 14 and 30 cm are reference values there
    EXPECT_EQ(markedDiameters(f), (std::vector<int>{16, 18, 20, 22, 24, 26, 28}));
    f.setListIndex(entryOf(1000));
    EXPECT_TRUE(markedDiameters(f).empty());
    f.setListIndex(entryOf(50));
    EXPECT_TRUE(markedDiameters(f).empty());

    // Every length, reached one after another: each row's mark is its cell's.
    for (int k = 1; k <= kLengthCount; ++k) {
        f.setListIndex(k);
        for (int i = 1; i <= kRowCount; ++i)
            EXPECT_EQ(f.row(i).vm3Estimated, cellEstimated(k, i)) << k << " " << i;
    }
}

TEST(Estimates, ToolTipsOfEstimatedVolumesSaySoAndStepVolumesFollowTheirCount) {
    Form f(kComma);
    f.startUp();
    f.setListIndex(entryOf(300));
    const int r15 = rowOf(15), r16 = rowOf(16);
    EXPECT_EQ(f.vm3ToolTip(r15), "Объем одного сортимента в ступени толщины = 15 см\n" + kNote);
    EXPECT_EQ(f.vm3ToolTip(r16), "Объем одного сортимента в ступени толщины = 16 см");
    EXPECT_FALSE(f.vdEstimated(r15));  // no count, no step volume
    EXPECT_EQ(f.vdToolTip(r15), "Объем сортиментов ступени толщины = 15 см");

    typeCount(f, 15, "12");
    typeCount(f, 16, "5");
    EXPECT_TRUE(f.vdEstimated(r15));
    EXPECT_FALSE(f.vdEstimated(r16));
    EXPECT_EQ(f.vdToolTip(r15), "Объем сортиментов ступени толщины = 15 см\n" + kNote);
    EXPECT_EQ(f.vdToolTip(r16), "Объем сортиментов ступени толщины = 16 см");

    // 6,00 m: the count of 15 cm stays, its volume is the standard's again.
    f.setListIndex(entryOf(600));
    EXPECT_FALSE(f.vdEstimated(r15));
    EXPECT_EQ(f.vm3ToolTip(r15), "Объем одного сортимента в ступени толщины = 15 см");
}

}  // namespace
}  // namespace lumora
