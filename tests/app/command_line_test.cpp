// The program's own command line: a file to open, --help and --version without a display, and a
// wrong option refused in Russian with status 2.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include "program_run_support.h"

using namespace lumora;

namespace {

using Action = WindowCommandLine::Action;

// As the about box shows it: major.minor.0.revision.
const QString kVersion = "lumora " + programVersion() + "\n";

TEST(CommandLine, NamesAFileOrAsksForHelpVersionOrRefuses) {
    struct Case {
        QStringList args;
        Action action;
        QString fileOrText;  // the file, or a piece of the printed text
    } cases[] = {
        {{"lumora"}, Action::OpenWindow, ""},
        {{"lumora", "делянка 12.txt"}, Action::OpenWindow, "делянка 12.txt"},
        {{"lumora", "--", "-t.txt"}, Action::OpenWindow, "-t.txt"},
        {{"lumora", "--version"}, Action::PrintAndExit, kVersion},
        {{"lumora", "-v"}, Action::PrintAndExit, kVersion},
        {{"lumora", "--help"}, Action::PrintAndExit, "lumora [ФАЙЛ]"},
        {{"lumora", "-h", "t.txt"}, Action::PrintAndExit, "--report ФАЙЛ [--length ДЛИНА]"},
        {{"lumora", "--colour"}, Action::Fail, "lumora: неизвестный параметр «--colour»"},
        {{"lumora", "-x", "t.txt"}, Action::Fail, "неизвестный параметр «-x»"},
        {{"lumora", "a.txt", "b.txt"}, Action::Fail, "только один файл"},
        {{"lumora", ""}, Action::Fail, "пустое имя файла"},
        {{"lumora", "--", "--save"}, Action::OpenWindow, "--save"},
    };
    for (const Case &c : cases) {
        const WindowCommandLine line = parseWindowCommandLine(c.args);
        const std::string args = c.args.join(' ').toStdString();
        EXPECT_EQ(line.action, c.action) << args;
        if (c.action == Action::OpenWindow) {
            EXPECT_EQ(line.file, c.fileOrText) << args;
        } else {
            EXPECT_TRUE(line.text.contains(c.fileOrText)) << args << "\n" << line.text.toStdString();
            EXPECT_TRUE(line.file.isEmpty());
        }
    }
}

struct ProgramRun {
    int status;
    QString out, err;
};

// The program started as from a terminal with no display at all.
ProgramRun runWithoutDisplay(const QStringList &args) {
    const test::ProgramRun r = test::runProgram(args);
    return {r.status, QString::fromStdString(r.out), QString::fromStdString(r.err)};
}

TEST(CommandLine, HelpAndVersionPrintWithoutADisplayAndAWrongOptionExitsWithTwo) {
    const ProgramRun version = runWithoutDisplay({"--version"});
    EXPECT_EQ(version.status, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, kVersion);
    const ProgramRun help = runWithoutDisplay({"--help"});
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains("lumora [ФАЙЛ]") && help.out.contains("--report"));
    const ProgramRun wrong = runWithoutDisplay({"--colour", "t.txt"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.out, "");
    EXPECT_TRUE(wrong.err.startsWith("lumora: неизвестный параметр «--colour»")) << wrong.err.toStdString();
    // The report's options still lead to the report, with its own statuses.
    EXPECT_EQ(runWithoutDisplay({"--length", "6,00"}).status, 2);
}

}  // namespace
