#include "documents/core/export_cells.h"

#include <cmath>
#include <optional>
#include <utility>

#include "documents/core/tally_file.h"
#include "documents/core/thickness_groups.h"
#include "table/volume_table.h"

namespace lumora {

namespace {

// Reads the texts and collects the cells; the first text that cannot be converted is remembered
// with a description of where it came from, and the whole result is then refused.
class CellBuilder {
public:
    explicit CellBuilder(const NumberFormat &fmt) : fmt_(fmt) {}

    void text(int row, int column, const std::string &t) { add(row, column, t); }
    void value(int row, int column, double v) { add(row, column, v); }

    void diameter(int row, int column, const std::string &t, const std::string &what) {
        auto v = number(t, what);
        if (!v) return;
        auto d = toInt16(*v);
        if (!d) return fail(t, what);
        add(row, column, *d);
    }

    void whole(int row, int column, const std::string &t, const std::string &what) {
        if (auto v = number(t, what)) add(row, column, wholePart(*v));
    }

    void rounded4(int row, int column, const std::string &t, const std::string &what) {
        if (!number(t, what)) return;
        auto v = roundedNumber(t, 4, fmt_);
        if (!v) return fail(t, what);
        add(row, column, static_cast<double>(*v) / 10000.0);
    }

    ExportResult finish() {
        ExportResult r;
        if (!error_.empty()) {
            r.error = error_;
            return r;
        }
        r.ok = true;
        r.cells = std::move(cells_);
        return r;
    }

private:
    // The cell is built in place: moving a finished cell (and so its variant) into the vector made
    // GCC 12 at -O2 see the string alternative of a double cell as read uninitialized.
    template <typename T>
    void add(int row, int column, T value) {
        if (!error_.empty()) return;
        ExportCell &cell = cells_.emplace_back();
        cell.row = row;
        cell.column = column;
        cell.value.template emplace<T>(std::move(value));
    }

    std::optional<double> number(const std::string &t, const std::string &what) {
        auto v = localeNumber(t, fmt_);
        if (!v) fail(t, what);
        return v;
    }

    void fail(const std::string &t, const std::string &what) {
        if (!error_.empty()) return;
        error_ = "Экспорт не выполнен: " + what + " — «" + t + "» — не число.\nТаблица в окне не изменена.";
    }

    const NumberFormat &fmt_;
    std::vector<ExportCell> cells_;
    std::string error_;
};

}  // namespace

std::vector<ExportCell> aboutCells(const TallyTexts &texts, const std::string &title,
                                   const std::string &date) {
    std::vector<ExportCell> cells;
    auto add = [&cells](int row, int column, auto value, const char *format = "") {
        ExportCell &cell = cells.emplace_back();
        cell.row = row;
        cell.column = column;
        cell.value.template emplace<decltype(value)>(value);
        cell.format = format;
    };
    int row = 1;
    if (!title.empty()) {
        add(row, kAboutColumn, std::string("Название"));
        add(row++, kAboutColumn + 1, title);
    }
    const int entry = lengthOfText(texts.length);
    if (entry >= 1) {
        add(row, kAboutColumn, std::string("Длина, м"));
        add(row++, kAboutColumn + 1, lengthsCm()[static_cast<size_t>(entry - 1)] / 100.0, "0.00");
    }
    add(row, kAboutColumn, std::string("Дата"));
    add(row, kAboutColumn + 1, date);
    return cells;
}

ExportResult exportCells(const TallyTexts &texts, const NumberFormat &fmt) {
    CellBuilder b(fmt);
    b.text(1, 1, "Ср.диам.");
    b.rounded4(1, 2, texts.Text1, "средний диаметр по количеству");
    b.rounded4(1, 3, texts.Text2, "средний диаметр по объему");
    b.text(2, 1, "Диаметр");
    b.text(2, 2, "Кол-во");
    b.text(2, 3, "Объем");

    int nextRow = 3;  // an empty step has no row
    bool anyEstimated = false;
    for (int i = 0; i < kRowCount; ++i) {
        const StepTexts &step = texts.steps[static_cast<size_t>(i)];
        if (step.count.empty()) continue;
        const int row = nextRow++;
        const std::string where = " ступени " + step.d + " см";
        b.diameter(row, 1, step.d, "диаметр ступени " + std::to_string(i + 1));
        b.whole(row, 2, step.count, "количество" + where);
        b.rounded4(row, 3, step.vd, "объем" + where);
        if (texts.estimated[static_cast<size_t>(i)]) {
            b.text(row, 4, "*");
            anyEstimated = true;
        }
    }
    const int totalsRow = nextRow;
    b.text(totalsRow, 1, "Итого");
    b.whole(totalsRow, 2, texts.Text13, "общее количество");
    b.rounded4(totalsRow, 3, texts.Text4, "общий объем");
    int row = totalsRow + 1;
    if (anyEstimated) b.text(row++, 1, kEstimateNote);
    if (texts.groupsOnSheet) {
        if (auto groups = thicknessGroups(texts, fmt)) {
            for (int k = 0; k < kThicknessGroupCount; ++k, ++row) {
                const auto g = static_cast<ThicknessGroup>(k);
                b.text(row, 1, thicknessGroupLabel(g));
                b.value(row, 2, static_cast<double>((*groups)[g].logs));
                b.value(row, 3, static_cast<double>((*groups)[g].volume) / 10000.0);
            }
        }
        // Texts that are not numbers were already refused above, naming the step.
    }
    return b.finish();
}

}  // namespace lumora
