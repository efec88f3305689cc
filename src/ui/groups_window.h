// «Группы по толщине»: a small window beside the main one with the current tally's thickness groups
// (logs and volume of each, and the total), refreshed whenever the window shows a new state.
#pragma once

#include <QDialog>

#include "tally/form.h"

class QTableWidget;

namespace lumora {

class GroupsWindow : public QDialog {
    Q_OBJECT
public:
    GroupsWindow(const Form &form, QWidget *parent);
    // Shows the form's groups as they stand.
    void refresh();
    // The text of row r (0..2 the groups, 3 the total), column c (0 label, 1 logs, 2 volume).
    QString textAt(int r, int c) const;

private:
    const Form &form_;
    QTableWidget *table_ = nullptr;
};

}  // namespace lumora
