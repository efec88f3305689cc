#include "table/volume_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using namespace lumora;

namespace {

// The provenance file, read here on its own: one code letter per non-empty cell, by diameter row
// and length column, exactly as data/README.md describes it.
std::vector<std::vector<std::string>> readProvenance() {
    std::ifstream in(std::string(LUMORA_DATA_DIR) + "/gost2708-75-provenance.csv");
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> cells;
        size_t from = 0;
        for (size_t comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
            cells.push_back(line.substr(from, comma - from));
        cells.push_back(line.substr(from));
        rows.push_back(cells);
    }
    return rows;
}

int row(int diameterCm) { return diameterCm <= 70 ? diameterCm - 2 : 68 + (diameterCm - 70) / 2; }

}  // namespace

// Independent values: the whole of the 6,00 m column as the standard prints it.
TEST(VolumeTable, TheSixMetreColumnHoldsThePublishedVolumes) {
    const int published[kRowCount] = {
        120,   160,   230,   280,   360,   450,   550,   650,   800,   930,   1080,  1230,  1400,  1550,
        1750,  1940,  2100,  2300,  2600,  2800,  3100,  3300,  3600,  3900,  4200,  4500,  4800,  5200,
        5500,  5900,  6200,  6600,  7000,  7400,  7800,  8200,  8600,  9000,  9500,  10000, 10400, 10900,
        11400, 11900, 12400, 13000, 13500, 14100, 14700, 15300, 15900, 16500, 17200, 17800, 18400, 19100,
        19800, 20500, 21100, 21800, 22500, 23200, 23800, 24400, 25100, 25700, 0,     27200, 28700, 30300,
        32000, 33800, 35700, 37500, 39400, 41300, 43400, 45600, 47800, 50000, 52200, 54500, 56800, 59100,
        61500, 63900, 66300, 68800, 71300, 73900, 76500, 79100, 81800};
    for (int i = 1; i <= kRowCount; ++i)
        EXPECT_EQ(tableCell(64, i), published[i - 1]) << diametersCm()[i - 1] << " cm";
}

TEST(VolumeTable, TellingCellsHoldTheirValues) {
    struct Cell {
        int column, diameterCm;
        int32_t value;
    };
    const Cell cells[] = {{1, 6, 13},       {1, 15, 88},      {64, 3, 120},    {64, 4, 160},
                          {64, 118, 79100}, {64, 120, 81800}, {106, 3, 220},   {106, 120, 136700},
                          {107, 8, 1000},   {107, 38, 15100}, {116, 14, 4900}, {116, 30, 16900},
                          {58, 56, 16200}};  // 5,50 m / 56 cm: the mended decimal slip, 1,62 m3
    for (const Cell &c : cells)
        EXPECT_EQ(tableCell(c.column, row(c.diameterCm)), c.value) << c.column << " " << c.diameterCm;
}

// Which cells are filled: one line per group of columns, with the first and last diameter and the
// empty diameters between them.
TEST(VolumeTable, EveryColumnHasTheShapeOfTheStandardsTable) {
    struct Shape {
        int firstColumn, lastColumn, firstCm, lastCm;
        std::vector<int> gapsCm;
    };
    const std::vector<int> odd15to37 = {15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35, 37};
    const Shape shapes[] = {
        {1, 5, 6, 15, {}},
        {6, 15, 6, 120, {}},
        {16, 27, 4, 120, {}},
        {28, 58, 3, 120, {}},
        {59, 64, 3, 120, {69}},
        {65, 82, 3, 120, {67, 69}},
        {83, 100, 3, 120, {65, 67, 69}},
        {101, 106, 3, 120, {61, 63, 65, 67, 69}},
        {107, 114, 8, 38, odd15to37},
        {115, 116, 14, 30, {15, 17, 19, 21, 23, 25, 27, 29}},
    };
    int filled = 0;
    for (const Shape &s : shapes) {
        for (int k = s.firstColumn; k <= s.lastColumn; ++k) {
            for (int i = 1; i <= kRowCount; ++i) {
                const int d = diametersCm()[static_cast<size_t>(i - 1)];
                const bool gap = std::find(s.gapsCm.begin(), s.gapsCm.end(), d) != s.gapsCm.end();
                const bool inside = d >= s.firstCm && d <= s.lastCm && !gap;
                EXPECT_EQ(tableCell(k, i) != 0, inside) << "column " << k << ", " << d << " cm";
                if (inside) {
                    ++filled;
                    // Down a column the volumes never decrease.
                    for (int j = i + 1; j <= kRowCount; ++j)
                        if (tableCell(k, j) != 0) {
                            EXPECT_LE(tableCell(k, i), tableCell(k, j))
                                << "column " << k << ", " << d << " cm";
                            break;
                        }
                }
            }
        }
    }
    EXPECT_EQ(filled, 9445);
}

