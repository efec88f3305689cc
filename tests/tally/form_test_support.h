// Helpers shared by the form's tests: a started form and a view that records what the form asks.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tally/form.h"

namespace lumora::test {

struct RecordingView : FormView {
    std::vector<int> focusRequests;
    std::vector<int> selectRequests;
    int beeps = 0;
    void giveFocusToCount(int index) override { focusRequests.push_back(index); }
    void selectCountText(int index) override { selectRequests.push_back(index); }
    void beep() override { ++beeps; }
};

inline const NumberFormat kComma{','};
inline const NumberFormat kPoint{'.'};

// Row of a diameter in cm.
inline int rowOf(int diameterCm) { return diameterCm <= 70 ? diameterCm - 2 : 68 + (diameterCm - 70) / 2; }

// The list entry of a length in cm.
inline int entryOf(int lengthCm) {
    const auto &l = lengthsCm();
    for (int k = 0; k < kLengthCount; ++k)
        if (l[static_cast<size_t>(k)] == lengthCm) return k + 1;
    return -1;
}

// Types a whole count into the box of a diameter, digit by digit, as a user would.
inline void typeCount(Form &f, int diameterCm, const std::string &digits) {
    const int index = 1000 + rowOf(diameterCm);
    f.countGotFocus(index);
    for (char c : digits) f.typeCountChar(index, static_cast<char32_t>(c));
}

// A tally file with one count at the given diameters.
inline std::string tallyFile(std::initializer_list<std::pair<int, const char *>> counts) {
    std::string out;
    for (int i = 1; i <= kRowCount; ++i) {
        std::string line = "0";
        for (const auto &[d, n] : counts)
            if (rowOf(d) == i) line = n;
        out += line + "\r\n";
    }
    return out;
}

}  // namespace lumora::test
