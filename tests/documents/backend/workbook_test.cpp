// The exported workbook on disk: read back from the .xlsx package itself and, where LibreOffice is
// installed, through LibreOffice as a user would see it.
#include "documents/backend/workbook.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <clocale>
#include <map>

#include "file_bytes_support.h"
#include "platform_support.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::kComma;
using test::typeCount;
using test::unzipped;

// Cell reference ("B3") -> (type, value): type "s" for a shared string (value is its text), "n" for a number.
std::map<QString, std::pair<QString, QString>> sheetCells(const QString &xlsx) {
    QStringList strings;
    const QString shared = QString::fromUtf8(unzipped(xlsx, "xl/sharedStrings.xml"));
    QRegularExpression si("<si><t[^>]*>([^<]*)</t></si>");
    for (auto it = si.globalMatch(shared); it.hasNext();) strings << it.next().captured(1);

    std::map<QString, std::pair<QString, QString>> cells;
    const QString sheet = QString::fromUtf8(unzipped(xlsx, "xl/worksheets/sheet1.xml"));
    QRegularExpression c("<c r=\"([A-Z]+[0-9]+)\"([^>]*)><v>([^<]*)</v></c>");
    for (auto it = c.globalMatch(sheet); it.hasNext();) {
        auto m = it.next();
        // Only the length has a format: two decimals, as the window shows it.
        EXPECT_EQ(m.captured(2).contains(" s="), m.captured(1) == "G1")
            << "a cell with a style: " << m.captured(0).toStdString();
        if (m.captured(2).contains("t=\"s\""))
            cells[m.captured(1)] = {"s", strings.value(m.captured(3).toInt())};
        else
            cells[m.captured(1)] = {"n", m.captured(3)};
    }
    return cells;
}

// The workbook is written as on a Russian desktop: the C library's locale has a decimal comma.
struct Workbook : ::testing::Test {
    Workbook() : f(kComma) {
        f.startUp();
        typeCount(f, 24, "5");
        typeCount(f, 26, "3");
        typeCount(f, 120, "1");
    }
    void SetUp() override {
        ASSERT_TRUE(std::setlocale(LC_ALL, os::russianCLocale()))
            << "the C library has no " << os::russianCLocale() << ": run scripts/setup";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
    Form f;
    QTemporaryDir dir;
};

TEST_F(Workbook, HoldsTheExportCellsWithNumbersAsNumbersAndTextsAsTexts) {
    if (!test::canUnzip()) GTEST_SKIP() << "no unzip to read the workbook";
    const QString path = dir.filePath("tally.xlsx");
    ASSERT_EQ(writeExportWorkbook(f, path), std::nullopt);
    auto cells = sheetCells(path);
    using P = std::pair<QString, QString>;
    EXPECT_EQ(cells["A1"], P("s", "Ср.диам."));
    EXPECT_EQ(cells["B1"].first, "n");
    EXPECT_EQ(cells["A2"], P("s", "Диаметр"));
    EXPECT_EQ(cells["B2"], P("s", "Кол-во"));
    EXPECT_EQ(cells["C2"], P("s", "Объем"));
    EXPECT_EQ(cells["A3"], P("n", "24"));
    EXPECT_EQ(cells["B3"], P("n", "5"));
    EXPECT_EQ(cells["A4"], P("n", "26"));
    EXPECT_EQ(cells["A5"], P("n", "120"));
    EXPECT_EQ(cells["A6"], P("s", "Итого"));
    EXPECT_EQ(cells["B6"], P("n", "9"));
    EXPECT_EQ(cells["C6"].first, "n");
    EXPECT_EQ(cells["C6"].second.toDouble(), *localeNumber(f.Text4(), kComma)) << f.Text4();
    // Beside the export's cells, which tally it is: its length and the date, with four-digit years.
    EXPECT_EQ(cells["F1"], P("s", "Длина, м"));
    ASSERT_EQ(f.listText(), "6,00");
    EXPECT_EQ(cells["G1"], P("n", "6"));  // shown with two decimals by its format
    EXPECT_EQ(cells["F2"], P("s", "Дата"));
    EXPECT_EQ(cells["G2"], P("s", QDate::currentDate().toString("dd.MM.yyyy")));
    EXPECT_EQ(cells.size(), 22u);
    // Column widths and every other number in the package keep the point too.
    const QString sheet = QString::fromUtf8(unzipped(path, "xl/worksheets/sheet1.xml"));
    EXPECT_FALSE(sheet.contains(QRegularExpression("=\"[0-9]+,[0-9]"))) << sheet.toStdString();
    // The sheet is named as the user's Russian spreadsheet program names a new one.
    EXPECT_TRUE(QString::fromUtf8(unzipped(path, "xl/workbook.xml")).contains("name=\"Лист1\""));
}

TEST_F(Workbook, ReadsBackInLibreOfficeAsTheTallyInTheWindow) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    const QString path = dir.filePath("tally.xlsx");
    ASSERT_EQ(writeExportWorkbook(f, path), std::nullopt);
    // A private profile, and LibreOffice under the Russian locale as the user runs it: it writes the
    // CSV's numbers with a decimal comma, so the fields are separated by ";".
    QProcess lo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LANG", "ru_RU.UTF-8");
    env.insert("LC_ALL", "ru_RU.UTF-8");
    lo.setProcessEnvironment(env);
    lo.start(soffice,
             {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless", "--convert-to",
              "csv:Text - txt - csv (StarCalc):59,34,76,1", "--outdir", dir.path(), path});
    ASSERT_TRUE(lo.waitForFinished(120000));
    QFile csv(dir.filePath("tally.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    const std::string v24 = f.row(test::rowOf(24)).vd, total = f.Text4();
    ASSERT_EQ(lines.size(), 6);
    // Texts come back quoted and numbers bare, as the window shows them: the cells kept their types.
    EXPECT_TRUE(lines[0].startsWith("\"Ср.диам.\";")) << lines[0].toStdString();
    // The export's own columns; the length and the date follow beside them.
    auto own = [&lines](int k) { return lines[k].trimmed().section(';', 0, 2).toStdString(); };
    EXPECT_EQ(own(1), "\"Диаметр\";\"Кол-во\";\"Объем\"");
    EXPECT_EQ(own(2), "24;5;" + v24);
    EXPECT_EQ(own(5), "\"Итого\";9;" + total);
    EXPECT_TRUE(lines[0].contains(";\"Длина, м\";")) << lines[0].toStdString();
}

TEST_F(Workbook, ABadTextWritesNoFileAndAFailedWriteKeepsTheOldOne) {
    const QString path = dir.filePath("tally.xlsx");
    f.setText4("");
    auto error = writeExportWorkbook(f, path);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("общий объем"), std::string::npos);
    EXPECT_FALSE(QFile::exists(path));

    auto missing = writeWorkbook({}, dir.filePath("no/such/folder/x.xlsx"));
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find("папка не найдена"), std::string::npos) << *missing;
}

}  // namespace
}  // namespace lumora
