#include "ui/recovery_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/document_questions_qt.h"

namespace lumora {

namespace {

const char *const kChoices[] = {"Решить позже", "Восстановить", "Удалить"};

// Seconds too: two tallies left in the same minute must not look alike.
QString timeText(const QDateTime &written) {
    return QLocale(QLocale::Russian).toString(written, QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString fileText(const RecoveryOffer &o) {
    return o.fileName.isEmpty() ? QStringLiteral("(без файла)") : QFileInfo(o.fileName).fileName();
}

QString lengthText(const RecoveryOffer &o) {
    return o.length.isEmpty() ? QStringLiteral("—") : o.length + QStringLiteral(" м");
}

// One tally: a plain question with the three answers as its buttons. Escape and closing the box are
// "later", as the table's Escape is.
std::vector<RecoveryChoice> askAboutOne(QWidget *parent, const RecoveryOffer &o) {
    const QString text = QStringLiteral(
                             "Найден несохранённый пересчёт от %1.\nФайл: %2, длина: %3, брёвен: %4.\n"
                             "Восстановить его?")
                             .arg(timeText(o.written), fileText(o), lengthText(o))
                             .arg(o.logs);
    const ThreeAnswerBox box{QMessageBox::Question,
                             QStringLiteral("Люмора — восстановление"),
                             text,
                             QStringLiteral("Восстановить"),
                             QStringLiteral("Удалить"),
                             QStringLiteral("Решить позже"),
                             "RecoveryDialog"};
    return {
        askThreeWay(parent, box, RecoveryChoice::Restore, RecoveryChoice::Discard, RecoveryChoice::Later)};
}

QTableWidgetItem *cell(const QString &text, const QString &toolTip = QString()) {
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    if (!toolTip.isEmpty()) item->setToolTip(toolTip);
    return item;
}

}  // namespace

std::vector<RecoveryChoice> askAboutRecovery(QWidget *parent, const std::vector<RecoveryOffer> &offers) {
    if (offers.size() == 1) return askAboutOne(parent, offers.front());
    QDialog dialog(parent);
    dialog.setObjectName("RecoveryDialog");
    dialog.setWindowTitle(QStringLiteral("Люмора — восстановление"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *label = new QLabel(
        QStringLiteral("Найдены несохранённые пересчёты (%1), оставшиеся после аварийного завершения "
                       "программы. Восстановить можно один; остальные можно удалить или оставить до "
                       "следующего запуска.")
            .arg(offers.size()),
        &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);

    auto *table = new QTableWidget(static_cast<int>(offers.size()), 5, &dialog);
    table->setObjectName("RecoveryTable");
    table->setHorizontalHeaderLabels({QStringLiteral("Время"), QStringLiteral("Файл"),
                                      QStringLiteral("Длина"), QStringLiteral("Брёвен"),
                                      QStringLiteral("Что сделать")});
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::NoSelection);
    std::vector<QComboBox *> boxes;
    for (int row = 0; row < static_cast<int>(offers.size()); ++row) {
        const RecoveryOffer &o = offers[static_cast<size_t>(row)];
        table->setItem(row, 0, cell(timeText(o.written)));
        table->setItem(row, 1, cell(fileText(o), QDir::toNativeSeparators(o.fileName)));
        table->setItem(row, 2, cell(lengthText(o)));
        table->setItem(row, 3, cell(QString::number(o.logs)));
        auto *box = new QComboBox(table);
        for (const char *choice : kChoices) box->addItem(QString::fromUtf8(choice));
        box->setCurrentIndex(row == 0 ? 1 : 0);  // the newest is the likeliest to be wanted back
        table->setCellWidget(row, 4, box);
        boxes.push_back(box);
    }
    // One tally fits in the window: choosing to restore one leaves any other for later.
    for (QComboBox *box : boxes)
        QObject::connect(box, qOverload<int>(&QComboBox::currentIndexChanged), box, [box, &boxes](int index) {
            if (index != 1) return;
            for (QComboBox *other : boxes)
                if (other != box && other->currentIndex() == 1) other->setCurrentIndex(0);
        });
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);

    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("Готово"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Спросить при следующем запуске"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(560, 160 + 30 * std::min<int>(static_cast<int>(offers.size()), 10));

    if (dialog.exec() != QDialog::Accepted) return {};
    std::vector<RecoveryChoice> choices;
    for (QComboBox *box : boxes) choices.push_back(static_cast<RecoveryChoice>(box->currentIndex()));
    return choices;
}

}  // namespace lumora
