// The main window "Люмора": a view and a controller over the headless tally form.
//
// How an event flows: a widget event (a key in a count box or in the length list, a focus change, a
// click on a button or a menu item, a move of the scroll bar) is forwarded to the form's handler for
// it; when the outermost handler returns, showForm() compares the form's state with what the widgets
// show and touches only the widgets that differ. Requests of the form that only a window can carry
// out (focus to a count box, the beep) arrive through FormView; a focus request is applied after the
// widgets show the form's new state, so the box is already where the grid has scrolled it.
//
// The window computes nothing: numbers, texts, positions, check marks come from the form. What is the
// window's own is the geometry (twips of the design turned into pixels), the View menu's moving of
// the panels, the about box and leaving the program.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <string>

#include "documents/core/tally_file.h"
#include "editing/document.h"
#include "editing/recent_files.h"
#include "tally/form.h"
#include "tally/tally_state.h"
#include "ui/about_box.h"
#include "ui/count_box.h"
#include "ui/recovery_dialog.h"
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

// The document commands behind the File menu and two toolbar buttons (Command4 saves, Command5
// exports). `open` and `openFile` (a named file, loaded as Open loads a chosen one) return the counts
// as the file holds them when a tally was loaded (the whole file, or nothing); the saves
// return true when the tally was written to a file.
struct DocumentHooks {
    std::function<std::optional<TallyCounts>()> open;
    std::function<std::optional<TallyCounts>(const std::string &)> openFile;
    std::function<bool()> save, saveAs, command4;
    std::function<void()> exportXls, command5, print, printPreview;
    // The bytes the commands last read from or wrote to a file, and the file as it is now (nullopt
    // when it cannot be read): what tells a file someone else wrote since.
    std::function<std::optional<std::string>(const std::string &)> lastBytes, onDisk;
};

// The answer when the file that Save would write over was changed by another program.
enum class ChangedFileAnswer { Overwrite, SaveAs, Cancel };

class MainWindow : public QMainWindow, public FormView, private CountBoxHost {
    Q_OBJECT
public:
    explicit MainWindow(const NumberFormat &fmt, QWidget *parent = nullptr);
    ~MainWindow() override;

    Form &form() { return form_; }
    void setDocumentHooks(DocumentHooks hooks) { docs_ = std::move(hooks); }
    const DocumentHooks &documentHooks() const { return docs_; }
    // The question asked before leaving with unsaved counts; the default is a message box.
    // The same question is asked before the tally is replaced (Open, a recent or named file).
    void setLeaveQuestion(std::function<LeaveAnswer()> ask) { askToLeave_ = std::move(ask); }
    // The question asked before Save writes over a file another program changed since.
    void setChangedFileQuestion(std::function<ChangedFileAnswer(const QString &)> ask) {
        askAboutChangedFile_ = std::move(ask);
    }
    void setAboutServices(AboutServices services) { aboutServices_ = std::move(services); }
    // The message box of the window's own messages (a recent file that is gone); tests answer it.
    void setMessageBox(std::function<void(const QString &)> tell) { tell_ = std::move(tell); }
    const RecentFiles &recentFiles() const { return recent_; }
    // The question asked at start about the tallies left by windows that did not end cleanly: one
    // choice per tally, none to ask again next time. The default is the recovery dialog.
    using RecoveryChooser = std::function<std::vector<RecoveryChoice>(const std::vector<RecoveryOffer> &)>;
    void setRecoveryChooser(RecoveryChooser choose) { chooseRecovery_ = std::move(choose); }

