// The real program on a Russian desktop: started with the Russian locale live in the C library, as
// every Russian desktop has it, it shows the standard's figures for counts typed into its window.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <clocale>

#include "platform_support.h"
#include "program_run_support.h"
#include "tally/form_test_support.h"

namespace lumora {
namespace {

TEST(RussianDesktop, TheWindowShowsTheStandardsFiguresForTypedCounts) {
    ASSERT_TRUE(std::setlocale(LC_ALL, os::russianCLocale()))
        << "the C library has no " << os::russianCLocale() << ": run scripts/setup";
    std::setlocale(LC_ALL, "C");

    QTemporaryDir home;
    const QString shown = home.filePath("shown.txt");
    test::ProgramStart how;
    how.program = LUMORA_SCRIPTED_BINARY;
    how.env = {{"QT_QPA_PLATFORM", "offscreen"}};
    for (const char *folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        how.env.emplace_back(folder, home.filePath(folder));
    // 7 logs of 3 cm, 5 of 14 cm, 3 of 24 cm and 2 of 41 cm at 6,00 m, typed key by key.
    how.env.emplace_back("LUMORA_TEST_SCRIPT",
                         "restore=no;leave=discard;type=Text1001:7;type=Text1012:5;"
                         "type=Text1022:3;type=Text1039:2;show=" +
                             shown + ";trigger=Exit");
    const test::ProgramRun run = test::runProgram({}, how);
    ASSERT_EQ(run.status, 0) << "the program did not end by itself: " << run.err;

    QFile file(shown);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Unit volumes as the standard prints them for 6,00 m; step volumes and the total rounded to
    // tenths from the exact products (0,084; 0,615; 0,99; 1,9; in all 3,589).
    Form fresh(test::kComma);
    fresh.startUp();
    for (auto [diameter, count] : {std::pair{3, "7"}, {14, "5"}, {24, "3"}, {41, "2"}})
        test::typeCount(fresh, diameter, count);
    const std::string expected =
        "Длина\t6,00\n"
        "3\t7\t0,012\t0,1\n"
        "14\t5\t0,123\t0,6\n"
        "24\t3\t0,33\t1\n"
        "41\t2\t0,95\t1,9\n"
        "Text13\t17\n"
        "Text4\t3,6\n"
        "Text1\t" +
        fresh.Text1() + "\nText2\t" + fresh.Text2() + "\n";
    EXPECT_EQ(file.readAll().toStdString(), expected);
}

}  // namespace
}  // namespace lumora
