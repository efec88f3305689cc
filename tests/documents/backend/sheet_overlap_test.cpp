// The printed sheet measured with the printer's real fonts: no text of the sheet runs into another.
// Each item's ink (the tight bounding box of its glyphs, placed on its baseline) is compared with
// every other item's, for an empty tally, a one-row tally and a full tally in two columns.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPrinter>

#include "documents/core/tally_texts.h"
#include "print/sheet_painter.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::kComma;
using test::rowOf;

struct Ink {
    QRectF box;  // twips
    std::string text;
};

// Lays the form's tally out on an A4 PDF printer, as printing does, and returns each item's ink.
std::vector<Ink> inkOfSheet(const Form &form, const std::string &title) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    prepareSheetPrinter(printer);
    SheetInputs in;
    in.texts = tallyTexts(form);
    in.title = title;
    in.date = "28.12.26";
    in.pageWidth = 595.2756 * 20;
    in.pageHeight = 841.8898 * 20;
    const SheetLayout layout = layoutSheet(in, kComma, sheetTextWidth(&printer));
    EXPECT_TRUE(layout.ok) << layout.error;
    const double unitsPerTwip = printer.logicalDpiX() / 1440.0;
    std::vector<Ink> inks;
    for (const SheetItem &item : layout.items) {
        const QFontMetricsF metrics(sheetFont(item.sizePt, item.bold), &printer);
        const QString text = QString::fromStdString(item.text);
        // The painter draws the text with its top at y, so its baseline lies one ascent lower.
        const QRectF glyphs = metrics.tightBoundingRect(text);
        const QRectF box(item.x + glyphs.x() / unitsPerTwip,
                         item.y + (metrics.ascent() + glyphs.y()) / unitsPerTwip,
                         glyphs.width() / unitsPerTwip, glyphs.height() / unitsPerTwip);
        if (!box.isEmpty()) inks.push_back({box, item.text});
    }
    return inks;
}

void expectNoOverlap(const std::vector<Ink> &inks, const char *tally) {
    int overlaps = 0;
    for (size_t a = 0; a < inks.size(); ++a)
        for (size_t b = a + 1; b < inks.size(); ++b)
            if (inks[a].box.intersects(inks[b].box) && overlaps++ < 10)
                ADD_FAILURE() << tally << ": «" << inks[a].text << "» runs into «" << inks[b].text << "»";
    EXPECT_EQ(overlaps, 0) << tally;
}

TEST(SheetOverlap, NoTwoTextsOfTheSheetOverlap) {
    {
        Form f(kComma);
        f.startUp();
        expectNoOverlap(inkOfSheet(f, "Кв.  , выд. , дел. "), "an empty tally");
    }
    {
        Form f(kComma);
        f.startUp();
        f.setCountText(1000 + rowOf(24), "12");
        expectNoOverlap(inkOfSheet(f, "Кв. 112, выд. 14, дел. 3"), "one row");
    }
    {
        // Every step counted at 3,00 m, rounding off: the widest volumes, the table in two columns,
        // the estimate marks and the note under the totals.
        Form f(kComma);
        f.startUp();
        f.setListIndex(entryOf(300));
        f.clickNoOkrugl();
        for (int i = 1; i <= kRowCount; ++i) f.setCountText(1000 + i, "99999");
        f.groupsOnSheet = true;  // and the thickness groups under the totals, with the widest figures
        const std::vector<Ink> inks = inkOfSheet(f, "Квартал 112, выдел 14, делянка 3");
        int secondColumn = 0;
        for (const Ink &ink : inks)
            if (ink.box.left() > 4500) ++secondColumn;
        EXPECT_GT(secondColumn, 20);
        expectNoOverlap(inks, "a full tally");
    }
}

}  // namespace
}  // namespace lumora
