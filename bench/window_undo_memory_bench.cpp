// Memory of the undo history: the window's resident memory after many steps, which must stay flat
// once the history holds its limit of steps.
//
//   window_undo_memory_bench [steps]     (QT_QPA_PLATFORM=offscreen; default 60001)
//
// Each step types a digit into a count box or takes it back with Backspace, as the form's events,
// so each is one entry of the history. Prints the resident memory at points along the way.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "ui/main_window.h"

namespace {

double residentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const long steps = argc > 1 ? std::atol(argv[1]) : 60001;
    QTemporaryDir data;
    lumora::MainWindow w(lumora::NumberFormat{','});
    w.document().setRecoveryFolder(data.path());
    w.show();
    QApplication::processEvents();
    lumora::Form &f = w.form();
    std::printf("undo history, %ld steps (limit %d)\n", steps, lumora::TallyHistory::kLimit);
    for (long k = 1; k <= steps; ++k) {
        const int index = 1022 + static_cast<int>(k % 7);
        auto *box = w.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(index));
        box->setFocus();
        const bool digit = f.countText(index).size() < 4;
        QKeyEvent down(QEvent::KeyPress, digit ? Qt::Key_1 : Qt::Key_Backspace, Qt::NoModifier,
                       digit ? QStringLiteral("1") : QString());
        QApplication::sendEvent(box, &down);
        if (k % 200 == 0) QApplication::processEvents();
        if (k == 1001 || k == 2001 || k == 10001 || k == 30001 || k == steps)
            std::printf("  after %6ld steps: resident %6.1f MB, history %d entries\n", k, residentMb(),
                        w.history().count());
    }
    return 0;
}
