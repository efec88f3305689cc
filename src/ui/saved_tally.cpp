#include "ui/saved_tally.h"

namespace lumora {

void SavedTally::remember(const Form &form) {
    for (int i = 1; i <= kRowCount; ++i) counts_[static_cast<size_t>(i - 1)] = form.row(i).count;
}

bool SavedTally::differs(const Form &form) const {
    for (int i = 1; i <= kRowCount; ++i)
        if (counts_[static_cast<size_t>(i - 1)] != form.row(i).count) return true;
    return false;
}

bool SavedTally::unsaved(const Form &form) const {
    bool anyCount = false;
    for (int i = 1; i <= kRowCount && !anyCount; ++i) anyCount = !form.row(i).count.empty();
    return anyCount && differs(form);
}

}  // namespace lumora
