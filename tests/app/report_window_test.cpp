// The report and the window, given the same tally, show the same figures.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <sstream>

#include "file_bytes_support.h"
#include "program_run_support.h"
#include "ui/count_box.h"
#include "ui/grid_frame.h"
#include "ui/main_window.h"

using namespace lumora;

TEST(ReportAndWindow, ShowTheSameFiguresForTheSameTally) {
    MainWindow w(NumberFormat{','});
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto *grid = w.findChild<GridFrame *>("Frame1");
    auto *lengths = w.findChild<QComboBox *>("Hight1");
    ASSERT_TRUE(grid && lengths);

    // A user picks 4,50 m, rounds to thousandths and types a small tally.
    const int entry = lengths->findText("4,50");
    ASSERT_GT(entry, 0);
    lengths->setCurrentIndex(entry);
    w.findChild<QAction *>("Tis")->trigger();
    const std::pair<int, const char *> typed[] = {{5, "12"}, {22, "7"}, {40, "3"}, {80, "1"}, {93, "2"}};
    for (auto [row, digits] : typed) {
        CountBox *box = grid->countBox(row);
        box->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        for (const char *c = digits; *c; ++c)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QChar(*c), Qt::NoModifier);
    }

    // The same counts as a tally file, read back by the report at the same length and rounding.
    QTemporaryDir dir;
    const std::string file = dir.filePath("tally.txt").toStdString();
    {
        std::string bytes;
        for (int i = 1; i <= 93; ++i) {
            const QString t = grid->countBox(i)->text();
            bytes += (t.isEmpty() ? std::string("0") : t.toStdString()) + "\r\n";
        }
        test::put(QString::fromStdString(file), QByteArray::fromStdString(bytes));
    }
    const test::ProgramRun run =
        test::runProgram({"--report", QString::fromStdString(file), "--length", "4.50", "--decimals", "3"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string &report = run.out;

    // What the window shows, in the report's words.
    std::ostringstream shown;
    shown << "Длина\t" << lengths->currentText().toStdString() << "\n";
    for (int i = 1; i <= 93; ++i) {
        const QString count = grid->countBox(i)->text();
        if (count.isEmpty()) continue;
        shown << w.form().row(i).d << "\t" << count.toStdString() << "\t" << w.form().row(i).vm3 << "\t"
              << grid->stepVolumeText(i).toStdString() << "\n";
    }
    auto box = [&](const char *name) { return w.findChild<QLineEdit *>(name)->text().toStdString(); };
    shown << "Итого\t" << box("Text13") << "\t" << box("Text4") << "\n";
    shown << "Ср.диам.\t" << box("Text1") << "\t" << box("Text2") << "\n";
    EXPECT_EQ(report, shown.str());
    EXPECT_NE(report.find("\t12\t"), std::string::npos) << report;  // the tally really is in it
}
