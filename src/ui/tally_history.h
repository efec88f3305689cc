// Undo and redo of the tally: each user step (a run of digits typed into one box, a key, a button, a
// menu command, a length choice, an Open) is one entry that holds the tally state before and after it.
// Undoing gives the form the earlier state through its own controls, so every figure is recomputed.
#pragma once

#include <QUndoStack>
#include <functional>

#include "tally/tally_state.h"

namespace lumora {

class TallyHistory {
public:
    static constexpr int kLimit = 1000;

    // `apply` gives the form a state (the window wraps it so that the widgets show the result).
    explicit TallyHistory(std::function<void(const TallyState &)> apply);

    QUndoStack &stack() { return stack_; }

    // A user's step changed the tally from `before` to `after`. `typingBox` is the count box that took
    // a typed digit, 0 for any other step: digits typed one after another into one box are one entry.
    void record(const TallyState &before, const TallyState &after, int typingBox);
    // The next digit starts a new entry (the focus moved, or an entry was undone or redone).
    void breakTyping() { ++run_; }

    void undo();
    void redo();
    bool applying() const { return applying_; }

private:
    class Step;
    std::function<void(const TallyState &)> apply_;
    QUndoStack stack_;
    long run_ = 0;
    bool applying_ = false;
};

}  // namespace lumora
