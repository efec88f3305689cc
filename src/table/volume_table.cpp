#include "table/volume_table.h"

#include "table/volume_table_data.h"

namespace lumora {

const std::array<int, kLengthCount> &lengthsCm() {
    static const std::array<int, kLengthCount> lengths = [] {
        std::array<int, kLengthCount> a{};
        size_t n = 0;
        for (int cm = 50; cm <= 950; cm += 10) a[n++] = cm;
        for (int cm = 225; cm <= 925; cm += 50) a[n++] = cm;
        for (int cm = 1000; cm <= 1400; cm += 50) a[n++] = cm;
        a[n++] = 1500;
        // Ascending order: the x25/x75 lengths sit between their neighbours.
        for (size_t i = 1; i < n; ++i)
            for (size_t j = i; j > 0 && a[j - 1] > a[j]; --j) std::swap(a[j - 1], a[j]);
        return a;
    }();
    return lengths;
}

const std::array<int, kRowCount> &diametersCm() {
    static const std::array<int, kRowCount> diameters = [] {
        std::array<int, kRowCount> a{};
        size_t n = 0;
        for (int d = 3; d <= 70; ++d) a[n++] = d;
        for (int d = 72; d <= 120; d += 2) a[n++] = d;
        return a;
    }();
    return diameters;
}

int32_t tableCell(int column, int row) {
    if (column < 1 || column > kLengthCount || row < 1 || row > kRowCount) return 0;
    return tabledata::kCells[row - 1][column - 1];
}

bool cellEstimated(int column, int row) {
    if (column < 1 || column > kLengthCount || row < 1 || row > kRowCount) return false;
    const unsigned c = static_cast<unsigned>(column - 1);
    return (tabledata::kEstimated[row - 1][c / 32] >> (c % 32)) & 1u;
}

std::string GetLine(int column, int line) {
    if (column < 1 || column > kLengthCount || line < 1 || line > kRowCount + 1) return {};
    if (line == kRowCount + 1) return {};  // the empty line after the final line break
    return std::to_string(tabledata::kCells[line - 1][column - 1]);
}

std::optional<double> unitVolume(int column, int row, const NumberFormat &fmt) {
    auto v = localeNumber(GetLine(column, row), fmt);
    if (!v) return std::nullopt;
    return *v / 10000.0;
}

}  // namespace lumora
