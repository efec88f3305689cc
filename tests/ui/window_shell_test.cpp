// The window's shell: its fixed size, the View menu's panels, the menu bar, the about box, what is
// read out to a screen reader, and leaving with or without unsaved counts.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTest>
#include <QToolButton>

#include "editing/scripted_questions.h"
#include "ui/about_box.h"
#include "ui/count_box.h"
#include "ui/main_window.h"
#include "window_test_support.h"

namespace lumora {
namespace {

using test::rowOf;

class Shell : public test::WindowTest {
protected:
    void SetUp() override {
        asked.leave = [this] {
            ++questions;
            return answer;
        };
        w->document().setQuestions(asked);
        w->document().setFiles(files);
        showWindow();
    }

    int px(int twips) const { return w->twips().y(twips); }
    void typeCount(int d, const QString &digits) {
        box(d)->setFocus();
        QApplication::processEvents();
        for (QChar c : digits) QTest::sendKeyEvent(QTest::Click, box(d), Qt::Key_unknown, c, Qt::NoModifier);
    }

    test::ScriptedDialogs dialogs;
    test::ScriptedQuestions asked{dialogs};
    test::MemoryFiles files;
    LeaveAnswer answer = LeaveAnswer::Cancel;
    int questions = 0;
};

TEST_F(Shell, TheWindowHasItsDesignedSizeAndSnapsBackAfterAResize) {
    EXPECT_EQ(w->windowTitle(), "Люмора[*]");  // Qt shows "[*]" only while the tally is unsaved
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_EQ(w->designedHeight(), 7850);
    // 96 DPI: 15 twips a pixel; the client area is 3255 x 7155 twips below our menu bar.
    EXPECT_EQ(w->width(), w->twips().x(3255));
    EXPECT_EQ(w->centralWidget()->height(), px(7155));
    EXPECT_EQ(w->size(), w->designedSize());

    // The window cannot be dragged to another size; a resize that reaches it anyway (a tiling
    // window manager) is answered with the designed size and the caret back in the current box.
    EXPECT_EQ(w->minimumSize(), w->designedSize());
    EXPECT_EQ(w->maximumSize(), w->designedSize());
    w->resize(600, 300);
    EXPECT_EQ(w->size(), w->designedSize());
    box(30)->setFocus();
    w->findChild<QComboBox *>("Hight1")->setFocus();
    QApplication::processEvents();
    QResizeEvent dragged(QSize(600, 300), w->size());
    QApplication::sendEvent(w.get(), &dragged);
    EXPECT_EQ(w->size(), w->designedSize());
    EXPECT_TRUE(box(30)->hasFocus());
}

// A length that empties counts says so at the foot: the window grows by as many lines as the note
// needs, every word of it inside the label, and is its designed size again once the note goes.
TEST_F(Shell, TheNoteAtTheFootIsReadInFullAndTakesNoRoomWithoutOne) {
    auto *note = widget<QLabel>("StatusLine");
    const int designed = w->menuBar()->height() + px(7155);
    EXPECT_TRUE(note->isHidden());
    EXPECT_EQ(w->height(), designed);
    for (int d : {12, 16, 36, 120}) typeCount(d, "7");
    for (int length : {50, 1400}) {
        widget<QComboBox>("Hight1")->setCurrentIndex(test::entryOf(length));
        ASSERT_TRUE(note->isVisible()) << length;
        const QRect room = note->contentsRect();
        const QString text = note->text();
        const QFontMetrics metrics(note->font());
        EXPECT_GT(metrics.horizontalAdvance(text), room.width()) << "a note too long for one line";
        const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap, text);
        EXPECT_LE(needed.width(), room.width()) << text.toStdString();
        EXPECT_LE(needed.height(), room.height()) << text.toStdString();
        EXPECT_EQ(note->mapTo(w.get(), QPoint(0, note->height())).y(), w->height()) << "at the very foot";
        EXPECT_EQ(w->height(), designed + note->height());
        w->document().undo();
        ASSERT_EQ(box(120)->text(), "7");
    }
    typeCount(12, "1");
    EXPECT_TRUE(note->isHidden());
    EXPECT_EQ(w->height(), designed);
}

TEST_F(Shell, HidingAndShowingThePanelsMovesThemAndRestoresTheDesign) {
    QWidget *frame2 = widget("Frame2");
    QWidget *frame3 = widget("Frame3");
    QWidget *frame1 = widget("Frame1");
    const int fullHeight = w->height();
    EXPECT_EQ(frame2->y(), px(345));
    EXPECT_EQ(frame3->y(), px(1000));
    EXPECT_EQ(frame1->y(), px(1320));
    EXPECT_TRUE(action("VisibleT")->isChecked());
    EXPECT_TRUE(action("VisibleD")->isChecked());

    action("TrueT")->trigger();
    action("TrueT")->trigger();  // a second time moves nothing
    EXPECT_EQ(w->designedHeight(), 7440);
    EXPECT_EQ(frame2->y(), px(345 - 410));
    EXPECT_EQ(frame1->y(), px(1320 - 410));
    EXPECT_FALSE(widget("Plus")->isVisible());
    EXPECT_TRUE(action("TrueT")->isChecked());
    EXPECT_FALSE(action("VisibleT")->isChecked());

    action("TrueD")->trigger();
    EXPECT_EQ(w->designedHeight(), 6945);
    EXPECT_EQ(w->frameTop(MainWindow::Frame3), 1000 - 410 - 495);
    EXPECT_EQ(frame1->y(), px(1320 - 410 - 495));
    EXPECT_FALSE(frame3->isVisible());
    EXPECT_TRUE(widget("Text13")->isVisible());  // Frame2 stays in sight
    EXPECT_EQ(w->height(), fullHeight - (px(7850 - 695) - px(6945 - 695)));

    action("VisibleT")->trigger();
    EXPECT_EQ(w->designedHeight(), 7355);
    action("VisibleD")->trigger();
    action("VisibleD")->trigger();
    EXPECT_EQ(frame2->y(), px(345));
    EXPECT_EQ(frame3->y(), px(1000));
    EXPECT_EQ(frame1->y(), px(1320));
    EXPECT_TRUE(frame3->isVisible());
    EXPECT_TRUE(widget("Plus")->isVisible());
    EXPECT_EQ(w->designedHeight(), 7850);
    EXPECT_EQ(w->height(), fullHeight);
    EXPECT_TRUE(w->form().VisibleT && w->form().VisibleD && !w->form().TrueT && !w->form().TrueD);
}

TEST_F(Shell, TheMenuBarHasEveryItemWithItsCaptionAndShortcut) {
    QStringList menus;
    for (QAction *a : w->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, QStringList({"&Файл", "П&равка", "&Вид", "&Сервис", "&Помощь"}));

    struct Item {
        const char *name, *caption, *shortcut;
    };
    for (const Item &i :
         {Item{"Open", "&Открыть", "Ctrl+O"}, Item{"Save", "&Сохранить", "Ctrl+S"},
          Item{"SaveAs", "Сохранить &как...", "Ctrl+A"}, Item{"ExportXLS", "&Экспорт в *.xls", ""},
          Item{"Print", "&Печать", "Ctrl+P"}, Item{"Exit", "&Выход", "Ctrl+Q"}, Item{"TrueT", "&Скрыть", ""},
          Item{"VisibleT", "&Показать", ""}, Item{"TrueD", "&Скрыть", ""}, Item{"VisibleD", "&Показать", ""},
          Item{"Clear", "&Очистить данные", ""}, Item{"NoOkrugl", "&Не округлять", ""},
          Item{"Tis", "До &тысячных", ""}, Item{"Sot", "До &сотых", ""}, Item{"Des", "До &десятых", ""},
          Item{"About", "&О программе", ""}, Item{"Undo", "&Отменить", "Ctrl+Z"},
          Item{"Redo", "&Повторить", "Ctrl+Y"}}) {
        QAction *a = action(i.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
        EXPECT_EQ(a->shortcut().toString(), QString::fromLatin1(i.shortcut)) << i.name;
    }
    EXPECT_EQ(action("SaveAs")->shortcuts().value(1).toString(), "Ctrl+Shift+S");
    EXPECT_EQ(action("Redo")->shortcuts().value(1).toString(), "Ctrl+Shift+Z");
    EXPECT_FALSE(action("Undo")->isEnabled());  // nothing to undo or redo yet
    EXPECT_FALSE(action("Redo")->isEnabled());
    EXPECT_EQ(widget<QMenu>("Tools")->title(), "Панель &инструментов");
    EXPECT_EQ(widget<QMenu>("Diametr")->title(), "&Средний диаметр");
    EXPECT_EQ(widget<QMenu>("Ocruglit")->title(), "Ок&руглять результаты");
}

TEST_F(Shell, AllFiveMenusFitTheNarrowWindowWithoutTheOverflowArrow) {
    showWindow();
    QMenuBar *bar = w->menuBar();
    for (QAction *a : bar->actions()) {
        const QRect r = bar->actionGeometry(a);
        EXPECT_FALSE(r.isEmpty()) << a->text().toStdString();
        EXPECT_LE(r.right(), bar->width()) << a->text().toStdString();
    }
    // Qt's overflow arrow is a child tool button, shown only when a menu does not fit.
    for (QToolButton *arrow : bar->findChildren<QToolButton *>()) EXPECT_FALSE(arrow->isVisible());
}

TEST_F(Shell, CtrlAInACountBoxSavesAsInsteadOfSelecting) {
    typeCount(24, "12");
    QTest::keyClick(box(24), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(box(24)->text(), "12");
    QTest::keyClick(box(24), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(Shell, ToolbarButtonsStandInTheirDesignedPlacesWithTheirToolTips) {
    struct Tool {
        const char *name, *toolTip;
        int left;
    };
    for (const Tool &t :
         {Tool{"Plus", "Добавить", 0}, Tool{"Minus", "Отнять", 405}, Tool{"Command3", "Очистить данные", 810},
          Tool{"Check1", "Округлить результаты", 1200}, Tool{"Command2", " Увеличить разрядность", 1620},
          Tool{"Command1", "Уменьшить разрядность", 2040}, Tool{"Command5", "Экспорт в Excel", 2430},
          Tool{"Command4", "Сохранить", 2835}}) {
        auto *b = widget<QToolButton>(t.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(t.toolTip));
        EXPECT_EQ(b->x(), w->twips().x(t.left)) << t.name;
        EXPECT_EQ(b->y(), 0) << t.name;
        EXPECT_EQ(b->width(), w->twips().x(t.left + 410) - w->twips().x(t.left)) << t.name;
        EXPECT_EQ(b->height(), px(410));
        EXPECT_FALSE(b->icon().pixmap(QSize(24, 24)).toImage().isNull());
    }
}

TEST_F(Shell, AScreenReaderReadsEachCountAndResultByItsToolTip) {
    typeCount(24, "5");
    QAccessibleInterface *count = QAccessible::queryAccessibleInterface(box(24));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->text(QAccessible::Name), "Количество сортиментов ступени толщины = 24 см");
    EXPECT_EQ(count->text(QAccessible::Value), "5");
    QAccessibleInterface *total = QAccessible::queryAccessibleInterface(widget("Text4"));
    EXPECT_EQ(total->text(QAccessible::Name), "Объем всех сортиментов");
    EXPECT_EQ(total->text(QAccessible::Value), "1,7");
    EXPECT_EQ(widget("Text1")->accessibleName(),
              "Среднеквадратический диаметр по ст. толщины и кол-ву сортиментов в ст. толщины");
    EXPECT_EQ(widget("Hight1")->toolTip(), "Длина сортимента");
}

// The program has no web site or mail box: «Сайт программы» opens the README installed with it, the
// e-mail pair is hidden, and nothing in the box names a made-up address.
TEST_F(Shell, TheAboutBoxShowsTheVersionAndOpensTheInstalledReadme) {
    std::vector<QUrl> opened;
    QStringList messages;
    bool viewerFound = false;
    const QString readme = QDir::temp().filePath("README.md");
    w->setAboutServices({[&](const QUrl &u) { opened.push_back(u); }, [&] { return viewerFound; },
                         [&](QWidget *, const QString &m) { messages << m; }, readme});
    action("About")->trigger();
    AboutBox *about = w->aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowTitle(), "О программе");
    auto label = [&](const char *name) { return about->findChild<QLabel *>(name)->text(); };
    EXPECT_EQ(label("lblVersion"), QString("Версия программы %1.%2.0.%3")
                                       .arg(LUMORA_VERSION_MAJOR)
                                       .arg(LUMORA_VERSION_MINOR)
                                       .arg(LUMORA_VERSION_REVISION));
    EXPECT_EQ(label("lblTitle"), "Люмора ГОСТ 2708-75");
    EXPECT_TRUE(about->findChild<QLabel *>("lblTitle")->font().bold());
    EXPECT_EQ(label("lblDescription"), "Дата создания 19.02.2011 г.");
    EXPECT_EQ(label("Label2"), "Сайт программы");
    EXPECT_EQ(label("Label1"), "Описание программы");  // in Russian, the file in the tool tip
    EXPECT_EQ(about->findChild<QLabel *>("Label1")->toolTip(), QDir::toNativeSeparators(readme));
    EXPECT_FALSE(about->findChild<QLabel *>("Label3")->isVisible());
    EXPECT_FALSE(about->findChild<QLabel *>("Label4")->isVisible());
    for (const QLabel *l : about->findChildren<QLabel *>())
        EXPECT_FALSE((l->text() + l->toolTip()).contains(".test")) << l->objectName().toStdString();

    QTest::mouseClick(about->findChild<QLabel *>("Label1"), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(readme));

    QTest::mouseClick(about->findChild<QPushButton *>("cmdSysInfo"), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{"System Information Is Unavailable At This Time"});
    viewerFound = true;
    QTest::mouseClick(about->findChild<QPushButton *>("cmdSysInfo"), Qt::LeftButton);
    EXPECT_EQ(messages.size(), 1);

    // The main window stays usable while the about box is open.
    typeCount(30, "2");
    EXPECT_EQ(box(30)->text(), "2");
    QTest::mouseClick(about->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(w->aboutBox() == nullptr || !w->aboutBox()->isVisible());
}

TEST_F(Shell, LeavingWithoutCountsAsksNothing) {
    EXPECT_TRUE(w->close());
    EXPECT_EQ(questions, 0);
}

TEST_F(Shell, LeavingWithUnsavedCountsAsksAndCancelKeepsTheTally) {
    typeCount(24, "5");
    answer = LeaveAnswer::Cancel;
    EXPECT_FALSE(w->close());
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(box(24)->text(), "5");

    answer = LeaveAnswer::Save;  // the save dialog is cancelled: stay
    EXPECT_FALSE(w->close());
    EXPECT_EQ(dialogs.shown.size(), 1u);

    dialogs.answers = {std::string("t.txt")};
    EXPECT_TRUE(w->close());
    EXPECT_EQ(files.writes, 1);
}

TEST_F(Shell, LeavingAfterASaveAsksNothingUntilACountChanges) {
    typeCount(24, "5");
    dialogs.answers = {std::string("t.txt")};
    QTest::mouseClick(widget("Command4"), Qt::LeftButton);
    EXPECT_EQ(files.writes, 1);
    EXPECT_TRUE(box(24)->hasFocus());
    typeCount(30, "1");
    answer = LeaveAnswer::Discard;
    EXPECT_TRUE(w->close());
    EXPECT_EQ(questions, 1);
}

TEST_F(Shell, ExitAsksLikeClosingTheWindow) {
    typeCount(24, "5");
    answer = LeaveAnswer::Cancel;
    action("Exit")->trigger();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(questions, 1);
    answer = LeaveAnswer::Discard;
    action("Exit")->trigger();
    EXPECT_FALSE(w->isVisible());
}

}  // namespace
}  // namespace lumora
