// «Сводная ведомость»: the tally files of the statement, its rows, totals and thickness groups as the
// batch statement prints them, and the two ways out: «Печать...» (the summary pages, then each
// tally's sheet) and «Экспорт» (the workbook in the spreadsheet program). Files are added with
// «Добавить файлы...» (several at once) and taken out with «Убрать»; a file that cannot be placed is
// refused with the batch's message and the list stays as it was.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <vector>

#include "documents/backend/document_commands.h"
#include "documents/core/statement.h"

class QTableWidget;

namespace lumora {

struct StatementServices {
    std::function<QStringList()> pickFiles;  // the files chosen in an open dialog; empty when cancelled
    DocumentDialogs *dialogs = nullptr;
    PrinterDialogs *printerDialogs = nullptr;
    SpreadsheetLauncher *spreadsheet = nullptr;
    FileStore *files = nullptr;
};

class StatementDialog : public QDialog {
    Q_OBJECT
public:
    // `groupsOnSheet`: each tally's own sheet and workbook page carry its groups, as the window's do.
    StatementDialog(const NumberFormat &fmt, bool groupsOnSheet, StatementServices services,
                    QWidget *parent = nullptr);

    // Adds the files in order; each refused one is told and left out. True when all were added.
    bool addFiles(const QStringList &paths);
    void removeRow(int row);
    void chooseFiles();
    void print();
    void exportWorkbook();

    const Statement &statement() const { return statement_; }
    // The text shown in row r, column c (tallies, then «Итого», then the groups).
    QString textAt(int r, int c) const;

private:
    void rebuild();
    std::string askTitle();

    NumberFormat fmt_;
    bool groupsOnSheet_;
    StatementServices services_;
    std::vector<StatementTally> tallies_;
    Statement statement_;
    QTableWidget *table_ = nullptr;
};

}  // namespace lumora
