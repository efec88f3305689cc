// The table's two axes: the log lengths of its columns and the top diameters of its rows. Apart from
// the table's data, so that the tally file's reader links without it (the fuzzer).
#include <utility>

#include "table/volume_table.h"

namespace lumora {

const std::array<int, kLengthCount> &lengthsCm() {
    static const std::array<int, kLengthCount> lengths = [] {
        std::array<int, kLengthCount> a{};
        size_t n = 0;
        for (int cm = 50; cm <= 950; cm += 10) a[n++] = cm;
        for (int cm = 225; cm <= 925; cm += 50) a[n++] = cm;
        for (int cm = 1000; cm <= 1400; cm += 50) a[n++] = cm;
        a[n++] = 1500;
        // Ascending order: the x25/x75 lengths sit between their neighbours.
        for (size_t i = 1; i < n; ++i)
            for (size_t j = i; j > 0 && a[j - 1] > a[j]; --j) std::swap(a[j - 1], a[j]);
        return a;
    }();
    return lengths;
}

const std::array<int, kRowCount> &diametersCm() {
    static const std::array<int, kRowCount> diameters = [] {
        std::array<int, kRowCount> a{};
        size_t n = 0;
        for (int d = 3; d <= 70; ++d) a[n++] = d;
        for (int d = 72; d <= 120; d += 2) a[n++] = d;
        return a;
    }();
    return diameters;
}

}  // namespace lumora
