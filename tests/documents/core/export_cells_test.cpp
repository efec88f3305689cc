// The cells of the exported workbook: layout, value types, rounding and refusal of bad texts.
#include "documents/core/export_cells.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

const NumberFormat kComma{','};

// A tally as the window shows it: diameters captioned, no counts, results "0".
TallyTexts emptyTally() {
    TallyTexts t;
    const auto &d = diametersCm();
    for (size_t i = 0; i < t.steps.size(); ++i) t.steps[i].d = std::to_string(d[i]);
    t.Text1 = t.Text2 = t.Text13 = t.Text4 = "0";
    t.Text3 = "2";
    t.length = "6,00";
    return t;
}

using V = std::variant<std::string, int16_t, double>;

std::vector<ExportCell> headRows(double mean1, double mean2) {
    return {{1, 1, V(std::string("Ср.диам."))},
            {1, 2, V(mean1)},
            {1, 3, V(mean2)},
            {2, 1, V(std::string("Диаметр"))},
            {2, 2, V(std::string("Кол-во"))},
            {2, 3, V(std::string("Объем"))}};
}

TEST(ExportCells, ATallyWithNoCountsHasTheHeadsAndTheTotalsInRowThree) {
    ExportResult r = exportCells(emptyTally(), kComma);
    ASSERT_TRUE(r.ok) << r.error;
    std::vector<ExportCell> expected = headRows(0.0, 0.0);
    expected.push_back({3, 1, V(std::string("Итого"))});
    expected.push_back({3, 2, V(0.0)});
    expected.push_back({3, 3, V(0.0)});
    EXPECT_EQ(r.cells, expected);
}

TEST(ExportCells, StepsWithoutACountLeaveNoGap) {
    TallyTexts t = emptyTally();
    t.steps[0] = {"3", "2", "0,01"};
    t.steps[2] = {"5", "1", "0,02"};
    t.Text1 = "3,67";
    t.Text2 = "4,5";
    t.Text13 = "3";
    t.Text4 = "0,03";
    ExportResult r = exportCells(t, kComma);
    ASSERT_TRUE(r.ok) << r.error;
    std::vector<ExportCell> expected = headRows(3.67, 4.5);
    expected.insert(expected.end(), {{3, 1, V(int16_t(3))},
                                     {3, 2, V(2.0)},
                                     {3, 3, V(0.01)},
                                     {4, 1, V(int16_t(5))},
                                     {4, 2, V(1.0)},
                                     {4, 3, V(0.02)},
                                     {5, 1, V(std::string("Итого"))},
                                     {5, 2, V(3.0)},
                                     {5, 3, V(0.03)}});
    EXPECT_EQ(r.cells, expected);
}

TEST(ExportCells, VolumesAreRoundedToFourPlacesAndCountsCutToWholeNumbers) {
    TallyTexts t = emptyTally();
    t.steps[21] = {"24", "3,7", "0,12345"};  // unrounded volume with five places
    t.steps[22] = {"25", "-1,5", "0,5"};
    t.Text13 = "2,2";
    t.Text4 = "1,00005";
    t.Text1 = "24,123456";
    ExportResult r = exportCells(t, kComma);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.cells.size(), 15u);
    EXPECT_EQ(r.cells[1].value, V(24.1235));
    EXPECT_EQ(r.cells[6], (ExportCell{3, 1, V(int16_t(24))}));
    EXPECT_EQ(r.cells[7], (ExportCell{3, 2, V(3.0)}));
    EXPECT_EQ(r.cells[8], (ExportCell{3, 3, V(0.1235)}));
    EXPECT_EQ(r.cells[10], (ExportCell{4, 2, V(-2.0)}));  // toward minus infinity
    EXPECT_EQ(r.cells[11], (ExportCell{4, 3, V(0.5)}));
    EXPECT_EQ(r.cells[13], (ExportCell{5, 2, V(2.0)}));
    EXPECT_EQ(r.cells[14], (ExportCell{5, 3, V(1.0001)}));
}

TEST(ExportCells, AFullTallyFillsRowsThreeToNinetyFiveAndTotalsInNinetySix) {
    TallyTexts t = emptyTally();
    for (auto &s : t.steps) s.count = "1", s.vd = "0,1";
    ExportResult r = exportCells(t, kComma);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.cells.size(), 6u + 93 * 3 + 3);
    EXPECT_EQ(r.cells[6 + 92 * 3], (ExportCell{95, 1, V(int16_t(120))}));
    EXPECT_EQ(r.cells.back().row, 96);
}

TEST(ExportCells, ATextThatIsNotANumberRefusesTheWholeExport) {
    struct Case {
        const char *what;
        void (*spoil)(TallyTexts &);
        const char *inMessage;
    };
    const Case cases[] = {
        {"empty mean diameter", [](TallyTexts &t) { t.Text1 = ""; }, "средний диаметр по количеству — «»"},
        {"step volume",
         [](TallyTexts &t) {
             t.steps[21] = {"24", "1", "abc"};
         },
         "объем ступени 24 см — «abc»"},
        {"count",
         [](TallyTexts &t) {
             t.steps[21] = {"24", "1x", "0,1"};
         },
         "количество ступени 24 см — «1x»"},
        {"diameter beyond 16 bits",
         [](TallyTexts &t) {
             t.steps[0] = {"40000", "1", "0,1"};
         },
         "диаметр ступени 1 — «40000»"},
        {"total volume", [](TallyTexts &t) { t.Text4 = "1.5"; }, "общий объем — «1.5»"},
        {"volume too large to round", [](TallyTexts &t) { t.Text4 = "1e306"; }, "общий объем"},
    };
    for (const Case &c : cases) {
        TallyTexts t = emptyTally();
        c.spoil(t);
        ExportResult r = exportCells(t, kComma);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_TRUE(r.cells.empty()) << c.what;
        EXPECT_NE(r.error.find(c.inMessage), std::string::npos) << c.what << ": " << r.error;
    }
}

}  // namespace
}  // namespace lumora
