// The printed sheet's layout: where each text lands, in twips, for a page width of 11904 twips and
// a font in which every character is 100 twips wide at 8 points (150 in bold).
#include "documents/core/print_layout.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

const NumberFormat kComma{','};

double fakeWidth(const std::string &text, double sizePt, bool bold) {
    size_t chars = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++chars;
    return static_cast<double>(chars) * 100 * sizePt / 8 * (bold ? 1.5 : 1);
}

const std::string kRule = [] {
    std::string s;
    for (int i = 0; i < 15; ++i) s += "\u2014";
    return s;
}();

SheetInputs inputs() {
    SheetInputs in;
    const auto &d = diametersCm();
    for (size_t i = 0; i < in.texts.steps.size(); ++i) in.texts.steps[i].d = std::to_string(d[i]);
    in.texts.Text1 = in.texts.Text2 = in.texts.Text13 = in.texts.Text4 = "0";
    in.texts.Text3 = "2";
    in.texts.length = "6,00";
    in.title = "Кв. 1, выд. 2";
    in.date = "07.12.26";
    in.pageWidth = 11904;
    in.pageHeight = 16838;
    return in;
}

SheetLayout layout(const SheetInputs &in) {
    SheetLayout l = layoutSheet(in, kComma, fakeWidth);
    EXPECT_TRUE(l.ok) << l.error;
    return l;
}

// The items drawn with this text, in drawing order.
std::vector<SheetItem> find(const SheetLayout &l, const std::string &text) {
    std::vector<SheetItem> found;
    for (const auto &item : l.items)
        if (item.text == text) found.push_back(item);
    return found;
}

SheetItem only(const SheetLayout &l, const std::string &text) {
    auto found = find(l, text);
    EXPECT_EQ(found.size(), 1u) << text;
    return found.empty() ? SheetItem{} : found[0];
}

// First column anchors: A = 1554, B = 2304, R = 3354, L = A - width("Диаметр") = 854.
TEST(SheetLayout, TheHeaderSitsOnItsLinesAtTheColumnAnchors) {
    SheetLayout l = layout(inputs());
    ASSERT_EQ(find(l, kRule).size(), 6u);
    const double ruleYs[] = {310, 650, 990, 1330, 1670, 2010};
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(find(l, kRule)[k].x, 3354 - 1500);
        EXPECT_EQ(find(l, kRule)[k].y, ruleYs[k]);
    }
    EXPECT_EQ(find(l, kRule)[0].colour, SheetColour::InactiveBorder);
    EXPECT_EQ(find(l, kRule)[2].colour, SheetColour::ButtonText);

    SheetItem date = only(l, "07.12.26");
    EXPECT_EQ(date.x, 854);
    EXPECT_EQ(date.y, 480);
    SheetItem standard = only(l, "ГОСТ 2708-75");
    EXPECT_EQ(standard.x, 854 + 900);  // after the date and a dot, measured at 8 points
    EXPECT_EQ(standard.y, 510);
    EXPECT_EQ(standard.sizePt, 6);
    SheetItem corner = only(l, kProgramNameAndVersion);
    EXPECT_EQ(corner.x + fakeWidth(kProgramNameAndVersion, 6, false), 3354);
    EXPECT_EQ(corner.y, 510);  // on the standard's line, in its small print
    EXPECT_EQ(corner.colour, SheetColour::InactiveCaption);
    EXPECT_EQ(corner.sizePt, 6);
    EXPECT_EQ(corner.text.rfind("Люмора ", 0), 0u) << "the program's name and version, no address";
    for (const SheetItem &item : l.items) EXPECT_EQ(item.text.find(".test"), std::string::npos) << item.text;

    SheetItem title = only(l, "Кв. 1, выд. 2");
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.x, 11904 - 10900 + (2250 - 13 * 150) / 2.0);  // centred over the bold rule
    EXPECT_EQ(title.y, 820);

    EXPECT_EQ(only(l, "Длина").x, 854);
    EXPECT_EQ(only(l, "6,00 м").x, 2304 - 600);
    EXPECT_EQ(only(l, "6,00 м").y, 1160);
    EXPECT_EQ(only(l, "Ср.диам.").y, 1500);
    EXPECT_EQ(find(l, "Диаметр")[0].x, 854);
    EXPECT_EQ(find(l, "Диаметр")[0].y, 1840);
    EXPECT_EQ(only(l, "Кол-во").x, 2304 - 600);
    EXPECT_EQ(only(l, "Объем").x, 3354 - 500);
    for (const auto &item : l.items) {
        if (item.text != "ГОСТ 2708-75" && item.text != kProgramNameAndVersion) {
            EXPECT_EQ(item.sizePt, 8) << item.text;
        }
    }
}

