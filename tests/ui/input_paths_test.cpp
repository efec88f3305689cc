// Every way a user (or an assistive technology) can put something into the window reaches the form:
// after each one, every count box shows the form's count and the box with the caret stands in the
// window of rows, where the user sees what the next key changes.
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "ui/grid_frame.h"
#include "window_test_support.h"

namespace lumora {
namespace {

using test::entryOf;
using test::rowOf;

class InputPaths : public test::WindowTest {
protected:
    void SetUp() override { showWindow(); }

    CountBox *boxAt(int row) { return widget<CountBox>(QString("Text%1").arg(1000 + row).toUtf8()); }
    QComboBox *lengths() { return widget<QComboBox>("Hight1"); }
    QAccessibleEditableTextInterface *editable(CountBox *b) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b);
        return a ? a->editableTextInterface() : nullptr;
    }
    const GridRow &formRow(CountBox *b) { return w->form().row(b->index() - 1000); }
    int slotOf(CountBox *b) { return formRow(b).top[static_cast<size_t>(Cell::Count)] / kRowPitch; }

    // A wheel turn as the platform delivers it: to the widget under the pointer, spontaneous, so that
    // it may give the focus and travel up to the parents that want it.
    void wheel(QWidget *over, int notches) {
        const QPoint at = over->rect().center();
        QWidget *target = over->childAt(at) ? over->childAt(at) : over;
        const QPoint local = target->mapFrom(over, at);
        QWheelEvent e(local, target->mapToGlobal(local), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&e);
        qApp->notify(target, &e);
        QApplication::processEvents();
    }

    // What every input path must leave behind. Only the wheel may leave the caret out of sight: it
    // moves the rows, not the caret.
    void expectShowsTheForm(const char *after, bool caretInSight = true) {
        SCOPED_TRACE(after);
        for (int i = 1; i <= kRowCount; ++i)
            ASSERT_EQ(boxAt(i)->text().toStdString(), w->form().row(i).count) << "row " << i;
        EXPECT_EQ(lengths()->currentIndex(), w->form().listIndex());
        EXPECT_EQ(widget<QScrollBar>("VScroll2")->value(), w->form().vscroll2Value());
        auto *b = qobject_cast<CountBox *>(QApplication::focusWidget());
        if (b && caretInSight) expectInTheWindow(b);
    }
    void expectInTheWindow(CountBox *b) {
        EXPECT_TRUE(b->isVisibleTo(w.get())) << b->index();
        EXPECT_GE(slotOf(b), 1) << b->index();
        EXPECT_LE(slotOf(b), 19) << b->index();
        const Twips &tw = w->twips();
        EXPECT_EQ(b->y(), tw.y(formRow(b).top[static_cast<size_t>(Cell::Count)]) - tw.y(275)) << b->index();
    }
    void focus(QWidget *target) {
        target->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    void type(QWidget *target, const QString &chars) {
        for (QChar c : chars) QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, c, Qt::NoModifier);
    }
};

// Scrolled away from the caret by any distance, a digit brings the caret's box back to the nearest
// edge of the window: slot 19 from below, slot 1 from above.
TEST_F(InputPaths, ADigitBringsTheCaretBackFromJustOutsideTheWindow) {
    struct Case {
        int slot;      // where the scroll leaves the caret's box
        int expected;  // where the digit brings it
    };
    for (const Case &c : {Case{20, 19}, Case{30, 19}, Case{0, 1}, Case{-5, 1}}) {
        CountBox *b = box(40);
        focus(b);
        const int value = w->form().vscroll2Value() + slotOf(b) - c.slot;
        ASSERT_GE(value, 0);
        widget<QScrollBar>("VScroll2")->setValue(value);
        ASSERT_EQ(slotOf(b), c.slot);
        ASSERT_TRUE(b->hasFocus());
        type(b, "1");
        EXPECT_EQ(slotOf(b), c.expected) << "from slot " << c.slot;
        expectShowsTheForm("a digit after a scroll");
        QTest::keyClick(b, Qt::Key_Delete);
    }
}

