// The window's document commands for real (WindowDocuments over scripted dialogs and files in
// memory): what counts as saved, what the title says, what leaving asks, and the recovery file.
#include "ui/window_documents.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "../documents/core/scripted_dialogs.h"
#include "../tally/tally_state_support.h"
#include "documents/backend/document_commands.h"
#include "window_test_support.h"

namespace lumora {
namespace {

using test::MemoryFiles;
using test::rowOf;
using test::ScriptedDialogs;

struct NoPrinter : PrinterDialogs {
    bool choosePrinter(QPrinter &, const QString &) override { return false; }
    void showPreview(QPrinter &, const std::function<void(QPrinter *)> &) override {}
};

// A tally file with one count at the given diameters.
std::string tallyFile(std::initializer_list<std::pair<int, const char *>> counts) {
    std::string out;
    for (int i = 1; i <= kRowCount; ++i) {
        std::string line = "0";
        for (const auto &[d, n] : counts)
            if (rowOf(d) == i) line = n;
        out += line + "\r\n";
    }
    return out;
}

class WindowFiles : public test::WindowTest {
protected:
    void SetUp() override {
        w->setRecoveryFolder(recoveryDir.path());
        w->setLeaveQuestion([this] {
            ++questions;
            return answer;
        });
        docs = std::make_unique<WindowDocuments>(*w, dialogs, printer, &files);
        showWindow();
    }
    void TearDown() override { docs.reset(); }

    void typeCount(int d, const QString &digits) {
        box(d)->setFocus();
        QApplication::processEvents();
        for (QChar c : digits) QTest::sendKeyEvent(QTest::Click, box(d), Qt::Key_unknown, c, Qt::NoModifier);
    }
    QStringList recoveryFiles() const { return QDir(recoveryDir.path()).entryList({"recovery-*.txt"}); }
    bool waitForRecoveryFile() {
        QDeadlineTimer deadline(3000);
        while (!deadline.hasExpired() && recoveryFiles().isEmpty()) QTest::qWait(20);
        return !recoveryFiles().isEmpty();
    }

    QTemporaryDir recoveryDir;
    ScriptedDialogs dialogs;
    NoPrinter printer;
    MemoryFiles files;
    std::unique_ptr<WindowDocuments> docs;
    LeaveAnswer answer = LeaveAnswer::Cancel;
    int questions = 0;
};

TEST_F(WindowFiles, ARefusedOpenKeepsTheTypedCountsUnsaved) {
    typeCount(24, "5");
    files.files["bad.txt"] = "1\r\nabc\r\n";
    dialogs.answers = {std::string("bad.txt")};
    action("Open")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(box(24)->text(), "5");
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_EQ(w->windowTitle(), "Люмора[*]");
    EXPECT_FALSE(w->close());
    EXPECT_EQ(questions, 1);
}

TEST_F(WindowFiles, AFailedSaveKeepsTheTallyUnsavedAndTheWindowOpenAndASuccessfulOneClearsIt) {
    typeCount(24, "5");
    files.failWrites = "Не удалось сохранить файл «a.txt»: на диске нет места.";
    dialogs.answers = {std::string("a.txt")};
    answer = LeaveAnswer::Save;
    EXPECT_FALSE(w->close());
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_TRUE(w->isVisible());

    files.failWrites.reset();
    dialogs.answers = {std::string("/луг/участок 7.txt")};
    action("Save")->trigger();
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_EQ(w->windowTitle(), "участок 7.txt[*] — Люмора");
    EXPECT_EQ(files.files.count("/луг/участок 7.txt"), 1u);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(questions, 1) << "a saved tally leaves without asking";
}

TEST_F(WindowFiles, AnOpenThatDropsCountsNamesThemOnceAndLeavesTheTallyUnsaved) {
    // 69 cm has no volume at 6,00 m.
    files.files["plot.txt"] = tallyFile({{24, "4"}, {69, "3"}});
    dialogs.answers = {std::string("plot.txt")};
    action("Open")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("69 см — 3 шт."), std::string::npos) << dialogs.messages[0];
    EXPECT_NE(dialogs.messages[0].find("6,00"), std::string::npos);
    EXPECT_EQ(box(24)->text(), "4");
    EXPECT_EQ(box(69)->text(), "");
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_EQ(w->windowTitle(), "plot.txt[*] — Люмора");

    // A file that fits loads as saved; a length that then empties a count makes it unsaved.
    files.files["fits.txt"] = tallyFile({{120, "2"}});
    dialogs.answers = {std::string("fits.txt")};
    action("Open")->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(w->isWindowModified());
    widget<QComboBox>("Hight1")->setCurrentIndex(1);  // 0,50 m: no 120 cm
    EXPECT_TRUE(w->isWindowModified());
    action("Undo")->trigger();
    EXPECT_EQ(box(120)->text(), "2");
    EXPECT_FALSE(w->isWindowModified());