TEST(SheetLayout, ATitleWiderThanTheRuleStartsAtTheTextEdgeMeasuredInBold) {
    SheetInputs in = inputs();
    in.title = "Квартал 112, выдел 14, делянка 3";
    SheetItem title = only(layout(in), in.title);
    EXPECT_EQ(title.x, 1554 - 7 * 150);
}

TEST(SheetLayout, AnEmptyTallyPutsTheRuleOnLineThreeAndTheTotalsOnLineFour) {
    SheetInputs in = inputs();
    in.texts.Text4 = "0";
    SheetLayout l = layout(in);
    EXPECT_EQ(find(l, kRule).back().y, 1500 + 170 * 3);
    SheetItem total = only(l, "Итого");
    EXPECT_EQ(total.y, 1500 + 170 * 4);
    EXPECT_EQ(total.x, 854);
    SheetItem count = only(l, " 0");
    EXPECT_EQ(count.x, 2304 - 100);
    EXPECT_EQ(only(l, "0,00").x, 3354 - 400);
}

TEST(SheetLayout, CountedStepsAreOnConsecutiveLinesWithNumbersPrintedAsTheWindowShowsThem) {
    SheetInputs in = inputs();
    in.texts.steps[0] = {"3", "2", "0,01"};
    in.texts.steps[21] = {"24", "12", "1,5"};
    in.texts.Text13 = "14";
    in.texts.Text4 = "1,51";
    SheetLayout l = layout(in);
    SheetItem d3 = only(l, " 3"), d24 = only(l, " 24"), n12 = only(l, " 12");
    EXPECT_EQ(d3.y, 2010);
    EXPECT_EQ(d3.x, 1554 - 100);  // a blank in front: the digits end one blank right of A
    EXPECT_EQ(d24.y, 2180);
    EXPECT_EQ(d24.x, 1554 - 200);
    EXPECT_EQ(n12.x, 2304 - 200);
    EXPECT_EQ(only(l, "1,50").y, 2180);
    EXPECT_EQ(only(l, "1,50").x, 3354 - 400);
    EXPECT_EQ(find(l, kRule).back().y, 1500 + 170 * 5);
    EXPECT_EQ(only(l, "Итого").y, 1500 + 170 * 6);
    EXPECT_EQ(only(l, " 14").x, 2304 - 200);
    EXPECT_EQ(only(l, "1,51").y, 1500 + 170 * 6);
}

TEST(SheetLayout, WithTheMeanDiameterPanelHiddenTheTableMovesUp330) {
    SheetInputs in = inputs();
    in.texts.TrueD = true;
    in.texts.steps[4] = {"7", "1", "0,01"};
    SheetLayout l = layout(in);
    EXPECT_TRUE(find(l, "Ср.диам.").empty());
    EXPECT_EQ(find(l, kRule).size(), 5u);
    EXPECT_EQ(only(l, "Кол-во").y, 1510);
    EXPECT_EQ(only(l, " 7").y, 1680);
    EXPECT_EQ(only(l, "6,00 м").y, 1160);  // the header lines do not move
}

TEST(SheetLayout, VolumesArePaddedWithZerosToTheShownDecimals) {
    struct Case {
        const char *text3;
        bool noOkrugl;
        const char *volume;
        const char *printed;
    };
    const Case cases[] = {
        {"2", false, "1,5", "1,50"},       {"2", false, "2", "2,00"},    {"3", false, "2", "2,000"},
        {"1", false, "2", "2,0"},          {"2", false, "1,25", "1,25"}, {"1", false, "1,25", "1,25"},
        {"2", true, "0,1234", "0,1234"},   {"1", true, "0,5", "0,500"},  {"", false, "0,5", "0,5"},
        {"2", false, "0,12345", "0,1235"},
    };
    for (const Case &c : cases) {
        SheetInputs in = inputs();
        in.texts.Text3 = c.text3;
        in.texts.NoOkrugl = c.noOkrugl;
        in.texts.steps[10] = {"13", "1", c.volume};
        SheetLayout l = layout(in);
        EXPECT_EQ(find(l, c.printed).size(), 1u) << c.text3 << " " << c.volume << " -> " << c.printed;
    }
}

TEST(SheetLayout, UnderADecimalPointLocaleTheSuffixUsesAPoint) {
    SheetInputs in = inputs();
    in.texts.steps[10] = {"13", "1", "2"};
    SheetLayout l = layoutSheet(in, NumberFormat{'.'}, fakeWidth);
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(find(l, "2.00").size(), 1u);
}

