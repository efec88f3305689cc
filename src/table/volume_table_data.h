// The cells of the volume table as compiled in from data/gost2708-75.csv: kCells[row][column],
// row 0 = 3 cm, column 0 = 0.50 m, in units of 0.0001 m3, 0 where the standard gives no volume.
#pragma once
#include <cstdint>

namespace lumora::tabledata {
extern const int kCsvLengthsCm[116];
extern const int kCsvDiametersCm[93];
extern const int32_t kCells[93][116];
}  // namespace lumora::tabledata
