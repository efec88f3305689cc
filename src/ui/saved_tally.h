// What each file holds, as far as this window knows (the counts last loaded from it or saved to it),
// to tell whether the tally differs from its file: the title's marker, the question before leaving
// and the recovery file follow it. It is kept per file, not per undo step, because undo and redo move
// the tally between files, and a file holds what was last written to it whichever step wrote it.
#pragma once

#include <map>
#include <string>

#include "documents/core/tally_file.h"
#include "tally/form.h"

namespace lumora {

class SavedTally {
public:
    // A tally with no file is saved while it is empty, as at start.
    SavedTally() { known_[std::string()] = TallyCounts{}; }

    // `fileName` now holds these counts (it was loaded or written).
    void remember(const std::string &fileName, const TallyCounts &counts) { known_[fileName] = counts; }
    // What `fileName` holds is unknown (a restored tally names it): a tally under it is unsaved.
    void forget(const std::string &fileName) {
        if (!fileName.empty()) known_.erase(fileName);
    }
    // True when the form's counts differ from what its file holds.
    bool differs(const Form &form) const;

private:
    std::map<std::string, TallyCounts> known_;
};

}  // namespace lumora
