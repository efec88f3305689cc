// The statement's workbook and printed statement, read back from the files written.
#include "documents/backend/statement_documents.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <map>

#include "documents/core/scripted_dialogs.h"
#include "file_bytes_support.h"
#include "print/sheet_painter.h"
#include "print/statement_print.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::kComma;
using test::MemoryFiles;
using test::unzipped;

// A statement of `n` tallies at 4,00 m, 6,00 m and 3,00 m in turn, rounded to 1, 2 and 3 decimals.
Statement statementOf(int n, const std::string &prefix = "лот ") {
    const char *lengths[] = {"4,00", "6,00", "3,00"};
    MemoryFiles files;
    std::vector<StatementTally> tallies;
    for (int k = 0; k < n; ++k) {
        std::string bytes;
        for (int i = 1; i <= kRowCount; ++i)
            bytes += (i == 10 + k % 20 ? std::to_string(k + 1) : "0") + std::string("\r\n");
        bytes += std::string(lengths[k % 3]) + "\r\n" + std::to_string(1 + k % 3) + "\r\n";
        const std::string path = "/day/" + prefix + std::to_string(k + 1) + ".txt";
        files.files[path] = bytes;
        StatementLoad load = loadStatementTally(files, path, kComma);
        EXPECT_TRUE(load.tally) << load.error;
        if (load.tally) tallies.push_back(std::move(*load.tally));
    }
    return makeStatement(std::move(tallies), kComma);
}

TEST(StatementSheetNames, AreTheFileNamesMadeUniqueAndShortEnough) {
    const std::string long40 = "участок-номер-двенадцать-делянка-семь-ель.txt";
    const std::vector<std::string> names =
        statementSheetNames({"лот 1.txt", "ЛОТ 1.TXT", "лот 1.txt", "a[1]:b*c?.txt", "Сводка.txt", long40,
                             long40, "'x'.txt", ".txt"});
    const std::vector<std::string> expected = {"лот 1",
                                               "ЛОТ 1 (2)",
                                               "лот 1 (3)",
                                               "a_1__b_c_",
                                               "Сводка (2)",
                                               "участок-номер-двенадцать-делянк",
                                               "участок-номер-двенадцать-де (2)",
                                               "x",
                                               "Пересчёт"};
    EXPECT_EQ(names, expected);
    for (const std::string &n : names) EXPECT_LE(QString::fromStdString(n).size(), 31) << n;
}

struct StatementWorkbook : ::testing::Test {
    QTemporaryDir dir;
    Statement s = statementOf(3);
    QString write() {
        const QString path = dir.filePath("day.xlsx");
        StagedFile file(path);
        EXPECT_EQ(writeStatementWorkbook(s, "День 7", "09.12.26", kComma, file), std::nullopt);
        EXPECT_EQ(file.commit(), std::nullopt);
        return path;
    }
};

TEST_F(StatementWorkbook, HasTheSummaryFirstThenASheetPerTally) {
    if (!test::canUnzip()) GTEST_SKIP() << "no unzip to read the workbook";
    const QString path = write();
    const QString book = QString::fromUtf8(unzipped(path, "xl/workbook.xml"));
    QStringList sheets;
    QRegularExpression name("<sheet name=\"([^\"]*)\"");
    for (auto it = name.globalMatch(book); it.hasNext();) sheets << it.next().captured(1);
    EXPECT_EQ(sheets, QStringList({"Сводка", "лот 1", "лот 2", "лот 3"}));
    // The summary's figures are numbers: the third tally's volume and the total.
    const QString summary = QString::fromUtf8(unzipped(path, "xl/worksheets/sheet1.xml"));
    QRegularExpression number("<c r=\"D([0-9]+)\"[^>]*><v>([^<]*)</v></c>");
    std::map<int, double> volumes;
    for (auto it = number.globalMatch(summary); it.hasNext();) {
        auto m = it.next();
        if (!m.captured(0).contains("t=\"s\"")) volumes[m.captured(1).toInt()] = m.captured(2).toDouble();
    }
    EXPECT_EQ(volumes[7], *localeNumber(s.tallies[2].texts.Text4, kComma));
    EXPECT_EQ(volumes[8], static_cast<double>(s.volume) / 10000);
}

TEST_F(StatementWorkbook, ReadsBackInLibreOffice) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    const QString path = write();
    QProcess lo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    lo.setProcessEnvironment(env);
    // Texts quoted, numbers bare; token 12 = -1: every sheet to a CSV of its own, day-SHEET.csv.
    lo.start(soffice,
             {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless", "--convert-to",
              "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,true,false,false,false,-1", "--outdir",
              dir.path(), path});
    ASSERT_TRUE(lo.waitForFinished(120000));
    QFile csv(dir.filePath("day-Сводка.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << QDir(dir.path()).entryList().join(' ').toStdString();
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11);
    auto point = [](const std::string &shown) {
        return QString::fromStdString(shown).replace(',', '.').toStdString();
    };
    EXPECT_EQ(lines[0].trimmed().toStdString(), "\"День 7\",,,,,");
    EXPECT_EQ(
        lines[3].trimmed().toStdString(),
        "\"Файл\",\"Длина, м\",\"Кол-во\",\"Объем, м³\",\"Ср. диам. по кол-ву, см\",\"Ср. диам. по объему, "
        "см\"");
    const TallyTexts &first = s.tallies[0].texts;
    EXPECT_EQ(lines[4].trimmed().toStdString(), "\"лот 1.txt\",4,1," + point(first.Text4) + "," +
                                                    point(first.Text1) + "," + point(first.Text2));
    EXPECT_EQ(lines[7].trimmed().toStdString(), "\"Итого\",," + std::to_string(s.logs) + "," +
                                                    point(volumeText(s.volume, kComma)) + "," +
                                                    point(s.meanByCount) + "," + point(s.meanByVolume));
    EXPECT_TRUE(lines[8].startsWith("\"Мелкие (до 13 см)\",,")) << lines[8].toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("day-лот 3.csv")));
}

TEST(StatementPrint, ALongListRunsOverSeveralSummaryPagesThenOneSheetPerTally) {
    const Statement s = statementOf(130);
    QPrinter printer(QPrinter::HighResolution);
    prepareSheetPrinter(printer);
    const StatementPages pages = statementPages(printer, s, "День", "09.12.26", kComma);
    ASSERT_TRUE(pages.ok) << pages.error;
    EXPECT_GE(pages.summaryPages, 3);
    EXPECT_EQ(pages.pages.size(), static_cast<size_t>(pages.summaryPages) + 130);
    // Every tally's row once, each on the page and above its foot.
    const double height = sheetPaper(printer).height();
    int rows = 0;
    for (int p = 0; p < pages.summaryPages; ++p)
        for (const SheetItem &item : pages.pages[static_cast<size_t>(p)]) {
            EXPECT_LT(item.y + 240, height - 1000) << item.text;
            if (item.text.rfind("лот ", 0) == 0) ++rows;
        }
    EXPECT_EQ(rows, 130);
    // The PDF holds as many pages.
    QTemporaryDir dir;
    StagedFile pdf(dir.filePath("day.pdf"));
    ASSERT_EQ(printStatementToPdf(s, "День", "09.12.26", kComma, pdf), std::nullopt);
    ASSERT_EQ(pdf.commit(), std::nullopt);
    QFile file(dir.filePath("day.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(file.readAll());
    EXPECT_EQ(bytes.count(QRegularExpression("/Type\\s*/Page[^s]")), pages.summaryPages + 130);
}

}  // namespace
}  // namespace lumora