// The estimate bits against the provenance file: a cell is an estimate exactly where its code is I.
TEST(VolumeTable, EstimatedCellsAreThoseTheProvenanceFileMarksI) {
    const auto provenance = readProvenance();
    ASSERT_EQ(provenance.size(), 94u);
    ASSERT_EQ(provenance[0].size(), 117u);
    for (int k = 1; k <= kLengthCount; ++k)
        EXPECT_EQ(provenance[0][static_cast<size_t>(k)],
                  std::to_string(lengthsCm()[static_cast<size_t>(k - 1)]));
    int estimated = 0;
    for (int i = 1; i <= kRowCount; ++i) {
        const auto &codes = provenance[static_cast<size_t>(i)];
        ASSERT_EQ(codes.size(), 117u) << "row " << i;
        EXPECT_EQ(codes[0], std::to_string(diametersCm()[static_cast<size_t>(i - 1)]));
        for (int k = 1; k <= kLengthCount; ++k) {
            const std::string &code = codes[static_cast<size_t>(k)];
            EXPECT_EQ(cellEstimated(k, i), code == "I") << "column " << k << " row " << i << " code " << code;
            EXPECT_EQ(tableCell(k, i) != 0, !code.empty()) << "column " << k << " row " << i;
            if (code == "I") ++estimated;
        }
    }
    EXPECT_EQ(estimated, 2691);
    // Outside the table nothing is an estimate.
    EXPECT_FALSE(cellEstimated(0, 13));
    EXPECT_FALSE(cellEstimated(117, 13));
    EXPECT_FALSE(cellEstimated(28, 0));
    EXPECT_FALSE(cellEstimated(28, 94));
}

TEST(VolumeTable, AxesFollowTheirRules) {
    const auto &l = lengthsCm();
    EXPECT_EQ(l[0], 50);
    EXPECT_EQ(l[5], 100);
    EXPECT_EQ(l[15], 200);
    EXPECT_EQ(l[18], 225);
    EXPECT_EQ(l[27], 300);
    EXPECT_EQ(l[63], 600);
    EXPECT_EQ(l[105], 950);
    EXPECT_EQ(l[106], 1000);
    EXPECT_EQ(l[114], 1400);
    EXPECT_EQ(l[115], 1500);
    const auto &d = diametersCm();
    EXPECT_EQ(d[0], 3);
    EXPECT_EQ(d[67], 70);
    EXPECT_EQ(d[68], 72);
    EXPECT_EQ(d[92], 120);
}

TEST(VolumeTable, GetLineGivesEmptyTextOutsideTheColumn) {
    EXPECT_EQ(GetLine(64, 1), "120");
    EXPECT_EQ(GetLine(64, 93), "81800");
    EXPECT_EQ(GetLine(64, 67), "0");  // 69 cm at 6,00 m
    EXPECT_EQ(GetLine(1, 1), "0");
    for (int k : {1, 64, 116}) {
        EXPECT_EQ(GetLine(k, 0), "");
        EXPECT_EQ(GetLine(k, -1), "");
        EXPECT_EQ(GetLine(k, 94), "");
        EXPECT_EQ(GetLine(k, 95), "");
    }
    EXPECT_EQ(GetLine(117, 1), "");
}

TEST(VolumeTable, UnitVolumesAreCellsOverTenThousand) {
    NumberFormat comma{','};
    EXPECT_DOUBLE_EQ(*unitVolume(64, 1, comma), 0.012);
    EXPECT_DOUBLE_EQ(*unitVolume(64, 93, comma), 8.18);
    EXPECT_DOUBLE_EQ(*unitVolume(1, 4, comma), 0.0013);  // 0,50 m, 6 cm
    EXPECT_EQ(*unitVolume(64, 67, comma), 0.0);
    EXPECT_FALSE(unitVolume(64, 94, comma).has_value());
    // Telling cells.
    EXPECT_EQ(tableCell(1, 13), 88);
    EXPECT_EQ(tableCell(106, 93), 136700);
    EXPECT_EQ(tableCell(107, 6), 1000);
    EXPECT_EQ(tableCell(116, 12), 4900);
    EXPECT_EQ(tableCell(116, 28), 16900);
}
