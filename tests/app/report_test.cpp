// The batch report, run as a user runs it: the program with --report, its output and exit status.
#include "app/report.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <iterator>

#include "file_bytes_support.h"
#include "platform_support.h"
#include "program_run_support.h"
#include "tally/form.h"

using namespace lumora;

namespace {

using ReportRun = test::ProgramRun;

ReportRun runReport(const QStringList &args, const char *lang = "ru_RU.UTF-8") {
    test::ProgramStart how;
    how.lang = lang;
    return test::runProgram(args, how);
}

// A tally file with the given counts at the given rows (1..93), as the program saves it.
std::string writeTallyFile(const QTemporaryDir &dir, const std::vector<std::pair<int, std::string>> &counts,
                           const char *name = "tally.txt", const std::string &after = "") {
    std::string lines[93];
    for (auto &l : lines) l = "0";
    for (auto &[row, text] : counts) lines[row - 1] = text;
    // Through Qt: a narrow file name reaches Windows in its ANSI code page, not UTF-8.
    std::string bytes;
    for (auto &l : lines) bytes += l + "\r\n";
    test::put(dir.filePath(name), QByteArray::fromStdString(bytes + after));
    return dir.filePath(name).toStdString();
}

}  // namespace

TEST(Report, PrintsWhatTheWindowShowsForASavedTally) {
    QTemporaryDir dir;
    const std::string file = writeTallyFile(dir, {{22, "5"}, {28, "2"}});  // 24 cm and 30 cm
    ReportRun r =
        runReport({"--report", QString::fromStdString(file), "--length", "6.00", "--decimals", "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Длина\t6,00\n"
              "24\t5\t0,33\t1,65\n"
              "30\t2\t0,52\t1,04\n"
              "Итого\t7\t2,69\n"
              "Ср.диам.\t25,71\t26,32\n");
    EXPECT_EQ(r.err, "");

    ReportRun one =
        runReport({"--report", QString::fromStdString(file), "--length", "6,00", "--decimals", "1"});
    EXPECT_EQ(one.out,
              "Длина\t6,00\n"
              "24\t5\t0,33\t1,7\n"
              "30\t2\t0,52\t1\n"
              "Итого\t7\t2,7\n"
              "Ср.диам.\t25,7\t26,2\n");
}

// The help says how a tally file of earlier versions (93 lines) is rounded, and that is how the report
// rounds it; the help lists --help once.
TEST(Report, TheHelpNamesTheRoundingOfAnOldTallyFile) {
    QTemporaryDir dir;
    const std::string file = writeTallyFile(dir, {{22, "5"}, {28, "2"}});  // mean diameter 25,714…
    ReportRun r = runReport({"--report", QString::fromStdString(file), "--length", "6,00"});
    ASSERT_EQ(r.status, 0) << r.err;
    const size_t mean = r.out.find("Ср.диам.\t");
    ASSERT_NE(mean, std::string::npos) << r.out;
    const std::string diameter = r.out.substr(mean + 15, r.out.find('\t', mean + 15) - mean - 15);
    const size_t comma = diameter.find(',');
    const size_t places = comma == std::string::npos ? 0 : diameter.size() - comma - 1;

    const std::string help = runReport({"--help"}).out;
    const std::pair<const char *, size_t> words[] = {
        {"до десятых)", 1}, {"до сотых)", 2}, {"до тысячных)", 3}};
    std::vector<size_t> named;
    for (const auto &[text, n] : words)
        if (help.find(std::string("в файле прежних версий — ") + text) != std::string::npos)
            named.push_back(n);
    EXPECT_EQ(named, std::vector<size_t>{places}) << diameter << "\n" << help;
    size_t helps = 0;
    for (size_t at = help.find("--help"); at != std::string::npos; at = help.find("--help", at + 1)) ++helps;
    EXPECT_EQ(helps, 1u) << help;
}

TEST(Report, NamesTheCountedStepsWhoseUnitVolumeIsAnEstimate) {
    QTemporaryDir dir;
    const std::string file = writeTallyFile(dir, {{13, "12"}, {14, "5"}, {15, "7"}});  // 15, 16, 17 cm
    ReportRun r =
        runReport({"--report", QString::fromStdString(file), "--length", "3,00", "--decimals", "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Длина\t3,00\n"
              "15\t12\t0,06\t0,72\n"
              "16\t5\t0,069\t0,35\n"
              "17\t7\t0,077\t0,54\n"
              "Итого\t24\t1,61\n"
              "Ср.диам.\t15,79\t15,89\n"
              "Оценка\t15 17\n");
    // The same counts at 6,00 m use the standard's values only: no such line.
    ReportRun six = runReport({"--report", QString::fromStdString(file), "--length", "6,00"});
    EXPECT_EQ(six.status, 0) << six.err;
    EXPECT_EQ(six.out.find("Оценка"), std::string::npos) << six.out;
}

TEST(Report, FollowsTheLocaleAndTheRoundingOptions) {
    if (!os::decimalSeparatorFollowsLang())
        GTEST_SKIP() << "the separator follows the regional settings here";
    QTemporaryDir dir;
    const QString file = QString::fromStdString(writeTallyFile(dir, {{22, "5"}, {28, "2"}}));
    ReportRun point = runReport({"--report", file, "--length", "6,00", "--no-rounding"}, "C.UTF-8");
    EXPECT_EQ(point.status, 0) << point.err;
    EXPECT_EQ(point.out,
              "Длина\t6.00\n"
              "24\t5\t0.33\t1.65\n"
              "30\t2\t0.52\t1.04\n"
              "Итого\t7\t2.69\n"
              "Ср.диам.\t25.714\t26.32\n");
    ReportRun start =
        runReport({"--report", file, "--length", "6.00"});  // rounded to one decimal, as at start
    EXPECT_NE(start.out.find("24\t5\t0,33\t1,7\n"), std::string::npos) << start.out;
    EXPECT_NE(start.out.find("Итого\t7\t2,7\n"), std::string::npos) << start.out;
}

TEST(Report, RefusesABrokenFileWithItsMessageAndNoOutput) {
    QTemporaryDir dir;
    std::string shortFile = dir.filePath("short.txt").toStdString();
    test::put(QString::fromStdString(shortFile), "1\r\n2\r\n");
    ReportRun r = runReport({"--report", QString::fromStdString(shortFile), "--length", "6,00"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(r.err.empty());

    ReportRun missing = runReport({"--report", dir.filePath("none.txt"), "--length", "6,00"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");

    // Counts its own length cannot show: refused as the window's Open refuses them, naming the step.
    const std::string unshowable = writeTallyFile(dir, {{93, "1"}}, "short-logs.txt", "0,50\r\n2\r\n");
    ReportRun at050 = runReport({"--report", QString::fromStdString(unshowable)});
    EXPECT_EQ(at050.status, 1);
    EXPECT_EQ(at050.out, "");
    EXPECT_NE(at050.err.find("при длине 0,50 м нет ступеней, количества которых в нём есть: 120 см — 1 шт."),
              std::string::npos)
        << at050.err;
}

TEST(Report, NamesWhatIsWrongWithTheCommandLine) {
    QTemporaryDir dir;
    const QString file = QString::fromStdString(writeTallyFile(dir, {}));
    struct Case {
        QStringList args;
        const char *mentions;
    } cases[] = {
        {{"--report", file, "--length", "6,05"}, "6,05"},
        {{"--report", file, "--length", "6,00", "--decimals", "4"}, "4"},
        {{"--report", file, "--length", "6,00", "--decimals", "2", "--no-rounding"}, "--no-rounding"},
        {{"--report", file, "--length"}, "--length"},
        {{"--report", file}, "--length"},
        {{"--report", file, "--length", "6,00", "--colour"}, "--colour"},
    };
    for (const auto &c : cases) {
        ReportRun r = runReport(c.args);
        EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    ReportRun help = runReport({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--report"), std::string::npos);
}

TEST(Report, WritesTheDocumentsItIsAskedFor) {
    QTemporaryDir dir;
    const QString file = QString::fromStdString(writeTallyFile(dir, {{22, "5"}, {28, "007"}}));
    const QString xlsx = dir.filePath("out.xlsx"), pdf = dir.filePath("out.pdf"),
                  saved = dir.filePath("saved.txt");
    ReportRun r = runReport({"--report", file, "--length", "6,00", "--xlsx", xlsx, "--pdf", pdf, "--title",
                             "Кв. 12, выд. 3", "--save", saved});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Итого\t12\t"), std::string::npos);
    auto head = [](const QString &path, int n) { return test::contents(path).left(n).toStdString(); };
    EXPECT_EQ(head(xlsx, 2), "PK");
    EXPECT_EQ(head(pdf, 5), "%PDF-");
    // Saved as the Save command writes it: the loaded lines as they were, empty steps as "0".
    const std::string bytes = test::contents(saved).toStdString();
    const std::string expected = test::contents(file).toStdString();
    EXPECT_EQ(bytes, expected + "6,00\r\n1\r\n") << "with the length and rounding of the report";
}

// A file saved with its length and rounding is reported with them; an option may repeat them but not
// contradict them.
TEST(Report, TakesTheLengthAndRoundingOfTheFileAndRefusesOptionsThatDiffer) {
    QTemporaryDir dir;
    const QString hundredths =
        QString::fromStdString(writeTallyFile(dir, {{22, "5"}, {28, "2"}}, "a.txt", "4,00\r\n2\r\n"));
    const QString unrounded =
        QString::fromStdString(writeTallyFile(dir, {{22, "5"}, {28, "2"}}, "b.txt", "4.00\r\n-\r\n"));
    const std::string atFourMetres = "Длина\t4,00\n24\t5\t0,21\t1,05\n30\t2\t0,33\t0,66\nИтого\t7\t1,71\n";
    const struct {
        QStringList args;
        int status;
        const char *output;  // the start of standard output, or what standard error mentions
    } cases[] = {
        {{"--report", hundredths}, 0, atFourMetres.c_str()},
        {{"--report", hundredths, "--length", "4.00", "--decimals", "2"}, 0, atFourMetres.c_str()},
        {{"--report", hundredths, "--length", "6,00"}, 2, "4,00"},
        {{"--report", hundredths, "--decimals", "1"}, 2, "--decimals"},
        {{"--report", hundredths, "--no-rounding"}, 2, "--no-rounding"},
        {{"--report", unrounded, "--no-rounding"}, 0, "Длина\t4,00\n24\t5\t0,21\t1,05\n"},
        {{"--report", unrounded, "--decimals", "2"}, 2, "--decimals"},
    };
    for (const auto &c : cases) {
        ReportRun r = runReport(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.status, c.status) << what << ": " << r.err;
        if (c.status == 0) {
            EXPECT_EQ(r.out.substr(0, std::string(c.output).size()), c.output) << what;
        } else {
            EXPECT_EQ(r.out, "") << what;
            EXPECT_NE(r.err.find(c.output), std::string::npos) << what << ": " << r.err;
        }
    }
}

TEST(Report, ADocumentThatCannotBeWrittenFailsWithoutOutput) {
    QTemporaryDir dir;
    const QString file = QString::fromStdString(writeTallyFile(dir, {{22, "5"}}));
    ReportRun r =
        runReport({"--report", file, "--length", "6,00", "--save", dir.filePath("no/such/dir/t.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(r.err.empty());
    ReportRun title = runReport({"--report", file, "--length", "6,00", "--title", "x"});
    EXPECT_EQ(title.status, 2);
}

// The help says how the two mean diameters are worked out, for the tally and for the statement.
TEST(Report, TheHelpSaysHowTheMeanDiametersAreComputed) {
    const ReportRun r = runReport({"--report", "x.txt", "--help"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char *words :
         {"взвешенные средние арифметические", "сумма (диаметр × количество)",
          "(диаметр × объем ступени) / общий объем", "средними\nдиаметрами всей ведомости"})
        EXPECT_NE(r.out.find(words), std::string::npos) << words;
}
