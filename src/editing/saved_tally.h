// What each file holds, as far as this window knows it: the lines Save would write for the tally
// that last matched it (loaded from it or saved into it), and the size and hash of its bytes as last
// read or written. The lines tell whether the tally on screen is unsaved; the bytes tell whether
// someone else has written the file since. Kept per file, not per undo step, because undo and redo
// move the tally between files, and a file holds what was last written to it whichever step wrote it.
#pragma once

#include <QByteArray>
#include <map>
#include <optional>
#include <string>

namespace lumora {

class SavedTally {
public:
    // `fileName` holds what Save would write as `lines`, read or written as `bytes` (nullopt: the
    // bytes are not known, only the tally).
    void remember(const std::string &fileName, const std::string &lines,
                  const std::optional<std::string> &bytes);
    // What `fileName` holds is unknown (a restored tally names it): a tally under it is unsaved.
    void forget(const std::string &fileName) { known_.erase(fileName); }
    // True when `fileName` is known to hold exactly `lines`.
    bool holds(const std::string &fileName, const std::string &lines) const;
    // True when this window read or wrote `fileName` and `bytes` (the file as it is now) are not what
    // it read or wrote last.
    bool changedSince(const std::string &fileName, const std::string &bytes) const;

private:
    struct Known {
        std::string lines;
        qint64 size = -1;  // -1: the bytes are not known
        QByteArray hash;
    };
    std::map<std::string, Known> known_;
};

}  // namespace lumora
