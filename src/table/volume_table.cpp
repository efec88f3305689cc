#include "table/volume_table.h"

#include "table/volume_table_data.h"

namespace lumora {

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
