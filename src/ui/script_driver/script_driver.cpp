#include "ui/script_driver/script_driver.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <csignal>

#include "ui/count_box.h"
#include "ui/grid_frame.h"
#include "ui/main_window.h"

namespace lumora {

// The window's own questions, except those the script answers.
class ScriptedAnswers : public DocumentQuestions {
public:
    explicit ScriptedAnswers(DocumentQuestions &inner) : inner_(inner) {}
    std::optional<LeaveAnswer> leave;
    std::optional<QString> restore;

    std::optional<std::string> openFileName(const std::string &title, const std::string &filter) override {
        return inner_.openFileName(title, filter);
    }
    std::optional<std::string> saveFileName(const std::string &title, const std::string &filter) override {
        return inner_.saveFileName(title, filter);
    }
    void message(const std::string &text) override { inner_.message(text); }
    bool question(const std::string &text) override { return inner_.question(text); }
    std::optional<std::string> inputText(const std::string &prompt, const std::string &title,
                                         const std::string &defaultText) override {
        return inner_.inputText(prompt, title, defaultText);
    }
    LeaveAnswer askToSave(const std::string &question) override {
        return leave ? *leave : inner_.askToSave(question);
    }
    ChangedFileAnswer askAboutChangedFile(const QString &fileName) override {
        return inner_.askAboutChangedFile(fileName);
    }
    // restore=yes restores the newest tally, restore=no deletes them all, restore=later keeps them.
    std::vector<RecoveryChoice> chooseRecovery(const std::vector<RecoveryOffer> &offers) override {
        if (!restore) return inner_.chooseRecovery(offers);
        if (*restore == QLatin1String("later")) return {};
        std::vector<RecoveryChoice> choices(
            offers.size(), *restore == QLatin1String("no") ? RecoveryChoice::Discard : RecoveryChoice::Later);
        if (*restore == QLatin1String("yes") && !choices.empty()) choices.front() = RecoveryChoice::Restore;
        return choices;
    }

    DocumentQuestions &inner() { return inner_; }

private:
    DocumentQuestions &inner_;
};

ScriptDriver::ScriptDriver(MainWindow &window) : window_(window) {
    const QString script = qEnvironmentVariable("LUMORA_TEST_SCRIPT");
    if (!script.isEmpty()) commands_ = script.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

ScriptDriver::~ScriptDriver() {
    if (answers_) window_.document().setQuestions(answers_->inner());
}

void ScriptDriver::prepare() {
    if (commands_.isEmpty()) return;
    DocumentQuestions *own = window_.document().questions();
    answers_ = std::make_unique<ScriptedAnswers>(*own);
    for (const QString &command : commands_) {
        const QString value = command.section(QLatin1Char('='), 1);
        if (command.startsWith(QLatin1String("restore="))) answers_->restore = value;
        if (command.startsWith(QLatin1String("leave=")))
            answers_->leave = value == QLatin1String("save")      ? LeaveAnswer::Save
                              : value == QLatin1String("discard") ? LeaveAnswer::Discard
                                                                  : LeaveAnswer::Cancel;
    }
    window_.document().setQuestions(*answers_);
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
        } else if (command.startsWith(QLatin1String("show="))) {
            writeShown(value);
        } else if (command.startsWith(QLatin1String("trigger="))) {
            if (auto *action = window_.findChild<QAction *>(value)) action->trigger();
        }
        QApplication::processEvents();
    }
}

void ScriptDriver::writeShown(const QString &file) const {
    const auto *grid = window_.findChild<GridFrame *>(QStringLiteral("Frame1"));
    const auto *lengths = window_.findChild<QComboBox *>(QStringLiteral("Hight1"));
    if (!grid || !lengths) return;
    QString shown = QStringLiteral("Длина\t") + lengths->currentText() + QLatin1Char('\n');
    for (int i = 1; i <= kRowCount; ++i) {
        const QString count = grid->countBox(i)->text();
        if (count.isEmpty()) continue;
        shown += QString::fromStdString(window_.form().row(i).d) + QLatin1Char('\t') + count +
                 QLatin1Char('\t') + grid->unitVolumeText(i) + QLatin1Char('\t') + grid->stepVolumeText(i) +
                 QLatin1Char('\n');
    }
    for (const char *name : {"Text13", "Text4", "Text1", "Text2"})
        if (const auto *box = window_.findChild<QLineEdit *>(QLatin1String(name)))
            shown += QLatin1String(name) + QLatin1Char('\t') + box->text() + QLatin1Char('\n');
    QFile out(file);
    if (out.open(QIODevice::WriteOnly)) out.write(shown.toUtf8());
}

}  // namespace lumora
