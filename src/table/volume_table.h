// The GOST 2708-75 volume table: 116 length columns by 93 diameter rows, compiled into the program.
//
// Columns and rows are numbered from 1, as the length list and the grid number them. A cell holds the
// volume of one log in units of 0.0001 m3 (13 is 0.0013 m3); 0 means the standard gives no volume.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "numbers/numbers.h"

namespace lumora {

constexpr int kLengthCount = 116;
constexpr int kRowCount = 93;

// Log length of each column in cm, ascending: 50..950 by 10, 225..925 ending in 25/75,
// 1000..1400 by 50, and 1500.
const std::array<int, kLengthCount> &lengthsCm();

// Top diameter of each row in cm: 3..70 by 1, then 72..120 by 2.
const std::array<int, kRowCount> &diametersCm();

// Stored value of column k (1..116), row i (1..93); 0 outside the table.
int32_t tableCell(int column, int row);

// True where the stored value of column k, row i is an estimate of ours: the standard tabulates no
// volume for that length and diameter (odd diameters from 15 cm at 1,00-9,50 m, the 14 m and 15 m
// columns). False for published values and outside the table.
bool cellEstimated(int column, int row);

// Line `line` (counted from 1) of column `column` as the table stores it: the cell written as plain
// digits. Each column text ends with a line break, so line 94 exists and is empty; line 0, negative
// lines, lines from 95 on and columns outside 1..116 give the empty text.
std::string GetLine(int column, int line);

// The unit volume in m3 of column k and row i: GetLine read as a locale number, divided by 10000.
// nullopt only where GetLine gives no number (never for rows 1..93 of columns 1..116).
std::optional<double> unitVolume(int column, int row, const NumberFormat &fmt);

}  // namespace lumora
