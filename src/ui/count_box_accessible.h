// What an assistive technology (a screen reader, a dictation program) sees of a count box and what it
// may do with it. It reads the count, the caret and the selection as they are shown; an edit that it
// asks for (set the text, insert, delete, replace) is handed to the count box's host, which carries it
// out through the form's character and key handling or refuses it. Nothing is written straight into
// the box, so what is shown is always what the form totals, saves and prints.
#pragma once

#include <QLineEdit>

namespace lumora {

// Installs the interface for count boxes and list text boxes; called before the first one exists.
void installCountBoxAccessibility();

// The text box of the length list. Its text is the type-ahead's: an assistive technology reads it
// like any text box, and its edits are refused.
class ListTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ListTextBox(QWidget *parent) : QLineEdit(parent) { installCountBoxAccessibility(); }
};

}  // namespace lumora
