// What the window's tests share: a started main window and ways to find its widgets by name.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <memory>

#include "tally/form_test_support.h"
#include "ui/count_box.h"
#include "ui/main_window.h"

namespace lumora::test {

class WindowTest : public ::testing::Test {
protected:
    // Shows the window and waits until it is active, as a user finds it after start.
    void showWindow() {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    template <class T = QWidget>
    T *widget(const char *name) {
        T *found = w->findChild<T *>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    CountBox *box(int d) { return widget<CountBox>(QString("Text%1").arg(1000 + rowOf(d)).toUtf8()); }
    QAction *action(const char *name) { return widget<QAction>(name); }

    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>(kComma);
};

}  // namespace lumora::test
