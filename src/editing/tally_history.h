// Undo and redo of the tally: each user step (a run of digits typed into one box, a key, a button, a
// menu command, a length choice, an Open, a restore) is one entry that holds the tally state before
// and after it, with the file the tally belonged to then. Undoing gives the form the earlier state
// through its own controls, so every figure is recomputed, and gives the tally back its file: a
// tally never ends up under the name of a file it did not come from.
#pragma once

#include <QUndoStack>
#include <functional>

#include "tally/tally_state.h"

namespace lumora {

// What undo and redo move: the tally state and the name of the file it belongs to ("" for none).
struct TallyDocument {
    TallyState state;
    std::string fileName;

    bool operator==(const TallyDocument &other) const {
        return state == other.state && fileName == other.fileName;
    }
    bool operator!=(const TallyDocument &other) const { return !(*this == other); }
};

class TallyHistory {
public:
    static constexpr int kLimit = 1000;

    // `apply` gives the form a state (the window wraps it so that the widgets show the result).
    explicit TallyHistory(std::function<void(const TallyDocument &)> apply);

    QUndoStack &stack() { return stack_; }
    const QUndoStack &stack() const { return stack_; }

    // A user's step changed the tally from `before` to `after`. `typingBox` is the count box that took
    // a typed digit, 0 for any other step: digits typed one after another into one box are one entry.
    void record(const TallyDocument &before, const TallyDocument &after, int typingBox);
    // The tally as it stands now was written to `fileName`: the entries next to the present (the one
    // undo would take back and the one redo would do again) now name that file for it.
    void retie(const std::string &fileName);
    // The next digit starts a new entry (the focus moved, or an entry was undone or redone).
    void breakTyping() { ++run_; }

    void undo();
    void redo();
    bool applying() const { return applying_; }

private:
    class Step;
    std::function<void(const TallyDocument &)> apply_;
    QUndoStack stack_;
    long run_ = 0;
    bool applying_ = false;
};

}  // namespace lumora
