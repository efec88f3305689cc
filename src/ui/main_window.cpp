#include "ui/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSessionManager>
#include <QToolButton>
#include <algorithm>

#include "documents/backend/document_commands.h"
#include "documents/backend/file_store.h"
#include "editing/qt_text.h"
#include "ui/count_box_accessible.h"
#include "ui/document_questions_qt.h"
#include "ui/grid_frame.h"
#include "ui/key_codes.h"
#include "ui/palette.h"

namespace lumora {

namespace {

struct Tool {
    const char *name;
    int left;
    const char *toolTip;
    const char *icon;
};
constexpr Tool kTools[8] = {
    {"Plus", 0, "Добавить", ":/icons/plus.png"},
    {"Minus", 405, "Отнять", ":/icons/minus.png"},
    {"Command3", 810, "Очистить данные", ":/icons/clear.png"},
    {"Check1", 1200, "Округлить результаты", ":/icons/round.png"},
    {"Command2", 1620, " Увеличить разрядность", ":/icons/more_decimals.png"},
    {"Command1", 2040, "Уменьшить разрядность", ":/icons/fewer_decimals.png"},
    {"Command5", 2430, "Экспорт в Excel", ":/icons/export.png"},
    {"Command4", 2835, "Сохранить", ":/icons/save.png"},
};

Twips screenTwips() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? Twips(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()) : Twips();
}

QLineEdit *resultBox(const char *name, const char *toolTip, QWidget *parent) {
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);  // outside the tab order
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setToolTip(QString::fromUtf8(toolTip));
    box->setAccessibleName(QString::fromUtf8(toolTip));
    paintBoxBlue(box);
    return box;
}

QLabel *panelLabel(const char *name, const char *text, QWidget *parent) {
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

MainWindow::MainWindow(const NumberFormat &fmt, QWidget *parent)
    : QMainWindow(parent),
      form_(fmt),
      tw_(screenTwips()),
      doc_(form_, [this](const TallyDocument &document) { applyState(document); }),
      questions_(std::make_unique<QtDocumentQuestions>(this)),
      disk_(std::make_unique<DiskFiles>()) {
    setObjectName("Lumora");
    updateTitle();
    // The design's 8-point sans serif; Arial resolves to a font of the same widths where it is absent.
    QFont designFont(QStringLiteral("Arial"), 8);
    designFont.setStyleHint(QFont::SansSerif);
    setFont(designFont);
    form_.startUp();

    client_ = new QWidget(this);
    paintBackgroundBlue(client_);
    setCentralWidget(client_);
    paintBackgroundBlue(this);

    // Created from the bottom of the pile up: the grid lies under the mean-diameter panel, which lies
    // under the length panel (so that it can slide up behind it), and the toolbar lies on top.
    grid_ = new GridFrame(tw_, form_, this, client_);
    buildPanels(client_);
    buildToolbar(client_);
    buildMenus();
    statusLine_ = new QLabel(client_);
    statusLine_->setObjectName("StatusLine");
    statusLine_->setWordWrap(true);
    statusLine_->setFrameShape(QFrame::StyledPanel);
    statusLine_->setMargin(2);
    statusLine_->hide();
    for (int f : {Frame2, Frame3, Frame1}) placeFrame(f);

    // Tab order: the toolbar, the length list, then the count boxes in row order.
    QWidget *previous = nullptr;
    auto chain = [&previous](QWidget *w) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    };
    for (QToolButton *t : tools_) chain(t);
    chain(hight1_);
    for (int i = 1; i <= kRowCount; ++i) chain(grid_->countBox(i));

    connectWidgets();
    aboutServices_ = desktopAboutServices();
    doc_.setQuestions(*questions_);
    doc_.setFiles(*disk_);
    doc_.setRunStep([this](const std::function<void()> &change) { forward(change); });
    ownOutputs_ =
        std::make_unique<DocumentCommands>(form_, questions_->dialogs(), questions_->dialogs(), disk_.get());
    outputs_ = ownOutputs_.get();
    connect(&doc_, &Document::stateChanged, this, &MainWindow::stateChanged);
    connect(&doc_, &Document::recentFilesChanged, this, &MainWindow::fillRecentMenu);
    connect(&doc_, &Document::recoveryProblemChanged, this, &MainWindow::showStatus);
    // A session that ends saves what its programs hold: here, the recovery file.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { doc_.writeRecoveryNow(); });

    form_.setView(this);
    showForm();
    enforceSize();
}

