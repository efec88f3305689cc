#include "ui/script_driver.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <csignal>

#include "ui/main_window.h"

namespace lumora {

ScriptDriver::ScriptDriver(MainWindow &window) : window_(window) {
    const QString script = qEnvironmentVariable("LUMORA_TEST_SCRIPT");
    if (!script.isEmpty()) commands_ = script.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

void ScriptDriver::prepare() {
    for (const QString &command : commands_) {
        const QString value = command.section(QLatin1Char('='), 1);
        // restore=yes restores the newest tally, restore=no deletes them all, restore=later keeps them.
        if (command.startsWith(QLatin1String("restore=")))
            window_.setRecoveryChooser([value](const std::vector<RecoveryOffer> &offers) {
                std::vector<RecoveryChoice> choices(offers.size(), value == QLatin1String("no")
                                                                       ? RecoveryChoice::Discard
                                                                       : RecoveryChoice::Later);
                if (value == QLatin1String("yes") && !choices.empty()) choices.front() = RecoveryChoice::Restore;
                if (value == QLatin1String("later")) choices.clear();
                return choices;
            });
        if (command.startsWith(QLatin1String("leave="))) {
            const LeaveAnswer answer = value == QLatin1String("save")      ? LeaveAnswer::Save
                                       : value == QLatin1String("discard") ? LeaveAnswer::Discard
                                                                           : LeaveAnswer::Cancel;
            window_.setLeaveQuestion([answer] { return answer; });
        }
    }
}

void ScriptDriver::start() {
    if (!commands_.isEmpty()) QTimer::singleShot(0, &window_, [this] { run(); });
}

void ScriptDriver::run() {
    for (const QString &command : commands_) {
        const QString value = command.section(QLatin1Char('='), 1);
        if (command.startsWith(QLatin1String("type="))) {
            QWidget *target = window_.findChild<QWidget *>(value.section(QLatin1Char(':'), 0, 0));
            if (!target) continue;
            target->setFocus(Qt::OtherFocusReason);
            for (QChar c : value.section(QLatin1Char(':'), 1)) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(target, &press);
                QApplication::sendEvent(target, &release);
            }
        } else if (command.startsWith(QLatin1String("wait="))) {
            QEventLoop loop;
            QTimer::singleShot(value.toInt(), &loop, &QEventLoop::quit);
            loop.exec();
        } else if (command.startsWith(QLatin1String("raise="))) {
            std::raise(value.toInt());  // as a logout or a closed terminal would send it
        } else if (command.startsWith(QLatin1String("trigger="))) {
            if (auto *action = window_.findChild<QAction *>(value)) action->trigger();
        }
        QApplication::processEvents();
    }
}

}  // namespace lumora
