// The main window "Люмора": a view and a controller over the headless tally form.
//
// How an event flows: a widget event (a key in a count box or in the length list, a focus change, a
// click on a button or a menu item, a move of the scroll bar) is forwarded to the form's handler for
// it; when the outermost handler returns, showForm() compares the form's state with what the widgets
// show and touches only the widgets that differ. Requests of the form that only a window can carry
// out (focus to a count box, the beep) arrive through FormView; a focus request is applied after the
// widgets show the form's new state, so the box is already where the grid has scrolled it.
//
// The window computes nothing: numbers, texts, positions, check marks come from the form, and the
// file commands, undo and recovery are the document's (editing/document.h), which runs its changes
// through forward() as one step. What is the window's own is the geometry (twips of the design turned
// into pixels), the View menu's moving of the panels and the about box.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "editing/document.h"
#include "tally/form.h"
#include "tally/tally_state.h"
#include "ui/about_box.h"
#include "ui/count_box.h"
#include "ui/twips.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace lumora {

class GridFrame;

class DocumentCommands;
class DiskFiles;
class QtDocumentQuestions;

class MainWindow : public QMainWindow, public FormView, private CountBoxHost {
    Q_OBJECT
public:
    explicit MainWindow(const NumberFormat &fmt, QWidget *parent = nullptr);
    ~MainWindow() override;

    Form &form() { return form_; }
    // The document the window shows: the file commands, undo and the recovery file are its.
    Document &document() { return doc_; }
    const Document &document() const { return doc_; }
    // The window's own answers to the document's questions (Qt's dialogs); tests give the document
    // scripted ones instead.
    QtDocumentQuestions &questions() { return *questions_; }
    // The commands behind «Экспорт в *.xls», «Печать», «Предварительный просмотр...» and the
    // toolbar's export; by default over Qt's dialogs and the disk (tests pass their own).
    void setOutputCommands(DocumentCommands *commands);
    void setAboutServices(AboutServices services) { aboutServices_ = std::move(services); }
    QUndoStack &history() { return doc_.history().stack(); }
    // True while the tally differs from what was last saved or loaded (the title's marker).
    bool unsaved() const { return doc_.unsaved(); }
    // The system asks the program to end (a logout, a closed terminal, Ctrl+C): the tally goes to the
    // recovery file if it is unsaved, and the program ends without questions, keeping that file and
    // every other one. Before the main loop runs (a question at start is open), the question closes
    // and the start goes no further.
    void endOnRequest();
    // Runs `handler` on the form as a user's event is run (tests that drive the form directly).
    void forwardForTest(const std::function<void()> &handler) { forward(handler); }

    // Window height in twips of the designed platform for the View menu's state (7850 with both
    // the toolbar and the mean-diameter panel shown).
    int designedHeight() const;
    // The size that the window keeps: the designed client area in pixels plus our menu bar.
    QSize designedSize() const;
    const Twips &twips() const { return tw_; }
    enum Panel { Frame2 = 0, Frame3 = 1, Frame1 = 2 };
    // Top of a panel in twips, as designed (Frame2 345, Frame3 1000, Frame1 1320) and moved since.
    int frameTop(int frame) const;
    AboutBox *aboutBox() const { return about_; }

    // Shows the form's state, touching only what changed.
    void showForm();

    // FormView
    void giveFocusToCount(int index) override;
    void selectCountText(int index) override;
    void beep() override;

    // Menu and toolbar commands (public so that tests drive them as a click would).
    void hideToolbar();
    void showToolbar();
    void hideMeanDiameters();
    void showMeanDiameters();
    void showAbout();

signals:
    // The widgets show the form's new state (views that follow the tally refresh on it).
    void formShown();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    bool countKeyPressed(int index, QKeyEvent *e) override;
    void countTextCommitted(int index, const QString &text) override;
    void countTextReplaced(int index, int start, int length, const QString &text) override;
    bool takesTab(QWidget *w) const;

    // Runs a handler of the form; when the outermost one returns, the widgets show the result.
    template <class Handler>
    void forward(Handler &&handler) {
        if (depth_ == 0) doc_.beginStep();
        ++depth_;
        handler();
        --depth_;
        if (depth_ == 0) afterHandlers();
    }
    void afterHandlers();
    void stateChanged();
    void updateTitle();
    void applyState(const TallyDocument &document);
    void undo();
    void redo();
    void buildToolbar(QWidget *client);
    void buildPanels(QWidget *client);
    void buildMenus();
    void buildRecentMenu();
    void fillRecentMenu();
    void connectWidgets();
    void placeFrame(int frame);
    void moveFrames(int shift, std::initializer_list<int> frames);
    enum class Strip { Toolbar, MeanDiameters };
    void showStrip(Strip strip, bool shown);
    void enforceSize();
    void placeStatusLine();
    void focusCurrentCount();
    bool lengthKeyPressed(QKeyEvent *e);
    void lengthIndexChosen(int index);
    void reportListSelection();
    void reportCountSelection(int i);
    void focusChanged(QWidget *now);
    void showResults();
    void showLengthList();
    void showMarks();
    void output(void (DocumentCommands::*command)());

    Form form_;
    Twips tw_;
    QWidget *client_ = nullptr;
    GridFrame *grid_ = nullptr;
    QFrame *frame2_ = nullptr, *frame3_ = nullptr;
    std::array<QToolButton *, 8> tools_{};
    QToolButton *check1_ = nullptr;
    QComboBox *hight1_ = nullptr;
    QLineEdit *hight1Edit_ = nullptr;  // the list's text box
    // Notes that need no answer: crash protection that fails, else the counts a length emptied. The
    // line lies under the designed window, wrapped to be read in full, and only while it has a note.
    QLabel *statusLine_ = nullptr;
    void showStatus();
    QLineEdit *text13_ = nullptr, *text4_ = nullptr, *text1_ = nullptr, *text2_ = nullptr;
    QAction *new_ = nullptr, *open_ = nullptr, *save_ = nullptr, *saveAs_ = nullptr, *exportXls_ = nullptr,
            *print_ = nullptr, *printPreview_ = nullptr, *exit_ = nullptr, *trueT_ = nullptr,
            *visibleT_ = nullptr, *trueD_ = nullptr, *visibleD_ = nullptr, *clear_ = nullptr,
            *noOkrugl_ = nullptr, *tis_ = nullptr, *sot_ = nullptr, *des_ = nullptr, *about_action_ = nullptr,
            *undo_ = nullptr, *redo_ = nullptr, *evenSteps_ = nullptr;
    std::array<int, 3> frameTops_{345, 1000, 1320};  // Frame2, Frame3, Frame1

    // What the widgets outside the grid show, to touch only what changed.
    struct Shown {
        std::string text13, text4, text1, text2, listText;
        int listSelStart = -1, listSelLength = -1;
        bool known = false;
    } shown_;

    AboutServices aboutServices_;
    QPointer<AboutBox> about_;
    QMenu *recentMenu_ = nullptr;
    Document doc_;
    std::unique_ptr<QtDocumentQuestions> questions_;
    std::unique_ptr<DiskFiles> disk_;
    std::unique_ptr<DocumentCommands> ownOutputs_;
    DocumentCommands *outputs_ = nullptr;
    std::string titleFileName_;
    bool titleKnown_ = false;
    int depth_ = 0;               // how deep in forwarded handlers we are
    int pendingFocus_ = 0;        // count box the form wants focused once the widgets are shown
    bool sizingForNote_ = false;  // the window grows or shrinks for the note: nothing moves in the grid
    bool syncing_ = false;        // widgets are being set from the form: their signals are not user events
};

}  // namespace lumora
