// The main window as a user meets it: what typing, arrows, the length list, the toolbar and the menu
// show in the widgets. The form computes; these tests check that the window forwards and shows.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>

#include "ui/count_box.h"
#include "ui/grid_frame.h"
#include "window_test_support.h"

namespace lumora {
namespace {

using test::rowOf;

class Window : public test::WindowTest {
protected:
    void SetUp() override { showWindow(); }

    QString stepVolume(int d) { return widget<GridFrame>("Frame1")->stepVolumeText(rowOf(d)); }
    QString text(const char *name) { return widget<QLineEdit>(name)->text(); }
    QComboBox *lengths() { return widget<QComboBox>("Hight1"); }

    void type(QWidget *target, const QString &chars) {
        for (QChar c : chars) QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, c, Qt::NoModifier);
    }
    void key(QWidget *target, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(target, k, mods);
    }
    void focus(QWidget *target) {
        target->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
};

TEST_F(Window, TypingFiveAt24cmWithSixMetresShowsTheStepVolumeAndTheTotals) {
    EXPECT_EQ(lengths()->currentText(), "6,00");
    focus(box(24));
    type(box(24), "5");
    EXPECT_EQ(box(24)->text(), "5");
    EXPECT_EQ(stepVolume(24), "1,7");  // 5 logs of 0,33 m3, to one decimal
    EXPECT_EQ(text("Text13"), "5");
    EXPECT_EQ(text("Text4"), "1,7");
    EXPECT_EQ(text("Text1"), "24");
    EXPECT_EQ(text("Text2"), "24");
    EXPECT_EQ(box(24)->cursorPosition(), 1);
}

TEST_F(Window, ACountBoxTakesDigitsOnlyAndNothingFromTheClipboard) {
    focus(box(30));
    type(box(30), "7a-,.");
    key(box(30), Qt::Key_Return);  // moves to 31 cm
    focus(box(30));
    QApplication::clipboard()->setText("123");
    key(box(30), Qt::Key_V, Qt::ControlModifier);
    key(box(30), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box(30)->text(), "7");
    type(box(30), "23456");
    EXPECT_EQ(box(30)->text(), "72345");  // five digits at most

    // 69 cm has no volume at 6,00 m: its box is locked but still takes the focus.
    EXPECT_TRUE(box(69)->isReadOnly());
    focus(box(69));
    EXPECT_TRUE(box(69)->hasFocus());
    type(box(69), "4");
    EXPECT_EQ(box(69)->text(), "");
}

TEST_F(Window, KeypadPlusMinusBackspaceAndDeleteChangeTheCountInTheBox) {
    focus(box(40));
    key(box(40), Qt::Key_Plus, Qt::KeypadModifier);
    key(box(40), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(box(40)->text(), "2");
    key(box(40), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(box(40)->text(), "1");
    key(box(40), Qt::Key_Delete);
    EXPECT_EQ(box(40)->text(), "");
    type(box(40), "123");
    key(box(40), Qt::Key_Home);  // the caret moves, Backspace still takes the last digit
    key(box(40), Qt::Key_Backspace);
    EXPECT_EQ(box(40)->text(), "12");
    EXPECT_EQ(box(40)->cursorPosition(), 2);
    EXPECT_EQ(text("Text13"), "12");
}

TEST_F(Window, ArrowsMoveTheFocusSelectTheCountAndScrollTheGrid) {
    QScrollBar *bar = widget<QScrollBar>("VScroll2");
    EXPECT_EQ(bar->maximum(), 74);
    EXPECT_EQ(bar->value(), 0);
    const int slot19 = box(21)->y();  // step 19 (21 cm) stands in the last slot of the window

    focus(box(21));
    key(box(21), Qt::Key_Down);
    EXPECT_TRUE(box(22)->hasFocus());
    EXPECT_EQ(bar->value(), 1);
    EXPECT_EQ(box(22)->y(), slot19);

    type(box(22), "8");
    key(box(22), Qt::Key_Up);
    key(box(21), Qt::Key_Down);  // back down: the whole count is selected, a digit replaces it
    EXPECT_TRUE(box(22)->hasFocus());
    EXPECT_EQ(box(22)->selectedText(), "8");
    type(box(22), "9");
    EXPECT_EQ(box(22)->text(), "9");

    focus(box(3));  // the first step scrolls the grid to the top
    EXPECT_EQ(bar->value(), 0);
    key(box(3), Qt::Key_Up);
    EXPECT_TRUE(box(3)->hasFocus());
}

TEST_F(Window, TheScrollBarAndTheWheelMoveTheRows) {
    QScrollBar *bar = widget<QScrollBar>("VScroll2");
    const int top = box(3)->y();
    const int bottom = box(21)->y();  // slot 19
    bar->setValue(10);                // as a drag of the thumb does
    EXPECT_EQ(w->form().vscroll2Value(), 10);
    EXPECT_EQ(box(13)->y(), top);
    EXPECT_LT(box(3)->y(), 0);  // above the window, out of sight
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(w->form().vscroll2Value(), 30);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(w->form().vscroll2Value(), 74);
    EXPECT_EQ(box(120)->y(), bottom);  // the last step in the last slot
}

TEST_F(Window, TheLengthListTypesAheadAndEnterJumpsIntoTheGrid) {
    QComboBox *list = lengths();
    focus(list);
    key(list, Qt::Key_Escape);
    EXPECT_EQ(list->lineEdit()->text(), "");
    type(list, "2");
    EXPECT_EQ(list->currentText(), "2,00");
    EXPECT_EQ(list->lineEdit()->selectedText(), ",00");
    type(list, ".5");  // a point acts as the comma
    EXPECT_EQ(list->currentIndex(), 22);
    EXPECT_EQ(list->currentText(), "2,50");
    EXPECT_EQ(w->form().selectedColumn, 22);

    type(list, "9");  // no length starts with 2,59: a beep, and 2,50 stays
    EXPECT_EQ(list->currentText(), "2,50");

    key(list, Qt::Key_Return);
    EXPECT_TRUE(box(4)->hasFocus());  // 3 cm has no volume at 2,50 m
}

TEST_F(Window, EstimatedVolumesArePaintedApartAndTheirToolTipsSaySo) {
    QComboBox *list = lengths();
    focus(list);
    key(list, Qt::Key_Escape);
    type(list, "3");
    ASSERT_EQ(list->currentText(), "3,00");
    // 12 logs of 15 cm (0,06 m3, an estimate) and 10 of 16 cm (0,069 m3, the standard's) both show 0,7.
    focus(box(15));
    type(box(15), "12");
    focus(box(16));
    type(box(16), "10");
    ASSERT_EQ(stepVolume(15), "0,7");
    ASSERT_EQ(stepVolume(16), "0,7");

    auto *grid = widget<GridFrame>("Frame1");
    EXPECT_TRUE(grid->vm3MarkedEstimated(rowOf(15)));
    EXPECT_TRUE(grid->vdMarkedEstimated(rowOf(15)));
    EXPECT_FALSE(grid->vm3MarkedEstimated(rowOf(16)));
    EXPECT_FALSE(grid->vdMarkedEstimated(rowOf(16)));
    EXPECT_TRUE(grid->vm3MarkedEstimated(rowOf(17)));  // no count: its unit volume alone is marked
    EXPECT_FALSE(grid->vdMarkedEstimated(rowOf(17)));

    // The same text painted in two cells: the estimated one looks different.
    QWidget *viewport = grid->viewport();
    const QImage all = viewport->grab().toImage();
    const QRect cell15 = grid->cellRect(rowOf(15), Cell::VD), cell16 = grid->cellRect(rowOf(16), Cell::VD);
    ASSERT_EQ(cell15.size(), cell16.size());
    EXPECT_NE(all.copy(cell15), all.copy(cell16));
    // Not only the slant: a "*" follows the estimated figure, so its ink reaches further right.
    auto inkEnds = [](const QImage &cell) {
        const QRgb background = cell.pixel(cell.width() - 1, 0);
        int right = -1;
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x)
                if (cell.pixel(x, y) != background && qGray(cell.pixel(x, y)) < 160)
                    right = std::max(right, x);
        return right;
    };
    EXPECT_GT(inkEnds(all.copy(cell15)), inkEnds(all.copy(cell16)) + 2);

    auto toolTipAt = [&](int d, Cell c) {
        const QPoint at = grid->cellRect(rowOf(d), c).center();
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &help);
        return QToolTip::text();
    };
    const QString note = "\nрасчётное значение: в ГОСТ 2708-75 для этой длины и диаметра значения нет";
    EXPECT_EQ(toolTipAt(15, Cell::Vm3), "Объем одного сортимента в ступени толщины = 15 см" + note);
    EXPECT_EQ(toolTipAt(15, Cell::VD), "Объем сортиментов ступени толщины = 15 см" + note);
    EXPECT_EQ(toolTipAt(16, Cell::Vm3), "Объем одного сортимента в ступени толщины = 16 см");

    // Back at 6,00 m the standard gives 15 cm: nothing is marked.
    focus(list);
    key(list, Qt::Key_Escape);
    type(list, "6");
    ASSERT_EQ(list->currentText(), "6,00");
    EXPECT_FALSE(grid->vm3MarkedEstimated(rowOf(15)));
    EXPECT_FALSE(grid->vdMarkedEstimated(rowOf(15)));
}

TEST_F(Window, KeypadKeysAndDeleteInTheLengthListStepAndClearTheLength) {
    QComboBox *list = lengths();
    focus(box(24));
    type(box(24), "3");
    focus(list);
    key(list, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(list->currentText(), "6,10");
    key(list, Qt::Key_Minus, Qt::KeypadModifier);
    key(list, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(list->currentText(), "5,90");
    key(list, Qt::Key_Down);  // the list's own arrows choose a length too
    EXPECT_EQ(w->form().selectedColumn, 64);
    key(list, Qt::Key_Delete);
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(box(24)->text(), "");
    EXPECT_EQ(text("Text13"), "0");
    EXPECT_LT(box(24)->y(), 0);  // no length: every row out of sight
}

TEST_F(Window, TheToolbarActsOnTheCurrentBoxAndGivesTheFocusBack) {
    focus(box(50));
    QTest::mouseClick(widget<QToolButton>("Plus"), Qt::LeftButton);
    QTest::mouseClick(widget<QToolButton>("Plus"), Qt::LeftButton);
    EXPECT_EQ(box(50)->text(), "2");
    EXPECT_TRUE(box(50)->hasFocus());
    QTest::mouseClick(widget<QToolButton>("Minus"), Qt::LeftButton);
    EXPECT_EQ(box(50)->text(), "1");
    QTest::mouseClick(widget<QToolButton>("Command3"), Qt::LeftButton);
    EXPECT_EQ(box(50)->text(), "");
    EXPECT_EQ(text("Text4"), "0");
    EXPECT_TRUE(box(50)->hasFocus());
}

TEST_F(Window, MenuCheckMarksAndTheSwitchFollowTheRounding) {
    QToolButton *check1 = widget<QToolButton>("Check1");
    EXPECT_TRUE(check1->isChecked());
    EXPECT_TRUE(action("Des")->isChecked());  // one decimal shown
    focus(box(24));
    type(box(24), "5");

    QTest::mouseClick(check1, Qt::LeftButton);  // rounding off
    EXPECT_FALSE(check1->isChecked());
    EXPECT_TRUE(action("NoOkrugl")->isChecked());
    EXPECT_FALSE(action("Des")->isChecked());
    EXPECT_TRUE(box(24)->hasFocus());

    action("Tis")->trigger();
    EXPECT_TRUE(check1->isChecked());
    EXPECT_TRUE(action("Tis")->isChecked());
    EXPECT_FALSE(action("NoOkrugl")->isChecked());
    EXPECT_EQ(text("Text4"), "1,65");

    action("Tis")->trigger();  // choosing the checked item again keeps it checked
    EXPECT_TRUE(action("Tis")->isChecked());

    action("NoOkrugl")->trigger();
    action("NoOkrugl")->trigger();
    EXPECT_TRUE(action("Tis")->isChecked());
    EXPECT_FALSE(action("NoOkrugl")->isChecked());
}

TEST_F(Window, TabGoesToTheNextCountBoxTheUserCanSee) {
    focus(box(3));
    key(box(3), Qt::Key_Tab);
    EXPECT_TRUE(box(4)->hasFocus());
    key(box(4), Qt::Key_Backtab);
    key(box(3), Qt::Key_Backtab);
    EXPECT_TRUE(lengths()->hasFocus());

    // 0,50 m: 5 to 15 cm are in use; the locked 120 cm stands far below them, out of sight, and Tab
    // passes it by, round to the start of the window's tab order.
    w->form().setListIndex(1);
    w->showForm();
    EXPECT_FALSE(box(4)->isVisibleTo(w.get()));
    ASSERT_TRUE(box(120)->isVisibleTo(w.get()));
    focus(box(15));
    key(box(15), Qt::Key_Tab);
    EXPECT_FALSE(box(120)->hasFocus());
    EXPECT_TRUE(widget("Plus")->hasFocus());
    key(widget("Plus"), Qt::Key_Backtab);
    EXPECT_TRUE(box(15)->hasFocus());

    // Inside the window a locked box still takes the focus, as a click gives it.
    w->form().setListIndex(test::entryOf(600));
    w->form().setVScroll2Value(60);  // 68 cm in slot 6, 69 cm (locked) in slot 7
    w->showForm();
    focus(box(68));
    key(box(68), Qt::Key_Tab);
    EXPECT_TRUE(box(69)->hasFocus());
}

}  // namespace
}  // namespace lumora
