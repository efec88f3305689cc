// The document commands on real files: atomic saving, opening a bad file, the export handing the
// workbook to a spreadsheet program (or offering to save it), and printing to a PDF.
#include "documents/backend/document_commands.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "documents/core/scripted_dialogs.h"
#include "documents/core/tally_texts.h"
#include "file_bytes_support.h"
#include "platform_support.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

using test::kComma;
using test::rowOf;
using test::ScriptedDialogs;
using test::typeCount;
using test::unzipped;

using test::contents;
using test::put;

struct FakePrinterDialogs : PrinterDialogs {
    QString pdf;      // where the chosen "printer" writes; empty = Cancel
    QString offered;  // the file name the dialog offered
    int shown = 0, previews = 0;
    bool choosePrinter(QPrinter &printer, const QString &pdfName) override {
        ++shown;
        offered = pdfName;
        if (pdf.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    void showPreview(QPrinter &printer, const std::function<void(QPrinter *)> &paint) override {
        ++previews;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        paint(&printer);
    }
};

struct FakeSpreadsheet : SpreadsheetLauncher {
    bool starts = true;
    QByteArray opened;  // the workbook as it was when the program was asked to open it
    QString openedPath;
    bool open(const QString &path) override {
        opened = contents(path);
        openedPath = path;
        return starts;
    }
};

struct DocumentCommandsTest : ::testing::Test {
    DocumentCommandsTest() : f(kComma), commands(f, dialogs, printers, nullptr, &spreadsheet) { f.startUp(); }
    QString path(const char *name) const { return dir.filePath(name); }
    Form f;
    ScriptedDialogs dialogs;
    FakePrinterDialogs printers;
    FakeSpreadsheet spreadsheet;
    DocumentCommands commands;
    QTemporaryDir dir;
};

TEST_F(DocumentCommandsTest, SaveThenOpenOnDiskGivesBackTheCounts) {
    typeCount(f, 24, "5");
    typeCount(f, 40, "12");
    dialogs.answers = {path("t.txt").toStdString()};
    commands.Save();
    EXPECT_EQ(contents(path("t.txt")), QByteArray::fromStdString(tallyFileBytes(f)));

    Form other(kComma);
    other.startUp();
    DocumentCommands otherCommands(other, dialogs, printers);
    dialogs.answers = {path("t.txt").toStdString()};
    otherCommands.Open();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(tallyCounts(other), tallyCounts(f));
    EXPECT_EQ(other.Text4(), f.Text4());
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsThePreviousFileAndSaysWhy) {
    put(path("t.txt"), "previous");
    f.tallyFileName = path("t.txt").toStdString();
    typeCount(f, 24, "5");
    // Files may grow to 100 bytes only: the tally (over 279 bytes) cannot be written.
    if (!os::FileSizeLimit::supported()) GTEST_SKIP() << "no file-size limit on this system";
    {
        os::FileSizeLimit limit(100);
        commands.Save();
    }

    EXPECT_EQ(contents(path("t.txt")), "previous");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              "Не удалось сохранить файл «" + path("t.txt").toStdString() + "»: файл слишком большой.");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.txt"});  // no temporary left

    dialogs.messages.clear();
    dialogs.answers = {path("nowhere/t.txt").toStdString()};
    commands.SaveAs();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("папка не найдена"), std::string::npos) << dialogs.messages[0];
    EXPECT_EQ(f.tallyFileName, path("t.txt").toStdString());
}

// A tally open in another program (an editor, a spreadsheet): where the system locks it, the save says
// so and the file keeps its contents; where it does not, the save goes through.
TEST_F(DocumentCommandsTest, ASaveOverAFileHeldOpenElsewhereSaysSoWhereTheSystemLocksIt) {
    put(path("t.txt"), "previous");
    f.tallyFileName = path("t.txt").toStdString();
    typeCount(f, 24, "5");
    QFile held(path("t.txt"));
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    commands.Save();
    held.close();

    if (!os::openFilesAreLocked()) {
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_TRUE(contents(path("t.txt")).startsWith(writeTally(tallyCounts(f)).c_str()));
        return;
    }
    EXPECT_EQ(contents(path("t.txt")), "previous");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "Не удалось сохранить файл «" + path("t.txt").toStdString() +
                                       "»: файл открыт в другой программе.");
}

