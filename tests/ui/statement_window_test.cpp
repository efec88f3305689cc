// The window's groups and statement: the groups window follows the tally, and the statement dialog
// adds files, refuses those the batch refuses, prints and exports.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "documents/core/statement.h"
#include "documents/core/tally_texts.h"
#include "documents/core/thickness_groups.h"
#include "file_bytes_support.h"
#include "tally/tally_state.h"
#include "ui/groups_window.h"
#include "ui/statement_dialog.h"
#include "window_files_support.h"

namespace lumora {
namespace {

using test::kComma;

class GroupsFollow : public test::WindowFiles {};

TEST_F(GroupsFollow, TheGroupsWindowShowsWhatAFreshFormShowsForTheTally) {
    const QSize size = w->size();
    action("ThicknessGroups")->trigger();
    auto *groups = w->findChild<GroupsWindow *>("ThicknessGroupsWindow");
    ASSERT_NE(groups, nullptr);
    EXPECT_TRUE(groups->isVisible());
    for (const char *story : {"type 12 4", "type 24 5;type 30 2", "undo", "length 40"}) {
        ASSERT_FALSE(HasFatalFailure());
        play(story);
        Form fresh(kComma);
        fresh.startUp();
        TallyState::of(w->form()).applyTo(fresh);
        const auto lines = groupLines(*thicknessGroups(tallyTexts(fresh), kComma), kComma);
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(groups->textAt(r, 1).toStdString(), lines[static_cast<size_t>(r)].logs) << story;
            EXPECT_EQ(groups->textAt(r, 2).toStdString(), lines[static_cast<size_t>(r)].volume) << story;
        }
        EXPECT_EQ(groups->textAt(3, 2).toStdString(), fresh.Text4()) << story;
    }
    EXPECT_EQ(w->size(), size);  // the main window keeps its layout and size
    // A tool window of the main window: it stays above it while the user types there.
    EXPECT_TRUE(groups->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(groups->parentWidget(), w.get());
}

// The statement dialog opened again from the menu has the list and the title it was left with.
TEST_F(GroupsFollow, TheStatementDialogOpensAgainWithTheLastListAndTitle) {
    QTemporaryDir day;
    const QString a = day.filePath("a.txt"), b = day.filePath("b.txt");
    for (const QString &path : {a, b}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(test::tallyFile({{24, "5"}}) + "6,00\r\n2\r\n"));
    }
    QStringList seen;
    std::optional<std::string> title;
    auto whileOpen = [&](const std::function<void(StatementDialog &)> &step) {
        QTimer::singleShot(0, [&, step] {
            auto *dialog = qobject_cast<StatementDialog *>(QApplication::activeModalWidget());
            if (dialog) {
                step(*dialog);
                seen = dialog->paths();
                title = dialog->title();
                dialog->reject();
            }
        });
        action("Statement")->trigger();
    };
    whileOpen([&](StatementDialog &d) {
        d.addFiles({b, a});
        d.setTitle(std::string("День 9"));
    });
    seen.clear();
    title.reset();
    whileOpen([](StatementDialog &) {});
    EXPECT_EQ(seen, QStringList({b, a}));
    EXPECT_EQ(title, std::optional<std::string>("День 9"));
}

struct FakeSpreadsheet : SpreadsheetLauncher {
    QByteArray opened;
    bool open(const QString &path) override {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        opened = f.readAll();
        return true;
    }
};

struct PdfPrinter : PrinterDialogs {
    QString pdf, offered;
    bool choosePrinter(QPrinter &printer, const QString &name) override {
        offered = name;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    void showPreview(QPrinter &, const std::function<void(QPrinter *)> &) override {}
};

TEST(StatementWindow, AddsRefusesPrintsAndExports) {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    test::MemoryFiles files;
    FakeSpreadsheet spreadsheet;
    PdfPrinter printer;
    printer.pdf = dir.filePath("day.pdf");
    files.files["/day/a.txt"] = test::tallyFile({{24, "5"}}) + "6,00\r\n2\r\n";
    files.files["/day/b.txt"] = test::tallyFile({{12, "3"}}) + "4,00\r\n1\r\n";
    files.files["/day/old.txt"] = test::tallyFile({{12, "3"}});
    StatementServices services;
    services.dialogs = &dialogs;
    services.printerDialogs = &printer;
    services.spreadsheet = &spreadsheet;
    services.files = &files;
    services.pickFiles = [] { return QStringList{"/day/b.txt", "/day/old.txt", "/day/a.txt"}; };
    StatementDialog dialog(kComma, false, services);
    EXPECT_TRUE(dialog.addFiles({"/day/a.txt"}));
    dialog.chooseFiles();
    // The old file with the batch's message, and a file already there, are left out.
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0], loadStatementTally(files, "/day/old.txt", kComma).error);
    EXPECT_NE(dialogs.messages[1].find("/day/a.txt"), std::string::npos);
    ASSERT_EQ(dialog.statement().tallies.size(), 2u);
    const auto lines = statementLines(dialog.statement(), kComma);
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const QString line = QString::fromStdString(lines[static_cast<size_t>(r)]);
        QStringList shown;
        for (int c = 0; c < line.count('\t') + 1; ++c) shown << dialog.textAt(r, c);
        EXPECT_EQ(shown.join('\t'), line);
    }

    dialogs.answers = {std::string("День")};
    dialog.exportWorkbook();
    EXPECT_TRUE(spreadsheet.opened.startsWith("PK"));
    dialog.print();
    QFile pdf(printer.pdf);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")), 3);
    EXPECT_EQ(dialogs.messages.size(), 2u) << dialogs.messages.back();
    // The title was asked once, for both; the PDF is offered under it and the date, beside the tallies.
    EXPECT_EQ(std::count_if(dialogs.shown.begin(), dialogs.shown.end(),
                            [](const auto &s) { return s.kind == "input"; }),
              1);
    EXPECT_EQ(printer.offered,
              test::absolute("/day") + "/День " + QDate::currentDate().toString("dd.MM.yyyy") + ".pdf");
}

