// A tally state typed afresh into a new form, and everything a user sees of a form, to check that a
// restored state shows exactly the figures of the same state typed by hand.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "form_test_support.h"
#include "tally/tally_state.h"

namespace lumora::test {

// Everything the window shows of the tally.
inline std::string figures(const Form &f) {
    std::ostringstream s;
    s << "length " << f.listIndex() << " '" << f.listText() << "' rounded " << f.Check1Value() << " decimals "
      << f.decimals() << " Text3 " << f.Text3() << " marks " << f.menuNoOkrugl() << f.menuDes() << f.menuSot()
      << f.menuTis() << "\n";
    for (int i = 1; i <= kRowCount; ++i) {
        const GridRow &r = f.row(i);
        s << r.d << ": '" << r.count << "' vm3 '" << r.vm3 << "' vd '" << r.vd << "' "
          << (r.visible[static_cast<size_t>(Cell::Count)] ? "shown" : "hidden")
          << (r.countLocked ? " locked" : "") << "\n";
    }
    s << "Text13 " << f.Text13() << " Text4 " << f.Text4() << " Text1 " << f.Text1() << " Text2 " << f.Text2()
      << " shownRows " << f.shownRows << " leading " << f.leadingEmptyRows << "\n";
    return s.str();
}

// A new form where a user picks the length, chooses the rounding in the menu and types each count.
inline std::string typedAfresh(const TallyState &state, const NumberFormat &fmt = kComma) {
    Form f(fmt);
    f.startUp();
    f.setListIndex(state.length);
    if (!state.rounded) {
        f.setDecimals(state.decimals);
        f.clickNoOkrugl();
    } else if (state.decimals == 1) {
        f.clickDes();
    } else if (state.decimals == 2) {
        f.clickSot();
    } else {
        f.clickTis();
    }
    for (int i = 1; i <= kRowCount; ++i) {
        const std::string &count = state.counts[static_cast<size_t>(i - 1)];
        if (count.empty()) continue;
        const int index = 1000 + i;
        f.countGotFocus(index);
        if (count.find_first_not_of("0123456789") == std::string::npos) {
            for (char c : count) f.typeCountChar(index, static_cast<char32_t>(c));
        } else {
            f.setCountText(index, count);  // a count only a file can hold
        }
    }
    return figures(f);
}

}  // namespace lumora::test