TEST_F(DocumentCommandsTest, OpeningABadOrMissingFileChangesNothing) {
    typeCount(f, 24, "5");
    f.tallyFileName = "mine.txt";
    const TallyTexts before = tallyTexts(f);
    put(path("bad.txt"), "1\r\n2\r\nтри\r\n");
    const struct {
        QString file;
        std::string message;
    } cases[] = {
        {path("bad.txt"), "В строке 3 должно быть целое число от 0 до 99999."},
        {path("missing.txt"),
         "Не удалось открыть файл «" + path("missing.txt").toStdString() + "»: файл не найден."},
        {dir.path(), "Не удалось открыть файл «" + dir.path().toStdString() + "»: это папка, а не файл."},
    };
    for (const auto &c : cases) {
        dialogs.messages.clear();
        dialogs.answers = {c.file.toStdString()};
        commands.Open();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].rfind(c.message, 0), 0u) << dialogs.messages[0];
        const TallyTexts after = tallyTexts(f);
        EXPECT_EQ(tallyCounts(f)[static_cast<size_t>(rowOf(24) - 1)], "5");
        EXPECT_EQ(after.Text4, before.Text4);
        EXPECT_EQ(after.Text1, before.Text1);
        EXPECT_EQ(f.tallyFileName, "mine.txt");
    }
}

TEST_F(DocumentCommandsTest, TheExportHandsACompleteWorkbookToTheSpreadsheetProgram) {
    typeCount(f, 24, "5");
    f.focusCountIndex = 1000 + rowOf(24);
    commands.Command5();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(spreadsheet.opened.startsWith("PK"));  // a zip package: the .xlsx
    EXPECT_EQ(f.returnFocusIndex, 1000 + rowOf(24));
    EXPECT_EQ(f.focusedCountIndex(), 1000 + rowOf(24));
}

TEST_F(DocumentCommandsTest, WithoutASpreadsheetProgramTheWorkbookCanBeSavedInstead) {
    typeCount(f, 24, "5");
    spreadsheet.starts = false;
    dialogs.questionAnswers = {true};
    dialogs.answers = {path("tally.xlsx").toStdString()};
    commands.ExportXLS();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].rfind("Не удалось запустить программу для работы с таблицами", 0), 0u);
    // It names the programs the system's users have, Excel first on Windows.
    const size_t calc = dialogs.questions[0].find("LibreOffice Calc");
    const size_t excel = dialogs.questions[0].find("Microsoft Excel");
    EXPECT_NE(calc, std::string::npos);
    if (os::usersHaveExcelFirst())
        EXPECT_LT(excel, calc);
    else
        EXPECT_EQ(excel, std::string::npos);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].filter, "Книга Excel (*.xlsx)");
    // The same cells (the bytes differ: a workbook carries the time it was written).
    put(path("opened.xlsx"), spreadsheet.opened);
    // Read back with unzip where there is one (Windows has none; scripts/test-windows compares the
    // report's workbook with the Linux one's instead).
    for (const char *member : {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"}) {
        if (!test::canUnzip()) break;
        const QByteArray saved = unzipped(path("tally.xlsx"), member);
        EXPECT_FALSE(saved.isEmpty()) << member;
        EXPECT_EQ(saved, unzipped(path("opened.xlsx"), member)) << member;
    }
    EXPECT_FALSE(QFile::exists(spreadsheet.openedPath)) << "the workbook no program took is not left behind";

    // Declining leaves no file behind.
    dialogs.questionAnswers = {false};
    commands.ExportXLS();
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(DocumentCommandsTest, AnExportOfABadTextSaysWhichAndStartsNothing) {
    f.setText1("");
    commands.ExportXLS();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("средний диаметр по количеству"), std::string::npos);
    EXPECT_TRUE(spreadsheet.opened.isEmpty());
}

