// The question about one tally left after a crash: asked plainly, its answers on its buttons.
#include "ui/recovery_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace lumora {
namespace {

TEST(RecoveryQuestion, OneTallyIsAskedAboutWithThreeButtonsAndItsTimeToTheSecond) {
    const std::vector<RecoveryOffer> one{{QDateTime(QDate(2026, 3, 14), QTime(9, 26, 5)), "", "4,50", 17}};
    struct Case {
        const char *button;  // nullptr: Escape
        RecoveryChoice choice;
    };
    for (const Case &c :
         {Case{"Восстановить", RecoveryChoice::Restore}, Case{"Удалить", RecoveryChoice::Discard},
          Case{"Решить позже", RecoveryChoice::Later}, Case{nullptr, RecoveryChoice::Later}}) {
        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked = true;
            QStringList captions;
            for (QAbstractButton *b : box->buttons()) captions << b->text();
            captions.sort();  // in the order of the desktop's conventions
            EXPECT_EQ(captions, (QStringList{"Восстановить", "Решить позже", "Удалить"}));
            EXPECT_TRUE(box->text().contains("14.03.2026 09:26:05")) << box->text().toStdString();
            EXPECT_TRUE(box->text().endsWith("Восстановить его?"));
            if (!c.button) return QTest::keyClick(box, Qt::Key_Escape);
            for (QAbstractButton *b : box->buttons())
                if (b->text() == c.button) b->click();
        });
        EXPECT_EQ(askAboutRecovery(nullptr, one), std::vector<RecoveryChoice>{c.choice})
            << (c.button ? c.button : "Escape");
        EXPECT_TRUE(asked);
    }
}

}  // namespace
}  // namespace lumora
