// Unit volumes the standard does not give: a tally that uses one says so on the printed sheet and in
// the workbook; a tally that uses none prints and exports exactly as it always did.
#include <gtest/gtest.h>

#include "documents/core/export_cells.h"
#include "documents/core/print_layout.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::kComma;
using test::rowOf;
using test::typeCount;
using V = std::variant<std::string, int16_t, double>;

// Every character 100 twips wide at 8 points, 150 in bold.
double fakeWidth(const std::string &text, double sizePt, bool bold) {
    size_t chars = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++chars;
    return static_cast<double>(chars) * 100 * sizePt / 8 * (bold ? 1.5 : 1);
}

SheetLayout sheetOf(const Form &f) {
    SheetInputs in;
    in.texts = tallyTexts(f);
    in.title = "Кв. 1, выд. 2";
    in.date = "07.12.26";
    in.pageWidth = 11904;
    in.pageHeight = 16838;
    SheetLayout l = layoutSheet(in, kComma, fakeWidth);
    EXPECT_TRUE(l.ok) << l.error;
    return l;
}

struct Item {
    double x, y;
    std::string text;
    double sizePt;
    bool bold;
    SheetColour colour;
};

constexpr auto G = SheetColour::InactiveBorder;
constexpr auto B = SheetColour::ButtonText;
constexpr auto C = SheetColour::InactiveCaption;
const std::string kRule = "———————————————";

TEST(EstimateMarks, ASixMetreTallyOfEvenDiametersPrintsAndExportsAsBefore) {
    Form f(kComma);
    f.startUp();
    f.clickSot();
    typeCount(f, 16, "3");
    typeCount(f, 24, "5");
    typeCount(f, 30, "2");
    typeCount(f, 120, "1");

    // Every item of the sheet, in drawing order, exactly as the sheet has always been laid out.
    const double corner = 3354 - fakeWidth(kProgramNameAndVersion, 6, false);
    const std::vector<Item> expected = {
        {1854, 310, kRule, 8, false, G},          {854, 480, "07.12.26", 8, false, G},
        {1754, 510, "ГОСТ 2708-75", 6, false, B}, {corner, 510, kProgramNameAndVersion, 6, false, C},
        {1854, 650, kRule, 8, false, G},          {1154, 820, "Кв. 1, выд. 2", 8, true, B},
        {1854, 990, kRule, 8, false, B},          {854, 1160, "Длина", 8, false, B},
        {1704, 1160, "6,00 м", 8, false, B},      {1854, 1330, kRule, 8, false, B},
        {854, 1500, "Ср.диам.", 8, false, B},     {1804, 1500, "31,64", 8, false, B},
        {2854, 1500, "93,47", 8, false, B},       {1854, 1670, kRule, 8, false, B},
        {854, 1840, "Диаметр", 8, false, B},      {1704, 1840, "Кол-во", 8, false, B},
        {2854, 1840, "Объем", 8, false, B},       {1354, 2010, " 16", 8, false, B},
        {2204, 2010, " 3", 8, false, B},          {2954, 2010, "0,47", 8, false, B},
        {1354, 2180, " 24", 8, false, B},         {2204, 2180, " 5", 8, false, B},
        {2954, 2180, "1,65", 8, false, B},        {1354, 2350, " 30", 8, false, B},
        {2204, 2350, " 2", 8, false, B},          {2954, 2350, "1,04", 8, false, B},
        {1254, 2520, " 120", 8, false, B},        {2204, 2520, " 1", 8, false, B},
        {2954, 2520, "8,18", 8, false, B},        {1854, 2690, kRule, 8, false, B},
        {854, 2860, "Итого", 8, false, B},        {2104, 2860, " 11", 8, false, B},
        {2854, 2860, "11,34", 8, false, B},
    };
    const SheetLayout l = sheetOf(f);
    ASSERT_EQ(l.items.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k) {
        const SheetItem &got = l.items[k];
        const Item &want = expected[k];
        EXPECT_EQ(got.x, want.x) << k << " " << want.text;
        EXPECT_EQ(got.y, want.y) << k << " " << want.text;
        EXPECT_EQ(got.text, want.text) << k;
        EXPECT_EQ(got.sizePt, want.sizePt) << k << " " << want.text;
        EXPECT_EQ(got.bold, want.bold) << k << " " << want.text;
        EXPECT_EQ(got.colour, want.colour) << k << " " << want.text;
    }

    const std::vector<ExportCell> cells = {
        {1, 1, V(std::string("Ср.диам."))},
        {1, 2, V(31.64)},
        {1, 3, V(93.47)},
        {2, 1, V(std::string("Диаметр"))},
        {2, 2, V(std::string("Кол-во"))},
        {2, 3, V(std::string("Объем"))},
        {3, 1, V(int16_t(16))},
        {3, 2, V(3.0)},
        {3, 3, V(0.47)},
        {4, 1, V(int16_t(24))},
        {4, 2, V(5.0)},
        {4, 3, V(1.65)},
        {5, 1, V(int16_t(30))},
        {5, 2, V(2.0)},
        {5, 3, V(1.04)},
        {6, 1, V(int16_t(120))},
        {6, 2, V(1.0)},
        {6, 3, V(8.18)},
        {7, 1, V(std::string("Итого"))},
        {7, 2, V(11.0)},
        {7, 3, V(11.34)},
    };
    ExportResult r = exportCells(tallyTexts(f), kComma);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.cells, cells);
}