TEST_F(DocumentCommandsTest, PrintAsksForThePrinterAndTheTitleThenPrints) {
    typeCount(f, 24, "5");
    printers.pdf = path("sheet.pdf");
    dialogs.answers = {std::string("Кв. 7")};
    commands.Print();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, "input");
    EXPECT_EQ(dialogs.shown[0].title, "Название таблицы");
    EXPECT_EQ(dialogs.shown[0].filter, "Введите название таблицы|Кв. , выд. , дел. ");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(contents(path("sheet.pdf")).startsWith("%PDF"));
}

// Print offers the tally's own title, the blank form only to a tally without one; what is typed
// becomes the tally's title as one line, a cancel or the blank form accepted as it is changes none.
TEST_F(DocumentCommandsTest, PrintOffersTheTallysTitleAndKeepsTheTypedOne) {
    typeCount(f, 24, "5");
    printers.pdf = path("sheet.pdf");
    const struct {
        const char *before;
        std::optional<std::string> typed;
        const char *offered, *after;
    } cases[] = {
        {"", std::string("Кв. 7"), "Кв. , выд. , дел. ", "Кв. 7"},
        {"Машина 1", std::string("Машина 2"), "Машина 1", "Машина 2"},
        {"Машина 1", std::nullopt, "Машина 1", "Машина 1"},
        {"Машина 1", std::string(""), "Машина 1", ""},
        {"", std::string("Кв. , выд. , дел. "), "Кв. , выд. , дел. ", ""},
        {"", std::string("Кв. 1\nМашина 3"), "Кв. , выд. , дел. ", "Кв. 1 Машина 3"},
    };
    for (const auto &c : cases) {
        f.tallyTitle = c.before;
        dialogs.shown.clear();
        dialogs.answers = {c.typed};
        commands.Print();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].filter, std::string("Введите название таблицы|") + c.offered) << c.before;
        EXPECT_EQ(f.tallyTitle, c.after) << c.before << " / " << c.typed.value_or("cancel");
    }
}

// Printed to a file, the sheet is offered beside its tally under the tally's name, and the PDF's
// Title is the sheet's title.
TEST_F(DocumentCommandsTest, PrintOffersTheTallysNameForAPdfTitledAsTheSheet) {
    typeCount(f, 24, "5");
    printers.pdf = path("sheet.pdf");
    const struct {
        std::string tally;
        QString offered;
    } cases[] = {{"", ""},
                 {path("участок 7.TXT").toStdString(), path("участок 7.pdf")},
                 {path("кв.12.выд.3").toStdString(), path("кв.12.выд.3.pdf")}};
    for (const auto &c : cases) {
        f.tallyFileName = c.tally;
        dialogs.answers = {std::string("Кв. 12, выд. 3")};
        commands.Print();
        EXPECT_EQ(printers.offered, c.offered) << c.tally;
    }
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "poppler-utils missing";
    QProcess info;
    info.start("pdfinfo", {path("sheet.pdf")});
    ASSERT_TRUE(info.waitForFinished(10000));
    EXPECT_TRUE(
        QString::fromUtf8(info.readAllStandardOutput())
            .contains(QRegularExpression("^Title: +Кв. 12, выд. 3$", QRegularExpression::MultilineOption)));
}

TEST_F(DocumentCommandsTest, ACancelledPrintDialogPrintsNothingAndABadTextIsTold) {
    printers.pdf.clear();
    commands.Print();
    EXPECT_EQ(printers.shown, 1);
    EXPECT_TRUE(dialogs.shown.empty());  // no title asked

    printers.pdf = path("sheet.pdf");
    f.setText4("x");
    dialogs.answers = {std::nullopt};  // the title box cancelled: printed without a title
    commands.Print();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "Лист не напечатан: общий объем — «x» — не число.");
    EXPECT_FALSE(QFile::exists(path("sheet.pdf")));

    dialogs.messages.clear();
    commands.PrintPreview();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(printers.previews, 0);
}

