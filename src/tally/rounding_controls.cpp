// The rounding switch, the decimals buttons and the rounding menu, kept in step with each other.
#include "tally/form.h"

namespace lumora {

void Form::clickCommand1() {
    Event event(*this);
    returnFocusIndex = focusCountIndex;
    if (vscroll1Value_ > 1) setDecimals(static_cast<int16_t>(vscroll1Value_ - 1));
    giveFocusToCount(returnFocusIndex);
}

void Form::clickCommand2() {
    Event event(*this);
    returnFocusIndex = focusCountIndex;
    if (vscroll1Value_ < 3) setDecimals(static_cast<int16_t>(vscroll1Value_ + 1));
    giveFocusToCount(returnFocusIndex);
}

void Form::clickCheck1() {
    Event event(*this);
    setCheck1Value(check1Value_ == 1 ? 0 : 1);
}

// The menu, not the switch, decides: a checked "Не округлять" means the switch has just been turned on.
void Form::switchClick() {
    returnFocusIndex = focusCountIndex;
    tis_ = sot_ = des_ = false;
    if (noOkrugl_) {
        noOkrugl_ = false;
        checkDecimalsItemFromText3();
    } else {
        noOkrugl_ = true;
    }
    stepVolumePass();
    // The mean by volume divides by the new total: recompute both sums rather than reuse the old ones.
    meanDiameterPass();
    giveFocusToCount(returnFocusIndex);
}

void Form::checkDecimalsItemFromText3() {
    auto n = localeNumber(text3_, fmt_);
    if (!n) return;
    if (*n == 1)
        des_ = true;
    else if (*n == 2)
        sot_ = true;
    else if (*n == 3)
        tis_ = true;
}

void Form::chooseDecimalsItem(int16_t n) {
    setCheck1Value(1);
    noOkrugl_ = false;
    des_ = sot_ = tis_ = false;
    text3_ = std::to_string(n);
    des_ = n == 1;
    sot_ = n == 2;
    tis_ = n == 3;
    if (auto d = localeNumber(text3_, fmt_)) setDecimals(static_cast<int16_t>(*d));
    countNudge();
}

void Form::clickDes() {
    Event event(*this);
    chooseDecimalsItem(1);
}
void Form::clickSot() {
    Event event(*this);
    chooseDecimalsItem(2);
}
void Form::clickTis() {
    Event event(*this);
    chooseDecimalsItem(3);
}

void Form::clickNoOkrugl() {
    Event event(*this);
    tis_ = sot_ = des_ = false;
    if (check1Value_ != 1) {
        setCheck1Value(1);
        noOkrugl_ = false;
        checkDecimalsItemFromText3();
    } else {
        setCheck1Value(0);
        noOkrugl_ = true;
    }
    countNudge();
}

// Forces a full recalculation in the new rounding state: the first count of rows 1..92 is emptied
// and written back.
void Form::countNudge() {
    for (int i = 1; i < kRowCount; ++i) {
        if (!row(i).count.empty()) {
            const std::string text = row(i).count;
            setCountText(1000 + i, "");
            setCountText(1000 + i, text);
            return;
        }
    }
}

void Form::Check1KeyDown(int keyCode) {
    Event event(*this);
    const int c = focusCountIndex;
    if (c < kFirstCountIndex || c > kLastCountIndex) return;
    bringCountIntoView(c);
    if (keyCode == Key::KeypadPlus) stepCount(c, plusOne(countText(c)));
    if (keyCode == Key::KeypadMinus) stepCount(c, minusOne(countText(c)));
}

}  // namespace lumora
