// The batch statement and the report's groups, run as a user runs them: the program, its output,
// its exit status and the files it leaves.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "file_bytes_support.h"
#include "program_run_support.h"
#include "table/volume_table.h"

namespace {

using lumora::test::ProgramRun;

ProgramRun run(const QStringList &args) { return lumora::test::runProgram(args); }

// A tally file: counts by diameter, then its length and rounding lines when given.
QString tally(const QTemporaryDir &dir, const char *name, const std::map<int, int> &counts,
              const std::string &tail = "") {
    const QString path = dir.filePath(QString::fromUtf8(name));
    // Through Qt: a narrow file name reaches Windows in its ANSI code page, not UTF-8.
    std::string bytes;
    for (int d : lumora::diametersCm()) {
        auto it = counts.find(d);
        bytes += std::to_string(it == counts.end() ? 0 : it->second) + "\r\n";
    }
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(QByteArray::fromStdString(bytes + tail));
    return path;
}

TEST(StatementBatch, PrintsEachFileThenTheTotalsAndTheGroups) {
    QTemporaryDir dir;
    // 6,00 m to hundredths: 24 cm 0,33 m3 a log, 30 cm 0,52; 4,00 m to tenths: 12 cm 0,053, 26 cm 0,25.
    const QString a = tally(dir, "лот 1.txt", {{24, 5}, {30, 2}}, "6,00\r\n2\r\n");
    const QString b = tally(dir, "lot2.txt", {{12, 10}, {26, 3}}, "4,00\r\n1\r\n");
    const ProgramRun r = run({"--statement", a, b});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              // The mean diameters by count and by volume, each as its window shows them; the
              // statement's by the same rule, to its hundredths: 378 / 20 and 97,6 / 3,99.
              "лот 1.txt\t6,00\t7\t2,69\t25,71\t26,32\n"
              "lot2.txt\t4,00\t13\t1,3\t15,2\t20,6\n"
              "Итого\t\t20\t3,99\t18,9\t24,46\n"
              "Мелкие (до 13 см)\t\t10\t0,5\n"
              "Средние (14–24 см)\t\t5\t1,65\n"
              "Крупные (от 26 см)\t\t5\t1,84\n");
    // The report of one tally adds the same groups with --groups, and is unchanged without it.
    const ProgramRun plain = run({"--report", a});
    const ProgramRun groups = run({"--report", a, "--groups"});
    ASSERT_EQ(groups.status, 0) << groups.err;
    EXPECT_EQ(groups.out, plain.out +
                              "Мелкие (до 13 см)\t0\t0\n"
                              "Средние (14–24 см)\t5\t1,65\n"
                              "Крупные (от 26 см)\t2\t1,04\n");
}

// --report --groups --xlsx: the groups are under the totals of the workbook too, and only when asked.
TEST(StatementBatch, TheReportsWorkbookHoldsTheGroupsWhenAskedFor) {
    if (!lumora::test::canUnzip()) GTEST_SKIP() << "no unzip to read the workbook";
    QTemporaryDir dir;
    const QString a = tally(dir, "a.txt", {{24, 5}, {30, 2}}, "6,00\r\n2\r\n");
    const QString book = dir.filePath("a.xlsx");
    for (bool groups : {false, true}) {
        QStringList args{"--report", a, "--xlsx", book};
        if (groups) args << "--groups";
        const ProgramRun r = run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const QString strings = QString::fromUtf8(lumora::test::unzipped(book, "xl/sharedStrings.xml"));
        const QString sheet = QString::fromUtf8(lumora::test::unzipped(book, "xl/worksheets/sheet1.xml"));
        for (const char *label : {"Мелкие (до 13 см)", "Средние (14–24 см)", "Крупные (от 26 см)"})
            EXPECT_EQ(strings.contains(label), groups) << label;
        // The large logs, 1,04 m³: the 30 cm step's volume, and with the groups their volume again.
        EXPECT_EQ(sheet.count("<v>1.04</v>"), groups ? 2 : 1) << sheet.toStdString();
    }
}

TEST(StatementBatch, RefusesWhatItCannotDoAndWritesNothing) {
    QTemporaryDir dir;
    const QString good = tally(dir, "good.txt", {{24, 5}}, "6,00\r\n2\r\n");
    const QString old = tally(dir, "old.txt", {{24, 5}});
    const QString broken = tally(dir, "broken.txt", {{24, 5}}, "6,00\r\nx\r\n");
    const QString xlsx = dir.filePath("out.xlsx"), pdf = dir.filePath("out.pdf");
    struct Case {
        QStringList args;
        int status;
        std::string says;
    } cases[] = {
        {{"--statement", good, old, "--xlsx", xlsx, "--pdf", pdf}, 1, "old.txt"},
        {{"--statement", broken, good, "--xlsx", xlsx}, 1, "broken.txt"},
        {{"--statement", "--xlsx", xlsx}, 2, "не указаны файлы"},
        {{"--statement", good, "--length", "6,00"}, 2, "--length"},
        {{"--statement", good, "--title", "День"}, 2, "--title"},
        {{"--statement", good, "--xlsx", good}, 2, "--xlsx"},
        {{"--statement", good, "--xlsx", xlsx, "--pdf", xlsx}, 2, "дважды"},
        {{"--statement", good, "--pdf"}, 2, "--pdf"},
    };
    for (const Case &c : cases) {
        const ProgramRun r = run(c.args);
        const std::string args = c.args.join(' ').toStdString();
        EXPECT_EQ(r.status, c.status) << args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << args << "\n" << r.err;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_FALSE(QFile::exists(xlsx) || QFile::exists(pdf)) << args;
    }
    // The help tells of both.
    const ProgramRun help = run({"--help"});
    EXPECT_NE(help.out.find("--statement ФАЙЛ..."), std::string::npos);
    EXPECT_NE(help.out.find("--groups"), std::string::npos);
}

}  // namespace
