#include "documents/core/statement_cells.h"

namespace lumora {

const char kSummarySheetName[] = "Сводка";

namespace {

double cubicMetres(int64_t volume) { return static_cast<double>(volume) / 10000.0; }

// The length of the list entry the tally shows, in metres (6,00 -> 6).
double metres(const std::string &listText) {
    const int entry = lengthOfText(listText);
    return entry >= 1 ? lengthsCm()[static_cast<size_t>(entry - 1)] / 100.0 : 0.0;
}

}  // namespace

std::vector<ExportCell> statementSummaryCells(const Statement &s, const std::string &title,
                                              const std::string &date) {
    std::vector<ExportCell> cells;
    auto text = [&cells](int row, int column, const std::string &t) {
        ExportCell &c = cells.emplace_back();
        c.row = row;
        c.column = column;
        c.value.emplace<std::string>(t);
    };
    auto number = [&cells](int row, int column, double v, const char *format = "") {
        ExportCell &c = cells.emplace_back();
        c.row = row;
        c.column = column;
        c.value.emplace<double>(v);
        c.format = format;
    };
    // A mean diameter as the window shows it, as a number (0 when it shows none).
    auto mean = [&number, &s](int row, int column, const std::string &shown) {
        number(row, column, localeNumber(shown, s.fmt).value_or(0));
    };
    text(1, 1, title);
    text(2, 1, "Дата");
    text(2, 2, date);
    int row = kSummaryHeadRow;
    text(row, 1, "Файл");
    text(row, 2, "Длина, м");
    text(row, 3, "Кол-во");
    text(row, 4, "Объем, м³");
    text(row, 5, "Ср. диам. по кол-ву, см");
    text(row, 6, "Ср. диам. по объему, см");
    for (const StatementTally &t : s.tallies) {
        ++row;
        text(row, 1, t.name);
        number(row, 2, metres(t.texts.length), "0.00");
        number(row, 3, static_cast<double>(t.logs));
        number(row, 4, cubicMetres(t.volume));
        mean(row, 5, t.texts.Text1);
        mean(row, 6, t.texts.Text2);
    }
    ++row;
    text(row, 1, "Итого");
    number(row, 3, static_cast<double>(s.logs));
    number(row, 4, cubicMetres(s.volume));
    mean(row, 5, s.meanByCount);
    mean(row, 6, s.meanByVolume);
    for (int k = 0; k < kThicknessGroupCount; ++k) {
        const auto g = static_cast<ThicknessGroup>(k);
        ++row;
        text(row, 1, thicknessGroupLabel(g));
        number(row, 3, static_cast<double>(s.groups[g].logs));
        number(row, 4, cubicMetres(s.groups[g].volume));
    }
    return cells;
}

}  // namespace lumora