TEST_F(DocumentCommandsTest, APipeOrADeviceIsNeitherOpenedNorWrittenOver) {
    if (!os::makeFifo(path("pipe"))) GTEST_SKIP() << "no named pipes in this file system";
    typeCount(f, 24, "5");
    QElapsedTimer clock;
    clock.start();
    for (const QString &name : {path("pipe"), os::endlessDevice()}) {
        dialogs.answers = {name.toStdString()};
        EXPECT_FALSE(commands.Open());
    }
    EXPECT_LT(clock.elapsed(), 5000) << "the pipe was waited on";
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_NE(dialogs.messages[0].find("это не обычный файл"), std::string::npos) << dialogs.messages[0];
    EXPECT_EQ(f.row(rowOf(24)).count, "5");

    dialogs.messages.clear();
    dialogs.answers = {path("pipe").toStdString()};
    commands.SaveAs();
    printers.pdf = path("pipe");
    dialogs.answers = {std::string("Кв. 1")};
    commands.Print();
    spreadsheet.starts = false;
    dialogs.questionAnswers = {true};
    dialogs.answers = {path("pipe").toStdString()};
    commands.ExportXLS();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    for (const std::string &m : dialogs.messages)
        EXPECT_NE(m.find("не обычный файл"), std::string::npos) << m;
    EXPECT_TRUE(os::isFifo(path("pipe")));
    EXPECT_NE(f.tallyFileName, path("pipe").toStdString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden), QStringList{"pipe"});
}

TEST_F(DocumentCommandsTest, APrintToFileCutShortKeepsThePreviousPdf) {
    put(path("sheet.pdf"), "previous");
    typeCount(f, 24, "5");
    printers.pdf = path("sheet.pdf");
    dialogs.answers = {std::string("Кв. 7")};
    if (!os::FileSizeLimit::supported()) GTEST_SKIP() << "no file-size limit on this system";
    {
        os::FileSizeLimit limit(2048);  // a sheet is several kilobytes
        commands.Print();
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("полностью"), std::string::npos) << dialogs.messages[0];
    EXPECT_EQ(contents(path("sheet.pdf")), "previous");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"sheet.pdf"});

    dialogs.messages.clear();
    dialogs.answers = {std::string("Кв. 7")};
    commands.Print();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(contents(path("sheet.pdf")).startsWith("%PDF"));
}

// No temporary fits beside the file, so the file itself is written, as a plain save would.
TEST_F(DocumentCommandsTest, AWritableFileInAFolderTheUserCannotWriteIsSavedInPlace) {
    if (!os::folderPermissionsBind())
        GTEST_SKIP() << "folder permissions do not stop this user (as root, a process test runs as nobody)";
    QDir().mkdir(path("locked"));
    put(path("locked/t.txt"), "previous");
    QFile::setPermissions(path("locked/t.txt"), QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    dialogs.answers = {path("locked/t.txt").toStdString()};
    typeCount(f, 24, "5");
    commands.SaveAs();
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(contents(path("locked/t.txt")).toStdString(), writeTally(tallyCounts(f)));
}

TEST_F(DocumentCommandsTest, TheExportedWorkbookHasAPlainNameInTheCacheFolderAndOldOnesGo) {
    typeCount(f, 24, "5");
    commands.ExportXLS();
    ASSERT_FALSE(spreadsheet.openedPath.isEmpty());
    EXPECT_EQ(QFileInfo(spreadsheet.openedPath).absolutePath(), QFileInfo(exportFolder()).absoluteFilePath());
    const QString name = QFileInfo(spreadsheet.openedPath).fileName();
    for (QChar c : name) EXPECT_LT(c.unicode(), 128) << name.toStdString();
    EXPECT_TRUE(name.endsWith(".xlsx"));

    const QString stale = QDir(exportFolder()).filePath("workbook-stale.xlsx");
    put(stale, "old");
    QFile file(stale);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    file.close();
    removeStaleWorkbooks();
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(spreadsheet.openedPath))
        << "today's workbook stays for the spreadsheet program";
}

}  // namespace
}  // namespace lumora
