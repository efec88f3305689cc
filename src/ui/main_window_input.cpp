// The window's input: keys, typed and committed text, an assistive technology's edits and the focus,
// each handed to the form as one step through forward().
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

#include "ui/grid_frame.h"
#include "ui/key_codes.h"
#include "ui/main_window.h"

namespace lumora {

bool MainWindow::countKeyPressed(int index, QKeyEvent *e) {
    const int code = keyCodeOf(*e);
    const char32_t c = typedCharOf(*e);
    forward([&] {
        form_.countKeyDown(index, code);
        if (c) form_.typeCountChar(index, c);
        // A digit run in one box is one undo step; the keys that act on the count are steps of their own.
        if (c >= U'0' && c <= U'9' && code != Key::KeypadPlus && code != Key::KeypadMinus)
            doc_.typedIntoCount(index);
    });
    return isCaretKey(*e);
}

void MainWindow::countTextCommitted(int index, const QString &text) {
    forward([&] {
        for (char32_t c : text.toUcs4()) form_.typeCountChar(index, c);
        doc_.typedIntoCount(index);
    });
}

// An assistive technology's edit, done as the keys and characters that give the same text: typed
// digits over the replaced part, Delete for the whole count, Backspace for its end. Locked boxes and
// a deletion inside the count (no key does that) are refused.
void MainWindow::countTextReplaced(int index, int start, int length, const QString &text) {
    const GridRow &r = form_.row(index - 1000);
    if (r.countLocked) return;
    const int n = static_cast<int>(r.count.size());
    start = std::clamp(start, 0, n);
    length = std::clamp(length, 0, n - start);
    forward([&] {
        if (!text.isEmpty()) {
            form_.setCountSelection(index, start, length);
            for (char32_t c : text.toUcs4()) form_.typeCountChar(index, c);
        } else if (length == n && n > 0) {
            form_.countKeyDown(index, Key::Delete);
        } else if (length > 0 && start + length == n) {
            for (int k = 0; k < length; ++k) form_.countKeyDown(index, Key::Backspace);
        }
    });
}

void MainWindow::reportCountSelection(int i) {
    if (syncing_) return;
    const CountBox *box = grid_->countBox(i);
    const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    form_.setCountSelection(1000 + i, start, box->selectionLength());
    grid_->noteCountSelection(i, form_.row(i).selStart, form_.row(i).selLength);
}

bool MainWindow::lengthKeyPressed(QKeyEvent *e) {
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) return false;  // moves the focus only
    const int code = keyCodeOf(*e);
    const char32_t c = typedCharOf(*e);
    forward([&] {
        form_.Hight1KeyDown(code);
        if (c) form_.Hight1KeyPress(c);
        // A typed length is one step from its first key until Enter (or the focus leaves the box, or
        // a length is chosen from the list).
        if (c || code == Key::Delete) doc_.typedLength(code == Key::Enter);
    });
    // The type-ahead has dealt with every character and Delete; the arrows, paging keys and the caret
    // keys are left to the list, whose index changes come back through lengthIndexChosen.
    return c != 0 || code == Key::Delete;
}

void MainWindow::lengthIndexChosen(int index) {
    if (syncing_) return;
    forward([this, index] { form_.setListIndex(index); });
}

void MainWindow::reportListSelection() {
    if (syncing_) return;
    const QLineEdit *edit = hight1_->lineEdit();
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    form_.setListSelection(start, edit->selectionLength());
    shown_.listSelStart = form_.listSelStart();
    shown_.listSelLength = form_.listSelLength();
}

void MainWindow::focusChanged(QWidget *now) {
    if (!now || now->window() != this) return;  // another window, or none: the form keeps its focus
    doc_.focusMoved();
    if (auto *box = qobject_cast<CountBox *>(now)) {
        const int index = box->index();
        forward([this, index] { form_.countGotFocus(index); });
        return;
    }
    FocusTarget target = FocusTarget::Other;
    if (now == hight1_ || now == hight1Edit_)
        target = FocusTarget::LengthList;
    else if (now == grid_->scrollBar())
        target = FocusTarget::GridScroll;
    else if (now == check1_)
        target = FocusTarget::RoundingSwitch;
    forward([this, target] { form_.otherGotFocus(target); });
}

// Tab and Shift+Tab skip what the user cannot see: hidden widgets, and count boxes outside the window
// of rows unless they can take a count, in which case the focus brings them into the window.
bool MainWindow::takesTab(QWidget *w) const {
    if (w->window() != this || !w->isVisibleTo(this) || !w->isEnabled() || w->focusProxy() ||
        !(w->focusPolicy() & Qt::TabFocus))
        return false;
    const auto *box = qobject_cast<const CountBox *>(w);
    if (!box) return true;
    const GridRow &r = form_.row(box->index() - 1000);
    const int slot = r.top[static_cast<size_t>(Cell::Count)] / kRowPitch;
    return (slot >= 1 && slot <= 19) || !r.countLocked;
}

bool MainWindow::focusNextPrevChild(bool next) {
    QWidget *from = QApplication::focusWidget();
    if (!from || from->window() != this) return QMainWindow::focusNextPrevChild(next);
    QWidget *w = from;
    for (int guard = 0; guard < 1000; ++guard) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from) return false;
        if (takesTab(w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

bool MainWindow::eventFilter(QObject *o, QEvent *e) {
    if (o == hight1_ || o == hight1Edit_) {
        if (leaveToShortcuts(e)) return true;
        if (e->type() == QEvent::Wheel && !hight1_->hasFocus() && !hight1Edit_->hasFocus()) {
            e->ignore();
            return true;
        }
        if (o == hight1_ && e->type() == QEvent::KeyPress)
            return lengthKeyPressed(static_cast<QKeyEvent *>(e));
        if (e->type() == QEvent::InputMethod) {
            const QString text = static_cast<QInputMethodEvent *>(e)->commitString();
            forward([&] {
                for (char32_t c : text.toUcs4()) form_.Hight1KeyPress(c);
                doc_.typedLength(false);
            });
            return true;
        }
        const bool mouse = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease;
        if (mouse && static_cast<QMouseEvent *>(e)->button() == Qt::MiddleButton) return true;
        return false;
    }
    if (o == check1_ && e->type() == QEvent::KeyPress) {
        const int code = keyCodeOf(*static_cast<QKeyEvent *>(e));
        forward([this, code] { form_.Check1KeyDown(code); });
        return code == Key::KeypadPlus || code == Key::KeypadMinus;
    }
    return QMainWindow::eventFilter(o, e);
}

}  // namespace lumora
