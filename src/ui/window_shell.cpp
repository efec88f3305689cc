// The window's shell: the menu bar, the fixed size, hiding and showing the toolbar and the
// mean-diameter panel, the about box, and the File menu's wiring to the document.
#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "documents/backend/document_commands.h"
#include "editing/window_settings.h"
#include "ui/grid_frame.h"
#include "ui/main_window.h"
#include "ui/menu_bar_style.h"
#include "ui/window_statement.h"

namespace lumora {

namespace {

constexpr int kDesignedWidth = 3375;
constexpr int kNonClientWidth = 120;   // two sizing borders of the designed platform
constexpr int kNonClientHeight = 695;  // caption, menu bar and the two borders
constexpr int kFullHeight = 7850;
constexpr int kToolbarHeight = 410;  // the height of Plus
constexpr int kPanelHeight = 495;    // the height of Frame3
constexpr int kFrameWidths[3] = {3260, 3260, 3375};
constexpr int kFrameHeights[3] = {735, 495, 5835};

QAction *item(QMenu *menu, const char *name, const char *caption, bool checkable = false) {
    QAction *a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(name);
    a->setCheckable(checkable);
    return a;
}

QMenu *submenu(QWidget *parent, const char *name, const char *caption) {
    auto *m = new QMenu(QString::fromUtf8(caption), parent);
    m->setObjectName(name);
    return m;
}

}  // namespace

void MainWindow::buildMenus() {
    QMenuBar *bar = menuBar();
    // Five menus in a window 3375 twips wide: with the style's usual padding the last one would
    // hide behind the overflow arrow.
    packMenuBar(bar);

    QMenu *file = submenu(bar, "File", "&Файл");
    // The next truck starts here: an empty tally without a file, so no Save writes over the last one.
    new_ = item(file, "New", "Нов&ый");
    new_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    open_ = item(file, "Open", "&Открыть");
    open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    recentMenu_ = submenu(file, "RecentFiles", "&Недавние файлы");
    file->addMenu(recentMenu_);
    buildRecentMenu();
    file->addSeparator()->setObjectName("miLine1");
    save_ = item(file, "Save", "&Сохранить");
    save_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAs_ = item(file, "SaveAs", "Сохранить &как...");
    // Ctrl+A as designed; Ctrl+Shift+S as the desktop's usual second key for it.
    saveAs_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    file->addSeparator()->setObjectName("miLine2");
    exportXls_ = item(file, "ExportXLS", "&Экспорт в *.xls");
    print_ = item(file, "Print", "&Печать");
    print_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    printPreview_ = item(file, "PrintPreview", "Предварительный п&росмотр...");
    file->addSeparator()->setObjectName("miLine3");
    exit_ = item(file, "Exit", "&Выход");
    exit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    bar->addMenu(file);

    // Undo and redo of the tally: counts, length and rounding, one user step at a time.
    QMenu *edit = submenu(bar, "Edit", "П&равка");
    undo_ = item(edit, "Undo", "&Отменить");
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = item(edit, "Redo", "&Повторить");
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    undo_->setEnabled(false);
    redo_->setEnabled(false);
    bar->addMenu(edit);

    QMenu *view = submenu(bar, "View", "&Вид");
    QMenu *tools = submenu(view, "Tools", "Панель &инструментов");
    trueT_ = item(tools, "TrueT", "&Скрыть", true);
    visibleT_ = item(tools, "VisibleT", "&Показать", true);
    view->addMenu(tools);
    QMenu *diametr = submenu(view, "Diametr", "&Средний диаметр");
    trueD_ = item(diametr, "TrueD", "&Скрыть", true);
    visibleD_ = item(diametr, "VisibleD", "&Показать", true);
    view->addMenu(diametr);
    bar->addMenu(view);

    QMenu *services = submenu(bar, "Services", "&Сервис");
    clear_ = item(services, "Clear", "&Очистить данные");
    QMenu *ocruglit = submenu(services, "Ocruglit", "Ок&руглять результаты");
    noOkrugl_ = item(ocruglit, "NoOkrugl", "&Не округлять", true);
    tis_ = item(ocruglit, "Tis", "До &тысячных", true);
    sot_ = item(ocruglit, "Sot", "До &сотых", true);
    des_ = item(ocruglit, "Des", "До &десятых", true);
    services->addMenu(ocruglit);
    evenSteps_ = item(services, "EvenSteps", "&Чётные ступени от 14 см", true);
    form_.evenSteps = savedEvenSteps();
    evenSteps_->setChecked(form_.evenSteps);
    bar->addMenu(services);

    addStatementCommands(*this, file, view, services);

    QMenu *help = submenu(bar, "Help", "&Помощь");
    about_action_ = item(help, "About", "&О программе");
    bar->addMenu(help);

    // Either-or items are drawn with radio marks; which one is marked is still the form's to say.
    for (auto pair : {std::initializer_list<QAction *>{trueT_, visibleT_},
                      {trueD_, visibleD_},
                      {noOkrugl_, tis_, sot_, des_}}) {
        auto *group = new QActionGroup(this);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
        for (QAction *a : pair) group->addAction(a);
    }

    // F10 opens the first menu, as on other desktops. (Alt alone goes to the menu bar by the widget
    // style, as in every Qt program.)
    auto *menuKey = new QAction(this);
    menuKey->setObjectName("MenuBarKey");
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WindowShortcut);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        const QList<QAction *> menus = menuBar()->actions();
        if (!menus.isEmpty()) menuBar()->setActiveAction(menus.first());
    });

    // Every shortcut works wherever the focus is in the window.
    for (QAction *a : {new_, open_, save_, saveAs_, print_, exit_, undo_, redo_})
        a->setShortcutContext(Qt::WindowShortcut);
    connect(undo_, &QAction::triggered, this, &MainWindow::undo);
    connect(redo_, &QAction::triggered, this, &MainWindow::redo);
    connect(&history(), &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    connect(&history(), &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);

    connect(new_, &QAction::triggered, &doc_, &Document::newTally);
    connect(open_, &QAction::triggered, &doc_, &Document::open);
    connect(save_, &QAction::triggered, &doc_, &Document::save);
    connect(saveAs_, &QAction::triggered, &doc_, &Document::saveAs);
    connect(exportXls_, &QAction::triggered, this, [this] { output(&DocumentCommands::ExportXLS); });
    connect(print_, &QAction::triggered, this, [this] { output(&DocumentCommands::Print); });
    connect(printPreview_, &QAction::triggered, this, [this] { output(&DocumentCommands::PrintPreview); });
    connect(exit_, &QAction::triggered, this, &QWidget::close);
    connect(trueT_, &QAction::triggered, this, &MainWindow::hideToolbar);
    connect(visibleT_, &QAction::triggered, this, &MainWindow::showToolbar);
    connect(trueD_, &QAction::triggered, this, &MainWindow::hideMeanDiameters);
    connect(visibleD_, &QAction::triggered, this, &MainWindow::showMeanDiameters);
    connect(clear_, &QAction::triggered, this, [this] { forward([this] { form_.clickClear(); }); });
    connect(noOkrugl_, &QAction::triggered, this, [this] { forward([this] { form_.clickNoOkrugl(); }); });
    connect(tis_, &QAction::triggered, this, [this] { forward([this] { form_.clickTis(); }); });
    connect(sot_, &QAction::triggered, this, [this] { forward([this] { form_.clickSot(); }); });
    connect(des_, &QAction::triggered, this, [this] { forward([this] { form_.clickDes(); }); });
    connect(evenSteps_, &QAction::toggled, this, [this](bool on) {
        form_.evenSteps = on;
        saveEvenSteps(on);
    });
    connect(about_action_, &QAction::triggered, this, &MainWindow::showAbout);
}

