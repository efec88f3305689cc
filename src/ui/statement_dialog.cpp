#include "ui/statement_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "documents/backend/sheet_painter.h"
#include "documents/backend/statement_documents.h"
#include "documents/core/statement_layout.h"

namespace lumora {

namespace {
QString qs(const std::string &s) { return QString::fromStdString(s); }
}  // namespace

StatementDialog::StatementDialog(const NumberFormat &fmt, bool groupsOnSheet, StatementServices services,
                                 QWidget *parent)
    : QDialog(parent), fmt_(fmt), groupsOnSheet_(groupsOnSheet), services_(std::move(services)) {
    setObjectName("StatementDialog");
    setWindowTitle(QStringLiteral("Сводная ведомость"));
    table_ = new QTableWidget(0, 4, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("Файл"), QStringLiteral("Длина, м"),
                                       QStringLiteral("Кол-во"), QStringLiteral("Объем, м³")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto *add = new QPushButton(QStringLiteral("&Добавить файлы..."), this);
    add->setObjectName("AddFiles");
    auto *remove = new QPushButton(QStringLiteral("&Убрать"), this);
    remove->setObjectName("RemoveFile");
    auto *buttons = new QDialogButtonBox(this);
    auto *printButton = buttons->addButton(QStringLiteral("&Печать..."), QDialogButtonBox::ActionRole);
    printButton->setObjectName("PrintStatement");
    auto *exportButton = buttons->addButton(QStringLiteral("&Экспорт"), QDialogButtonBox::ActionRole);
    exportButton->setObjectName("ExportStatement");
    buttons->addButton(QStringLiteral("&Закрыть"), QDialogButtonBox::RejectRole);

    auto *files = new QHBoxLayout;
    files->addWidget(add);
    files->addWidget(remove);
    files->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(640, 420);

    connect(add, &QPushButton::clicked, this, &StatementDialog::chooseFiles);
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = table_->currentRow();
        if (row >= 0 && row < static_cast<int>(tallies_.size())) removeRow(row);
    });
    connect(printButton, &QPushButton::clicked, this, &StatementDialog::print);
    connect(exportButton, &QPushButton::clicked, this, &StatementDialog::exportWorkbook);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    rebuild();
}

void StatementDialog::chooseFiles() {
    if (services_.pickFiles) addFiles(services_.pickFiles());
}

bool StatementDialog::addFiles(const QStringList &paths) {
    bool all = true;
    for (const QString &path : paths) {
        const std::string name = path.toStdString();
        std::string refusal;
        for (const StatementTally &t : tallies_)
            if (t.path == name) refusal = "Файл «" + name + "» уже есть в ведомости.";
        if (refusal.empty()) {
            StatementLoad load = loadStatementTally(*services_.files, name, fmt_, groupsOnSheet_);
            if (load.tally)
                tallies_.push_back(std::move(*load.tally));
            else
                refusal = load.error;
        }
        if (!refusal.empty()) {
            all = false;
            services_.dialogs->message(refusal);
        }
    }
    rebuild();
    return all;
}

void StatementDialog::removeRow(int row) {
    tallies_.erase(tallies_.begin() + row);
    rebuild();
}

void StatementDialog::rebuild() {
    statement_ = makeStatement(tallies_);
    const std::vector<std::string> lines = statementLines(statement_, fmt_);
    table_->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const QStringList fields = qs(lines[static_cast<size_t>(r)]).split('\t');
        const bool summary = r >= static_cast<int>(tallies_.size());
        for (int c = 0; c < 4; ++c) {
            auto *item = new QTableWidgetItem(fields.value(c));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            if (summary) {
                item->setFlags(Qt::ItemIsEnabled);
                QFont font = item->font();
                font.setBold(r == static_cast<int>(tallies_.size()));
                item->setFont(font);
            }
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

QString StatementDialog::textAt(int r, int c) const {
    const QTableWidgetItem *item = table_->item(r, c);
    return item ? item->text() : QString();
}

std::string StatementDialog::askTitle() {
    return services_.dialogs
        ->inputText("Введите название ведомости", "Название ведомости", kDefaultStatementTitle)
        .value_or("");
}

void StatementDialog::print() {
    if (tallies_.empty()) return services_.dialogs->message("В ведомости нет ни одного файла.");
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(1);
    if (!services_.printerDialogs->choosePrinter(printer, QString())) return;
    printer.setPrintRange(QPrinter::AllPages);
    prepareSheetPrinter(printer);
    const std::string title = askTitle();
    if (auto error = printStatement(printer, statement_, title, sheetDate(), fmt_))
        services_.dialogs->message(*error);
}

void StatementDialog::exportWorkbook() {
    if (tallies_.empty()) return services_.dialogs->message("В ведомости нет ни одного файла.");
    const std::string title = askTitle();
    const std::string date = sheetDate();
    handToSpreadsheet(
        [&](const QString &path) -> std::optional<std::string> {
            StagedFile file(path);
            if (auto error = writeStatementWorkbook(statement_, title, date, fmt_, file)) return error;
            return file.commit();
        },
        *services_.dialogs, *services_.spreadsheet);
}

}  // namespace lumora
