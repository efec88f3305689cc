// The floor of the start-up benchmark: a window of the same shape as the program's (the same widgets,
// menus, font and fixed size) that does nothing. What the program costs above it is the cost of what
// it does: the form and the volume table, the pictures, the settings, the recovery folder.
// It prints "painted" once the window has been painted for the first time, and ends.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolButton>

#include "first_paint.h"

namespace {

QMenu *menu(QWidget *parent, const char *caption, std::initializer_list<const char *> items) {
    auto *m = new QMenu(QString::fromUtf8(caption), parent);
    for (const char *item : items) m->addAction(QString::fromUtf8(item))->setCheckable(true);
    return m;
}

void buildMenus(QMenuBar *bar) {
    QMenu *file = menu(bar, "&Файл", {"&Открыть"});
    QMenu *recent = menu(file, "&Недавние файлы", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    recent->addSeparator();
    recent->addAction(QStringLiteral("&Очистить список"));
    file->addMenu(recent);
    file->addSeparator();
    for (const char *item : {"&Сохранить", "Сохранить &как...", "&Экспорт в *.xls", "&Печать",
                             "Предварительный п&росмотр...", "&Выход"})
        file->addAction(QString::fromUtf8(item));
    bar->addMenu(file);
    bar->addMenu(menu(bar, "П&равка", {"&Отменить", "&Повторить"}));
    QMenu *view = menu(bar, "&Вид", {});
    view->addMenu(menu(view, "Панель &инструментов", {"&Скрыть", "&Показать"}));
    view->addMenu(menu(view, "&Средний диаметр", {"&Скрыть", "&Показать"}));
    bar->addMenu(view);
    QMenu *services = menu(bar, "&Сервис", {"&Очистить данные"});
    services->addMenu(menu(services, "Ок&руглять результаты",
                           {"&Не округлять", "До &тысячных", "До &сотых", "До &десятых"}));
    services->addAction(QStringLiteral("&Чётные ступени от 14 см"));
    bar->addMenu(services);
    bar->addMenu(menu(bar, "&Помощь", {"&О программе"}));
}

void buildPanels(QWidget *client) {
    auto *grid = new QFrame(client);
    grid->setGeometry(0, 61, 225, 389);
    auto *rows = new QWidget(grid);
    rows->setGeometry(0, 17, 199, 361);
    for (int i = 0; i < 93; ++i) (new QLineEdit(rows))->setGeometry(66, 1 + 19 * i, 67, 19);
    (new QScrollBar(Qt::Vertical, grid))->setGeometry(199, 17, 17, 361);

    auto *means = new QFrame(client);
    means->setGeometry(0, 67, 217, 33);
    auto *lengths = new QFrame(client);
    lengths->setGeometry(0, 23, 217, 49);
    for (QFrame *f : {means, lengths}) {
        f->setFrameShape(QFrame::Panel);
        f->setFrameShadow(QFrame::Sunken);
    }
    (new QLabel(QStringLiteral("Длина"), lengths))->setGeometry(4, 5, 67, 16);
    (new QLabel(QStringLiteral("Кол-во"), lengths))->setGeometry(74, 5, 67, 16);
    (new QLabel(QStringLiteral("Объем"), lengths))->setGeometry(144, 5, 69, 16);
    auto *list = new QComboBox(lengths);
    list->setEditable(true);
    for (int k = 0; k <= 116; ++k) list->addItem(QString::number(k));
    list->setGeometry(4, 22, 67, 22);
    (new QLineEdit(lengths))->setGeometry(74, 22, 67, 22);
    (new QLineEdit(lengths))->setGeometry(144, 22, 69, 22);
    (new QLabel(QStringLiteral("Ср. диаметр"), means))->setGeometry(2, 8, 71, 22);
    (new QLineEdit(means))->setGeometry(74, 8, 67, 22);
    (new QLineEdit(means))->setGeometry(144, 8, 69, 22);

    for (int k = 0; k < 8; ++k) (new QToolButton(client))->setGeometry(27 * k, 0, 27, 27);
    (new QLabel(client))->hide();  // the note at the foot, shown only with a note
}

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Люмора"));
    QFont font(QStringLiteral("Arial"), 8);
    font.setStyleHint(QFont::SansSerif);
    w.setFont(font);
    auto *client = new QWidget(&w);
    w.setCentralWidget(client);
    buildPanels(client);
    buildMenus(w.menuBar());
    w.setFixedSize(217, w.menuBar()->sizeHint().height() + 477);
    FirstPaint probe;
    w.installEventFilter(&probe);
    w.show();
    return app.exec();
}
