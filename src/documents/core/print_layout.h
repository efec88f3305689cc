// The printed tally sheet, laid out as a list of text items at explicit positions in twips.
//
// The sheet has a header (rules, date, standard, program and version, title, length, mean diameters,
// column heads), one line per step with a count, and a totals line. A step whose unit volume is an
// estimate carries a "*" after its volume, and the note that explains it goes on the line under the
// totals; when asked (Form::groupsOnSheet), the three thickness groups follow, each label on its own
// line with its figures on the next. Line n lies at
// y = 1500 + 170·n; lines 0 and below move up by 330 twips when the mean-diameter panel is hidden.
// When a row comes within 1000 twips of the page bottom, the table continues in a second column
// 3500 twips to the right under a repeated header marked "Прод. табл."; there is never a second page.
//
// Nothing is computed anew: the sheet prints the texts the window shows, with volumes padded with
// zeros to the shown number of decimals. Widths come from the caller (the printer's font metrics).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "documents/core/tally_texts.h"
#include "numbers/numbers.h"

namespace lumora {

// The program's name and version, printed at the top right of the sheet ("Люмора 1.0.0.1").
extern const char kProgramNameAndVersion[];

// The default title offered in the title box: block, compartment and plot to fill in.
extern const char kDefaultSheetTitle[];

// The three system colours the sheet uses.
enum class SheetColour { InactiveBorder, ButtonText, InactiveCaption };

struct SheetItem {
    double x = 0, y = 0;  // twips from the top left of the page; y is the top of the text
    std::string text;
    double sizePt = 8;
    bool bold = false;
    SheetColour colour = SheetColour::ButtonText;
};

// Width in twips of a text in the sheet's font at the given size and weight.
using TextWidthFn = std::function<double(const std::string &text, double sizePt, bool bold)>;

struct SheetInputs {
    TallyTexts texts;
    std::string title;
    std::string date;       // "DD.MM.YY"
    double pageWidth = 0;   // W, twips
    double pageHeight = 0;  // H, twips
};

// One printed page's items.
using SheetPage = std::vector<SheetItem>;

struct SheetLayout {
    bool ok = false;
    std::vector<SheetItem> items;  // in drawing order; empty when not ok
    std::string error;             // when not ok, in Russian
};

SheetLayout layoutSheet(const SheetInputs &in, const NumberFormat &fmt, const TextWidthFn &width);

// The zeros that pad a volume text to the shown number of decimals ("1,5" -> "0" at two places).
std::string zeroSuffix(const std::string &volumeText, const TallyTexts &texts, char separator);

}  // namespace lumora
