// The numbers of a written workbook as the decimals they stand for. The workbook library writes a
// cell's value with 16 significant digits, so that 8,037 (the nearest binary fraction to it) comes
// out as 8.037000000000001; a reader gets the same binary value back, but the file no longer says
// the figure the program showed. Each value in the sheets is written again as the shortest decimal
// that reads back as the same value: exactly the figure, for every figure of 0.0001 m³ or whole logs.
#pragma once

#include <QByteArray>
#include <optional>
#include <string>

namespace lumora {

// The sheet's XML with each "<v>…</v>" value in its shortest form (what is not a number is kept).
QByteArray shortestCellValues(const QByteArray &sheetXml);

// The workbook package (a zip) with its sheets' values in their shortest form; the other parts are
// kept as they are. Returns the error in Russian when the package cannot be read.
std::optional<std::string> shortenWorkbookNumbers(QByteArray &package);

}  // namespace lumora
