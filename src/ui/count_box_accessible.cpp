#include "ui/count_box_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>

#include "ui/count_box.h"

namespace lumora {

namespace {

// A line edit's text, caret and selection for reading, and its edits sent where the box decides.
class GuardedLineEdit : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
public:
    explicit GuardedLineEdit(QLineEdit *edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface *>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !edit()->isReadOnly();
        s.readOnly = edit()->isReadOnly();
        s.selectableText = true;
        return s;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return edit()->text();
        return QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString &text) override {
        if (t == QAccessible::Value) replaceText(0, characterCount(), text);
    }

    // Reading.
    QString text(int start, int end) const override { return edit()->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(edit()->text().size()); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int i, int *start, int *end) const override {
        *start = *end = 0;
        if (i != 0 || !edit()->hasSelectedText()) return;
        *start = edit()->selectionStart();
        *end = *start + edit()->selectionLength();
    }
    QRect characterRect(int offset) const override {
        const QString t = edit()->text();
        if (offset < 0 || offset >= t.size()) return QRect();
        const QFontMetrics fm(edit()->font());
        const QRect inner = edit()->contentsRect().marginsRemoved(edit()->textMargins());
        constexpr int kLineEditMargin = 2;  // a line edit's own space before its text
        const int x = inner.left() + kLineEditMargin + fm.horizontalAdvance(t.left(offset));
        const QRect r(x, inner.top() + (inner.height() - fm.height()) / 2, fm.horizontalAdvance(t.at(offset)),
                      fm.height());
        return QRect(edit()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint &point) const override {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    QString attributes(int offset, int *start, int *end) const override {
        *start = *end = offset;
        return QString();
    }
    void scrollToSubstring(int, int) override {}

    // Caret and selection: the box reports them to the form like a click would.
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int i) override {
        if (i == 0) edit()->deselect();
    }
    void setSelection(int i, int start, int end) override {
        if (i == 0) edit()->setSelection(start, end - start);
    }

    // Editing: handed to the count box's host; refused for every other guarded line edit.
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void replaceText(int start, int end, const QString &text) override {
        if (CountBox *box = countBox()) box->replaceByAssistant(start, end - start, text);
    }

private:
    QLineEdit *edit() const { return static_cast<QLineEdit *>(widget()); }
    CountBox *countBox() const { return qobject_cast<CountBox *>(widget()); }
};

QAccessibleInterface *guardedLineEdits(const QString &, QObject *object) {
    if (qobject_cast<CountBox *>(object)) return new GuardedLineEdit(static_cast<QLineEdit *>(object));
    if (auto *edit = qobject_cast<ListTextBox *>(object)) return new GuardedLineEdit(edit);
    return nullptr;
}

}  // namespace

void installCountBoxAccessibility() {
    static const bool installed = [] {
        // Asked for our own classes' names, which the built-in factory does not know.
        QAccessible::installFactory(guardedLineEdits);
        return true;
    }();
    (void)installed;
}

}  // namespace lumora
