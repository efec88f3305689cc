#include "ui/window_statement.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QPointer>
#include <optional>
#include <string>

#include "documents/backend/file_store.h"
#include "editing/window_settings.h"
#include "ui/document_dialogs.h"
#include "ui/groups_window.h"
#include "ui/main_window.h"
#include "ui/statement_dialog.h"

namespace lumora {

namespace {

// The last statement of this session, as the dialog left it: its files in order and its title.
struct LastStatement {
    QStringList files;
    std::optional<std::string> title;
};

LastStatement &lastStatement() {
    static LastStatement last;
    return last;
}

// The statement dialog as the window opens it: Qt's dialogs, the disk and the desktop's spreadsheet
// program; the last statement's files again (read anew), then the current tally when it is saved
// and not in it yet.
void openStatement(MainWindow &window) {
    QtDocumentDialogs dialogs(&window);
    dialogs.printedDocument = QStringLiteral("ведомость");
    DiskFiles disk;
    DesktopSpreadsheet spreadsheet;
    const QString current = QString::fromStdString(window.form().tallyFileName);
    StatementServices services;
    services.dialogs = &dialogs;
    services.printerDialogs = &dialogs;
    services.spreadsheet = &spreadsheet;
    services.files = &disk;
    services.pickFiles = [&window, current] {
        return QFileDialog::getOpenFileNames(&window, QStringLiteral("Файлы пересчётов для ведомости"),
                                             current, QString::fromUtf8(kTallyOpenFilter));
    };
    services.suggestWorkbookName = [&dialogs](const QString &name) { dialogs.suggestedName = name; };
    StatementDialog dialog(window.form().numberFormat(), window.form().groupsOnSheet, services, &window);
    LastStatement &last = lastStatement();
    dialog.setTitle(last.title);
    if (!last.files.isEmpty()) dialog.addFiles(last.files);
    if (!current.isEmpty() && !window.unsaved() && !dialog.contains(current)) dialog.addFiles({current});
    dialog.exec();
    last.files = dialog.paths();
    last.title = dialog.title();
}

}  // namespace

void addStatementCommands(MainWindow &window, QMenu *file, QMenu *view, QMenu *services) {
    auto *statement = new QAction(QStringLiteral("Сводная ве&домость..."), file);
    statement->setObjectName("Statement");
    // Among the documents, before the separator above «Выход».
    QAction *before = nullptr;
    for (QAction *a : file->actions())
        if (a->objectName() == QLatin1String("miLine3")) before = a;
    file->insertAction(before, statement);
    QObject::connect(statement, &QAction::triggered, &window, [&window] { openStatement(window); });

    auto *groups = view->addAction(QStringLiteral("&Группы по толщине"));
    groups->setObjectName("ThicknessGroups");
    auto *shown = new QPointer<GroupsWindow>;
    QObject::connect(groups, &QAction::destroyed, [shown] { delete shown; });
    QObject::connect(groups, &QAction::triggered, &window, [&window, shown] {
        if (!*shown) {
            *shown = new GroupsWindow(window.form(), &window);
            (*shown)->setAttribute(Qt::WA_DeleteOnClose);
            QObject::connect(&window, &MainWindow::formShown, *shown, &GroupsWindow::refresh);
        }
        (*shown)->show();
        (*shown)->raise();
    });

    auto *onSheet = services->addAction(QStringLiteral("Группы по толщине в &листе и книге"));
    onSheet->setObjectName("GroupsOnSheet");
    onSheet->setCheckable(true);
    window.form().groupsOnSheet = savedGroupsOnSheet();
    onSheet->setChecked(window.form().groupsOnSheet);
    QObject::connect(onSheet, &QAction::toggled, &window, [&window](bool on) {
        window.form().groupsOnSheet = on;
        saveGroupsOnSheet(on);
    });
}

}  // namespace lumora
