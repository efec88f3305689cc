// The tally form: the state of the main window without any widgets.
//
// How an event flows: the window (or a test) calls one handler below for what the user did (a typed
// character, a key, a focus change, a click, a list choice, a scroll). The handler writes texts through
// setters; a setter stores the new text and, only when it really changed, runs that control's change
// handler before returning (a count box runs the full recalculation, a step volume the mean-diameter
// refresh, a unit volume the step-volume and layout passes, the length list the selection pass). Nested
// handlers run to their end and the outer handler then re-reads its inputs from the texts. Afterwards the
// window shows whatever changed. Requests that only a real window can carry out (focus, selecting a
// box's text, the beep) go through FormView.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "numbers/numbers.h"
#include "table/volume_table.h"

namespace lumora {

// Key codes as the keyboard handlers receive them.
namespace Key {
constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int End = 35;
constexpr int Up = 38;
constexpr int Down = 40;
constexpr int Delete = 46;
constexpr int KeypadPlus = 107;
constexpr int KeypadMinus = 109;
}  // namespace Key

constexpr int16_t kSet = -1;   // a set flag
constexpr int16_t kClear = 0;  // a cleared flag
constexpr int kFirstCountIndex = 1001;
constexpr int kLastCountIndex = 1093;
constexpr int kMaxCountLength = 5;
constexpr int kRowPitch = 270;  // twips between grid rows

// The four cells of a grid row, in the order in which the passes move and hide them.
enum class Cell { Vm3 = 0, D = 1, Count = 2, VD = 3 };

struct GridRow {
    std::string d;              // D(i): the diameter caption, e.g. "24"
    std::string count;          // Text(1000+i): the count, "" or digits
    std::string vm3;            // Vm3(i): unit volume, "" when the table has none
    bool vm3Estimated = false;  // Vm3(i) came from a cell the standard does not tabulate
    std::string vd;             // V_D(i): step volume
    // The two hidden flag boxes, each holding the one character '1' or '0':
    char avscroll = '0';   // AVscroll(i-1): '1' when Vm3(i) is empty
    char avscroll2 = '0';  // AVscroll2(i-1): '1' when Vm3(1..i) are all empty
    bool countLocked = false;
    std::array<bool, 4> visible{true, true, true, true};  // indexed by Cell
    std::array<int16_t, 4> top{};                         // twips inside the grid frame
    int selStart = 0;                                     // caret / selection of the count box, in characters
    int selLength = 0;
};

// What the form asks of whatever shows it. The default does nothing (reports, benchmarks).
class FormView {
public:
    virtual ~FormView() = default;
    // The form has moved the keyboard focus to count box `index` (1001..1093).
    virtual void giveFocusToCount(int /*index*/) {}
    // The form has selected the whole text of count box `index` (from the caret to its end).
    virtual void selectCountText(int /*index*/) {}
    virtual void beep() {}
};

// Which control has the keyboard focus, as far as the form needs to know.
enum class FocusTarget { None, Count, LengthList, GridScroll, RoundingSwitch, Other };

class Form {
public:
    explicit Form(NumberFormat fmt = {}, FormView *view = nullptr);
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    void setView(FormView *view) { view_ = view ? view : &nullView_; }
    const NumberFormat &numberFormat() const { return fmt_; }

    // Builds the rows, the length list and selects 6,00 m; runs once.
    void startUp();

    // One user action. Every handler below opens one; when the outermost ends, the results are
    // brought into line with the length, the counts and the rounding (whatever way the handlers
    // took to get there), the menu marks with the rounding, and the caret box into the window of 19
    // rows. A caller that writes many counts as one action (a load, an undo) opens one around them.
    class Event {
    public:
        explicit Event(Form &form, bool scrolling = false);
        ~Event();
        Event(const Event &) = delete;
        Event &operator=(const Event &) = delete;

    private:
        Form &form_;
        bool scrolling_;
    };

    // ---- Grid rows (i = 1..93) --------------------------------------------------------------
    const GridRow &row(int i) const { return rows_[static_cast<size_t>(i - 1)]; }
    const std::string &countText(int index) const { return row(index - 1000).count; }
    std::string countToolTip(int i) const;
    std::string dToolTip(int i) const;
    std::string vm3ToolTip(int i) const;
    std::string vdToolTip(int i) const;
    // The step volume of row i is built on an estimated unit volume (and so is marked as one).
    bool vdEstimated(int i) const { return row(i).vm3Estimated && !row(i).vd.empty(); }
    static int countTabIndex(int i) { return i + 8; }