TEST_F(InputPaths, EveryInputPathGoesThroughTheForm) {
    GridFrame *grid = widget<GridFrame>("Frame1");
    CountBox *b14 = box(14);  // in the window at the start
    focus(b14);
    type(b14, "5");
    expectShowsTheForm("typing");

    // The wheel over the rows scrolls the grid through the form, away from the caret; the next digit
    // goes into the box with the caret, which comes back into the window.
    wheel(grid->viewport(), 10);
    EXPECT_GT(w->form().vscroll2Value(), 0);
    EXPECT_LT(slotOf(b14), 1);
    expectShowsTheForm("the wheel over the grid", false);
    EXPECT_TRUE(b14->hasFocus());
    type(b14, "2");
    EXPECT_EQ(b14->text(), "52");
    expectShowsTheForm("a digit after the wheel");

    // The wheel over the length list, which does not have the focus, neither takes the focus nor
    // changes the length; Plus then counts one more log in the box with the caret.
    const int length = lengths()->currentIndex();
    wheel(lengths(), 3);
    EXPECT_EQ(lengths()->currentIndex(), length);
    EXPECT_EQ(w->form().listIndex(), length);
    EXPECT_TRUE(b14->hasFocus());
    QTest::mouseClick(widget<QToolButton>("Plus"), Qt::LeftButton);
    EXPECT_EQ(b14->text(), "53");
    expectShowsTheForm("the wheel over the unfocused list, then Plus");

    // With the focus, the list does take the wheel, through the form.
    focus(lengths());
    wheel(lengths(), 1);
    EXPECT_EQ(w->form().listIndex(), length + 1);
    expectShowsTheForm("the wheel over the focused list");
    lengths()->setCurrentIndex(length);
    focus(b14);

    // A middle click would paste the primary selection where the platform has one: refused.
    // The click is swallowed whole: not even the caret moves to where it was made.
    QGuiApplication::clipboard()->setText("777", QClipboard::Selection);
    b14->setCursorPosition(2);
    QTest::mouseClick(b14, Qt::MiddleButton, Qt::NoModifier, QPoint(2, b14->height() / 2));
    EXPECT_EQ(b14->text(), "53");
    EXPECT_EQ(b14->cursorPosition(), 2);
    expectShowsTheForm("a middle click");

    // An input method's commit is typed character by character through the filter.
    b14->selectAll();
    QInputMethodEvent commit;
    commit.setCommitString("4a,6");
    QApplication::sendEvent(b14, &commit);
    EXPECT_EQ(b14->text(), "46");
    QInputMethodEvent correction;  // the method corrects the 6 it committed into an 8
    b14->setCursorPosition(2);
    correction.setCommitString("8", -1, 1);
    QApplication::sendEvent(b14, &correction);
    EXPECT_EQ(b14->text(), "48");
    expectShowsTheForm("an input-method commit");

    // A right click opens no menu with a Paste in it.
    QContextMenuEvent menu(QContextMenuEvent::Mouse, b14->rect().center(),
                           b14->mapToGlobal(b14->rect().center()));
    QApplication::sendEvent(b14, &menu);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    expectShowsTheForm("a right click");

    // An assistive technology's edits are typed, deleted or refused like keys would be.
    CountBox *b30 = box(30);
    ASSERT_NE(editable(b30), nullptr);
    QAccessible::queryAccessibleInterface(b30)->setText(QAccessible::Value, "12");
    EXPECT_EQ(w->form().row(rowOf(30)).count, "12");
    QAccessible::queryAccessibleInterface(b30)->setText(QAccessible::Value, "5");  // the whole value
    EXPECT_EQ(w->form().row(rowOf(30)).count, "5");
    QAccessible::queryAccessibleInterface(b30)->setText(QAccessible::Value, "12");
    expectShowsTheForm("an accessible setText");
    editable(b30)->insertText(0, "9x");
    EXPECT_EQ(b30->text(), "912");
    b30->setSelection(1, 2);  // "12" selected: a screen reader reads where it ends
    int start = -1, end = -1;
    QAccessible::queryAccessibleInterface(b30)->textInterface()->selection(0, &start, &end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
    editable(b30)->insertText(3, "345");  // a sixth digit is refused as when typing
    EXPECT_EQ(b30->text(), "91234");
    editable(b30)->deleteText(1, 3);  // a deletion inside the count has no key: refused
    EXPECT_EQ(b30->text(), "91234");
    editable(b30)->deleteText(3, 5);  // Backspace twice
    EXPECT_EQ(b30->text(), "912");
    editable(b30)->replaceText(0, 3, "7");
    EXPECT_EQ(b30->text(), "7");
    expectShowsTheForm("accessible insert, delete and replace");
    CountBox *locked = box(69);  // no volume at 6,00 m
    ASSERT_TRUE(locked->isReadOnly());
    QAccessible::queryAccessibleInterface(locked)->setText(QAccessible::Value, "4");
    editable(locked)->insertText(0, "4");
    EXPECT_EQ(w->form().row(rowOf(69)).count, "");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(locked)->state().readOnly);
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(lengths()->lineEdit());
    list->setText(QAccessible::Value, "7,00");
    EXPECT_EQ(lengths()->lineEdit()->text().toStdString(), w->form().listText());
    expectShowsTheForm("accessible edits of a locked box and of the list");

    // Tab and Shift+Tab: the next row, scrolled into the window; the first step in use goes back to
    // the list, past the locked row above the window.
    focus(box(21));  // slot 19
    QTest::keyClick(box(21), Qt::Key_Tab);
    EXPECT_TRUE(box(22)->hasFocus());
    expectShowsTheForm("Tab below the window");
    lengths()->setCurrentIndex(entryOf(100));  // 1,00 m: 5 cm is locked, just above the window
    ASSERT_TRUE(box(5)->isVisibleTo(w.get()));
    ASSERT_TRUE(box(5)->isReadOnly());
    ASSERT_LT(slotOf(box(5)), 1);
    focus(box(6));
    QTest::keyClick(box(6), Qt::Key_Backtab);
    EXPECT_TRUE(lengths()->hasFocus());
    QTest::keyClick(lengths(), Qt::Key_Tab);
    EXPECT_TRUE(box(6)->hasFocus());
    expectShowsTheForm("Shift+Tab and Tab around the first step in use");

    // The decimals buttons with the focus in the list give the focus back to the box with the caret.
    type(box(6), "8");
    focus(lengths());
    QTest::mouseClick(widget<QToolButton>("Command1"), Qt::LeftButton);
    EXPECT_TRUE(box(6)->hasFocus());
    expectShowsTheForm("fewer decimals from the list");
    focus(lengths());
    QTest::mouseClick(widget<QToolButton>("Command2"), Qt::LeftButton);
    EXPECT_TRUE(box(6)->hasFocus());
    expectShowsTheForm("more decimals from the list");

    // Keypad plus and minus on the focused rounding switch count in the box with the caret, which is
    // then in the window.
    QToolButton *check1 = widget<QToolButton>("Check1");
    focus(check1);
    QTest::keyClick(check1, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(box(6)->text(), "9");
    QTest::keyClick(check1, Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(check1, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(box(6)->text(), "7");
    EXPECT_TRUE(check1->isChecked());  // the keys did not toggle the switch
    expectShowsTheForm("keypad keys on the switch");
    expectInTheWindow(box(6));

    // A screen reader's Toggle of the switch turns the rounding off in the form, as a click does.
    QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(check1)->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(w->form().Check1Value(), 0);
    EXPECT_FALSE(check1->isChecked());
    QTest::mouseClick(check1, Qt::LeftButton);
    EXPECT_EQ(w->form().Check1Value(), 1);
    EXPECT_TRUE(check1->isChecked());
    expectShowsTheForm("the switch toggled and clicked");
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// «Сервис» -> «Чётные ступени от 14 см»: off at first start; checked, Enter and the arrows pass over
// the empty odd steps from 15 cm, a click still reaches one; the choice comes back at the next start.
TEST_F(InputPaths, TheEvenStepItemSkipsEmptyOddStepsAndIsRememberedBetweenRuns) {
    QAction *even = action("EvenSteps");
    ASSERT_TRUE(even->isCheckable());
    EXPECT_FALSE(even->isChecked());
    even->trigger();
    auto focusOf = [] { return qobject_cast<CountBox *>(QApplication::focusWidget()); };
    boxAt(rowOf(14))->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    QTest::keyClick(boxAt(rowOf(14)), Qt::Key_Return);
    EXPECT_EQ(focusOf(), boxAt(rowOf(16)));
    QTest::keyClick(focusOf(), Qt::Key_Down);
    EXPECT_EQ(focusOf(), boxAt(rowOf(18)));
    QTest::keyClick(focusOf(), Qt::Key_Up);
    EXPECT_EQ(focusOf(), boxAt(rowOf(16)));
    QTest::mouseClick(boxAt(rowOf(17)), Qt::LeftButton);
    EXPECT_EQ(focusOf(), boxAt(rowOf(17)));

    auto next = std::make_unique<MainWindow>(test::kComma);
    EXPECT_TRUE(next->findChild<QAction *>("EvenSteps")->isChecked());
    EXPECT_TRUE(next->form().evenSteps);
    even->trigger();  // off again, for this run's other windows as for the user's next start
    EXPECT_FALSE(std::make_unique<MainWindow>(test::kComma)->form().evenSteps);
}

}  // namespace
}  // namespace lumora