    // The Open itself is one step.
    action("Undo")->trigger();
    EXPECT_EQ(box(24)->text(), "4");
    EXPECT_EQ(box(120)->text(), "");
}

// A receiver saves a truck at 4,00 m rounded to hundredths; the office opens the file in a window
// started at 6,00 m with tenths and sees the same figures. A file of earlier versions, without the
// length, opens at the length selected at the time, as before.
TEST_F(WindowFiles, ATallyReopensAtTheLengthAndRoundingItWasSavedWith) {
    widget<QComboBox>("Hight1")->setCurrentIndex(test::entryOf(400));
    action("Sot")->trigger();
    typeCount(24, "5");
    typeCount(69, "3");  // no volume at 6,00 m
    const TallyState saved = TallyState::of(w->form());
    dialogs.answers = {std::string("truck.txt")};
    action("Save")->trigger();
    ASSERT_EQ(files.files.count("truck.txt"), 1u);

    auto office = std::make_unique<MainWindow>(test::kComma);
    office->setRecoveryFolder(recoveryDir.path());
    ScriptedDialogs officeDialogs;
    WindowDocuments officeDocs(*office, officeDialogs, printer, &files);
    const TallyState atStart = TallyState::of(office->form());
    ASSERT_NE(atStart.length, saved.length);
    ASSERT_NE(atStart.decimals, saved.decimals);

    const struct {
        const char *file;
        std::string bytes;
        TallyState shows;
    } cases[] = {
        {"truck.txt", files.files["truck.txt"], saved},
        {"old.txt", tallyFile({{24, "5"}}),
         [&] {
             TallyState s = atStart;
             s.counts[static_cast<size_t>(rowOf(24) - 1)] = "5";
             return s;
         }()},
    };
    for (const auto &c : cases) {
        files.files[c.file] = c.bytes;
        officeDialogs.answers = {std::string(c.file)};
        office->findChild<QAction *>("Open")->trigger();
        EXPECT_TRUE(officeDialogs.messages.empty()) << c.file << ": no count is dropped";
        EXPECT_EQ(TallyState::of(office->form()), c.shows) << c.file;
        EXPECT_EQ(test::figures(office->form()), test::typedAfresh(c.shows)) << c.file;
        EXPECT_FALSE(office->isWindowModified()) << c.file;
        // The length, the rounding and the counts come back in one step.
        office->findChild<QAction *>("Undo")->trigger();
        EXPECT_EQ(TallyState::of(office->form()), atStart) << c.file;
    }
}

TEST_F(WindowFiles, TheRecoveryFileFollowsTheTallyAndGoesWithASave) {
    typeCount(24, "5");
    EXPECT_TRUE(recoveryFiles().isEmpty()) << "never written on the keystroke's own path";
    ASSERT_TRUE(waitForRecoveryFile());
    dialogs.answers = {std::string("a.txt")};
    action("Save")->trigger();
    EXPECT_TRUE(recoveryFiles().isEmpty());

    typeCount(30, "2");
    ASSERT_TRUE(waitForRecoveryFile());
    answer = LeaveAnswer::Discard;
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(recoveryFiles().isEmpty());
}

TEST_F(WindowFiles, TwoWindowsKeepTheirOwnFilesAndALeftFileIsOfferedBack) {
    MainWindow other(test::kComma);
    other.setRecoveryFolder(recoveryDir.path());
    typeCount(24, "5");
    other.form().countGotFocus(1000 + rowOf(30));
    other.forwardForTest([&] { other.form().typeCountChar(1000 + rowOf(30), U'8'); });
    w->writeRecoveryNow();
    other.writeRecoveryNow();
    ASSERT_EQ(recoveryFiles().size(), 2u);

    // Both windows are running: neither file is offered to a third.
    MainWindow third(test::kComma);
    third.setRecoveryFolder(recoveryDir.path());
    int asked = 0;
    third.setRestoreQuestion([&](const QString &) { return ++asked, true; });
    EXPECT_FALSE(third.offerRecovery());
    EXPECT_EQ(asked, 0);

    // A file whose window is gone (written by hand here, with no lock) is offered and restored.
    QDir(recoveryDir.path()).remove(recoveryFiles().first());
    TallyState left;
    left.length = static_cast<int16_t>(test::entryOf(450));
    left.counts[static_cast<size_t>(rowOf(40) - 1)] = "17";
    left.rounded = false;
    left.decimals = 3;
    QFile orphan(QDir(recoveryDir.path()).filePath("recovery-1-dead.txt"));
    ASSERT_TRUE(orphan.open(QIODevice::WriteOnly));
    orphan.write(QByteArray::fromStdString(writeRecovery(left, "/лес/делянка.txt")));
    orphan.close();
    QString question;
    third.setRestoreQuestion([&](const QString &q) { return question = q, true; });
    EXPECT_TRUE(third.offerRecovery());
    EXPECT_TRUE(question.startsWith("Найден несохранённый пересчёт от ")) << question.toStdString();
    EXPECT_TRUE(question.endsWith(". Восстановить его?"));
    EXPECT_EQ(TallyState::of(third.form()), left);
    EXPECT_EQ(third.form().tallyFileName, "/лес/делянка.txt");
    EXPECT_TRUE(third.unsaved());
    EXPECT_EQ(third.windowTitle(), "делянка.txt[*] — Люмора");
}

TEST_F(WindowFiles, ARefusedRecoveryIsDeleted) {
    QFile orphan(QDir(recoveryDir.path()).filePath("recovery-2-dead.txt"));
    ASSERT_TRUE(orphan.open(QIODevice::WriteOnly));
    TallyState left;
    left.counts[3] = "9";
    orphan.write(QByteArray::fromStdString(writeRecovery(left, "")));
    orphan.close();
    w->setRestoreQuestion([](const QString &) { return false; });
    EXPECT_FALSE(w->offerRecovery());
    EXPECT_TRUE(recoveryFiles().isEmpty());
    EXPECT_EQ(TallyState::of(w->form()).counts[3], "");
}

}  // namespace
}  // namespace lumora