// ---- Size and panels -----------------------------------------------------------------------------

int MainWindow::designedHeight() const {
    return kFullHeight - (form_.TrueT ? kToolbarHeight : 0) - (form_.TrueD ? kPanelHeight : 0);
}

QSize MainWindow::designedSize() const {
    const int width = tw_.x(kDesignedWidth - kNonClientWidth);
    const int clientHeight = tw_.y(designedHeight() - kNonClientHeight);
    const QMenuBar *bar = menuBar();
    int menuHeight = bar->hasHeightForWidth() ? bar->heightForWidth(width) : -1;
    if (menuHeight < 0) menuHeight = bar->sizeHint().height();
    // A note at the foot adds as many lines as it needs; without one the window is as designed.
    const bool note = statusLine_ && !statusLine_->isHidden();
    const int noteHeight = note ? statusLine_->heightForWidth(width) : 0;
    return QSize(width, menuHeight + clientHeight + noteHeight);
}

int MainWindow::frameTop(int frame) const { return frameTops_[static_cast<size_t>(frame)]; }

void MainWindow::placeFrame(int frame) {
    const auto f = static_cast<size_t>(frame);
    QWidget *w = frame == Frame2   ? static_cast<QWidget *>(frame2_)
                 : frame == Frame3 ? static_cast<QWidget *>(frame3_)
                                   : static_cast<QWidget *>(grid_);
    w->setGeometry(tw_.rect(0, frameTops_[f], kFrameWidths[f], kFrameHeights[f]));
}

