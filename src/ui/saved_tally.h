// The counts as they were last loaded or saved, to tell whether leaving would lose a tally.
#pragma once

#include <array>
#include <string>

#include "tally/form.h"

namespace lumora {

class SavedTally {
public:
    // The form's counts are now in a file (or the tally was just loaded from one).
    void remember(const Form &form);
    // True when at least one count is present and the counts differ from the remembered ones.
    bool unsaved(const Form &form) const;
    bool differs(const Form &form) const;

private:
    std::array<std::string, kRowCount> counts_{};
};

}  // namespace lumora
