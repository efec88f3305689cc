// Choosing the log length: the selection pass, the keys of the length list and its type-ahead.
#include <algorithm>
#include <stdexcept>

#include "tally/form.h"

namespace lumora {

namespace {

std::string lowerAscii(std::string s) {
    // By hand: std::tolower follows the C library's locale, and a single-byte one (CP1251 on a Russian
    // Windows) would turn the bytes of a UTF-8 letter into other bytes.
    for (char &c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

}  // namespace

void Form::selectionPass() {
    ++counts_.selectionPasses;
    const int L = listIndex_;
    int16_t a = 0;
    selectedListIndex = static_cast<int16_t>(L);
    selectedColumn = static_cast<int16_t>(L);
    massUpdate = kSet;

    if (L == 0) {  // the blank entry: no length, the tally is emptied and moved out of sight
        returnFocusIndex = focusCountIndex;
        setText4("0");
        setText13("0");
        setText1("0");
        setText2("0");
        for (int i = 1; i <= kRowCount; ++i) {
            setCountText(1000 + i, "");
            setVD(i, "");
            setCellsTop(i, -10);
        }
        massUpdate = kClear;
        return;
    }

    loadUnitVolumes(L);

    for (int i = 1; i <= kRowCount; ++i) {
        a = static_cast<int16_t>(a + (row(i).avscroll2 == '1' ? 1 : 0));
    }
    leadingEmptyRows = a;
    gridScrollValue = vscroll2Value_;
    rowPlacement();
    focusCountIndex = static_cast<int16_t>(leadingEmptyRows + kFirstCountIndex);
    countTotalPass();
    for (int i = 1; i <= kRowCount; ++i)
        if (!row(i).visible[static_cast<size_t>(Cell::Count)]) setCountText(1000 + i, "");
    for (int i = 1; i <= kRowCount; ++i) setCountLocked(1000 + i, false);

    hideEmptyRowPairs();

    for (int i = 1; i <= kRowCount; ++i) {
        if (row(i).vm3.empty()) {
            setCountText(1000 + i, "");
            setCountLocked(1000 + i, true);
        }
    }

    // Rows in use: from the first row with a unit volume to the end of its run.
    shownRows = (leadingEmptyRows > 0 && hiddenRows > 2) ? 0 : 1;
    bool runEnded = false;
    for (int j = leadingEmptyRows + 1; j <= kRowCount - 1; ++j) {
        if (row(j + 1).avscroll == '1' && row(j).avscroll == '1') {
            runEnded = true;
            break;
        }
        ++shownRows;
    }
    if (!runEnded && selectedListIndex >= 0) setListIndex(selectedListIndex);
    // The range reaches every row in use, and a hidden scroll bar stands at the top, for every length
    // (a length whose rows in use end early would otherwise keep the range and value of the last one).
    setVScroll2Max(shownRows >= 19 ? static_cast<int16_t>(shownRows - 19) : int16_t(0));
    vscroll2Visible_ = shownRows >= 21;
    if (!vscroll2Visible_) setVScroll2Value(0);

    stepVolumePass();
    clearingPass();
    // The means always follow the new length's step volumes, whether or not a count was cleared.
    meanDiameterPass();
    massUpdate = kClear;
}

void Form::Hight1KeyDown(int keyCode) {
    Event event(*this);
    if (selectedListIndex >= 0) setListIndex(selectedListIndex);
    if (keyCode == Key::KeypadMinus && selectedListIndex != 0) setListIndex(listIndex_ - 1);
    if (keyCode == Key::KeypadPlus && selectedListIndex != kLengthCount) setListIndex(listIndex_ + 1);
    for (int i = 1; i <= kRowCount; ++i) {
        if (!row(i).visible[static_cast<size_t>(Cell::Vm3)]) {
            setCountText(1000 + i, "");
            setVD(i, "");
        }
    }
    if (keyCode == Key::Delete) setListIndex(0);
    if (keyCode == Key::Enter) giveFocusToCount(leadingEmptyRows + kFirstCountIndex);
    for (int i = 1; i <= kRowCount; ++i)
        if (!row(i).visible[static_cast<size_t>(Cell::Count)]) setCountText(1000 + i, "");
}

char32_t Form::Hight1KeyPress(char32_t c) {
    Event event(*this);
    // The keypad plus and minus have already stepped the length in the key handling.
    if (c == U'+' || c == U'-') return 0;
    try {
        // A point or a comma is the decimal separator of the lengths, whichever the locale uses.
        if (c == U'.' || c == U',') c = static_cast<unsigned char>(fmt_.decimalSeparator);
        const std::string t =
            listSelStart_ > 0 ? listText_.substr(0, static_cast<size_t>(listSelStart_)) : "";
        if (c == 13) {
            const std::string &entry =
                listIndex_ >= 0 ? listEntries_.at(static_cast<size_t>(listIndex_)) : listText_;
            listSelStart_ = 0;
            listSelLength_ = static_cast<int>(entry.size());
            return c;
        }
        if (c == 27) {
            setListText("");
            return 0;
        }
        std::string f;
        if (c == 8) {
            if (t.size() <= 1) {
                setListText("");
                return 0;
            }
            f = lowerAscii(t.substr(0, t.size() - 1));
        } else {
            f = lowerAscii(t + utf8(c));
        }
        int found = -1;
        for (size_t e = 0; e < listEntries_.size(); ++e) {
            const std::string &entry = listEntries_[e];
            if (entry.empty()) {
                if (f.empty()) {
                    found = static_cast<int>(e);
                    break;
                }
                continue;
            }
            if (entry.size() >= f.size() && lowerAscii(entry.substr(0, f.size())) == f) {
                found = static_cast<int>(e);
                break;
            }
        }
        if (found >= 0) {
            setListIndex(found);
            listText_ = listEntries_[static_cast<size_t>(found)];
            listSelStart_ = static_cast<int>(f.size());
            listSelLength_ = static_cast<int>(listText_.size() - f.size());
        } else {
            view_->beep();
        }
    } catch (const std::exception &) {
        typeAheadFailure();
    }
    return 0;
}

// After anything in the type-ahead fails: keep the grid consistent with the unit volumes.
void Form::typeAheadFailure() {
    for (int i = 1; i <= kRowCount; ++i)
        if (!row(i).visible[static_cast<size_t>(Cell::Count)]) setCountText(1000 + i, "");
    for (int i = 1; i <= kRowCount; ++i) setCountLocked(1000 + i, false);
    for (int i = 1; i <= kRowCount; ++i) {
        if (row(i).vm3.empty()) {
            setCountText(1000 + i, "");
            setCountLocked(1000 + i, true);
        }
    }
}

}  // namespace lumora
