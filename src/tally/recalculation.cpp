// The recalculation passes: counts to step volumes, totals and mean diameters, and the row layout.
//
// Each pass reads its inputs back from the texts and writes its results through the setters, so a
// write can run a nested handler. A step that cannot convert its inputs (a count that is not a number,
// an overflow) is abandoned on its own: its target keeps its text and the pass goes on.
#include <algorithm>
#include <climits>

#include "tally/form.h"

namespace lumora {

void Form::fullRecalculation() {
    ++counts_.fullRecalculations;
    massUpdate = kClear;
    if (!loadingFile) {
        bool anyCount =
            std::any_of(rows_.begin(), rows_.end(), [](const GridRow &r) { return !r.count.empty(); });
        if (!anyCount) {
            setText1("0");
            setText2("0");
        }
        countTotalPass();
        stepVolumePass();
        clearingPass();
    }
    meanDiameterPass();
    massUpdate = kClear;
}

void Form::countTotalPass() {
    countTotal = 0;
    if (leadingEmptyRows != kRowCount) {
        const int last = std::min(kRowCount, kRowCount - hiddenRows + leadingEmptyRows);
        for (int i = leadingEmptyRows + 1; i <= last; ++i)
            if (!row(i).count.empty()) countTotal += lenientNumber(row(i).count);
    }
    setText13(numberText(countTotal, fmt_));
}

void Form::stepVolumePass() {
    int64_t sum = 0;  // 0.0001 m3
    bool sumOk = true;
    const int16_t places = roundingPlaces();
    const int last = std::min<int>(kRowCount, shownRows + leadingEmptyRows);
    for (int i = 1; i <= last; ++i) {
        const GridRow &r = row(i);
        if (r.vm3.empty() || r.count.empty() || listIndex_ == 0) {
            setVD(i, "");
        } else {
            // A length change reruns this pass for every changed caption; rows whose inputs did not
            // change get the text they got last time without converting again.
            StepVolumeMemo &memo = stepVolumeMemo_[static_cast<size_t>(i - 1)];
            if (memo.places == places && memo.vm3 == r.vm3 && memo.count == r.count) {
                setVD(i, std::string(memo.vd));
            } else if (auto volume = stepVolume(r.vm3, r.count)) {
                memo = {r.vm3, r.count, places, decimalText(roundHalfUp(*volume, 4, places), places, fmt_)};
                setVD(i, std::string(memo.vd));
            }
        }
        // The total is the sum of the step volumes as shown.
        if (!row(i).vd.empty()) {
            auto v = scaledNumber(row(i).vd, 4, fmt_);
            if (!v || __builtin_add_overflow(sum, *v, &sum)) sumOk = false;
        }
    }
    if (!sumOk) return;
    if (rounded())
        setText4(decimalText(roundHalfUp(sum, 4, vscroll1Value_), vscroll1Value_, fmt_));
    else
        setText4(decimalText(sum, 4, fmt_));
}

std::optional<int64_t> Form::stepVolume(const std::string &vm3, const std::string &count) const {
    auto unit = scaledNumber(vm3, 4, fmt_);
    auto logs = scaledNumber(count, 0, fmt_);
    int64_t volume;
    if (!unit || !logs || __builtin_mul_overflow(*unit, *logs, &volume)) return std::nullopt;
    return volume;
}

void Form::clearingPass() {
    for (int i = 1; i <= kRowCount; ++i) {
        if (row(i).vm3.empty()) {
            setCountText(1000 + i, "");
            setVD(i, "");
        }
    }
}

void Form::meanDiameterPass() {
    sumDiameterCount = 0;
    sumDiameterVolume = 0;
    const int last = std::min<int>(kRowCount, shownRows + leadingEmptyRows);
    for (int i = leadingEmptyRows + 1; i <= last; ++i) {
        const GridRow &r = row(i);
        if (r.vm3.empty() || r.count.empty()) continue;
        auto d = scaledNumber(r.d, 0, fmt_);
        if (!d) continue;
        if (auto c = scaledNumber(r.count, 0, fmt_)) {
            int64_t x;
            if (!__builtin_mul_overflow(*d, *c, &x) &&
                !__builtin_add_overflow(x, int64_t{sumDiameterCount}, &x) && x >= INT32_MIN && x <= INT32_MAX)
                sumDiameterCount = static_cast<int32_t>(x);
        }
        if (!r.vd.empty()) {
            int64_t x;
            auto v = scaledNumber(r.vd, 4, fmt_);
            if (v && !__builtin_mul_overflow(*d, *v, &x) && !__builtin_add_overflow(x, sumDiameterVolume, &x))
                sumDiameterVolume = x;
        }
    }
    meanDiameterRefresh();  // Text2, then Text1
}

void Form::meanDiameterRefresh() {
    ++counts_.meanDiameterRefreshes;
    auto meanText = [this](int64_t numerator, int64_t denominator) {
        return rounded() ? quotientText(numerator, denominator, vscroll1Value_, fmt_)
                         : quotient0_0xx(numerator, denominator, fmt_);
    };
    if (auto total = scaledNumber(text4_, 4, fmt_)) {
        if (*total == 0) {
            setText2("0");
        } else if (auto t = meanText(sumDiameterVolume, *total)) {
            setText2(*t);
        }
    }
    if (auto total = scaledNumber(text13_, 0, fmt_)) {
        if (*total == 0) {
            setText1("0");
        } else if (auto t = meanText(sumDiameterCount, *total)) {
            setText1(*t);
        }
    }
}

void Form::unitVolumeUpdate() {
    if (loadingFile) return;
    ++counts_.unitVolumeUpdates;
    stepVolumePass();
    layoutPass();
}

void Form::hideEmptyRowPairs() {
    int hidden = 0;
    for (int i = 1; i < kRowCount; ++i) {
        const bool hide = row(i).vm3.empty() && row(i + 1).vm3.empty();
        setCellsVisible(i, !hide);
        if (hide) ++hidden;
    }
    hiddenRows = static_cast<int16_t>(hidden);
}

void Form::layoutPass() {
    hideEmptyRowPairs();
    for (int i = 1; i <= kRowCount; ++i) rowRef(i).avscroll = row(i).vm3.empty() ? '1' : '0';
    rowRef(1).avscroll2 = row(1).avscroll == '1' ? '1' : '0';
    for (int i = 2; i <= kRowCount; ++i)
        rowRef(i).avscroll2 = (row(i).avscroll == '1' && row(i - 1).avscroll2 == '1') ? '1' : '0';
}

}  // namespace lumora
