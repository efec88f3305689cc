// A count box of the grid: a line edit that never edits its own text.
//
// Every key that goes down is handed to the host first (which forwards it to the form); only the
// caret keys (Left, Right, Home, End, with Shift to select) are then left to the line edit. Typed
// text from an input method and the edits of an assistive technology (a screen reader, dictation)
// are handed over the same way, and pasting with the mouse, dropping and the context menu are
// switched off: the box shows only what the form holds.
#pragma once

#include <QLineEdit>

namespace lumora {

class CountBoxHost {
public:
    virtual ~CountBoxHost() = default;
    // A key went down in box `index`; true when the line edit should still move its caret for it.
    virtual bool countKeyPressed(int index, QKeyEvent *e) = 0;
    // An input method committed text into box `index`.
    virtual void countTextCommitted(int index, const QString &text) = 0;
    // An assistive technology asks to replace `length` characters from `start` of box `index` with
    // `text`; the host carries it out as keys and characters of the form, or refuses it.
    virtual void countTextReplaced(int index, int start, int length, const QString &text) = 0;
};

class CountBox : public QLineEdit {
    Q_OBJECT
public:
    CountBox(int index, CountBoxHost *host, QWidget *parent);
    int index() const { return index_; }
    // An edit asked for through the accessibility interface, handed to the host.
    void replaceByAssistant(int start, int length, const QString &text) {
        host_->countTextReplaced(index_, start, length, text);
    }

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    int index_;
    CountBoxHost *host_;
};

// Keys that carry Ctrl, Alt or Meta are left to the window's shortcuts (Ctrl+A is Save As), instead
// of being claimed by a line edit for its own editing keys.
bool leaveToShortcuts(QEvent *e);

}  // namespace lumora