    // True while the tally differs from what was last saved or loaded (the title's marker).
    bool unsaved() const;
    // Undo and redo of the tally (menu «Правка», Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z).
    void undo();
    void redo();
    QUndoStack &history() { return doc_.history().stack(); }
    Document &editedDocument() { return doc_; }
    // The recovery file of this window and its timer (at most a second after a change).
    const RecoveryFile &recoveryFile() const { return doc_.recoveryFile(); }
    void setRecoveryFolder(const QString &folder) { doc_.setRecoveryFolder(folder); }
    void writeRecoveryNow() { doc_.writeRecoveryNow(); }
    // What the status line says while recovery writes fail ("" while they work).
    QString recoveryProblem() const { return doc_.recoveryProblem(); }
    // The system asks the program to end (a logout, a closed terminal, Ctrl+C): the tally goes to the
    // recovery file if it is unsaved, and the program ends without questions, keeping that file and
    // every other one. Before the main loop runs (a question at start is open), the question closes
    // and the start goes no further.
    void endOnRequest();
    bool endRequested() const { return endRequested_; }
    // Offers back the tallies that windows left behind without a clean exit, and tells once of any
    // that could not be read; true when one was restored.
    bool offerRecovery();
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
    void openTally();
    void saveTally();
    void saveTallyAs();
    void saveFromToolbar();
    // Loads a tally file as Open does after its dialog (the file named on the command line).
    void openTallyFile(const QString &path);
    // The same for an entry of the recent files; a file that is gone leaves the list with a message.
    void openRecentFile(const QString &path);

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
        if (depth_ == 0) beginStep();
        ++depth_;
        handler();
        --depth_;
        if (depth_ == 0) afterHandlers();
    }
    void afterHandlers();
    void beginStep();
    void endStep();
    void tallyChanged();
    void noteDroppedCounts();
    void updateTitle();
    void applyState(const TallyDocument &document);
    TallyDocument document() const { return doc_.current(); }
    bool mayReplaceTally();
    bool mayWriteOverFile();
    std::optional<std::string> lastBytes() const;
    void runFileCommand(const std::function<bool()> &command);
    void buildToolbar(QWidget *client);
    void buildPanels(QWidget *client);
    void buildMenus();
    void buildRecentMenu();
    void loadTally(const std::function<std::optional<TallyCounts>()> &open);
    void noteRecentFile();
    void fillRecentMenu();
    void connectWidgets();
    void placeFrame(int frame);
    void moveFrames(int shift, std::initializer_list<int> frames);
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
    bool askBeforeLeaving();

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
    QString droppedNote_;
    void showStatus();
    QLineEdit *text13_ = nullptr, *text4_ = nullptr, *text1_ = nullptr, *text2_ = nullptr;
    QAction *open_ = nullptr, *save_ = nullptr, *saveAs_ = nullptr, *exportXls_ = nullptr, *print_ = nullptr,
            *printPreview_ = nullptr, *exit_ = nullptr, *trueT_ = nullptr, *visibleT_ = nullptr,
            *trueD_ = nullptr, *visibleD_ = nullptr, *clear_ = nullptr, *noOkrugl_ = nullptr, *tis_ = nullptr,
            *sot_ = nullptr, *des_ = nullptr, *about_action_ = nullptr, *undo_ = nullptr, *redo_ = nullptr,
            *evenSteps_ = nullptr;
    std::array<int, 3> frameTops_{345, 1000, 1320};  // Frame2, Frame3, Frame1

    // What the widgets outside the grid show, to touch only what changed.
    struct Shown {
        std::string text13, text4, text1, text2, listText;
        int listSelStart = -1, listSelLength = -1;
        bool known = false;
    } shown_;

    DocumentHooks docs_;
    std::function<LeaveAnswer()> askToLeave_;
    std::function<ChangedFileAnswer(const QString &)> askAboutChangedFile_;
    QString leaveQuestion_;  // what the default question asks
    AboutServices aboutServices_;
    QPointer<AboutBox> about_;
    RecentFiles recent_;
    QMenu *recentMenu_ = nullptr;
    std::function<void(const QString &)> tell_;
    RecoveryChooser chooseRecovery_;
    Document doc_;
    TallyDocument stepBefore_;
    bool saving_ = false;  // a save may name another file for the tally: that is no undo step
    int typingBox_ = 0;    // the count box that took a typed digit in this step
    bool stepOpen_ = false;
    bool loadingFile_ = false;   // the step is an Open: it replaces the counts, it does not drop them
    bool endRequested_ = false;  // ending on the system's request: questions close, files stay
    std::string titleFileName_;
    bool titleKnown_ = false;
    int depth_ = 0;               // how deep in forwarded handlers we are
    int pendingFocus_ = 0;        // count box the form wants focused once the widgets are shown
    bool sizingForNote_ = false;  // the window grows or shrinks for the note: nothing moves in the grid
    bool syncing_ = false;        // widgets are being set from the form: their signals are not user events
};

}  // namespace lumora
