#include "documents/core/print_layout.h"

#include <cmath>
#include <optional>

#include "documents/core/thickness_groups.h"

namespace lumora {

#define LUMORA_TEXT_OF(n) #n
#define LUMORA_TEXT(n) LUMORA_TEXT_OF(n)
// Who made the sheet, in words that point nowhere.
const char kProgramNameAndVersion[] = "Люмора " LUMORA_TEXT(LUMORA_VERSION_MAJOR) "." LUMORA_TEXT(
    LUMORA_VERSION_MINOR) ".0." LUMORA_TEXT(LUMORA_VERSION_REVISION);
const char kDefaultSheetTitle[] = "Кв. , выд. , дел. ";

namespace {

constexpr double kFirstLineY = 1500;
constexpr double kLinePitch = 170;
constexpr double kHiddenPanelShift = -330;
constexpr double kContinuationOffset = 3500;
constexpr double kBottomMargin = 1000;
constexpr int kFirstRowLine = 3;  // the line under the column heads

// The table rule: 15 em dashes.
const std::string kRule = [] {
    std::string s;
    for (int i = 0; i < 15; ++i) s += "\u2014";
    return s;
}();

struct LayoutError {
    std::string message;
};

class SheetWriter {
public:
    SheetWriter(const SheetInputs &in, const NumberFormat &fmt, const TextWidthFn &width)
        : in_(in), t_(in.texts), fmt_(fmt), width_(width) {
        // "." when "0.1" is a number in the user's locale, otherwise ",".
        separator_ = localeNumber("0.1", fmt_) ? '.' : ',';
        shift_ = t_.TrueD ? kHiddenPanelShift : 0;
    }

    std::vector<SheetItem> run() {
        header(in_.title);
        int nextLine = kFirstRowLine;  // an empty step has no line
        bool anyEstimated = false;
        for (int i = 0; i < kRowCount; ++i) {
            const StepTexts &step = t_.steps[static_cast<size_t>(i)];
            if (step.count.empty()) continue;
            const double y = lineY(nextLine++);
            const double d = number(step.d, "диаметр ступени " + std::to_string(i + 1));
            auto d16 = toInt16(d);
            if (!d16) throw LayoutError{failure(step.d, "диаметр ступени " + std::to_string(i + 1))};
            put(A() - tw(step.d), y, printedNumber(*d16));
            put(B() - tw(step.count), y,
                printedNumber(wholePart(number(step.count, "количество ступени " + step.d + " см"))));
            rightAt(R(), y, volumeText(step.vd, "объем ступени " + step.d + " см"));
            if (t_.estimated[static_cast<size_t>(i)]) {
                put(R(), y, "*");  // after the volume, which stays aligned with the others
                anyEstimated = true;
            }

            if (c_ == 0 && in_.pageHeight < y + kBottomMargin) {
                c_ = kContinuationOffset;
                // The next printed row goes on the first line under the repeated column heads,
                // whatever steps were empty before this one.
                nextLine = kFirstRowLine;
                header("Прод. табл. " + in_.title);
            }
        }
        rightAt(R(), lineY(nextLine), kRule);
        const double y = lineY(nextLine + 1);
        put(L(), y, "Итого");
        put(B() - tw(t_.Text13), y, printedNumber(wholePart(number(t_.Text13, "общее количество"))));
        rightAt(R(), y, volumeText(t_.Text4, "общий объем"));
        int line = nextLine + 2;
        if (anyEstimated) put(L(), lineY(line++), kEstimateNote);
        if (t_.groupsOnSheet) groups(line);
        return std::move(items_);
    }

private:
    // Column anchors of the current column: diameter edge, text edge, count edge, volume edge.
    double A() const { return in_.pageWidth - 10350 + c_; }
    double L() const { return A() - tw("Диаметр"); }
    double B() const { return in_.pageWidth - 9600 + c_; }
    double R() const { return in_.pageWidth - 8550 + c_; }
    double lineY(int line) const { return kFirstLineY + kLinePitch * line + shift_; }

    // Width in the font current at this moment.
    double tw(const std::string &text) const { return width_(text, size_, bold_); }

    void put(double x, double y, const std::string &text) {
        items_.push_back({x, y, text, size_, bold_, colour_});
    }
    void rightAt(double x, double y, const std::string &text) { put(x - tw(text), y, text); }

