// The probe both start-up programs use: once the first frame is painted and flushed, print
// "painted" and leave at once, so the parent can time the start.
#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::Paint && !done_) {
            done_ = true;
            // Report once the whole frame, with every child, is painted and flushed.
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(o, e);
    }

private:
    bool done_ = false;
};
