// The thickness groups: where each step goes, and that the groups add up to what the tally shows.
#include "documents/core/thickness_groups.h"

#include <gtest/gtest.h>

#include "documents/core/export_cells.h"
#include "documents/core/print_layout.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::kComma;
using test::rowOf;

TEST(ThicknessGroups, EachStepGoesWhereItsDiameterFalls) {
    struct Case {
        int cm;
        ThicknessGroup group;
    } cases[] = {
        {3, ThicknessGroup::Small},   {5, ThicknessGroup::Small},   {13, ThicknessGroup::Small},
        {14, ThicknessGroup::Medium}, {15, ThicknessGroup::Medium}, {24, ThicknessGroup::Medium},
        {25, ThicknessGroup::Medium}, {26, ThicknessGroup::Large},  {27, ThicknessGroup::Large},
        {120, ThicknessGroup::Large},
    };
    for (const Case &c : cases) EXPECT_EQ(thicknessGroupOf(c.cm), c.group) << c.cm << " см";
    EXPECT_STREQ(thicknessGroupLabel(ThicknessGroup::Small), "Мелкие (до 13 см)");
    EXPECT_STREQ(thicknessGroupLabel(ThicknessGroup::Medium), "Средние (14–24 см)");
    EXPECT_STREQ(thicknessGroupLabel(ThicknessGroup::Large), "Крупные (от 26 см)");
}

// Every step counted, at several lengths and every rounding: each group is the sum of its steps'
// volumes as rounded one by one (worked out here from the table), and the groups add up to the
// total count and the total volume the window shows.
TEST(ThicknessGroups, AddUpToTheShownTotalAtEveryRounding) {
    struct Rounding {
        const char *name;
        int places;  // 4: not rounded
    } roundings[] = {{"1", 1}, {"2", 2}, {"3", 3}, {"none", 4}};
    for (int lengthCm : {300, 400, 650, 1500}) {
        for (const Rounding &r : roundings) {
            Form f(kComma);
            f.startUp();
            f.setListIndex(entryOf(lengthCm));
            if (r.places == 1) f.clickDes();
            if (r.places == 2) f.clickSot();
            if (r.places == 3) f.clickTis();
            if (r.places == 4) f.clickNoOkrugl();
            const int column = entryOf(lengthCm);
            int64_t expected[3] = {0, 0, 0}, logs[3] = {0, 0, 0};
            for (int i = 1; i <= kRowCount; ++i) {
                if (tableCell(column, i) == 0) continue;
                const int count = 1 + (i * 37) % 19;
                f.setCountText(1000 + i, std::to_string(count));
                const int d = diametersCm()[static_cast<size_t>(i - 1)];
                const int g = d <= 13 ? 0 : d <= 25 ? 1 : 2;
                int64_t v = int64_t{tableCell(column, i)} * count;  // 0.0001 m3
                int64_t unit = 1;
                for (int k = r.places; k < 4; ++k) unit *= 10;
                v = (v + unit / 2) / unit * unit;  // half up to the shown places
                expected[g] += v;
                logs[g] += count;
            }
            auto groups = thicknessGroups(tallyTexts(f), kComma);
            ASSERT_TRUE(groups);
            const std::string where = std::to_string(lengthCm) + " см, " + r.name;
            for (int g = 0; g < 3; ++g) {
                EXPECT_EQ(groups->groups[static_cast<size_t>(g)].volume, expected[g])
                    << where << " group " << g;
                EXPECT_EQ(groups->groups[static_cast<size_t>(g)].logs, logs[g]) << where << " group " << g;
            }
            EXPECT_EQ(groups->total().volume, *scaledNumber(f.Text4(), 4, kComma)) << where;
            EXPECT_EQ(groups->total().logs, *scaledNumber(f.Text13(), 0, kComma)) << where;
        }
    }
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// With «Группы по толщине в листе и книге» checked, the workbook and the printed sheet end with the
// three groups under the totals; everything above them is as it was, and unchecked nothing changes.
TEST(ThicknessGroups, GoUnderTheTotalsOfSheetAndWorkbookOnlyWhenAsked) {
    Form f(test::kComma);
    f.startUp();
    f.setCountText(1000 + test::rowOf(12), "4");
    f.setCountText(1000 + test::rowOf(30), "2");
    const TallyTexts plain = tallyTexts(f);
    f.groupsOnSheet = true;
    const TallyTexts asked = tallyTexts(f);
    const auto width = [](const std::string &text, double, bool) {
        return 60.0 * static_cast<double>(text.size());
    };
    const SheetInputs sheetPlain{plain, "T", "01.01.26", 11904, 16838};
    const SheetInputs sheetAsked{asked, "T", "01.01.26", 11904, 16838};
    const auto a = layoutSheet(sheetPlain, test::kComma, width).items;
    const auto b = layoutSheet(sheetAsked, test::kComma, width).items;
    const auto x = exportCells(plain, test::kComma).cells;
    const auto y = exportCells(asked, test::kComma).cells;
    ASSERT_EQ(b.size(), a.size() + 9);
    ASSERT_EQ(y.size(), x.size() + 9);
    for (size_t k = 0; k < a.size(); ++k) EXPECT_EQ(b[k].text, a[k].text);
    for (size_t k = 0; k < x.size(); ++k) EXPECT_EQ(y[k], x[k]);
    EXPECT_EQ(b[a.size()].text, "Мелкие (до 13 см)");
    EXPECT_GT(b[a.size()].y, a.back().y);
    EXPECT_EQ(b[a.size() + 8].text, "1,0");  // 30 cm at 6,00 m: 0,52 a log, two to tenths
    EXPECT_EQ(y[x.size()], (ExportCell{x.back().row + 1, 1, std::string("Мелкие (до 13 см)")}));
    EXPECT_EQ(y[x.size() + 2], (ExportCell{x.back().row + 1, 3, 0.4}));  // 12 cm: 0,093 x 4 = 0,372
}

}  // namespace
}  // namespace lumora
