// Long random sequences of what a user can do to the form. After every event, what the form shows must
// be what a freshly started form shows for the same length, counts and rounding, whatever way led
// there; and the box with the caret must be one the user can see.
//
// LUMORA_RANDOM_SEED and LUMORA_RANDOM_EVENTS start a long run by hand, e.g.
//   LUMORA_RANDOM_SEED=7 LUMORA_RANDOM_EVENTS=1000000 core_tests --gtest_filter='RandomEvents.*'
// LUMORA_FRESH_EVERY (default 1) compares with a real fresh form every n-th event only; the exact
// model below is compared after every event.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "documents/core/scripted_dialogs.h"
#include "form_test_support.h"

using namespace lumora;
using namespace lumora::test;

namespace {

long envNumber(const char *name, long fallback) {
    const char *v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

int slotOf(const Form &f, int row) { return row - f.vscroll2Value() - f.leadingEmptyRows; }

struct Results {
    std::array<std::string, kRowCount> vd;
    std::string text13, text4, text1, text2;
};

// The results computed from the state alone, from the table and the counts, without the form.
Results model(const Form &f) {
    const NumberFormat &fmt = f.numberFormat();
    const int column = f.selectedColumn;
    const int places = f.rounded() ? f.decimals() : 4;
    Results r;
    int64_t logs = 0, volume = 0, dn = 0, dv = 0;
    for (int i = 1; i <= kRowCount; ++i) {
        const std::string &count = f.row(i).count;
        if (count.empty() || column == 0) continue;
        const int64_t n = std::stoll(count);
        const int64_t d = diametersCm()[static_cast<size_t>(i - 1)];
        const int64_t v = roundHalfUp(tableCell(column, i) * n, 4, places) * [&] {
            int64_t p = 1;
            for (int k = places; k < 4; ++k) p *= 10;
            return p;
        }();
        r.vd[static_cast<size_t>(i - 1)] = decimalText(v, 4, fmt);
        logs += n;
        volume += v;
        dn += d * n;
        dv += d * v;
    }
    r.text13 = std::to_string(logs);
    const int64_t shownVolume = f.rounded() ? roundHalfUp(volume, 4, f.decimals()) : volume;
    const int totalPlaces = f.rounded() ? f.decimals() : 4;
    r.text4 = decimalText(shownVolume, totalPlaces, fmt);
    auto mean = [&](int64_t num, int64_t den) {
        if (den == 0) return std::string("0");
        return *(f.rounded() ? quotientText(num, den, f.decimals(), fmt) : quotient0_0xx(num, den, fmt));
    };
    r.text1 = mean(dn, logs);
    int64_t divisor = shownVolume;
    for (int k = totalPlaces; k < 4; ++k) divisor *= 10;
    r.text2 = mean(dv, divisor);
    return r;
}

Results shown(const Form &f) {
    Results r;
    for (int i = 1; i <= kRowCount; ++i) r.vd[static_cast<size_t>(i - 1)] = f.row(i).vd;
    r.text13 = f.Text13();
    r.text4 = f.Text4();
    r.text1 = f.Text1();
    r.text2 = f.Text2();
    return r;
}

void expectSameResults(const Results &got, const Results &want, const char *against) {
    SCOPED_TRACE(against);
    for (int i = 1; i <= kRowCount; ++i)
        ASSERT_EQ(got.vd[static_cast<size_t>(i - 1)], want.vd[static_cast<size_t>(i - 1)])
            << "step volume, row " << i;
    ASSERT_EQ(got.text13, want.text13) << "total count";
    ASSERT_EQ(got.text4, want.text4) << "total volume";
    ASSERT_EQ(got.text1, want.text1) << "mean diameter by count";
    ASSERT_EQ(got.text2, want.text2) << "mean diameter by volume";
}

// A new form, started as the program starts, given the length, the rounding and then the counts.
void compareWithFreshForm(const Form &f) {
    Form fresh(f.numberFormat());
    fresh.startUp();
    fresh.setListIndex(f.selectedColumn);
    fresh.setDecimals(f.decimals());
    if (!f.rounded()) fresh.clickCheck1();
    for (int i = 1; i <= kRowCount; ++i) {
        if (f.row(i).count.empty()) continue;
        const int index = 1000 + i;
        fresh.countGotFocus(index);
        for (char c : f.row(i).count) fresh.typeCountChar(index, static_cast<char32_t>(c));
        ASSERT_EQ(fresh.countText(index), f.row(i).count) << "a fresh form refuses the count of row " << i;
    }
    expectSameResults(shown(f), shown(fresh), "against a fresh form");
    // With no length the rows stand out of sight and keep the captions of the last length.
    if (f.selectedColumn == 0) return;
    for (int i = 1; i <= kRowCount; ++i) {
        ASSERT_EQ(f.row(i).vm3, fresh.row(i).vm3) << "unit volume, row " << i;
        ASSERT_EQ(f.row(i).visible, fresh.row(i).visible) << "visibility, row " << i;
        ASSERT_EQ(f.row(i).countLocked, fresh.row(i).countLocked) << "lock, row " << i;
    }
    ASSERT_EQ(f.vscroll2Visible(), fresh.vscroll2Visible());
    ASSERT_EQ(f.vscroll2Max(), fresh.vscroll2Max());
    ASSERT_EQ(f.menuNoOkrugl(), fresh.menuNoOkrugl());
    ASSERT_EQ(f.menuDes(), fresh.menuDes());
    ASSERT_EQ(f.menuSot(), fresh.menuSot());
    ASSERT_EQ(f.menuTis(), fresh.menuTis());
}

void checkState(const Form &f, bool scrolled, bool withFreshForm) {
    for (int i = 1; i <= kRowCount; ++i) {
        const std::string &c = f.row(i).count;
        ASSERT_TRUE(c.empty() || (c.size() <= 5 && c.find_first_not_of("0123456789") == std::string::npos))
            << "row " << i << " holds '" << c << "'";
        if (f.row(i).vm3.empty() || f.selectedColumn == 0) {
            ASSERT_EQ(c, "") << "row " << i << " has no unit volume";
        }
    }
    expectSameResults(shown(f), model(f), "against the exact model");
    if (withFreshForm) compareWithFreshForm(f);

    // The marks of the rounding menu name what the results show.
    ASSERT_EQ(f.menuNoOkrugl(), !f.rounded());
    ASSERT_EQ(f.menuDes(), f.rounded() && f.decimals() == 1);
    ASSERT_EQ(f.menuSot(), f.rounded() && f.decimals() == 2);
    ASSERT_EQ(f.menuTis(), f.rounded() && f.decimals() == 3);

    // A hidden scroll bar stands at 0; a shown one reaches every row in use.
    if (!f.vscroll2Visible()) {
        ASSERT_EQ(f.vscroll2Value(), 0);
    }
    if (f.selectedColumn != 0) {
        ASSERT_EQ(f.vscroll2Max(), std::max(0, f.shownRows - 19));
    }
    // The caret is in a box the user sees, unless the user has just scrolled the rows away from it.
    const int r = f.focusedCountIndex() - 1000;
    if (r >= 1 && f.listIndex() != 0 && !scrolled) {
        ASSERT_TRUE(f.row(r).visible[static_cast<size_t>(Cell::Count)]) << "caret in hidden row " << r;
        ASSERT_GE(slotOf(f, r), 1) << "caret row " << r << " V " << f.vscroll2Value();
        ASSERT_LE(slotOf(f, r), 19) << "caret row " << r << " V " << f.vscroll2Value();
        for (int c = 0; c < 4; ++c)
            ASSERT_EQ(f.row(r).top[static_cast<size_t>(c)], slotOf(f, r) * kRowPitch)
                << "row " << r << " drawn off";
    }
}

// A tally file of random counts in random rows, as the program writes them.
std::string randomTallyFile(std::mt19937 &rng) {
    TallyCounts counts;
    for (auto &c : counts)
        if (rng() % 6 == 0) c = std::to_string(rng() % (rng() % 3 ? 30 : 100000));
    // Half of them carry a length and a rounding, as this version saves them.
    if (rng() % 2) return writeTally(counts);
    TallySettings s;
    s.length = static_cast<int>(rng() % kLengthCount) + 1;
    s.rounded = rng() % 4 != 0;
    s.decimals = static_cast<int>(rng() % 3) + 1;
    return writeTally(counts, s, rng() % 2 ? ',' : '.');
}

void runSequence(unsigned seed, const NumberFormat &fmt, long events, long freshEvery) {
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Form f(fmt);
    f.startUp();
    ScriptedDialogs dialogs;
    MemoryFiles files;
    const std::u32string chars = U"0123456789a-,.+ ";
    const int countKeys[] = {Key::Up,          Key::Down,      Key::Enter,  Key::KeypadPlus,
                             Key::KeypadMinus, Key::Backspace, Key::Delete, Key::End};
    const int listKeys[] = {Key::KeypadPlus, Key::KeypadMinus, Key::Delete,
                            Key::Enter,      Key::Down,        Key::Escape};
    const std::u32string listChars = U"0123456789,.\b\x1b\r+-";

    bool scrolled = false;  // since the last action other than a scroll
    for (long e = 0; e < events; ++e) {
        std::string what;
        const int focused = f.focusedCountIndex();
        switch (pick(0, 20)) {
            case 0:
            case 1:
            case 2:
            case 3:
                if (focused) {
                    f.typeCountChar(focused, chars[static_cast<size_t>(pick(0, int(chars.size()) - 1))]);
                    what = "typed";
                }
                break;
            case 4:
            case 5:
            case 6: {
                if (!focused) break;
                const int key = countKeys[pick(0, 7)];
                f.countKeyDown(focused, key);
                what = "key " + std::to_string(key) + " in " + std::to_string(focused);
                break;
            }
            case 7: {  // a click on a box that shows in the window
                const int r = f.leadingEmptyRows + f.vscroll2Value() + pick(1, 19);
                if (r >= 1 && r <= kRowCount && f.row(r).visible[2]) {
                    f.countGotFocus(1000 + r);
                    what = "click " + std::to_string(r);
                }
                break;
            }
            case 8:  // a toolbar button takes the focus, then gives it back
                f.otherGotFocus(FocusTarget::Other);
                f.clickPlus();
                what = "plus";
                break;
            case 9:
                f.otherGotFocus(FocusTarget::Other);
                f.clickMinus();
                what = "minus";
                break;
            case 10:
                if (pick(0, 9) == 0) {
                    f.otherGotFocus(FocusTarget::Other);
                    f.clickClear();
                    what = "clear";
                }
                break;
            case 11:
                f.clickCheck1();
                what = "switch";
                break;
            case 12: {
                const int which = pick(0, 5);
                if (which == 0) f.clickCommand1();
                if (which == 1) f.clickCommand2();
                if (which == 2) f.clickNoOkrugl();
                if (which == 3) f.clickDes();
                if (which == 4) f.clickSot();
                if (which == 5) f.clickTis();
                what = "rounding " + std::to_string(which);
                break;
            }
            case 13:
                f.otherGotFocus(FocusTarget::RoundingSwitch);
                f.Check1KeyDown(pick(0, 1) ? Key::KeypadPlus : Key::KeypadMinus);
                what = "switch keypad";
                break;
            case 14:
                if (pick(0, 3) == 0) {
                    f.otherGotFocus(FocusTarget::LengthList);
                    f.setListIndex(pick(0, kLengthCount));
                    what = "length " + std::to_string(f.listIndex());
                }
                break;
            case 15:
                f.otherGotFocus(FocusTarget::LengthList);
                f.Hight1KeyDown(listKeys[pick(0, 5)]);
                what = "list key";
                break;
            case 16:
                f.otherGotFocus(FocusTarget::LengthList);
                f.Hight1KeyPress(listChars[static_cast<size_t>(pick(0, int(listChars.size()) - 1))]);
                what = "list char";
                break;
            case 17:  // the scroll bar's arrows and track, or the wheel over the grid
                f.setVScroll2Value(static_cast<int16_t>(f.vscroll2Value() + pick(-20, 20)));
                what = "scroll";
                scrolled = true;
                break;
            case 18:
                if (pick(0, 9) == 0) {
                    files.files["t.txt"] = randomTallyFile(rng);
                    dialogs.answers.push_back(std::string("t.txt"));
                    // A refused file changes nothing, not even whether the rows were scrolled away.
                    what = openTally(f, dialogs, files) ? "open" : "refused open";
                }
                break;
            case 20:  // «Чётные ступени от 14 см»: where the keys go, never a figure
                f.evenSteps = !f.evenSteps;
                what = std::string("even steps ") + (f.evenSteps ? "on" : "off");
                break;
            case 19:  // the decimals buttons with the focus outside the grid
                f.otherGotFocus(FocusTarget::LengthList);
                if (pick(0, 1))
                    f.clickCommand1();
                else
                    f.clickCommand2();
                what = "decimals button";
                break;
        }
        // The menu item moves neither the caret nor the rows: a scroll before it still stands, as it
        // does after a refused file.
        if (!what.empty() && what != "scroll" && what != "refused open" && what.rfind("even steps", 0) != 0)
            scrolled = false;
        SCOPED_TRACE("seed " + std::to_string(seed) + ", event " + std::to_string(e) + ": " + what);
        checkState(f, scrolled, freshEvery > 0 && e % freshEvery == 0);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace

TEST(RandomEvents, EveryStateShowsWhatAFreshFormShows) {
    const long seed = envNumber("LUMORA_RANDOM_SEED", 0);
    const long events = envNumber("LUMORA_RANDOM_EVENTS", 1500);
    const long freshEvery = envNumber("LUMORA_FRESH_EVERY", 1);
    // The seeds that once left the caret out of sight after a visit to 0,50 m are among the defaults.
    std::vector<unsigned> seeds = {1u, 2u, 1028u, 2000u, 2041u};
    if (seed) seeds = {static_cast<unsigned>(seed)};
    for (unsigned s : seeds) {
        runSequence(s, s % 2 ? NumberFormat{','} : NumberFormat{'.'}, events, freshEvery);
        if (HasFatalFailure()) return;
    }
}

// The faults that a path once left behind, each as the user met it.
TEST(RandomEvents, LengthChangeThenSwitchKeepsTheMeansOfTheNewLength) {
    Form f(kComma);
    f.startUp();
    typeCount(f, 12, "10");
    typeCount(f, 60, "1");
    f.otherGotFocus(FocusTarget::LengthList);
    f.setListIndex(entryOf(300));
    expectSameResults(shown(f), model(f), "after the length change");
    EXPECT_EQ(f.Text2(), "46,3");
    f.clickCheck1();
    expectSameResults(shown(f), model(f), "after the switch");
    EXPECT_NE(f.Text1(), "0,0");
}

TEST(RandomEvents, SwitchOffAndOnLeavesTheMeansAsTheyWere) {
    Form f(kComma);
    f.startUp();
    typeCount(f, 24, "7");
    typeCount(f, 60, "3");
    typeCount(f, 100, "1");
    const std::string before = f.Text2();
    f.clickCheck1();
    f.clickCheck1();
    EXPECT_EQ(f.Text2(), before);
    expectSameResults(shown(f), model(f), "after off and on");
}