    void header(const std::string &titleLine) {
        colour_ = SheetColour::InactiveBorder;
        rightAt(R(), 310, kRule);
        put(L(), 480, in_.date);
        colour_ = SheetColour::ButtonText;
        const double standardX = L() + tw(in_.date + ".");
        size_ = 6;
        put(standardX, 510, "ГОСТ 2708-75");
        // In the standard's small print and on its line: at 8 points it would run up to the standard.
        colour_ = SheetColour::InactiveCaption;
        rightAt(R(), 510, kProgramNameAndVersion);
        size_ = 8;
        colour_ = SheetColour::InactiveBorder;
        rightAt(R(), 650, kRule);

        colour_ = SheetColour::ButtonText;
        bold_ = true;
        const double ruleWidth = tw(kRule), titleWidth = tw(titleLine);
        if (ruleWidth >= titleWidth)
            put(in_.pageWidth - 10900 + c_ + (ruleWidth - titleWidth) / 2, 820, titleLine);
        else
            put(L(), 820, titleLine);  // L measured in bold, as the font is at this moment
        bold_ = false;

        rightAt(R(), 990, kRule);
        put(L(), 1160, "Длина");
        rightAt(B(), 1160, t_.length + " м");
        rightAt(R(), 1330, kRule);
        if (!t_.TrueD) {
            put(L(), lineY(0), "Ср.диам.");
            rightAt(B(), lineY(0), t_.Text1);
            rightAt(R(), lineY(0), t_.Text2);
            rightAt(R(), lineY(1), kRule);
        }
        put(L(), lineY(2), "Диаметр");
        rightAt(B(), lineY(2), "Кол-во");
        rightAt(R(), lineY(2), "Объем");
    }

    // The thickness groups under the totals: each label on a line of its own (it is wider than the
    // diameter column), its figures on the next, in the count and volume columns.
    void groups(int line) {
        auto figures = thicknessGroups(t_, fmt_);
        if (!figures) throw LayoutError{"Лист не напечатан: количества и объемы ступеней — не числа."};
        for (const GroupLine &g : groupLines(*figures, fmt_)) {
            put(L(), lineY(line++), g.label);
            const double y = lineY(line++);
            put(B() - tw(g.logs), y, " " + g.logs);
            rightAt(R(), y, g.volume + zeroSuffix(g.volume, t_, separator_));
        }
    }

    double number(const std::string &text, const std::string &what) const {
        auto v = localeNumber(text, fmt_);
        if (!v) throw LayoutError{failure(text, what)};
        return *v;
    }

    // A number as the printer prints it: a blank stands in place of the sign of a positive value.
    std::string printedNumber(double v) const { return (v < 0 ? "" : " ") + numberText(v, fmt_); }

    std::string volumeText(const std::string &text, const std::string &what) const {
        number(text, what);
        auto v = roundedNumber(text, 4, fmt_);
        if (!v) throw LayoutError{failure(text, what)};
        std::string s = decimalText(*v, 4, fmt_);
        return s + zeroSuffix(s, t_, separator_);
    }

    static std::string failure(const std::string &text, const std::string &what) {
        return "Лист не напечатан: " + what + " — «" + text + "» — не число.";
    }

    const SheetInputs &in_;
    const TallyTexts &t_;
    const NumberFormat &fmt_;
    const TextWidthFn &width_;
    char separator_ = ',';
    double shift_ = 0;
    double c_ = 0;
    double size_ = 8;
    bool bold_ = false;
    SheetColour colour_ = SheetColour::ButtonText;
    std::vector<SheetItem> items_;
};

}  // namespace

std::string zeroSuffix(const std::string &volumeText, const TallyTexts &texts, char separator) {
    NumberFormat plain;
    plain.decimalSeparator = '.';
    auto shown = localeNumber(texts.Text3, plain);
    int target = 0;
    if ((shown && *shown == 3) || texts.NoOkrugl)
        target = 3;
    else if (shown && *shown == 2)
        target = 2;
    else if (shown && *shown == 1)
        target = 1;
    if (target == 0) return "";

    const size_t sep = volumeText.find(separator);
    const int present = sep == std::string::npos ? 0 : static_cast<int>(volumeText.size() - sep - 1);
    if (present == 0) return std::string(1, separator) + std::string(static_cast<size_t>(target), '0');
    if (present < target) return std::string(static_cast<size_t>(target - present), '0');
    return "";
}

SheetLayout layoutSheet(const SheetInputs &in, const NumberFormat &fmt, const TextWidthFn &width) {
    SheetLayout layout;
    try {
        layout.items = SheetWriter(in, fmt, width).run();
        layout.ok = true;
    } catch (const LayoutError &e) {
        layout.items.clear();
        layout.error = e.message;
    }
    return layout;
}

}  // namespace lumora