// The widgets go while the form still exists: their last focus changes must not reach a form that is
// already gone.
MainWindow::~MainWindow() {
    // The window goes without a crash: nothing is left to recover, unless the system ended it.
    doc_.end();
    QObject::disconnect(qApp, nullptr, this, nullptr);
    // The filter must not see the events of widgets that are being destroyed.
    check1_->removeEventFilter(this);
    hight1_->removeEventFilter(this);
    hight1Edit_->removeEventFilter(this);
    delete takeCentralWidget();
    form_.setView(nullptr);
}

// ---- Building ------------------------------------------------------------------------------------

void MainWindow::buildToolbar(QWidget *client) {
    const int side = tw_.x(410);
    for (size_t k = 0; k < tools_.size(); ++k) {
        const Tool &t = kTools[k];
        auto *b = new QToolButton(client);
        b->setObjectName(t.name);
        b->setToolTip(QString::fromUtf8(t.toolTip));
        b->setAccessibleName(QString::fromUtf8(t.toolTip));
        b->setIcon(QIcon(QString::fromLatin1(t.icon)));  // with its @2x picture
        b->setIconSize(QSize(side - 8, side - 8));
        b->setGeometry(tw_.rect(t.left, 0, 410, 410));
        b->setFocusPolicy(Qt::TabFocus);
        tools_[k] = b;
    }
    check1_ = tools_[3];
    check1_->setCheckable(true);
    paintBoxBlue(tools_[0]);  // Plus
    paintBoxBlue(tools_[1]);  // Minus
}

void MainWindow::buildPanels(QWidget *client) {
    frame3_ = new QFrame(client);
    frame3_->setObjectName("Frame3");
    frame2_ = new QFrame(client);
    frame2_->setObjectName("Frame2");
    for (QFrame *f : {frame2_, frame3_}) {
        f->setFrameShape(QFrame::Panel);
        f->setFrameShadow(QFrame::Sunken);
        paintBackgroundBlue(f);
    }
    paintBackgroundBlue(grid_);

    // Frame2: the length list and the two totals, each under its caption.
    panelLabel("Label5", "Длина", frame2_)->setGeometry(tw_.rect(60, 75, 1000, 240));
    panelLabel("Label4", "Кол-во", frame2_)->setGeometry(tw_.rect(1110, 75, 1000, 240));
    panelLabel("Label6", "Объем", frame2_)->setGeometry(tw_.rect(2160, 75, 1040, 240));
    hight1_ = new QComboBox(frame2_);
    hight1_->setObjectName("Hight1");
    hight1_->setLineEdit(new ListTextBox(hight1_));  // editable
    hight1_->setInsertPolicy(QComboBox::NoInsert);
    hight1_->setCompleter(nullptr);
    hight1_->setMaxVisibleItems(20);
    hight1_->setToolTip(QStringLiteral("Длина сортимента"));
    hight1_->setAccessibleName(QStringLiteral("Длина сортимента"));
    hight1Edit_ = hight1_->lineEdit();
    // The wheel chooses a length only while the list has the focus; over an unfocused list it must
    // neither take the focus nor change the length under the user's count.
    hight1_->setFocusPolicy(Qt::StrongFocus);
    hight1_->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    hight1_->lineEdit()->setAcceptDrops(false);
    QStringList entries;
    for (const std::string &e : form_.listEntries()) entries << qs(e);
    hight1_->addItems(entries);
    hight1_->setGeometry(tw_.rect(60, 330, 1000, 330));
    text13_ = resultBox("Text13", "Количество всех сортиментов", frame2_);
    text13_->setGeometry(tw_.rect(1110, 330, 1000, 330));
    text4_ = resultBox("Text4", "Объем всех сортиментов", frame2_);
    text4_->setGeometry(tw_.rect(2160, 330, 1040, 330));

    // Frame3: the two mean diameters.
    panelLabel("Label7", "Ср. диаметр", frame3_)->setGeometry(tw_.rect(30, 120, 1060, 330));
    text1_ = resultBox(
        "Text1", "Среднеквадратический диаметр по ст. толщины и кол-ву сортиментов в ст. толщины", frame3_);
    text1_->setGeometry(tw_.rect(1110, 120, 1000, 330));
    text2_ =
        resultBox("Text2", "Среднеквадратический диаметр по ст. толщины и объему в ст. толщины", frame3_);
    text2_->setGeometry(tw_.rect(2160, 120, 1040, 330));
}