TEST(EstimateMarks, AThreeMetreTallyWith15And17CmMarksThoseStepsAndAddsTheNote) {
    Form f(kComma);
    f.startUp();
    f.setListIndex(entryOf(300));
    f.clickSot();
    typeCount(f, 15, "12");
    typeCount(f, 16, "5");
    typeCount(f, 17, "7");
    ASSERT_EQ(f.row(rowOf(15)).vm3, "0,06");

    // The sheet: a "*" right after the volumes of 15 and 17 cm, none after 16 cm, and the note on
    // the line under the totals, at the text edge, in the body's font and colour.
    const SheetLayout l = sheetOf(f);
    std::vector<SheetItem> marks, notes;
    for (const SheetItem &item : l.items) {
        if (item.text == "*") marks.push_back(item);
        if (item.text == kEstimateNote) notes.push_back(item);
    }
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].x, 3354);  // the volume edge: the volumes stay aligned
    EXPECT_EQ(marks[0].y, 2010);  // 15 cm on line 3
    EXPECT_EQ(marks[1].y, 2350);  // 17 cm on line 5; 16 cm on line 4 has none
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].x, 854);
    EXPECT_EQ(notes[0].y, 1500 + 170 * 8);  // rule on 6, totals on 7
    EXPECT_EQ(notes[0].sizePt, 8);
    EXPECT_FALSE(notes[0].bold);
    EXPECT_EQ(notes[0].colour, SheetColour::ButtonText);
    EXPECT_EQ(l.items.back().text, kEstimateNote);
    EXPECT_EQ(std::string(kEstimateNote), "* — объем рассчитан: в ГОСТ 2708-75 значения нет");

    // The workbook: "*" beside the volumes of 15 and 17 cm, the note in the row under the totals.
    ExportResult r = exportCells(tallyTexts(f), kComma);
    ASSERT_TRUE(r.ok) << r.error;
    std::vector<ExportCell> extra;
    for (const ExportCell &c : r.cells)
        if (c.column == 4 || c.row == 7) extra.push_back(c);
    const std::vector<ExportCell> expected = {
        {3, 4, V(std::string("*"))}, {5, 4, V(std::string("*"))}, {7, 1, V(std::string(kEstimateNote))}};
    EXPECT_EQ(extra, expected);
    EXPECT_EQ(r.cells.back(), expected.back());

    EXPECT_EQ(estimatedCountedSteps(tallyTexts(f)), (std::vector<std::string>{"15", "17"}));
}

TEST(EstimateMarks, OnlyCountedStepsMarkTheSheet) {
    // 19 cm at 3,00 m is an estimate but has no count: nothing is marked, nothing is noted.
    Form f(kComma);
    f.startUp();
    f.setListIndex(entryOf(300));
    typeCount(f, 18, "4");
    ASSERT_TRUE(tallyTexts(f).estimated[static_cast<size_t>(rowOf(19) - 1)]);
    for (const SheetItem &item : sheetOf(f).items) {
        EXPECT_NE(item.text, "*");
        EXPECT_NE(item.text, kEstimateNote);
    }
    ExportResult r = exportCells(tallyTexts(f), kComma);
    for (const ExportCell &c : r.cells) EXPECT_LE(c.column, 3);
    EXPECT_TRUE(estimatedCountedSteps(tallyTexts(f)).empty());
}

}  // namespace
}  // namespace lumora
