// Undo and redo in the window: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z wherever the focus is, one step for
// each thing the user did, and the figures after an undo equal those of the restored tally typed
// afresh.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "editing/scripted_questions.h"
#include "tally/tally_state_support.h"
#include "ui/document_questions_qt.h"
#include "window_test_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::figures;
using test::rowOf;
using test::typedAfresh;

class Undo : public test::WindowTest {
public:
    using WindowTest::action;
    using WindowTest::box;
    using WindowTest::widget;
    void SetUp() override { showWindow(); }

    void focus(QWidget *target) {
        target->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    void type(QWidget *target, const QString &chars) {
        for (QChar c : chars) QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, c, Qt::NoModifier);
    }
    void typeCount(int d, const QString &digits) {
        focus(box(d));
        type(box(d), digits);
    }
    void key(QWidget *target, int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(target, static_cast<Qt::Key>(k), mods);
    }
    QComboBox *lengths() { return widget<QComboBox>("Hight1"); }
    TallyState state() { return TallyState::of(w->form()); }
    // The window shows exactly what a new form given `s` by hand shows.
    void expectShows(const TallyState &s, const char *when) {
        EXPECT_EQ(state(), s) << when;
        EXPECT_EQ(figures(w->form()), typedAfresh(s)) << when;
        EXPECT_EQ(box(24)->text().toStdString(), w->form().row(rowOf(24)).count) << when;
    }
};

struct WindowStep {
    const char *name;
    std::function<void(Undo &)> take;
};

class EveryStep : public Undo, public ::testing::WithParamInterface<WindowStep> {};