    // Writers that run the change handlers, exactly as a user's edit would.
    void setCountText(int index, const std::string &text);  // Text(index), 1001..1093
    void setVm3(int i, const std::string &text);
    void setVD(int i, const std::string &text);

    // ---- Results -----------------------------------------------------------------------------
    const std::string &Text13() const { return text13_; }  // total count
    const std::string &Text4() const { return text4_; }    // total volume
    const std::string &Text1() const { return text1_; }    // mean diameter by count
    const std::string &Text2() const { return text2_; }    // mean diameter by volume
    void setText13(const std::string &t) { text13_ = t; }
    void setText4(const std::string &t) { text4_ = t; }
    void setText1(const std::string &t) { text1_ = t; }
    void setText2(const std::string &t) { text2_ = t; }

    // ---- Length list Hight1 -----------------------------------------------------------------
    const std::vector<std::string> &listEntries() const { return listEntries_; }
    int listIndex() const { return listIndex_; }  // -1 after the list text was emptied
    const std::string &listText() const { return listText_; }
    int listSelStart() const { return listSelStart_; }
    int listSelLength() const { return listSelLength_; }
    void setListIndex(int index);  // runs the selection pass when the index changes
    void setListText(const std::string &text);
    void setListSelection(int start, int length);
    void Hight1KeyDown(int keyCode);
    // The type-ahead; returns the character that reaches the list (0 when swallowed).
    char32_t Hight1KeyPress(char32_t c);

    // ---- Grid scroll bar VScroll2 -----------------------------------------------------------
    int16_t vscroll2Value() const { return vscroll2Value_; }
    int16_t vscroll2Max() const { return vscroll2Max_; }
    bool vscroll2Visible() const { return vscroll2Visible_; }
    void setVScroll2Value(int16_t value);  // runs the change handler when the value changes
    void setVScroll2Max(int16_t max);      // a maximum below the value moves the value
    void VScroll2Scroll();                 // thumb dragged: same as the change handler
    void VScroll2GotFocus();

    // ---- Rounding state and controls --------------------------------------------------------
    int16_t Check1Value() const { return check1Value_; }
    int16_t decimals() const { return vscroll1Value_; }  // VScroll1.Value, 1..3
    const std::string &Text3() const { return text3_; }
    bool rounded() const { return check1Value_ == 1; }
    void setCheck1Value(int16_t value);  // runs the switch click when the value changes
    void setDecimals(int16_t value);     // runs the decimals change when the value changes
    void clickCheck1();                  // the user toggles the switch
    void Check1KeyDown(int keyCode);
    void clickCommand1();  // one decimal fewer
    void clickCommand2();  // one decimal more
    void clickNoOkrugl();
    void clickDes();
    void clickSot();
    void clickTis();
    bool menuNoOkrugl() const { return noOkrugl_; }
    bool menuDes() const { return des_; }
    bool menuSot() const { return sot_; }
    bool menuTis() const { return tis_; }

    // ---- Count entry -------------------------------------------------------------------------
    // A character typed into count box `index`: digits only, at most 5, inserted at the caret.
    void typeCountChar(int index, char32_t c);
    void countKeyDown(int index, int keyCode);
    void setCountSelection(int index, int start, int length);  // the view reports caret moves
    // The focus enters count box `index` (click, Tab, or the form's own request).
    void countGotFocus(int index);
    // The focus goes to a control other than a count box.
    void otherGotFocus(FocusTarget target);
    FocusTarget focusTarget() const { return focusTarget_; }
    int focusedCountIndex() const { return focusTarget_ == FocusTarget::Count ? focusedCount_ : 0; }
    // Gives the focus to count box `index`; false when it cannot take it (hidden, out of range).
    bool giveFocusToCount(int index);
    void clickPlus();
    void clickMinus();
    void clickClear();  // menu Clear and toolbar Command3

    // ---- View menu marks (toolbar, mean-diameter panel) -------------------------------------
    bool TrueT = false, VisibleT = true, TrueD = false, VisibleD = true;
    // «Сервис» -> «Чётные ступени от 14 см»: from 14 cm logs are measured to even centimetres, so
    // Enter, Down and Up pass over the odd steps from 15 cm whose count box is empty. Only where the
    // keys go depends on it, never a figure.
    bool evenSteps = false;
    // «Сервис» -> «Группы по толщине в листе и книге»: the printed sheet and the workbook add the
    // thickness groups under the totals. Off unless the user asks; no figure depends on it.
    bool groupsOnSheet = false;

