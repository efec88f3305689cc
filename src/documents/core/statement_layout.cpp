#include "documents/core/statement_layout.h"

#include <array>

namespace lumora {

const char kDefaultStatementTitle[] = "Сводная ведомость";

namespace {

constexpr double kMargin = 1134;  // 2 cm
constexpr double kTopLine = 600;
constexpr double kLinePitch = 240;
constexpr double kSize = 10;
constexpr double kSmall = 8;
constexpr double kNameWidth = 3500;  // the file name's column, from the left margin
constexpr double kLengthColumn = 1150;
constexpr double kCountColumn = 1000;
constexpr double kVolumeColumn = 1500;
constexpr double kMeanColumn = 1250;  // the mean by count; the mean by volume ends at the right margin
constexpr int kClosingLines = 6;      // rule, totals, blank, three groups

class SummaryWriter {
public:
    SummaryWriter(const Statement &s, const StatementPageInputs &in, const NumberFormat &fmt,
                  const TextWidthFn &width)
        : s_(s), in_(in), fmt_(fmt), width_(width) {}

    std::vector<SheetPage> run() {
        startPage();
        for (const StatementTally &t : s_.tallies) {
            if (y_ + kLinePitch > bottom()) startPage();
            row({elided(t.name, kNameWidth - 200, [&](const std::string &x) { return tw(x, kSize); }),
                 t.texts.length, t.texts.Text13, t.texts.Text4 + zeroSuffix(t.texts.Text4, t.texts, sep()),
                 t.texts.Text1, t.texts.Text2});
        }
        if (y_ + kClosingLines * kLinePitch > bottom()) startPage();
        rule(y_);
        y_ += kLinePitch;
        bold_ = true;
        row({"Итого", "", decimalText(s_.logs, 0, fmt_), padded(volumeText(s_.volume, fmt_)), s_.meanByCount,
             s_.meanByVolume});
        bold_ = false;
        y_ += kLinePitch;
        for (const GroupLine &g : groupLines(s_.groups, fmt_))
            row({g.label, "", g.logs, padded(g.volume), "", ""});
        return std::move(pages_);
    }

private:
    double left() const { return kMargin; }
    double right() const { return in_.pageWidth - kMargin; }
    double lengthEdge() const { return left() + kNameWidth + kLengthColumn; }
    double countEdge() const { return lengthEdge() + kCountColumn; }
    double volumeEdge() const { return countEdge() + kVolumeColumn; }
    double meanEdge() const { return volumeEdge() + kMeanColumn; }
    double bottom() const { return in_.pageHeight - kMargin; }
    char sep() const { return fmt_.decimalSeparator; }

    double tw(const std::string &text, double size, bool bold = false) const {
        return width_(text, size, bold);
    }
    void put(double x, double y, const std::string &text, double size, SheetColour colour) {
        pages_.back().push_back({x, y, text, size, bold_, colour});
    }
    void rightAt(double x, double y, const std::string &text, double size,
                 SheetColour colour = SheetColour::ButtonText) {
        put(x - tw(text, size, bold_), y, text, size, colour);
    }

    // A rule of em dashes from the left margin to the right one.
    void rule(double y, SheetColour colour = SheetColour::ButtonText) {
        const std::string dash = "\u2014";
        std::string line;
        const double dashWidth = tw(dash, kSmall);
        for (double w = dashWidth; dashWidth > 0 && w <= right() - left(); w += dashWidth) line += dash;
        rightAt(right(), y, line, kSmall, colour);
    }

    void startPage() {
        pages_.emplace_back();
        const bool first = pages_.size() == 1;
        rule(kTopLine - 170, SheetColour::InactiveBorder);
        put(left(), kTopLine, in_.date, kSmall, SheetColour::InactiveBorder);
        put(left() + tw(in_.date + ".", kSmall), kTopLine + 30, "ГОСТ 2708-75", 6, SheetColour::ButtonText);
        rightAt(right(), kTopLine + 30, kProgramNameAndVersion, 6, SheetColour::InactiveCaption);
        rule(kTopLine + 170, SheetColour::InactiveBorder);
        bold_ = true;
        const std::string title = first ? in_.title : "Прод. " + in_.title;
        put(left(), kTopLine + 400, title, 12, SheetColour::ButtonText);
        bold_ = false;
        y_ = kTopLine + 400 + 2 * kLinePitch;
        row({"Файл", "Длина, м", "Кол-во", "Объем, м³", "Ср.диам.кол.", "Ср.диам.об."});
        rule(y_);
        y_ += kLinePitch;
    }

    // name, length, logs, volume, mean by count, mean by volume; empty ones are left out.
    void row(const std::array<std::string, 6> &cells) {
        put(left(), y_, cells[0], kSize, SheetColour::ButtonText);
        const double edges[] = {lengthEdge(), countEdge(), volumeEdge(), meanEdge(), right()};
        for (size_t k = 1; k < cells.size(); ++k)
            if (!cells[k].empty()) rightAt(edges[k - 1], y_, cells[k], kSize);
        y_ += kLinePitch;
    }

    // A sum written with the statement's decimals, zeros added as the tally sheet adds them.
    std::string padded(const std::string &text) const {
        const size_t at = text.find(sep());
        const int present = at == std::string::npos ? 0 : static_cast<int>(text.size() - at - 1);
        if (present >= s_.places) return text;
        return text + (present == 0 ? std::string(1, sep()) : "") +
               std::string(static_cast<size_t>(s_.places - present), '0');
    }

    const Statement &s_;
    const StatementPageInputs &in_;
    const NumberFormat &fmt_;
    const TextWidthFn &width_;
    std::vector<SheetPage> pages_;
    double y_ = 0;
    bool bold_ = false;
};

}  // namespace

std::string elided(const std::string &text, double maxWidth,
                   const std::function<double(const std::string &)> &width) {
    if (width(text) <= maxWidth) return text;
    std::string cut = text;
    while (!cut.empty()) {
        // Back over one whole UTF-8 character.
        size_t end = cut.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(cut[end]) & 0xC0) == 0x80) --end;
        cut.resize(end);
        if (width(cut + "…") <= maxWidth) break;
    }
    return cut + "…";
}

std::vector<SheetPage> layoutStatementSummary(const Statement &statement, const StatementPageInputs &in,
                                              const NumberFormat &fmt, const TextWidthFn &width) {
    return SummaryWriter(statement, in, fmt, width).run();
}

}  // namespace lumora
