// The window's colours: grid blue behind the panels, the grid, the result boxes and some buttons.
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace lumora {

inline QColor gridBlue() { return QColor(200, 220, 245); }  // Windows colour value 16112840

// Grid blue as the background of a frame, a label or the window.
inline void paintBackgroundBlue(QWidget *w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, gridBlue());
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Grid blue as the background of a text box or a button.
inline void paintBoxBlue(QWidget *w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, gridBlue());
    p.setColor(QPalette::Button, gridBlue());
    p.setColor(QPalette::Window, gridBlue());
    w->setPalette(p);
}

}  // namespace lumora