    // ---- Form-level variables ---------------------------------------------------------------
    int16_t selectedColumn = 0;
    int16_t selectedListIndex = 0;
    int16_t leadingEmptyRows = 0;
    int16_t hiddenRows = 0;
    int16_t shownRows = 0;
    int16_t focusCountIndex = 0;
    int16_t returnFocusIndex = 0;
    int16_t massUpdate = kClear;
    int16_t loadingFile = kClear;
    double countTotal = 0;
    int32_t sumDiameterCount = 0;
    int64_t sumDiameterVolume = 0;  // diameter (cm) x step volume (0.0001 m3), exact
    int16_t gridScrollValue = 0;
    std::string tallyFileName;
    // The title typed at Print for this tally, kept in its file ("" for none).
    std::string tallyTitle;

    // ---- Passes (run by the handlers; public so that documents and tests can run them) --------
    void fullRecalculation();
    void countTotalPass();
    void stepVolumePass();
    void clearingPass();
    void meanDiameterPass();
    void meanDiameterRefresh();
    void unitVolumeUpdate();
    void layoutPass();
    void selectionPass();
    void rangeRule();
    void rowPlacement();

    // How many change handlers ran since construction (for the benchmarks).
    struct HandlerCounts {
        long fullRecalculations = 0, unitVolumeUpdates = 0, meanDiameterRefreshes = 0, selectionPasses = 0,
             scrollChanges = 0;
    };
    const HandlerCounts &handlerCounts() const { return counts_; }

private:
    GridRow &rowRef(int i) { return rows_[static_cast<size_t>(i - 1)]; }
    void settle(bool scrolled);
    void bringCountIntoView(int index);
    void keepCaretInView();
    void setCellsVisible(int i, bool visible);
    // Writes the unit volumes of a table column into the grid; an empty cell passes through "0"
    // and is then emptied, as the table reads it.
    void loadUnitVolumes(int column);
    // Hides each row whose own and next unit volume are both empty, and counts them.
    void hideEmptyRowPairs();
    void setCellsTop(int i, int16_t top);
    void setCountLocked(int index, bool locked);
    void VScroll2Change();
    void decimalsChange();
    void switchClick();
    void countNudge();
    void checkDecimalsItemFromText3();
    void chooseDecimalsItem(int16_t n);
    void focusFollowing(int row);
    void neighbourMove(int from, int to);
    int neighbourOf(int k, int direction) const;
    void typeAheadFailure();
    void stepCount(int index, const std::string &text);
    // count x unit volume in 0.0001 m3; nullopt when either text is not a number of that kind
    std::optional<int64_t> stepVolume(const std::string &vm3, const std::string &count) const;
    int16_t roundingPlaces() const { return rounded() ? vscroll1Value_ : int16_t(4); }
    std::string plusOne(const std::string &t) const;
    std::string minusOne(const std::string &t) const;

    NumberFormat fmt_;
    FormView nullView_;
    FormView *view_;
    std::array<GridRow, kRowCount> rows_;
    std::string text13_ = "0", text4_ = "0", text1_ = "0", text2_ = "0";
    std::vector<std::string> listEntries_;
    int listIndex_ = -1;
    std::string listText_;
    int listSelStart_ = 0, listSelLength_ = 0;
    int16_t vscroll2Value_ = 0, vscroll2Max_ = 0;
    bool vscroll2Visible_ = true;
    int16_t check1Value_ = 1;
    int16_t vscroll1Value_ = 2;
    std::string text3_ = "2";
    bool noOkrugl_ = false, des_ = false, sot_ = true, tis_ = false;
    FocusTarget focusTarget_ = FocusTarget::None;
    int focusedCount_ = 0;
    bool pendingSelectToEnd_ = false;  // a neighbour move's Shift+End, handled after its key
    HandlerCounts counts_;
    int eventDepth_ = 0;
    bool settling_ = false;
    bool scrolledInEvent_ = false;
    struct StepVolumeMemo {
        std::string vm3, count;
        int16_t places = -1;
        std::string vd;
    };
    std::array<StepVolumeMemo, kRowCount> stepVolumeMemo_;
};

}  // namespace lumora
