// Every number in the tally's and the statement's workbooks is the decimal the window shows: read
// back from the files written, cell by cell.
#include "documents/backend/workbook_numbers.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>

#include "documents/backend/statement_documents.h"
#include "documents/backend/workbook.h"
#include "documents/core/scripted_dialogs.h"
#include "documents/core/statement_cells.h"
#include "file_bytes_support.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::kComma;

// A shown figure as a spreadsheet file writes it: a point, no trailing zeros ("6,00" -> "6").
QString written(const std::string &shown) {
    QString t = QString::fromStdString(shown).replace(',', '.');
    if (t.contains('.')) {
        while (t.endsWith('0')) t.chop(1);
        if (t.endsWith('.')) t.chop(1);
    }
    return t;
}

QString ref(int row, int column) { return QChar('A' + column - 1) + QString::number(row); }

// The number cells of one sheet of the package: reference -> the value as written.
std::map<QString, QString> numberCells(const QString &xlsx, int sheet) {
    const QString xml =
        QString::fromUtf8(test::unzipped(xlsx, QString("xl/worksheets/sheet%1.xml").arg(sheet)));
    std::map<QString, QString> cells;
    QRegularExpression c("<c r=\"([A-Z]+[0-9]+)\"([^>]*)><v>([^<]*)</v></c>");
    for (auto it = c.globalMatch(xml); it.hasNext();) {
        auto m = it.next();
        if (!m.captured(2).contains("t=\"")) cells[m.captured(1)] = m.captured(3);
    }
    return cells;
}

// What a tally's sheet must hold as numbers, from the texts the window shows.
std::map<QString, QString> shownOnTallySheet(const TallyTexts &t) {
    std::map<QString, QString> cells{{"B1", written(t.Text1)}, {"C1", written(t.Text2)}};
    int row = 3;
    for (const StepTexts &step : t.steps) {
        if (step.count.empty()) continue;
        cells[ref(row, 1)] = written(step.d);
        cells[ref(row, 2)] = written(step.count);
        cells[ref(row++, 3)] = written(step.vd);
    }
    cells[ref(row, 2)] = written(t.Text13);
    cells[ref(row++, 3)] = written(t.Text4);
    for (size_t i = 0; i < t.steps.size(); ++i)
        if (t.estimated[i] && !t.steps[i].count.empty()) {
            ++row;  // the note under the totals
            break;
        }
    for (const GroupLine &g : groupLines(*thicknessGroups(t, kComma), kComma)) {
        cells[ref(row, 2)] = written(g.logs);
        cells[ref(row++, 3)] = written(g.volume);
    }
    if (!t.length.empty()) cells[ref(1, kAboutColumn + 1)] = written(t.length);
    return cells;
}

TEST(WorkbookNumbers, TheLibrarysSixteenDigitsBecomeTheShortestDecimal) {
    EXPECT_EQ(shortestCellValues("<c r=\"C9\"><v>8.037000000000001</v></c><c><v>12</v></c><v>0.1</v>"),
              "<c r=\"C9\"><v>8.037</v></c><c><v>12</v></c><v>0.1</v>");
    EXPECT_EQ(shortestCellValues("<v>x</v><v></v><v>1e400</v>"), "<v>x</v><v></v><v>1e400</v>");
}

// A day of tallies at thousandths, hundredths and unrounded, with their groups: sums of many
// binary fractions, which is where a workbook showed 8.037000000000001 for 8,037.
TEST(WorkbookNumbers, EveryNumberOfBothWorkbooksIsTheFigureTheWindowShows) {
    if (!test::canUnzip()) GTEST_SKIP() << "no unzip to read the workbook";
    const char *lengths[] = {"5.50", "6.00", "4.00", "3.50"};
    const char *roundings[] = {"3", "2", "-", "1"};
    test::MemoryFiles files;
    std::vector<StatementTally> tallies;
    for (int k = 0; k < 8; ++k) {
        std::string bytes;
        for (int i = 1; i <= kRowCount; ++i)
            bytes += ((i * 7 + k) % 5 == 0 && i < 60 ? std::to_string(1 + (i * 13 + k) % 29) : "0") +
                     std::string("\r\n");
        bytes += std::string(lengths[k % 4]) + "\r\n" + roundings[k % 4] + "\r\n";
        const std::string path = "/day/t" + std::to_string(k) + ".txt";
        files.files[path] = bytes;
        StatementLoad load = loadStatementTally(files, path, kComma, true);
        ASSERT_TRUE(load.tally) << load.error;
        tallies.push_back(std::move(*load.tally));
    }
    const Statement s = makeStatement(tallies, kComma);
    QTemporaryDir dir;
    const QString path = dir.filePath("day.xlsx");
    StagedFile file(path);
    ASSERT_EQ(writeStatementWorkbook(s, "День", workbookDate(), kComma, file), std::nullopt);
    ASSERT_EQ(file.commit(), std::nullopt);

    std::map<QString, QString> summary;
    int row = kSummaryHeadRow;
    for (const StatementTally &t : s.tallies) {
        ++row;
        for (auto [column, shown] : {std::pair{2, &t.texts.length},
                                     {3, &t.texts.Text13},
                                     {4, &t.texts.Text4},
                                     {5, &t.texts.Text1},
                                     {6, &t.texts.Text2}})
            summary[ref(row, column)] = written(*shown);
    }
    ++row;
    summary[ref(row, 3)] = written(decimalText(s.logs, 0, kComma));
    summary[ref(row, 4)] = written(volumeText(s.volume, kComma));
    summary[ref(row, 5)] = written(s.meanByCount);
    summary[ref(row, 6)] = written(s.meanByVolume);
    for (const GroupLine &g : groupLines(s.groups, kComma)) {
        summary[ref(++row, 3)] = written(g.logs);
        summary[ref(row, 4)] = written(g.volume);
    }
    EXPECT_EQ(numberCells(path, 1), summary);
    // The sheets whose numbers were written again stay packed, as the library packs them.
    const QString listing = test::zipListing(path);
    EXPECT_TRUE(listing.contains("xl/worksheets/sheet1.xml")) << listing.toStdString();
    EXPECT_FALSE(QRegularExpression("Stored .*xl/worksheets/").match(listing).hasMatch())
        << listing.toStdString();
    for (size_t k = 0; k < s.tallies.size(); ++k)
        EXPECT_EQ(numberCells(path, static_cast<int>(k) + 2), shownOnTallySheet(s.tallies[k].texts))
            << s.tallies[k].path;
    // The tally's own export, as the window and --report --xlsx write it, holds the same.
    Form form(kComma);
    form.startUp();
    selectTallySettings(form, TallySettings{test::entryOf(550), true, 3});
    test::typeCount(form, 24, "7");
    test::typeCount(form, 31, "3");
    test::typeCount(form, 12, "11");
    form.groupsOnSheet = true;
    ASSERT_EQ(writeExportWorkbook(form, dir.filePath("tally.xlsx")), std::nullopt);
    EXPECT_EQ(numberCells(dir.filePath("tally.xlsx"), 1), shownOnTallySheet(tallyTexts(form)));
}

}  // namespace
}  // namespace lumora