void MainWindow::moveFrames(int shift, std::initializer_list<int> frames) {
    for (int f : frames) {
        frameTops_[static_cast<size_t>(f)] += shift;
        placeFrame(f);
    }
}

void MainWindow::enforceSize() {
    const QSize size = designedSize();
    if (minimumSize() != size || maximumSize() != size) setFixedSize(size);
    placeStatusLine();
}

// Under the designed client area, which ends with the grid.
void MainWindow::placeStatusLine() {
    if (!statusLine_ || statusLine_->isHidden()) return;
    const int width = tw_.x(kDesignedWidth - kNonClientWidth);
    const int top = tw_.y(designedHeight() - kNonClientHeight);
    statusLine_->setGeometry(0, top, width, statusLine_->heightForWidth(width));
    statusLine_->raise();
}

void MainWindow::focusCurrentCount() {
    forward([this] { form_.giveFocusToCount(form_.focusCountIndex); });
}

void MainWindow::resizeEvent(QResizeEvent *e) {
    QMainWindow::resizeEvent(e);
    // The window keeps its designed size; whatever resized it, the caret goes back to the current box.
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        enforceSize();
        if (size() != designedSize()) resize(designedSize());
    }
    // Grown or shrunk for the note (at once, or later where the window system answers later): only
    // the height changed, to the designed one.
    const bool forNote =
        sizingForNote_ || (e->oldSize().width() == e->size().width() &&
                           e->oldSize().height() != e->size().height() && e->size() == designedSize());
    if (forNote) return;
    focusCurrentCount();
}

void MainWindow::hideToolbar() { showStrip(Strip::Toolbar, false); }
void MainWindow::showToolbar() { showStrip(Strip::Toolbar, true); }
void MainWindow::hideMeanDiameters() { showStrip(Strip::MeanDiameters, false); }
void MainWindow::showMeanDiameters() { showStrip(Strip::MeanDiameters, true); }

// The toolbar or the mean-diameter panel, hidden or shown: the frames below it move by its height
// (nothing moves when it is already so), and the form's two flags say which menu command holds. The
// panel slides up behind Frame2 by its own height and the grid follows it; it is also hidden
// outright, so that neither the eye nor a screen reader finds its boxes there.
void MainWindow::showStrip(Strip strip, bool shown) {
    const bool toolbar = strip == Strip::Toolbar;
    bool &hiddenFlag = toolbar ? form_.TrueT : form_.TrueD;
    bool &shownFlag = toolbar ? form_.VisibleT : form_.VisibleD;
    if (!(shown ? shownFlag : hiddenFlag)) {
        if (toolbar) {
            for (QToolButton *t : tools_) t->setVisible(shown);
            moveFrames(shown ? kToolbarHeight : -kToolbarHeight, {Frame2, Frame3, Frame1});
        } else {
            moveFrames(shown ? kPanelHeight : -kPanelHeight, {Frame3, Frame1});
            frame3_->setVisible(shown);
        }
        shownFlag = shown;
        hiddenFlag = !shown;
    }
    showMarks();
    enforceSize();
    focusCurrentCount();
}

// ---- About box -----------------------------------------------------------------------------------

void MainWindow::showAbout() {
    if (!about_) {
        about_ = new AboutBox(aboutServices_, this);
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

// ---- The recent files and leaving --------------------------------------------------------------------

void MainWindow::buildRecentMenu() {
    for (int k = 1; k <= RecentFiles::kMaxFiles; ++k) {
        QAction *a = recentMenu_->addAction(QString());
        a->setObjectName(QStringLiteral("RecentFile%1").arg(k));
        connect(a, &QAction::triggered, this, [this, a] { doc_.openRecentFile(a->data().toString()); });
    }
    recentMenu_->addSeparator();
    QAction *clear = recentMenu_->addAction(QStringLiteral("&Очистить список"));
    clear->setObjectName("ClearRecentFiles");
    connect(clear, &QAction::triggered, &doc_, &Document::clearRecentFiles);
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    const QStringList &files = doc_.recentFiles().files();
    const QList<QAction *> entries = recentMenu_->actions();
    for (int k = 0; k < RecentFiles::kMaxFiles; ++k) {
        QAction *a = entries[k];
        const bool used = k < files.size();
        a->setVisible(used);
        a->setData(used ? files[k] : QString());
        a->setText(used ? recentFileCaption(k + 1, files[k]) : QString());
        a->setToolTip(used ? QDir::toNativeSeparators(files[k]) : QString());
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void MainWindow::closeEvent(QCloseEvent *e) {
    if (!doc_.mayLeave()) {
        e->ignore();
        return;
    }
    if (about_) about_->close();
    doc_.end();
    e->accept();
}

}  // namespace lumora