// A tally of three steps, one more step of each kind, then Ctrl+Z in a count box, Ctrl+Y, and
// Ctrl+Shift+Z in the length list after another Ctrl+Z.
TEST_P(EveryStep, IsUndoneAndRedoneAsOneStep) {
    typeCount(24, "5");
    typeCount(30, "12");
    typeCount(120, "2");
    focus(box(30));
    const TallyState before = state();
    const int steps = w->history().count();

    GetParam().take(*this);
    const TallyState after = state();
    ASSERT_NE(after, before);
    EXPECT_EQ(w->history().count(), steps + 1) << "one step";
    EXPECT_TRUE(action("Undo")->isEnabled());

    focus(box(40));
    key(box(40), Qt::Key_Z, Qt::ControlModifier);
    expectShows(before, "undone");
    EXPECT_TRUE(action("Redo")->isEnabled());
    key(box(40), Qt::Key_Y, Qt::ControlModifier);
    expectShows(after, "redone");
    EXPECT_FALSE(action("Redo")->isEnabled());

    focus(lengths());
    key(lengths(), Qt::Key_Z, Qt::ControlModifier);
    expectShows(before, "undone from the length list");
    key(lengths(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    expectShows(after, "redone with Ctrl+Shift+Z");
}

// A length at which a step counted at 6,00 m has no volume.
int lengthLacking(int diameterCm) {
    for (int k = 1; k <= kLengthCount; ++k) {
        auto v = unitVolume(k, rowOf(diameterCm), test::kComma);
        if (!v || *v == 0) return k;
    }
    return 0;
}

INSTANTIATE_TEST_SUITE_P(
    Window, EveryStep,
    ::testing::Values(
        WindowStep{"DigitsInOneBox", [](Undo &u) { u.typeCount(40, "317"); }},
        WindowStep{"Backspace", [](Undo &u) { u.key(u.box(30), Qt::Key_Backspace); }},
        WindowStep{"Delete", [](Undo &u) { u.key(u.box(30), Qt::Key_Delete); }},
        WindowStep{"KeypadPlus", [](Undo &u) { u.key(u.box(30), Qt::Key_Plus, Qt::KeypadModifier); }},
        WindowStep{"KeypadMinus", [](Undo &u) { u.key(u.box(30), Qt::Key_Minus, Qt::KeypadModifier); }},
        WindowStep{"PlusButton", [](Undo &u) { QTest::mouseClick(u.widget("Plus"), Qt::LeftButton); }},
        WindowStep{"MinusButton", [](Undo &u) { QTest::mouseClick(u.widget("Minus"), Qt::LeftButton); }},
        WindowStep{"Clear", [](Undo &u) { u.action("Clear")->trigger(); }},
        WindowStep{"LengthChosen", [](Undo &u) { u.lengths()->setCurrentIndex(entryOf(450)); }},
        WindowStep{"LengthThatClearsCounts",
                   [](Undo &u) { u.lengths()->setCurrentIndex(lengthLacking(120)); }},
        WindowStep{"DeleteInTheLengthList",
                   [](Undo &u) {
                       u.focus(u.lengths());
                       u.key(u.lengths(), Qt::Key_Delete);
                   }},
        WindowStep{"RoundingSwitch", [](Undo &u) { QTest::mouseClick(u.widget("Check1"), Qt::LeftButton); }},
        WindowStep{"RoundingMenu", [](Undo &u) { u.action("Tis")->trigger(); }},
        WindowStep{"MoreDecimals", [](Undo &u) { QTest::mouseClick(u.widget("Command2"), Qt::LeftButton); }}),
    [](const ::testing::TestParamInfo<WindowStep> &info) { return std::string(info.param.name); });

TEST_F(Undo, DigitsInTwoBoxesOrAfterLeavingTheBoxAreSeparateSteps) {
    EXPECT_FALSE(action("Undo")->isEnabled());
    typeCount(24, "12");
    typeCount(30, "3");
    focus(box(24));
    type(box(24), "4");
    EXPECT_EQ(w->history().count(), 3);
    action("Undo")->trigger();
    EXPECT_EQ(box(24)->text(), "12");
    action("Undo")->trigger();
    EXPECT_EQ(box(30)->text(), "");
    action("Undo")->trigger();
    EXPECT_EQ(box(24)->text(), "");
    EXPECT_FALSE(action("Undo")->isEnabled());
    EXPECT_FALSE(w->isWindowModified()) << "back to the tally as it was at start";

    // After an undo, typing starts a new step instead of joining the undone one.
    action("Redo")->trigger();
    focus(box(24));
    type(box(24), "7");
    action("Undo")->trigger();
    EXPECT_EQ(box(24)->text(), "12");
}

TEST_F(Undo, KeysThatChangeNothingMakeNoStepAndTheHistoryIsBounded) {
    focus(box(69));  // locked at 6,00 m
    type(box(69), "5");
    key(box(24), Qt::Key_Down);
    EXPECT_EQ(w->history().count(), 0);
    EXPECT_EQ(w->history().undoLimit(), TallyHistory::kLimit);
}

// The receiver is typing: a length that empties counts says so in the status line, without a box,
// until the tally next changes; undo brings the counts back and the note goes.
TEST_F(Undo, ALengthThatEmptiesCountsSaysSoInTheStatusLine) {
    auto *status = widget<QLabel>("StatusLine");
    typeCount(12, "12");
    typeCount(16, "100");
    typeCount(120, "57");
    EXPECT_EQ(status->text(), "");
    lengths()->setCurrentIndex(entryOf(50));
    EXPECT_EQ(status->text(), "При длине 0,50 м нет ступеней 16–120 см: убрано 157 шт. Ctrl+Z вернёт.");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    typeCount(12, "3");
    EXPECT_EQ(status->text(), "") << "gone with the next change";
    key(box(12), Qt::Key_Z, Qt::ControlModifier);
    key(box(12), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box(120)->text(), "57");
    EXPECT_EQ(status->text(), "");
    lengths()->setCurrentIndex(entryOf(400));  // has every counted step
    EXPECT_EQ(status->text(), "");
}

TEST_F(Undo, TheTitleIsMarkedWhileTheTallyDiffersFromTheSavedOne) {
    EXPECT_FALSE(w->isWindowModified());
    typeCount(24, "5");
    EXPECT_TRUE(w->isWindowModified());
    key(box(24), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_FALSE(w->unsaved());
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// A length typed into the list's box is one step from its first key until Enter, leaving the box or
// a choice from the list: one Ctrl+Z gives back the length before and every count it emptied.
TEST_F(Undo, ALengthTypedKeyByKeyIsOneStep) {
    const struct {
        const char *what;
        std::function<void(Undo &)> end;  // ends the typed length
    } endings[] = {
        {"Enter", [](Undo &u) { u.key(u.lengths(), Qt::Key_Return); }},
        {"leaving the box", [](Undo &u) { u.focus(u.box(24)); }},
        {"a choice from the list", [](Undo &u) { u.lengths()->setCurrentIndex(entryOf(450)); }},
    };
    test::ScriptedDialogs dialogs;
    test::ScriptedQuestions asked(dialogs);
    asked.leave = [] { return LeaveAnswer::Discard; };
    w->document().setQuestions(asked);
    for (const auto &e : endings) {
        SCOPED_TRACE(e.what);
        action("New")->trigger();
        lengths()->setCurrentIndex(entryOf(600));
        typeCount(50, "3");
        const TallyState before = TallyState::of(w->form());
        const int steps = w->history().index();
        focus(lengths());
        type(lengths(), "10");
        ASSERT_EQ(box(50)->text(), "") << "10 m has no 50 cm step";
        EXPECT_EQ(w->history().index(), steps + 1) << "one step for the typed length";
        e.end(*this);
        // The ending is a step of its own, if it changes anything: the typed length stays one.
        while (w->history().index() > steps + 1) action("Undo")->trigger();
        EXPECT_EQ(w->history().index(), steps + 1);
        action("Undo")->trigger();
        EXPECT_EQ(TallyState::of(w->form()), before);
        EXPECT_EQ(box(50)->text(), "3");
    }
    w->document().setQuestions(w->questions());
}

}  // namespace
}  // namespace lumora
