#include "ui/groups_window.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "documents/core/tally_texts.h"
#include "documents/core/thickness_groups.h"

namespace lumora {

namespace {
constexpr int kRows = kThicknessGroupCount + 1;
}

GroupsWindow::GroupsWindow(const Form &form, QWidget *parent) : QDialog(parent), form_(form) {
    setObjectName("ThicknessGroupsWindow");
    setWindowTitle(QStringLiteral("Группы по толщине"));
    setModal(false);
    // A tool window of the main window: it stays above it while the user types there.
    setWindowFlag(Qt::Tool);
    table_ = new QTableWidget(kRows, 3, this);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Группа"), QStringLiteral("Кол-во"), QStringLiteral("Объем, м³")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    table_->item(kThicknessGroupCount, 0)->setText(QStringLiteral("Итого"));
    QFont bold = table_->font();
    bold.setBold(true);
    for (int c = 0; c < 3; ++c) table_->item(kThicknessGroupCount, c)->setFont(bold);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(table_);
    refresh();
    table_->resizeColumnsToContents();
    const int width = table_->horizontalHeader()->length() + 2 * table_->frameWidth() + 8;
    const int height =
        table_->horizontalHeader()->height() + kRows * table_->rowHeight(0) + 2 * table_->frameWidth() + 8;
    resize(width + 24, height);
}

void GroupsWindow::refresh() {
    const NumberFormat &fmt = form_.numberFormat();
    auto groups = thicknessGroups(tallyTexts(form_), fmt);
    if (!groups) return;  // the form shows only numbers; should it not, the last figures stay
    const auto lines = groupLines(*groups, fmt);
    for (int r = 0; r < kThicknessGroupCount; ++r) {
        const GroupLine &g = lines[static_cast<size_t>(r)];
        table_->item(r, 0)->setText(QString::fromStdString(g.label));
        table_->item(r, 1)->setText(QString::fromStdString(g.logs));
        table_->item(r, 2)->setText(QString::fromStdString(g.volume));
    }
    const GroupFigures total = groups->total();
    table_->item(kThicknessGroupCount, 1)->setText(QString::fromStdString(decimalText(total.logs, 0, fmt)));
    table_->item(kThicknessGroupCount, 2)->setText(QString::fromStdString(decimalText(total.volume, 4, fmt)));
}

QString GroupsWindow::textAt(int r, int c) const {
    const QTableWidgetItem *item = table_->item(r, c);
    return item ? item->text() : QString();
}

}  // namespace lumora
