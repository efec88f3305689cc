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