// The rows in the order the files were added; a click on a head sorts by it, a second the other way.
TEST(StatementWindow, KeepsTheOrderTheFilesWereAddedInAndSortsByAClickedHead) {
    test::ScriptedDialogs dialogs;
    test::MemoryFiles files;
    files.files["/day/3.txt"] = test::tallyFile({{24, "5"}}) + "6,00\r\n2\r\n";
    files.files["/day/1.txt"] = test::tallyFile({{12, "30"}}) + "4,00\r\n1\r\n";
    files.files["/day/2.txt"] = test::tallyFile({{40, "1"}}) + "5,50\r\n2\r\n";
    StatementServices services;
    services.dialogs = &dialogs;
    services.files = &files;
    StatementDialog dialog(kComma, false, services);
    ASSERT_TRUE(dialog.addFiles({"/day/1.txt", "/day/2.txt"}));
    ASSERT_TRUE(dialog.addFiles({"/day/3.txt"}));
    const QStringList added{"/day/1.txt", "/day/2.txt", "/day/3.txt"};
    EXPECT_EQ(dialog.paths(), added);
    EXPECT_EQ(dialog.textAt(0, 0), "1.txt");
    dialog.sortBy(0);
    dialog.sortBy(0);  // by file, the other way
    EXPECT_EQ(dialog.paths(), QStringList({"/day/3.txt", "/day/2.txt", "/day/1.txt"}));
    dialog.sortBy(2);  // by logs: 1, 5, 30
    EXPECT_EQ(dialog.paths(), QStringList({"/day/2.txt", "/day/3.txt", "/day/1.txt"}));
    EXPECT_EQ(dialog.textAt(0, 2), "1");
    EXPECT_EQ(dialog.statement().tallies.front().path, "/day/2.txt");  // what is printed follows
}

}  // namespace
}  // namespace lumora