void MainWindow::connectWidgets() {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });
    connect(tools_[0], &QToolButton::clicked, this, [this] { forward([this] { form_.clickPlus(); }); });
    connect(tools_[1], &QToolButton::clicked, this, [this] { forward([this] { form_.clickMinus(); }); });
    connect(tools_[2], &QToolButton::clicked, this, [this] { forward([this] { form_.clickClear(); }); });
    // Toggled, not clicked: a screen reader's Toggle changes the switch without a click.
    connect(check1_, &QToolButton::toggled, this, [this](bool on) {
        if (!syncing_ && on != (form_.Check1Value() == 1)) forward([this] { form_.clickCheck1(); });
    });
    connect(tools_[4], &QToolButton::clicked, this, [this] { forward([this] { form_.clickCommand2(); }); });
    connect(tools_[5], &QToolButton::clicked, this, [this] { forward([this] { form_.clickCommand1(); }); });
    connect(tools_[6], &QToolButton::clicked, this, [this] { output(&DocumentCommands::Command5); });
    connect(tools_[7], &QToolButton::clicked, &doc_, &Document::saveFromToolbar);
    check1_->installEventFilter(this);

    hight1_->installEventFilter(this);
    hight1_->lineEdit()->installEventFilter(this);
    connect(hight1_, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::lengthIndexChosen);
    QLineEdit *listEdit = hight1_->lineEdit();
    connect(listEdit, &QLineEdit::cursorPositionChanged, this, &MainWindow::reportListSelection);
    connect(listEdit, &QLineEdit::selectionChanged, this, &MainWindow::reportListSelection);

    for (int i = 1; i <= kRowCount; ++i) {
        CountBox *box = grid_->countBox(i);
        connect(box, &QLineEdit::cursorPositionChanged, this, [this, i] { reportCountSelection(i); });
        connect(box, &QLineEdit::selectionChanged, this, [this, i] { reportCountSelection(i); });
    }
    connect(grid_->scrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!syncing_) forward([this, value] { form_.setVScroll2Value(static_cast<int16_t>(value)); });
    });
}

// ---- Forwarding events to the form ---------------------------------------------------------------

void MainWindow::afterHandlers() {
    showForm();
    // The step ends before the focus moves: the focus change is forwarded as an event of its own.
    doc_.endStep();
    if (pendingFocus_) {
        const int index = pendingFocus_;
        pendingFocus_ = 0;
        if (CountBox *box = grid_->countBox(index - 1000); box->isVisibleTo(this))
            box->setFocus(Qt::OtherFocusReason);
    }
}

// ---- The document's state ---------------------------------------------------------------------------

void MainWindow::setOutputCommands(DocumentCommands *commands) {
    outputs_ = commands ? commands : ownOutputs_.get();
}

void MainWindow::output(void (DocumentCommands::*command)()) {
    forward([this, command] { (outputs_->*command)(); });
}

// Whether the tally is unsaved decides the title's marker; the status line shows the step's note.
void MainWindow::stateChanged() {
    setWindowModified(doc_.unsaved());
    updateTitle();
    showStatus();
}

// Crash protection that fails comes first: it stays until a recovery write works again.
void MainWindow::showStatus() {
    const QString &problem = doc_.recoveryProblem();
    const QString &shown = problem.isEmpty() ? doc_.droppedNote() : problem;
    if (shown == statusLine_->text() && shown.isEmpty() == statusLine_->isHidden()) return;
    statusLine_->setText(shown);
    statusLine_->setVisible(!shown.isEmpty());
    // The note's room is the window's only change: the caret stays and the grid does not scroll to
    // it, so the rows show what a window started with the same tally shows.
    sizingForNote_ = true;
    enforceSize();
    sizingForNote_ = false;
}

void MainWindow::applyState(const TallyDocument &document) {
    forward([&] {
        document.state.applyTo(form_);
        form_.tallyFileName = document.fileName;
    });
}

void MainWindow::undo() {
    if (depth_ == 0) doc_.undo();
}

void MainWindow::redo() {
    if (depth_ == 0) doc_.redo();
}

void MainWindow::updateTitle() {
    if (titleKnown_ && titleFileName_ == form_.tallyFileName) return;
    titleKnown_ = true;
    titleFileName_ = form_.tallyFileName;
    // "[*]" is where Qt shows the unsaved marker.
    const QString name = QFileInfo(qs(titleFileName_)).fileName();
    setWindowTitle(name.isEmpty() ? QStringLiteral("Люмора[*]") : name + QStringLiteral("[*] — Люмора"));
}

