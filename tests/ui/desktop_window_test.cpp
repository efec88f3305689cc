// The window as a desktop program: menus reached from the keyboard, either-or items drawn as radio
// groups, the recent files kept between runs, a file named at start and the program's icon.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "documents/core/recovery_text.h"
#include "editing/scripted_questions.h"
#include "ui/document_questions_qt.h"
#include "ui/run_window.h"
#include "window_test_support.h"

namespace lumora {
namespace {

using test::rowOf;

// A tally file as the program saves it, with the given counts by diameter in cm.
QString writeTally(const QTemporaryDir &dir, const QString &name,
                   std::initializer_list<std::pair<int, const char *>> counts) {
    QByteArray lines[93];
    for (auto &l : lines) l = "0";
    for (auto [d, count] : counts) lines[rowOf(d) - 1] = count;
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    for (const QByteArray &l : lines) f.write(l + "\r\n");
    return path;
}

// The menus of the window: the bar's and every submenu.
QList<QMenu *> allMenus(QMainWindow &w) { return w.findChildren<QMenu *>(); }

QChar accessKey(const QString &caption) {
    const int amp = caption.indexOf(QLatin1Char('&'));
    return amp >= 0 && amp + 1 < caption.size() ? caption.at(amp + 1).toLower() : QChar();
}

void expectUniqueAccessKeys(const QList<QAction *> &actions, const QString &where) {
    QSet<QChar> keys;
    for (QAction *a : actions) {
        if (a->isSeparator() || !a->isVisible()) continue;
        const QChar key = accessKey(a->text());
        EXPECT_FALSE(key.isNull()) << where.toStdString() << ": " << a->text().toStdString();
        EXPECT_FALSE(keys.contains(key)) << where.toStdString() << ": " << a->text().toStdString();
        keys.insert(key);
    }
}

class DesktopWindow : public test::WindowTest {
protected:
    void SetUp() override {
        w->document().setQuestions(asked);
        showWindow();
    }
    void open(const QString &file) { w->document().openFile(file.toStdString()); }
    QString shownFile() const { return QString::fromStdString(w->form().tallyFileName); }
    test::ScriptedDialogs dialogs;
    test::ScriptedQuestions asked{dialogs};
};

TEST_F(DesktopWindow, EveryMenuAndItemHasItsOwnAccessKey) {
    expectUniqueAccessKeys(w->menuBar()->actions(), "menu bar");
    for (QMenu *m : allMenus(*w)) expectUniqueAccessKeys(m->actions(), m->title());
    // No item's shortcut is an Alt+letter that an access key would also answer.
    for (QAction *a : w->findChildren<QAction *>())
        for (const QKeySequence &k : a->shortcuts()) EXPECT_FALSE(k[0].keyboardModifiers() & Qt::AltModifier);
}

TEST_F(DesktopWindow, EitherOrItemsAreExclusiveRadioGroups) {
    for (QStringList names : {QStringList{"TrueT", "VisibleT"}, QStringList{"TrueD", "VisibleD"},
                              QStringList{"NoOkrugl", "Tis", "Sot", "Des"}}) {
        QActionGroup *group = action(names.first().toUtf8())->actionGroup();
        ASSERT_NE(group, nullptr) << names.first().toStdString();
        EXPECT_TRUE(group->isExclusive());  // what makes the style draw radio marks
        EXPECT_EQ(group->actions().size(), names.size());
        for (const QString &n : names) EXPECT_EQ(action(n.toUtf8())->actionGroup(), group);
        for (const QString &n : names) {
            action(n.toUtf8())->trigger();
            int checked = 0;
            for (QAction *a : group->actions()) checked += a->isChecked();
            EXPECT_EQ(checked, 1) << n.toStdString();
            EXPECT_TRUE(action(n.toUtf8())->isChecked()) << n.toStdString();
        }
    }
    // Choosing the marked item again keeps it marked.
    action("Des")->trigger();
    EXPECT_TRUE(action("Des")->isChecked());
}

TEST_F(DesktopWindow, OpenedTalliesAreListedNewestFirstUpToFiveAndKeptForTheNextRun) {
    QTemporaryDir dir;
    QStringList files;
    for (int k = 1; k <= 7; ++k) files << writeTally(dir, QString("t%1.txt").arg(k), {{24, "1"}});
    for (const QString &f : files) open(f);
    open(files[3]);  // opened again: back to the top
    const QStringList expected{files[3], files[6], files[5], files[4], files[2]};
    EXPECT_EQ(w->document().recentFiles().files(), expected);
    EXPECT_TRUE(action("RecentFile1")->text().startsWith("&1 t4.txt"))
        << action("RecentFile1")->text().toStdString();
    EXPECT_TRUE(widget<QMenu>("RecentFiles")->isEnabled());

    // The next window (the next run) finds the same list, and its entries open their files.
    MainWindow next(test::kComma);
    next.document().setQuestions(asked);
    EXPECT_EQ(next.document().recentFiles().files(), expected);
    next.findChild<QAction *>("RecentFile3")->trigger();
    EXPECT_EQ(next.form().tallyFileName, files[5].toStdString());
    EXPECT_EQ(next.document().recentFiles().files().first(), files[5]);

    action("ClearRecentFiles")->trigger();
    EXPECT_TRUE(w->document().recentFiles().files().isEmpty());
    EXPECT_FALSE(widget<QMenu>("RecentFiles")->isEnabled());
}

TEST_F(DesktopWindow, ARecentFileThatIsGoneLeavesTheListWithAMessage) {
    QTemporaryDir dir;
    const QString kept = writeTally(dir, "kept.txt", {{24, "1"}});
    const QString gone = writeTally(dir, "gone.txt", {{24, "2"}});
    open(kept);
    open(gone);
    QFile::remove(gone);
    action("RecentFile1")->trigger();
    EXPECT_EQ(shownFile(), gone) << "the tally stays as it was";
    const auto &messages = dialogs.messages;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(messages[0]).contains("gone.txt") &&
                QString::fromStdString(messages[0]).contains("убран из списка"))
        << messages[0];
    EXPECT_EQ(w->document().recentFiles().files(), QStringList{kept});
    EXPECT_FALSE(action("RecentFile2")->isVisible());
}

// The program as it starts: its own style, icon, document commands.
class StartedProgram : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<ProgramWindow>(*qApp, test::kComma);
        program->window().show();
        program->window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&program->window()));
    }
    CountBox *box(int d) {
        return program->window().findChild<CountBox *>(QString("Text%1").arg(1000 + rowOf(d)));
    }
    QString text(const char *name) { return program->window().findChild<QLineEdit *>(name)->text(); }
    std::unique_ptr<ProgramWindow> program;
};

