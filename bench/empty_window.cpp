// The baseline of the start-up benchmark: the smallest Qt Widgets program that shows a window.
// It prints "painted" once the window has been painted for the first time, and ends. With --text the
// window shows one line of text, so that the fonts are loaded as in any window that shows text.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "first_paint.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle("empty");
    w.resize(217, 500);
    if (argc > 1 && QByteArray(argv[1]) == "--text") new QLabel(QStringLiteral("Люмора"), &w);
    FirstPaint probe;
    w.installEventFilter(&probe);
    w.show();
    return app.exec();
}