bool MainWindow::countKeyPressed(int index, QKeyEvent *e) {
    const int code = keyCodeOf(*e);
    const char32_t c = typedCharOf(*e);
    forward([&] {
        form_.countKeyDown(index, code);
        if (c) form_.typeCountChar(index, c);
        // A digit run in one box is one undo step; the keys that act on the count are steps of their own.
        if (c >= U'0' && c <= U'9' && code != Key::KeypadPlus && code != Key::KeypadMinus)
            doc_.typedIntoCount(index);
    });
    return isCaretKey(*e);
}

void MainWindow::countTextCommitted(int index, const QString &text) {
    forward([&] {
        for (char32_t c : text.toUcs4()) form_.typeCountChar(index, c);
        doc_.typedIntoCount(index);
    });
}

// An assistive technology's edit, done as the keys and characters that give the same text: typed
// digits over the replaced part, Delete for the whole count, Backspace for its end. Locked boxes and
// a deletion inside the count (no key does that) are refused.
void MainWindow::countTextReplaced(int index, int start, int length, const QString &text) {
    const GridRow &r = form_.row(index - 1000);
    if (r.countLocked) return;
    const int n = static_cast<int>(r.count.size());
    start = std::clamp(start, 0, n);
    length = std::clamp(length, 0, n - start);
    forward([&] {
        if (!text.isEmpty()) {
            form_.setCountSelection(index, start, length);
            for (char32_t c : text.toUcs4()) form_.typeCountChar(index, c);
        } else if (length == n && n > 0) {
            form_.countKeyDown(index, Key::Delete);
        } else if (length > 0 && start + length == n) {
            for (int k = 0; k < length; ++k) form_.countKeyDown(index, Key::Backspace);
        }
    });
}

void MainWindow::reportCountSelection(int i) {
    if (syncing_) return;
    const CountBox *box = grid_->countBox(i);
    const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    form_.setCountSelection(1000 + i, start, box->selectionLength());
    grid_->noteCountSelection(i, form_.row(i).selStart, form_.row(i).selLength);
}

bool MainWindow::lengthKeyPressed(QKeyEvent *e) {
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) return false;  // moves the focus only
    const int code = keyCodeOf(*e);
    const char32_t c = typedCharOf(*e);
    forward([&] {
        form_.Hight1KeyDown(code);
        if (c) form_.Hight1KeyPress(c);
        // A typed length is one step from its first key until Enter (or the focus leaves the box, or
        // a length is chosen from the list).
        if (c || code == Key::Delete) doc_.typedLength(code == Key::Enter);
    });
    // The type-ahead has dealt with every character and Delete; the arrows, paging keys and the caret
    // keys are left to the list, whose index changes come back through lengthIndexChosen.
    return c != 0 || code == Key::Delete;
}

void MainWindow::lengthIndexChosen(int index) {
    if (syncing_) return;
    forward([this, index] { form_.setListIndex(index); });
}

void MainWindow::reportListSelection() {
    if (syncing_) return;
    const QLineEdit *edit = hight1_->lineEdit();
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    form_.setListSelection(start, edit->selectionLength());
    shown_.listSelStart = form_.listSelStart();
    shown_.listSelLength = form_.listSelLength();
}

void MainWindow::focusChanged(QWidget *now) {
    if (!now || now->window() != this) return;  // another window, or none: the form keeps its focus
    doc_.focusMoved();
    if (auto *box = qobject_cast<CountBox *>(now)) {
        const int index = box->index();
        forward([this, index] { form_.countGotFocus(index); });
        return;
    }
    FocusTarget target = FocusTarget::Other;
    if (now == hight1_ || now == hight1Edit_)
        target = FocusTarget::LengthList;
    else if (now == grid_->scrollBar())
        target = FocusTarget::GridScroll;
    else if (now == check1_)
        target = FocusTarget::RoundingSwitch;
    forward([this, target] { form_.otherGotFocus(target); });
}

// Tab and Shift+Tab skip what the user cannot see: hidden widgets, and count boxes outside the window
// of rows unless they can take a count, in which case the focus brings them into the window.
bool MainWindow::takesTab(QWidget *w) const {
    if (w->window() != this || !w->isVisibleTo(this) || !w->isEnabled() || w->focusProxy() ||
        !(w->focusPolicy() & Qt::TabFocus))
        return false;
    const auto *box = qobject_cast<const CountBox *>(w);
    if (!box) return true;
    const GridRow &r = form_.row(box->index() - 1000);
    const int slot = r.top[static_cast<size_t>(Cell::Count)] / kRowPitch;
    return (slot >= 1 && slot <= 19) || !r.countLocked;
}

