// The counts as they were last loaded or saved, to tell whether leaving would lose a tally.
#pragma once

#include <array>
#include <string>

#include "tally/form.h"

namespace lumora {

class SavedTally {
public:
    // The form's counts are now in a file.
    void remember(const Form &form);
    // The tally was loaded from a file holding these counts (some may not have fitted the length).
    void remember(const std::array<std::string, kRowCount> &counts);
    // What the file holds is unknown (a restored tally): every tally counts as unsaved.
    void forget() { known_ = false; }
    // True when the counts differ from the remembered ones: leaving asks, the title is marked and
    // the recovery file is kept.
    bool differs(const Form &form) const;

private:
    std::array<std::string, kRowCount> counts_{};
    bool known_ = true;
};

}  // namespace lumora
