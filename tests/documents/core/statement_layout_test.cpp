// The printed statement's summary pages stay inside the page's margins for any number of tallies,
// with the totals and the groups together on the last page.
#include "documents/core/statement_layout.h"

#include <gtest/gtest.h>

#include "tally/form_test_support.h"

namespace lumora {
namespace {

// A width of about the printer's for 10 pt text: 100 twips a character.
double width(const std::string &text, double size, bool) {
    double chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    return chars * size * 10;
}

Statement statementOf(int n) {
    std::vector<StatementTally> tallies(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        StatementTally &t = tallies[static_cast<size_t>(k)];
        t.name = "лот " + std::to_string(k + 1) + ".txt";
        t.texts.length = "6,00";
        t.texts.Text13 = "12";
        t.texts.Text4 = "3,96";
        t.texts.Text1 = "24";
        t.texts.Text2 = "24,5";
        t.logs = 12;
        t.volume = 39600;
    }
    return makeStatement(std::move(tallies), test::kComma);
}

TEST(StatementLayout, NoNumberOfTalliesRunsPastTheBottomMarginOrSplitsTheTotals) {
    const double a4Width = 11906, a4Height = 16838, margin = 1134, line = 240;
    for (int n = 1; n <= 130; ++n) {
        const Statement s = statementOf(n);
        const StatementPageInputs in{"Сводная ведомость", "09.12.26", a4Width, a4Height};
        const std::vector<SheetPage> pages = layoutStatementSummary(s, in, test::kComma, width);
        int rows = 0, closingPage = -1, closing = 0;
        for (size_t p = 0; p < pages.size(); ++p)
            for (const SheetItem &item : pages[p]) {
                EXPECT_LE(item.y + line, a4Height - margin) << n << " tallies: «" << item.text << "»";
                EXPECT_GE(item.x, margin - 1) << n << " tallies: «" << item.text << "»";
                EXPECT_LE(item.x + width(item.text, item.sizePt, item.bold), a4Width - margin + 1)
                    << n << " tallies: «" << item.text << "»";
                if (item.text.rfind("лот ", 0) == 0) ++rows;
                if (item.text == "Итого" || item.text.rfind("Мелкие", 0) == 0 ||
                    item.text.rfind("Крупные", 0) == 0) {
                    if (closingPage < 0) closingPage = static_cast<int>(p);
                    EXPECT_EQ(static_cast<int>(p), closingPage) << n << " tallies: «" << item.text << "»";
                    ++closing;
                }
            }
        EXPECT_EQ(rows, n);
        EXPECT_EQ(closing, 3) << n << " tallies";
        EXPECT_EQ(closingPage, static_cast<int>(pages.size()) - 1) << n << " tallies";
    }
}

}  // namespace
}  // namespace lumora
