// The window's document commands for real (scripted questions and files in memory): what counts as
// saved, what the title says, what leaving asks, and which file a tally belongs to.
#include <gtest/gtest.h>

#include <QComboBox>

#include "file_bytes_support.h"
#include "tally/tally_state_support.h"
#include "window_files_support.h"

namespace lumora {
namespace {

using test::rowOf;
using test::tallyFile;
using test::WindowFiles;

TEST_F(WindowFiles, ARefusedOpenKeepsTheTypedCountsUnsaved) {
    typeCount(24, "5");
    files.files["bad.txt"] = "1\r\nabc\r\n";
    dialogs.answers = {std::string("bad.txt")};
    answer = LeaveAnswer::Discard;  // the user lets the typed counts go for the file
    action("Open")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(box(24)->text(), "5");
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_EQ(w->windowTitle(), "Люмора[*]");
    answer = LeaveAnswer::Cancel;
    EXPECT_FALSE(w->close());
    EXPECT_EQ(questions, 2);
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
    EXPECT_EQ(files.files.count(test::absolute("/луг/участок 7.txt").toStdString()), 1u);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(questions, 1) << "a saved tally leaves without asking";
}

TEST_F(WindowFiles, AnOpenTheLengthCannotShowChangesNothingAndALengthThatEmptiesACountIsUnsaved) {
    typeCount(30, "2");
    // 69 cm has no volume at 6,00 m.
    files.files["plot.txt"] = tallyFile({{24, "4"}, {69, "3"}});
    dialogs.answers = {std::string("plot.txt")};
    answer = LeaveAnswer::Discard;
    action("Open")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("69 см — 3 шт."), std::string::npos) << dialogs.messages[0];
    EXPECT_EQ(box(24)->text(), "");
    EXPECT_EQ(box(30)->text(), "2");
    EXPECT_EQ(w->windowTitle(), "Люмора[*]");
    action("Undo")->trigger();
    EXPECT_EQ(box(30)->text(), "") << "the refused Open was no step";

    // A file that fits loads as saved; a length that then empties a count makes it unsaved.
    files.files["fits.txt"] = tallyFile({{120, "2"}});
    dialogs.answers = {std::string("fits.txt")};
    action("Open")->trigger();
    EXPECT_FALSE(w->isWindowModified());
    widget<QComboBox>("Hight1")->setCurrentIndex(1);  // 0,50 m: no 120 cm
    EXPECT_TRUE(w->isWindowModified());
    action("Undo")->trigger();
    EXPECT_EQ(box(120)->text(), "2");
    EXPECT_FALSE(w->isWindowModified());
}

// The file belongs to the tally: undo and redo take the file name along with the counts, the title
// names the file the shown tally came from, "*" says whether that file holds other counts, and Save
// writes only to a file the shown tally came from or was saved to.
TEST_F(WindowFiles, UndoAndRedoGiveTheTallyBackItsOwnFile) {
    struct Case {
        const char *story;
        const char *title;
        bool modified;
        bool asksForAName;  // the last Save showed the name dialog (cancelled) instead of writing
    };
    const Case cases[] = {
        {"type 22 9; open A.txt; undo; save", "Люмора[*]", true, true},
        {"open A.txt; type 24 5; save; undo", "A.txt[*] — Люмора", true, false},
        {"type 24 5; saveas B.txt; undo; redo", "B.txt[*] — Люмора", false, false},
        {"type 24 5; saveas B.txt; undo; save", "Люмора[*]", false, true},
        {"open A.txt; open C.txt; undo; save", "A.txt[*] — Люмора", false, false},
        {"open A.txt; length 1; undo; undo; redo", "A.txt[*] — Люмора", false, false},
    };
    const std::string a = tallyFile({{24, "4"}, {120, "1"}}), c = tallyFile({{40, "7"}});
    for (const Case &row : cases) {
        SCOPED_TRACE(row.story);
        TearDown();
        w = std::make_unique<MainWindow>(test::kComma);
        files.files = {{"A.txt", a}, {"C.txt", c}};
        dialogs = {};
        SetUp();
        answer = LeaveAnswer::Discard;  // an Open over typed counts lets them go
        const bool asked = play(row.story);
        EXPECT_EQ(w->windowTitle().toStdString(), row.title);
        EXPECT_EQ(w->isWindowModified(), row.modified);
        EXPECT_EQ(asked, row.asksForAName);
        // A holds its own counts or a tally that was shown while the title named A (a save adds the
        // length and rounding it was shown at).
        const std::string shownAt = "6,00\r\n1\r\n";
        const std::string &held = files.files["A.txt"];
        EXPECT_TRUE(held == a || held == a + shownAt || held == tallyFile({{24, "54"}, {120, "1"}}) + shownAt)
            << files.files["A.txt"];
        EXPECT_EQ(files.files["C.txt"], c);
    }
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
    office->document().setRecoveryFolder(recoveryDir.path());
    test::ScriptedDialogs officeDialogs;
    test::ScriptedQuestions officeAsked(officeDialogs);
    office->document().setQuestions(officeAsked);
    office->document().setFiles(files);
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

}  // namespace
}  // namespace lumora
