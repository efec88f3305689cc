// What each file holds, as far as this window knows it: the lines Save would write for the tally
// that last matched it (loaded from it or saved into it), and the size and hash of its bytes as last
// read or written. The lines tell whether the tally on screen is unsaved; the bytes tell whether
// someone else has written the file since. Kept per file (by its absolute, canonical name), not per
// undo step, because undo and redo move the tally between files, and a file holds what was last
// written to it whichever step wrote it. This is the one record of it: the recovery file copies the
// size and hash from here, and a restore puts them back.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "documents/core/recovery_text.h"

namespace lumora {

class SavedTally {
public:
    // `fileName` holds what Save would write as `lines`, read or written as `bytes` (nullopt: the
    // bytes are not known, only the tally).
    void remember(const std::string &fileName, const std::string &lines,
                  const std::optional<std::string> &bytes);
    // A restored tally names `fileName`: which lines it holds is not known (the tally is unsaved), its
    // bytes were `held` when the tally left it; nullopt: not known either, so any contents it has now
    // are someone else's.
    void restored(const std::string &fileName, const std::optional<FileContents> &held);
    // True when `fileName` is known to hold exactly `lines`.
    bool holds(const std::string &fileName, const std::string &lines) const;
    // True when `bytes` (the file as it is now) are not what this window read or wrote there last.
    bool changedSince(const std::string &fileName, const std::string &bytes) const;
    // The size and hash of what `fileName` held when this window last read or wrote it.
    std::optional<FileContents> held(const std::string &fileName) const;

private:
    struct Known {
        std::optional<std::string> lines;  // nullopt: not known
        std::optional<FileContents> bytes;
        bool strange = false;  // restored without a record: every contents are someone else's
    };
    std::map<std::string, Known> known_;
};

// The size and SHA-256 of `bytes`.
FileContents contentsOf(const std::string &bytes);

}  // namespace lumora
