// The cells of the volume table as compiled in from data/gost2708-75.csv: kCells[row][column],
// row 0 = 3 cm, column 0 = 0.50 m, in units of 0.0001 m3, 0 where the standard gives no volume.
// kEstimated[row] holds one bit per column (bit c % 32 of word c / 32), set where the cell is an
// estimate of ours (provenance code I in data/gost2708-75-provenance.csv), not a published value.
#pragma once
#include <cstdint>

namespace lumora::tabledata {
extern const int kCsvLengthsCm[116];
extern const int kCsvDiametersCm[93];
extern const int32_t kCells[93][116];
extern const uint32_t kEstimated[93][4];
}  // namespace lumora::tabledata
