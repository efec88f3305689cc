#include "ui/count_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/count_box_accessible.h"

namespace lumora {

bool leaveToShortcuts(QEvent *e) {
    if (e->type() != QEvent::ShortcutOverride) return false;
    auto *k = static_cast<QKeyEvent *>(e);
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        e->ignore();
        return true;
    }
    return false;
}

CountBox::CountBox(int index, CountBoxHost *host, QWidget *parent)
    : QLineEdit(parent), index_(index), host_(host) {
    installCountBoxAccessibility();
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
}

bool CountBox::event(QEvent *e) {
    if (leaveToShortcuts(e)) return true;
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();  // every other key is ours to hand to the form
        return true;
    }
    return QLineEdit::event(e);
}

void CountBox::keyPressEvent(QKeyEvent *e) {
    if (host_->countKeyPressed(index_, e)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    e->accept();
}

// A commit that replaces text around the caret (a correction) is an edit of that part of the count.
void CountBox::inputMethodEvent(QInputMethodEvent *e) {
    if (e->replacementLength() > 0)
        host_->countTextReplaced(index_, cursorPosition() + e->replacementStart(), e->replacementLength(),
                                 e->commitString());
    else if (!e->commitString().isEmpty())
        host_->countTextCommitted(index_, e->commitString());
    e->accept();
}

// The middle button pastes the X11 selection into a line edit; a count box takes digits only from
// the keyboard.
void CountBox::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void CountBox::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

}  // namespace lumora
