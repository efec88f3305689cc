#include "ui/statement_dialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "documents/backend/statement_documents.h"
#include "documents/backend/workbook.h"
#include "documents/core/statement_layout.h"
#include "editing/qt_text.h"
#include "print/print_commands.h"

namespace lumora {

namespace {

constexpr int kColumns = 6;

// What a column sorts by: the file name as text, the figures as numbers.
double figure(const StatementTally &t, int column, const NumberFormat &fmt) {
    const std::string *text[] = {nullptr,        &t.texts.length, &t.texts.Text13,
                                 &t.texts.Text4, &t.texts.Text1,  &t.texts.Text2};
    const auto value = localeNumber(*text[column], fmt);
    return value.value_or(0);
}

}  // namespace

StatementDialog::StatementDialog(const NumberFormat &fmt, bool groupsOnSheet, StatementServices services,
                                 QWidget *parent)
    : QDialog(parent), fmt_(fmt), groupsOnSheet_(groupsOnSheet), services_(std::move(services)) {
    setObjectName("StatementDialog");
    setWindowTitle(QStringLiteral("Сводная ведомость"));
    table_ = new QTableWidget(0, kColumns, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("Файл"), QStringLiteral("Длина, м"),
                                       QStringLiteral("Кол-во"), QStringLiteral("Объем, м³"),
                                       QStringLiteral("Ср. диам. по кол-ву, см"),
                                       QStringLiteral("Ср. диам. по объему, см")});
    table_->horizontalHeader()->setSectionsClickable(true);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, &StatementDialog::sortBy);
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
    resize(820, 420);

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
    statement_ = makeStatement(tallies_, fmt_);
    const std::vector<std::string> lines = statementLines(statement_, fmt_);
    table_->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const QStringList fields = qs(lines[static_cast<size_t>(r)]).split('\t');
        const bool summary = r >= static_cast<int>(tallies_.size());
        for (int c = 0; c < kColumns; ++c) {
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

void StatementDialog::sortBy(int column) {
    if (column < 0 || column >= kColumns) return;
    ascending_ = column == sortColumn_ ? !ascending_ : true;
    sortColumn_ = column;
    auto before = [this, column](const StatementTally &a, const StatementTally &b) {
        if (column == 0) return qs(a.name).localeAwareCompare(qs(b.name)) < 0;
        return figure(a, column, fmt_) < figure(b, column, fmt_);
    };
    std::stable_sort(tallies_.begin(), tallies_.end(), [&](const StatementTally &a, const StatementTally &b) {
        return ascending_ ? before(a, b) : before(b, a);
    });
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->horizontalHeader()->setSortIndicator(column,
                                                 ascending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    rebuild();
}

QStringList StatementDialog::paths() const {
    QStringList list;
    for (const StatementTally &t : tallies_) list << qs(t.path);
    return list;
}

bool StatementDialog::contains(const QString &path) const { return paths().contains(path); }

// Asked once, at the first print or export, and then used for both.
std::string StatementDialog::askTitle() {
    if (title_) return *title_;
    auto typed = services_.dialogs->inputText("Введите название ведомости", "Название ведомости",
                                              kDefaultStatementTitle);
    if (typed) title_ = typed;
    return typed.value_or("");
}

QString StatementDialog::documentName(const std::string &title, const char *suffix) const {
    QString name =
        (qs(title).trimmed() + QLatin1Char(' ') + QDate::currentDate().toString("dd.MM.yyyy")).trimmed();
    for (QChar &c : name)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20) c = QLatin1Char('_');
    const QString folder = tallies_.empty() ? QString() : QFileInfo(qs(tallies_.front().path)).absolutePath();
    const QString file = name + QLatin1String(suffix);
    return folder.isEmpty() ? file : QDir(folder).filePath(file);
}

void StatementDialog::print() {
    if (tallies_.empty()) return services_.dialogs->message("В ведомости нет ни одного файла.");
    const std::string title = askTitle();
    if (auto error = printStatementOnPrinter(*services_.printerDialogs, statement_, title, fmt_,
                                             documentName(title, ".pdf")))
        services_.dialogs->message(*error);
}

void StatementDialog::exportWorkbook() {
    if (tallies_.empty()) return services_.dialogs->message("В ведомости нет ни одного файла.");
    const std::string title = askTitle();
    const std::string date = workbookDate();
    if (services_.suggestWorkbookName) services_.suggestWorkbookName(documentName(title, ".xlsx"));
    handToSpreadsheet(
        [&](const QString &path) -> std::optional<std::string> {
            StagedFile file(path);
            if (auto error = writeStatementWorkbook(statement_, title, date, fmt_, file)) return error;
            return file.commit();
        },
        *services_.dialogs, *services_.spreadsheet);
}

}  // namespace lumora
