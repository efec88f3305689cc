#include "ui/saved_tally.h"

namespace lumora {

void SavedTally::remember(const Form &form) {
    for (int i = 1; i <= kRowCount; ++i) counts_[static_cast<size_t>(i - 1)] = form.row(i).count;
    known_ = true;
}

void SavedTally::remember(const std::array<std::string, kRowCount> &counts) {
    counts_ = counts;
    known_ = true;
}

bool SavedTally::differs(const Form &form) const {
    if (!known_) return true;
    for (int i = 1; i <= kRowCount; ++i)
        if (counts_[static_cast<size_t>(i - 1)] != form.row(i).count) return true;
    return false;
}

}  // namespace lumora
