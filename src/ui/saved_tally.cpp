#include "ui/saved_tally.h"

namespace lumora {

bool SavedTally::differs(const Form &form) const {
    const auto known = known_.find(form.tallyFileName);
    if (known == known_.end()) return true;
    for (int i = 1; i <= kRowCount; ++i)
        if (known->second[static_cast<size_t>(i - 1)] != form.row(i).count) return true;
    return false;
}

}  // namespace lumora
