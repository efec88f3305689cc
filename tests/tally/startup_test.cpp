#include <gtest/gtest.h>

#include "form_test_support.h"

using namespace lumora;
using namespace lumora::test;

TEST(StartUp, SelectsSixMetresWithEveryStepInUse) {
    Form f(kComma);
    f.startUp();
    EXPECT_EQ(f.listIndex(), 64);
    EXPECT_EQ(f.listText(), "6,00");
    EXPECT_EQ(f.listEntries().size(), 117u);
    EXPECT_EQ(f.listEntries()[0], "");
    EXPECT_EQ(f.listEntries()[1], "0,50");
    EXPECT_EQ(f.listEntries()[19], "2,25");
    EXPECT_EQ(f.listEntries()[116], "15,00");
    EXPECT_EQ(f.selectedColumn, 64);
    EXPECT_EQ(f.selectedListIndex, 64);
    EXPECT_EQ(f.leadingEmptyRows, 0);
    EXPECT_EQ(f.hiddenRows, 0);
    EXPECT_EQ(f.shownRows, 93);
    EXPECT_EQ(f.focusCountIndex, 1001);
    EXPECT_EQ(f.returnFocusIndex, 0);
    EXPECT_EQ(f.massUpdate, kClear);
    EXPECT_EQ(f.loadingFile, kClear);
    EXPECT_EQ(f.vscroll2Max(), 74);
    EXPECT_EQ(f.vscroll2Value(), 0);
    EXPECT_TRUE(f.vscroll2Visible());
    EXPECT_EQ(f.tallyFileName, "");
}

TEST(StartUp, CaptionsRowsAndLoadsTheUnitVolumes) {
    Form f(kComma);
    f.startUp();
    EXPECT_EQ(f.row(1).d, "3");
    EXPECT_EQ(f.row(68).d, "70");
    EXPECT_EQ(f.row(69).d, "72");
    EXPECT_EQ(f.row(93).d, "120");
    EXPECT_EQ(f.row(1).vm3, "0,012");
    EXPECT_EQ(f.row(93).vm3, "8,18");
    EXPECT_EQ(f.row(67).vm3, "");  // 69 cm has no volume at 6,00 m
    EXPECT_TRUE(f.row(67).countLocked);
    EXPECT_TRUE(f.row(67).visible[static_cast<size_t>(Cell::Count)]);
    for (int i = 1; i <= kRowCount; ++i) {
        EXPECT_EQ(f.row(i).count, "");
        EXPECT_EQ(f.row(i).vd, "");
        EXPECT_EQ(f.row(i).top[0], (i * kRowPitch));
    }
    EXPECT_EQ(f.Text13(), "0");
    EXPECT_EQ(f.Text4(), "0");
    EXPECT_EQ(f.Text1(), "0");
    EXPECT_EQ(f.Text2(), "0");
    EXPECT_EQ(f.dToolTip(5), "Ступень толщины =7 см");
    EXPECT_EQ(f.countToolTip(5), "Количество сортиментов ступени толщины = 7 см");
    EXPECT_EQ(f.vm3ToolTip(5), "Объем одного сортимента в ступени толщины = 7 см");
    EXPECT_EQ(f.vdToolTip(5), "Объем сортиментов ступени толщины = 7 см");
    EXPECT_EQ(Form::countTabIndex(1), 9);
    EXPECT_EQ(Form::countTabIndex(93), 101);
}

TEST(StartUp, RoundsToOneDecimalWithTheMenuAsDesigned) {
    Form f(kComma);
    f.startUp();
    EXPECT_EQ(f.Check1Value(), 1);
    EXPECT_EQ(f.decimals(), 1);
    EXPECT_EQ(f.Text3(), "1");
    EXPECT_FALSE(f.menuNoOkrugl());
    EXPECT_TRUE(f.menuDes());  // the ticked item names the one decimal shown
    EXPECT_FALSE(f.menuSot());
}

TEST(StartUp, FollowsADecimalPointLocale) {
    Form f(kPoint);
    f.startUp();
    EXPECT_EQ(f.listText(), "6.00");
    EXPECT_EQ(f.row(1).vm3, "0.012");
    typeCount(f, 24, "5");
    EXPECT_EQ(f.row(rowOf(24)).vd, "1.7");
    EXPECT_EQ(f.Text4(), "1.7");
}

TEST(StartUp, SelectingSixMetresAgainRunsNothing) {
    Form f(kComma);
    f.startUp();
    const auto before = f.handlerCounts();
    f.setListIndex(64);
    EXPECT_EQ(f.handlerCounts().selectionPasses, before.selectionPasses);
    EXPECT_EQ(f.handlerCounts().unitVolumeUpdates, before.unitVolumeUpdates);
}