TEST_F(StartedProgram, AFileNamedAtStartShowsItsCounts) {
    QTemporaryDir dir;
    const QString file = writeTally(dir, "делянка.txt", {{24, "5"}, {30, "007"}});
    program->window().document().openFile(file.toStdString());
    EXPECT_EQ(box(24)->text(), "5");
    EXPECT_EQ(box(30)->text(), "007");
    EXPECT_EQ(text("Text13"), "12");
    EXPECT_EQ(program->window().document().recentFiles().files().value(0), file);
}

TEST_F(StartedProgram, ARefusedFileAtStartGivesTheMessageAndAnEmptyTally) {
    QTemporaryDir dir;
    const QString file = dir.filePath("broken.txt");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("5\r\nabc\r\n");
    f.close();
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) return;
        shown = box->text();
        box->accept();
    });
    program->window().document().openFile(file.toStdString());
    EXPECT_FALSE(shown.isEmpty());
    for (int d : {3, 4, 24}) EXPECT_EQ(box(d)->text(), "") << d;
    EXPECT_EQ(text("Text13"), "0");
    EXPECT_TRUE(program->window().document().recentFiles().files().isEmpty());
}

// The question before a tally goes, as the program asks it: its text, and its «Отмена» keeps the tally.
TEST_F(StartedProgram, TheSaveQuestionAsksInTheProgramsWords) {
    const struct {
        const char *what;
        std::function<bool()> leave;  // true when the tally went
        const char *text;
    } commands[] = {
        {"leaving", [&] { return program->window().close(); },
         "Данные подсчёта не сохранены. Сохранить их перед выходом?"},
        {"«Новый»",
         [&] {
             program->window().findChild<QAction *>("New")->trigger();
             return box(24)->text().isEmpty();
         },
         "Данные подсчёта не сохранены. Сохранить их?"},
    };
    for (const auto &c : commands) {
        box(24)->setFocus();
        QApplication::processEvents();
        QTest::sendKeyEvent(QTest::Click, box(24), Qt::Key_unknown, QChar('5'), Qt::NoModifier);
        QString shown;
        QTimer::singleShot(0, [&] {
            auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!question) return;
            shown = question->text();
            for (QAbstractButton *b : question->buttons())
                if (b->text() == "Отмена") b->click();
        });
        EXPECT_FALSE(c.leave()) << c.what;
        EXPECT_EQ(shown.toStdString(), c.text) << c.what;
        EXPECT_EQ(box(24)->text().left(1), "5") << c.what;
    }
}

