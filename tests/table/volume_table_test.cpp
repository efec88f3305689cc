#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "table/volume_table.h"

using namespace lumora;

namespace {

std::vector<std::vector<long>> readCsv() {
    std::ifstream in(std::string(LUMORA_DATA_DIR) + "/gost2708-75.csv");
    std::vector<std::vector<long>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<long> cells;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, ',')) cells.push_back(cell == "d_cm" ? -1 : std::stol(cell));
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace

TEST(VolumeTable, EveryCellEqualsTheCsv) {
    auto csv = readCsv();
    ASSERT_EQ(csv.size(), 94u);
    for (int k = 1; k <= kLengthCount; ++k) EXPECT_EQ(lengthsCm()[k - 1], csv[0][k]) << "column " << k;
    int checked = 0;
    for (int i = 1; i <= kRowCount; ++i) {
        ASSERT_EQ(csv[i].size(), 117u);
        EXPECT_EQ(diametersCm()[i - 1], csv[i][0]);
        for (int k = 1; k <= kLengthCount; ++k) {
            EXPECT_EQ(tableCell(k, i), csv[i][k]) << "column " << k << " row " << i;
            EXPECT_EQ(GetLine(k, i), std::to_string(csv[i][k]));
            ++checked;
        }
    }
    EXPECT_EQ(checked, 10788);
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
