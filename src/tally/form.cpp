// The form's state, its start-up and the setters that run the change handlers.
#include "tally/form.h"

#include <cstdio>

namespace lumora {

Form::Form(NumberFormat fmt, FormView *view) : fmt_(fmt), view_(view ? view : &nullView_) {
    // The designed grid: row i at Top 120 + 270 (i - 1), flags cleared, nothing selected yet.
    for (int i = 1; i <= kRowCount; ++i) {
        GridRow &r = rowRef(i);
        r.top.fill(static_cast<int16_t>(120 + kRowPitch * (i - 1)));
    }
}

void Form::startUp() {
    Event event(*this);
    const auto &diameters = diametersCm();
    for (int i = 1; i <= kRowCount; ++i) rowRef(i).d = std::to_string(diameters[static_cast<size_t>(i - 1)]);

    listEntries_.clear();
    listEntries_.reserve(kLengthCount + 1);
    listEntries_.emplace_back();
    for (int cm : lengthsCm()) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d%c%02d", cm / 100, fmt_.decimalSeparator, cm % 100);
        listEntries_.emplace_back(buf);
    }

    focusCountIndex = kFirstCountIndex;
    shownRows = 0;
    setListIndex(64);  // 6,00 m: runs the selection pass
    setDecimals(1);
    tallyFileName.clear();
    tallyTitle.clear();
    massUpdate = kClear;
    loadingFile = kClear;
    setVScroll2Max(74);
    setVScroll2Value(0);
    focusCountIndex = static_cast<int16_t>(leadingEmptyRows + kFirstCountIndex);

    // Load the unit volumes of the selected length once more.
    loadUnitVolumes(selectedColumn);
}

void Form::loadUnitVolumes(int column) {
    for (int i = 1; i <= kRowCount; ++i) {
        auto v = unitVolume(column, i, fmt_);
        if (!v) continue;
        rowRef(i).vm3Estimated = cellEstimated(column, i);  // travels with the text written below
        setVm3(i, numberText(*v, fmt_));
        auto shown = localeNumber(row(i).vm3, fmt_);
        if (shown && *shown == 0) setVm3(i, "");
    }
}

// ---- Tool tips ---------------------------------------------------------------------------------

std::string Form::dToolTip(int i) const { return "Ступень толщины =" + row(i).d + " см"; }
std::string Form::countToolTip(int i) const {
    return "Количество сортиментов ступени толщины = " + row(i).d + " см";
}
namespace {
const char kEstimatedNote[] = "\nрасчётное значение: в ГОСТ 2708-75 для этой длины и диаметра значения нет";
}

std::string Form::vm3ToolTip(int i) const {
    return "Объем одного сортимента в ступени толщины = " + row(i).d + " см" +
           (row(i).vm3Estimated && !row(i).vm3.empty() ? kEstimatedNote : "");
}
std::string Form::vdToolTip(int i) const {
    return "Объем сортиментов ступени толщины = " + row(i).d + " см" + (vdEstimated(i) ? kEstimatedNote : "");
}

// ---- Setters with change handlers --------------------------------------------------------------

void Form::setCountText(int index, const std::string &text) {
    Event event(*this);
    if (index < kFirstCountIndex || index > kLastCountIndex) return;
    GridRow &r = rowRef(index - 1000);
    if (r.count == text) return;
    r.count = text;
    // A text set from code puts the caret at the start, as a text box does.
    r.selStart = 0;
    r.selLength = 0;
    fullRecalculation();
}

void Form::setVm3(int i, const std::string &text) {
    GridRow &r = rowRef(i);
    if (r.vm3 == text) return;
    r.vm3 = text;
    unitVolumeUpdate();
}

void Form::setVD(int i, const std::string &text) {
    GridRow &r = rowRef(i);
    if (r.vd == text) return;
    r.vd = text;
    meanDiameterRefresh();
}

void Form::setCellsVisible(int i, bool visible) { rowRef(i).visible.fill(visible); }
void Form::setCellsTop(int i, int16_t top) { rowRef(i).top.fill(top); }
void Form::setCountLocked(int index, bool locked) { rowRef(index - 1000).countLocked = locked; }

// ---- Length list -------------------------------------------------------------------------------

void Form::setListIndex(int index) {
    Event event(*this);
    if (index < -1 || index > static_cast<int>(listEntries_.size()) - 1 || index == listIndex_) return;
    listIndex_ = index;
    listText_ = index >= 0 ? listEntries_[static_cast<size_t>(index)] : std::string();
    listSelStart_ = 0;
    listSelLength_ = 0;
    if (index >= 0) selectionPass();
}

void Form::setListText(const std::string &text) {
    Event event(*this);
    if (text == listText_) return;
    listText_ = text;
    // An editable list whose text no longer names an entry has no entry selected; no pass runs.
    listIndex_ = -1;
    listSelStart_ = static_cast<int>(text.size());
    listSelLength_ = 0;
}

void Form::setListSelection(int start, int length) {
    const int n = static_cast<int>(listText_.size());
    listSelStart_ = std::max(0, std::min(start, n));
    listSelLength_ = std::max(0, std::min(length, n - listSelStart_));
}

// ---- Grid scroll bar ---------------------------------------------------------------------------

void Form::setVScroll2Value(int16_t value) {
    Event event(*this, true);
    if (value < 0) value = 0;
    if (value > vscroll2Max_) value = vscroll2Max_;
    if (value == vscroll2Value_) return;
    vscroll2Value_ = value;
    VScroll2Change();
}

void Form::setVScroll2Max(int16_t max) {
    if (max < 0) max = 0;
    vscroll2Max_ = max;
    if (vscroll2Value_ > max) {
        vscroll2Value_ = max;
        VScroll2Change();
    }
}

void Form::VScroll2Change() {
    ++counts_.scrollChanges;
    gridScrollValue = vscroll2Value_;
    rangeRule();
    rowPlacement();
}

void Form::VScroll2Scroll() {
    Event event(*this, true);
    VScroll2Change();
}

void Form::VScroll2GotFocus() {
    Event event(*this, true);
    focusTarget_ = FocusTarget::GridScroll;
    gridScrollValue = vscroll2Value_;
    rangeRule();
}

void Form::rangeRule() {
    setVScroll2Max(shownRows >= 19 ? static_cast<int16_t>(shownRows - 19) : int16_t(0));
}

void Form::rowPlacement() {
    for (int i = 1; i <= kRowCount; ++i)
        setCellsTop(i, static_cast<int16_t>((i - vscroll2Value_ - leadingEmptyRows) * kRowPitch));
}

// ---- Rounding state ----------------------------------------------------------------------------

void Form::setCheck1Value(int16_t value) {
    Event event(*this);
    if (value == check1Value_) return;
    check1Value_ = value;
    switchClick();
}

void Form::setDecimals(int16_t value) {
    Event event(*this);
    if (value < 1) value = 1;
    if (value > 3) value = 3;
    if (value == vscroll1Value_) return;
    vscroll1Value_ = value;
    decimalsChange();
}

void Form::decimalsChange() {
    if (loadingFile) {
        massUpdate = kClear;
        return;
    }
    text3_ = std::to_string(vscroll1Value_);
    stepVolumePass();
    meanDiameterPass();
    massUpdate = kClear;
}

}  // namespace lumora
