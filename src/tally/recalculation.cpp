// The recalculation passes: counts to step volumes, totals and mean diameters, and the row layout.
//
// Each pass reads its inputs back from the texts and writes its results through the setters, so a
// write can run a nested handler. A step that cannot convert its inputs (a count that is not a number,
// an overflow) is abandoned on its own: its target keeps its text and the pass goes on.
#include <algorithm>
#include <cmath>

#include "tally/form.h"

namespace lumora {

void Form::fullRecalculation() {
    ++counts_.fullRecalculations;
    massUpdate = kClear;
    if (!loadingFile) {
        bool anyCount = std::any_of(rows_.begin(), rows_.end(), [](const GridRow &r) { return !r.count.empty(); });
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
    double sum = 0;
    const int last = std::min<int>(kRowCount, shownRows + leadingEmptyRows);
    for (int i = 1; i <= last; ++i) {
        const GridRow &r = row(i);
        if (r.vm3.empty() || r.count.empty() || listIndex_ == 0) {
            setVD(i, "");
        } else {
            // A length change reruns this pass for every changed caption; rows whose inputs did not
            // change get the text they got last time without converting again.
            StepVolumeMemo &memo = stepVolumeMemo_[static_cast<size_t>(i - 1)];
            const int16_t places = roundingPlaces();
            if (memo.places == places && memo.vm3 == r.vm3 && memo.count == r.count) {
                setVD(i, std::string(memo.vd));
            } else {
                auto unit = localeNumber(r.vm3, fmt_);
                auto count = localeNumber(r.count, fmt_);
                if (unit && count) {
                    if (auto p = Ocrugl(*unit * *count, places)) {
                        memo = {r.vm3, r.count, places, numberText(*p, fmt_)};
                        setVD(i, std::string(memo.vd));
                    }
                }
            }
        }
        if (!row(i).vd.empty()) {
            if (auto v = localeNumber(row(i).vd, fmt_)) sum += *v;
        }
    }
    if (rounded()) {
        if (auto total = Ocrugl(sum, vscroll1Value_)) setText4(numberText(*total, fmt_));
    } else {
        setText4(numberText(sum, fmt_));
    }
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
        auto d = localeNumber(r.d, fmt_);
        auto c = localeNumber(r.count, fmt_);
        if (d && c) {
            double x = wholePart(*d) * wholePart(*c) + static_cast<double>(sumDiameterCount);
            if (auto stored = toInt32(x)) sumDiameterCount = *stored;
        }
        if (!r.vd.empty()) {
            auto sd = singleNumber(r.d, fmt_);
            auto sv = singleNumber(r.vd, fmt_);
            if (sd && sv) {
                double x = static_cast<double>(*sd) * static_cast<double>(*sv) + sumDiameterVolume;
                if (std::fabs(x) <= 3.4028234663852886e38) sumDiameterVolume = static_cast<float>(x);
            }
        }
    }
    meanDiameterRefresh();  // Text2, then Text1
}

void Form::meanDiameterRefresh() {
    ++counts_.meanDiameterRefreshes;
    auto meanText = [this](double q) -> std::optional<std::string> {
        if (!rounded()) return format0_0xx(q, fmt_);
        if (auto r = Ocrugl(q, vscroll1Value_)) return numberText(*r, fmt_);
        return std::nullopt;
    };
    if (auto total = localeNumber(text4_, fmt_)) {
        if (*total == 0) {
            setText2("0");
        } else if (auto t = meanText(static_cast<double>(sumDiameterVolume) / *total)) {
            setText2(*t);
        }
    }
    if (auto total = localeNumber(text13_, fmt_)) {
        if (*total == 0) {
            setText1("0");
        } else if (auto t = meanText(static_cast<double>(sumDiameterCount) / *total)) {
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

void Form::layoutPass() {
    int hidden = 0;
    for (int i = 1; i < kRowCount; ++i) {
        const bool hide = row(i).vm3.empty() && row(i + 1).vm3.empty();
        setCellsVisible(i, !hide);
        if (hide) ++hidden;
    }
    hiddenRows = static_cast<int16_t>(hidden);
    for (int i = 1; i <= kRowCount; ++i) rowRef(i).avscroll = row(i).vm3.empty() ? '1' : '0';
    rowRef(1).avscroll2 = row(1).avscroll == '1' ? '1' : '0';
    for (int i = 2; i <= kRowCount; ++i)
        rowRef(i).avscroll2 = (row(i).avscroll == '1' && row(i - 1).avscroll2 == '1') ? '1' : '0';
}

}  // namespace lumora