bool MainWindow::focusNextPrevChild(bool next) {
    QWidget *from = QApplication::focusWidget();
    if (!from || from->window() != this) return QMainWindow::focusNextPrevChild(next);
    QWidget *w = from;
    for (int guard = 0; guard < 1000; ++guard) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from) return false;
        if (takesTab(w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

bool MainWindow::eventFilter(QObject *o, QEvent *e) {
    if (o == hight1_ || o == hight1Edit_) {
        if (leaveToShortcuts(e)) return true;
        if (e->type() == QEvent::Wheel && !hight1_->hasFocus() && !hight1Edit_->hasFocus()) {
            e->ignore();
            return true;
        }
        if (o == hight1_ && e->type() == QEvent::KeyPress)
            return lengthKeyPressed(static_cast<QKeyEvent *>(e));
        if (e->type() == QEvent::InputMethod) {
            const QString text = static_cast<QInputMethodEvent *>(e)->commitString();
            forward([&] {
                for (char32_t c : text.toUcs4()) form_.Hight1KeyPress(c);
                doc_.typedLength(false);
            });
            return true;
        }
        const bool mouse = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease;
        if (mouse && static_cast<QMouseEvent *>(e)->button() == Qt::MiddleButton) return true;
        return false;
    }
    if (o == check1_ && e->type() == QEvent::KeyPress) {
        const int code = keyCodeOf(*static_cast<QKeyEvent *>(e));
        forward([this, code] { form_.Check1KeyDown(code); });
        return code == Key::KeypadPlus || code == Key::KeypadMinus;
    }
    return QMainWindow::eventFilter(o, e);
}

// ---- FormView ------------------------------------------------------------------------------------

void MainWindow::giveFocusToCount(int index) {
    pendingFocus_ = index;
    if (depth_ == 0) forward([] {});
}

void MainWindow::selectCountText(int) {}  // the selection is part of the state that showForm shows

void MainWindow::beep() { QApplication::beep(); }

// ---- Showing the form ----------------------------------------------------------------------------

void MainWindow::showForm() {
    syncing_ = true;
    grid_->showForm();
    showResults();
    showLengthList();
    showMarks();
    shown_.known = true;
    syncing_ = false;
    emit formShown();
}

void MainWindow::showResults() {
    struct Result {
        const std::string &text;
        std::string &shown;
        QLineEdit *box;
    };
    for (const Result &r :
         {Result{form_.Text13(), shown_.text13, text13_}, Result{form_.Text4(), shown_.text4, text4_},
          Result{form_.Text1(), shown_.text1, text1_}, Result{form_.Text2(), shown_.text2, text2_}}) {
        if (shown_.known && r.text == r.shown) continue;
        r.shown = r.text;
        r.box->setText(qs(r.text));
        r.box->setCursorPosition(0);
    }
}

void MainWindow::showLengthList() {
    QLineEdit *edit = hight1_->lineEdit();
    bool textSet = false;
    if (hight1_->currentIndex() != form_.listIndex()) {
        const QSignalBlocker block(hight1_);
        hight1_->setCurrentIndex(form_.listIndex());
        textSet = true;
    }
    if (!shown_.known || textSet || form_.listText() != shown_.listText) {
        shown_.listText = form_.listText();
        if (edit->text() != qs(form_.listText())) edit->setText(qs(form_.listText()));
        textSet = true;
    }
    if (textSet || form_.listSelStart() != shown_.listSelStart ||
        form_.listSelLength() != shown_.listSelLength) {
        shown_.listSelStart = form_.listSelStart();
        shown_.listSelLength = form_.listSelLength();
        if (shown_.listSelLength > 0)
            edit->setSelection(shown_.listSelStart, shown_.listSelLength);
        else
            edit->setCursorPosition(shown_.listSelStart);
    }
}

void MainWindow::showMarks() {
    auto mark = [](QAction *a, bool on) {
        if (a->isChecked() != on) a->setChecked(on);
    };
    mark(noOkrugl_, form_.menuNoOkrugl());
    mark(tis_, form_.menuTis());
    mark(sot_, form_.menuSot());
    mark(des_, form_.menuDes());
    mark(trueT_, form_.TrueT);
    mark(visibleT_, form_.VisibleT);
    mark(trueD_, form_.TrueD);
    mark(visibleD_, form_.VisibleD);
    const bool on = form_.Check1Value() == 1;
    if (check1_->isChecked() != on) check1_->setChecked(on);
}

}  // namespace lumora