// The diameter of step i (1..93) as the sheet prints it.
std::string printedDiameter(int step) {
    return " " + std::to_string(diametersCm()[static_cast<size_t>(step - 1)]);
}

TEST(SheetLayout, AFullTallyContinuesInTheSecondColumnOnLineThreeUnderARepeatedHeader) {
    SheetInputs in = inputs();
    in.pageHeight = 16000;
    for (auto &s : in.texts.steps) s.count = "1", s.vd = "0,1";
    SheetLayout l = layout(in);
    // Step k is on line k + 2. Line 79 still fits (1500 + 170*79 + 1000 = 15930); line 80 (step 78)
    // is the last row of the first column.
    SheetItem step77 = only(l, printedDiameter(77)), step78 = only(l, printedDiameter(78));
    SheetItem step79 = only(l, printedDiameter(79));
    EXPECT_EQ(step77.y, 1500 + 170 * 79);
    EXPECT_EQ(step78.y, 1500 + 170 * 80);
    EXPECT_EQ(step78.x, 1554 - 200);
    EXPECT_EQ(step79.y, 1500 + 170 * 3);
    EXPECT_EQ(step79.x, 1554 + 3500 - 200);
    SheetItem continued = only(l, "Прод. табл. Кв. 1, выд. 2");
    EXPECT_EQ(continued.y, 820);
    EXPECT_EQ(find(l, "Длина")[1].x, 854 + 3500);
    EXPECT_EQ(find(l, "ГОСТ 2708-75").size(), 2u);
    EXPECT_EQ(find(l, "Диаметр")[1].y, 1840);
    SheetItem last = only(l, " 120");
    EXPECT_EQ(last.y, 1500 + 170 * (3 + 93 - 79));
    EXPECT_EQ(only(l, "Итого").y, last.y + 340);
    EXPECT_EQ(only(l, "Итого").x, 854 + 3500);
}

TEST(SheetLayout, ContinuationRowsStartOnLineThreeEvenAfterEmptySteps) {
    SheetInputs in = inputs();
    in.pageHeight = 16000;
    in.texts.TrueD = true;
    for (size_t i = 2; i < in.texts.steps.size(); ++i)
        in.texts.steps[i].count = "1", in.texts.steps[i].vd = "0,1";
    in.texts.steps[5].count = "";
    SheetLayout l = layout(in);
    // Steps 3, 4, 5, 7, 8, ... from line 3 down, 330 twips higher; the 80th printed row (step 83,
    // line 82) is the first whose y + 1000 passes 16000, so step 84 opens the second column.
    EXPECT_EQ(only(l, printedDiameter(3)).y, 1500 + 170 * 3 - 330);
    SheetItem lastFirst = only(l, printedDiameter(83)), firstSecond = only(l, printedDiameter(84));
    EXPECT_EQ(lastFirst.y, 1500 + 170 * 82 - 330);
    EXPECT_LT(lastFirst.x, 3000);
    EXPECT_EQ(firstSecond.y, 1500 + 170 * 3 - 330);
    EXPECT_GT(firstSecond.x, 3000);
    EXPECT_LT(only(l, printedDiameter(82)).x, 3000);
}

TEST(SheetLayout, ADiameterThatIsNotASixteenBitWholeNumberPrintsNothing) {
    SheetInputs in = inputs();
    in.texts.steps[21] = {"32767", "1", "0,5"};
    SheetLayout l = layout(in);
    EXPECT_EQ(only(l, " 32767").y, 2010);
    for (const char *d : {"32768", "-32769", "1e10"}) {
        in.texts.steps[21].d = d;
        l = layoutSheet(in, kComma, fakeWidth);
        EXPECT_FALSE(l.ok) << d;
        EXPECT_TRUE(l.items.empty()) << d;
        EXPECT_EQ(l.error, std::string("Лист не напечатан: диаметр ступени 22 — «") + d + "» — не число.");
    }
}

TEST(SheetLayout, ATextThatIsNotANumberPrintsNothingAndSaysWhich) {
    SheetInputs in = inputs();
    in.texts.steps[21] = {"24", "5", "abc"};
    SheetLayout l = layoutSheet(in, kComma, fakeWidth);
    EXPECT_FALSE(l.ok);
    EXPECT_TRUE(l.items.empty());
    EXPECT_EQ(l.error, "Лист не напечатан: объем ступени 24 см — «abc» — не число.");
    in = inputs();
    in.texts.Text13 = "";
    l = layoutSheet(in, kComma, fakeWidth);
    EXPECT_FALSE(l.ok);
    EXPECT_NE(l.error.find("общее количество"), std::string::npos);
}

}  // namespace
}  // namespace lumora
