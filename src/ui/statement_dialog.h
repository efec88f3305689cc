// «Сводная ведомость»: the tally files of the statement in the order they were added (a click on a
// column head sorts them by it, a second click the other way), its rows, totals, mean diameters and
// thickness groups as the batch statement prints them, and the two ways out: «Печать...» (the summary pages,
// then each tally's sheet) and «Экспорт» (the workbook in the spreadsheet program). Files are added with
// «Добавить файлы...» (several at once) and taken out with «Убрать»; a file that cannot be placed is
// refused with the batch's message and the list stays as it was.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <optional>
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
    // Offers this name (in the first tally's folder) when the workbook is saved to a file.
    std::function<void(const QString &)> suggestWorkbookName;
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
    // Sorts the tallies by the column (0 file … 5 mean by volume); again by the same one, the other way.
    void sortBy(int column);

    // The files in the statement's order, and its title once asked (kept for the next opening).
    QStringList paths() const;
    bool contains(const QString &path) const;
    const std::optional<std::string> &title() const { return title_; }
    void setTitle(std::optional<std::string> title) { title_ = std::move(title); }

    const Statement &statement() const { return statement_; }
    // The text shown in row r, column c (tallies, then «Итого», then the groups).
    QString textAt(int r, int c) const;

private:
    void rebuild();
    std::string askTitle();
    // "<title> <date>" as a file name (characters a file name cannot hold replaced), in the folder of
    // the first tally.
    QString documentName(const std::string &title, const char *suffix) const;

    NumberFormat fmt_;
    bool groupsOnSheet_;
    StatementServices services_;
    std::vector<StatementTally> tallies_;
    Statement statement_;
    QTableWidget *table_ = nullptr;
    std::optional<std::string> title_;
    int sortColumn_ = -1;
    bool ascending_ = true;
};

}  // namespace lumora
