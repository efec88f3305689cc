// Key press in a count box -> repainted window: the time from handing the key to the box until the
// widget that shows its effect has been painted, over many presses.
//
//   window_key_bench [presses]         (QT_QPA_PLATFORM=offscreen, or xcb under a display)
//
// Two series: digits and Delete in the 20 cm box (the total count and the other results repaint), and
// Down/Up arrows that walk the focus over all 93 steps and back (the grid scrolls and repaints).
// The window runs as the program does: every step goes on the undo stack and the recovery file is
// written a second after a change (into a temporary data folder).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/count_box.h"
#include "ui/main_window.h"

namespace {

class PaintProbe : public QObject {
public:
    QObject *watched = nullptr;
    bool painted = false;

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (o == watched && e->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(o, e);
    }
};

// Sends one key to `target` and returns the milliseconds until `shows` has been painted.
double press(QWidget *target, int key, const QString &text, QWidget *shows, PaintProbe &probe) {
    probe.watched = shows;
    probe.painted = false;
    QElapsedTimer t;
    t.start();
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QApplication::sendEvent(target, &up);
    while (!probe.painted && t.elapsed() < 1000) QCoreApplication::processEvents(QEventLoop::AllEvents);
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

void report(const char *what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[std::min(ms.size() - 1, static_cast<size_t>(q * ms.size()))]; };
    std::printf("  %-44s n=%4zu  p50 %6.3f ms  p95 %6.3f ms  max %6.3f ms\n", what, ms.size(), at(0.5),
                at(0.95), ms.back());
}

}  // namespace

int main(int argc, char **argv) {
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // the figures below with a ".", as under every desktop
    const int presses = argc > 1 ? std::max(20, std::atoi(argv[1])) : 400;
    lumora::MainWindow w(lumora::NumberFormat{','});
    w.show();
    w.activateWindow();
    for (int i = 0; i < 200 && !w.isActiveWindow(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    PaintProbe probe;
    app.installEventFilter(&probe);

    auto *box20 = w.findChild<lumora::CountBox *>("Text1018");  // in sight when the grid is at the top
    auto *total = w.findChild<QLineEdit *>("Text13");
    // A count elsewhere keeps the tally unsaved throughout, so the recovery file is written while
    // the keys are pressed.
    auto *box24 = w.findChild<lumora::CountBox *>("Text1022");
    box24->setFocus();
    QCoreApplication::processEvents();
    press(box24, Qt::Key_7, "7", total, probe);
    box20->setFocus();
    QCoreApplication::processEvents();

    std::vector<double> typing;
    const char digits[] = "1234";
    for (int i = 0; i < presses; ++i) {
        const int k = i % 5;
        if (k < 4)
            typing.push_back(
                press(box20, Qt::Key_0 + (digits[k] - '0'), QString(QChar(digits[k])), total, probe));
        else
            typing.push_back(press(box20, Qt::Key_Delete, QString(), total, probe));
    }

    std::vector<double> moving;
    int index = 1001;
    w.findChild<lumora::CountBox *>("Text1001")->setFocus();
    QCoreApplication::processEvents();
    bool down = true;
    for (int i = 0; i < presses; ++i) {
        if (index == 1093) down = false;
        if (index == 1001) down = true;
        auto *from = w.findChild<lumora::CountBox *>(QString("Text%1").arg(index));
        index += down ? 1 : -1;
        auto *to = w.findChild<lumora::CountBox *>(QString("Text%1").arg(index));
        moving.push_back(press(from, down ? Qt::Key_Down : Qt::Key_Up, QString(), to, probe));
    }

    const char *platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("platform %s: key press in a count box -> repainted\n", platform ? platform : "(default)");
    report("digit or Delete -> total count repainted", typing);
    report("Down/Up over all steps -> next box repainted", moving);
    std::printf("  undo steps recorded: %d; recovery file kept: %s\n", w.history().count(),
                w.document().recoveryFile().exists() ? "yes" : "no");
    return 0;
}
