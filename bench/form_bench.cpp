// Costs of the form's events, without any window: start-up, one keystroke, a length change, a
// neighbour move with scrolling, a rounding menu choice. Prints the median of many runs of each.
//
//   build/bench/form_bench [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "tally/form.h"

using namespace lumora;
using Clock = std::chrono::steady_clock;

namespace {

// Median time in microseconds of `run`, each run prepared (untimed) by `prepare`.
double medianMicros(int runs, const std::function<void()> &prepare, const std::function<void()> &run) {
    std::vector<double> t;
    t.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        prepare();
        auto a = Clock::now();
        run();
        auto b = Clock::now();
        t.push_back(std::chrono::duration<double, std::micro>(b - a).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

int entryOf(int cm) {
    const auto &l = lengthsCm();
    return static_cast<int>(std::find(l.begin(), l.end(), cm) - l.begin()) + 1;
}

void typicalTally(Form &f) {
    const int counts[][2] = {{12, 3}, {16, 7}, {20, 12}, {24, 15}, {28, 9}, {32, 4}, {36, 2}, {40, 1}};
    for (auto &c : counts) f.setCountText(1000 + c[0] - 2, std::to_string(c[1]));
}

}  // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 2000;
    const NumberFormat fmt{','};
    std::unique_ptr<Form> f;

    double startUp = medianMicros(
        runs / 4, [&] { f = std::make_unique<Form>(fmt); }, [&] { f->startUp(); });

    f = std::make_unique<Form>(fmt);
    f->startUp();
    typicalTally(*f);
    int k = 0;
    double keystroke = medianMicros(
        runs, [&] { f->setCountText(1000 + 22, ""); },
        [&] { f->setCountText(1000 + 22, std::to_string(1 + (k++ % 9))); });

    // One selection pass each: 6,00 -> 0,50 -> 15,00 -> 6,00, with a typical tally typed in first.
    const int path[] = {entryOf(50), entryOf(1500), entryOf(600)};
    double pass[3];
    long updates[3], recalcs[3];
    for (int p = 0; p < 3; ++p) {
        std::vector<double> t;
        for (int i = 0; i < runs / 4; ++i) {
            f = std::make_unique<Form>(fmt);
            f->startUp();
            typicalTally(*f);
            for (int q = 0; q < p; ++q) f->setListIndex(path[q]);
            auto before = f->handlerCounts();
            auto a = Clock::now();
            f->setListIndex(path[p]);
            auto b = Clock::now();
            t.push_back(std::chrono::duration<double, std::micro>(b - a).count());
            updates[p] = f->handlerCounts().unitVolumeUpdates - before.unitVolumeUpdates;
            recalcs[p] = f->handlerCounts().fullRecalculations - before.fullRecalculations;
        }
        std::sort(t.begin(), t.end());
        pass[p] = t[t.size() / 2];
    }

    f = std::make_unique<Form>(fmt);
    f->startUp();
    typicalTally(*f);
    double move = medianMicros(
        runs,
        [&] {
            f->countGotFocus(1019);
            f->setVScroll2Value(0);
        },
        [&] { f->countKeyDown(1019, Key::Down); });  // moves to step 20 and scrolls one row

    bool flip = false;
    double menu = medianMicros(
        runs, [] {},
        [&] {
            flip = !flip;
            if (flip)
                f->clickTis();
            else
                f->clickDes();
        });

    std::printf("start-up (table, 93 rows, 6,00 m)     %8.1f us\n", startUp);
    std::printf("keystroke in a count box              %8.2f us\n", keystroke);
    std::printf(
        "selection 6,00 -> 0,50                %8.1f us  (%ld unit-volume updates, %ld full "
        "recalculations)\n",
        pass[0], updates[0], recalcs[0]);
    std::printf(
        "selection 0,50 -> 15,00               %8.1f us  (%ld unit-volume updates, %ld full "
        "recalculations)\n",
        pass[1], updates[1], recalcs[1]);
    std::printf(
        "selection 15,00 -> 6,00               %8.1f us  (%ld unit-volume updates, %ld full "
        "recalculations)\n",
        pass[2], updates[2], recalcs[2]);
    std::printf("neighbour move with scrolling         %8.2f us\n", move);
    std::printf("rounding menu choice with its nudge   %8.2f us\n", menu);
    return 0;
}