// The real start: the tallies left behind are offered before the named file opens, so a restored
// tally meets that file's question instead of being laid over it unasked.
TEST_F(StartedProgram, TheStartOffersRecoveryBeforeItOpensTheNamedFile) {
    QTemporaryDir dir, recovery;
    const QString file = writeTally(dir, "F.txt", {{24, "4"}});
    TallyState left;
    left.counts[static_cast<size_t>(rowOf(30) - 1)] = "77";
    QFile orphan(recovery.filePath("recovery-0-x.txt"));
    ASSERT_TRUE(orphan.open(QIODevice::WriteOnly));
    orphan.write(QByteArray::fromStdString(writeRecovery(left, "")));
    orphan.close();
    test::ScriptedDialogs dialogs;
    test::ScriptedQuestions asked(dialogs);
    std::string at24WhenOffered = "?";
    asked.recovery = [&](const std::vector<RecoveryOffer> &o) {
        at24WhenOffered = box(24)->text().toStdString();
        return std::vector<RecoveryChoice>(o.size(), RecoveryChoice::Restore);
    };
    asked.leave = [] { return LeaveAnswer::Cancel; };
    Document &document = program->window().document();
    document.setQuestions(asked);
    document.setRecoveryFolder(recovery.path());
    EXPECT_TRUE(startDocument(program->window(), file));
    EXPECT_EQ(at24WhenOffered, "") << "the named file was opened first";
    ASSERT_EQ(asked.asked.size(), 1u) << "the named file asks before replacing the restored tally";
    EXPECT_EQ(box(30)->text(), "77");
    document.setQuestions(program->window().questions());
}

TEST_F(StartedProgram, AltF10AndAltWithALetterReachTheMenus) {
    QMainWindow &w = program->window();
    auto *file = w.findChild<QMenu *>("File");
    auto *services = w.findChild<QMenu *>("Services");
    // Each key goes to a count box of the active window, as after the user closed the last menu.
    auto backToTheGrid = [&] {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        box(24)->setFocus();
        QApplication::processEvents();
    };
    backToTheGrid();

    // Alt+С opens «Сервис», whatever the keyboard's layout names the key.
    QTest::sendKeyEvent(QTest::Click, box(24), static_cast<Qt::Key>(QChar(u'С').unicode()), QString(u'с'),
                        Qt::AltModifier);
    EXPECT_TRUE(services->isVisible());
    services->close();
    backToTheGrid();

    QTest::keyClick(box(24), Qt::Key_F10);
    EXPECT_TRUE(file->isVisible());
    file->close();
    backToTheGrid();

    // Alt alone: the menu bar takes the keyboard with «Файл» highlighted.
    QTest::keyPress(box(24), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(box(24), Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(w.menuBar()->activeAction(), file->menuAction());
}

TEST_F(StartedProgram, TheWindowCarriesTheProgramsIcon) {
    const QIcon icon = program->window().windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 48}) {
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_NE(image.pixelColor(size / 2, size / 2).alpha(), 0);  // drawn, not empty
    }
    EXPECT_EQ(QGuiApplication::desktopFileName(), QString::fromLatin1(kDesktopId));
}

}  // namespace
}  // namespace lumora
