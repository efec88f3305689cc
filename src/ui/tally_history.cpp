#include "ui/tally_history.h"

namespace lumora {

class TallyHistory::Step : public QUndoCommand {
public:
    Step(TallyHistory &history, TallyState before, TallyState after, int typingBox, long run)
        : history_(history),
          before_(std::move(before)),
          after_(std::move(after)),
          box_(typingBox),
          run_(run) {}

    void undo() override { history_.apply_(before_); }
    void redo() override {
        if (done_) history_.apply_(after_);
        done_ = true;  // the first redo is the push: the step has already happened
    }
    int id() const override { return box_ ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override {
        const auto *next = static_cast<const Step *>(other);
        if (next->box_ != box_ || next->run_ != run_) return false;
        after_ = next->after_;
        return true;
    }

private:
    TallyHistory &history_;
    TallyState before_, after_;
    int box_;
    long run_;
    bool done_ = false;
};

TallyHistory::TallyHistory(std::function<void(const TallyState &)> apply) : apply_(std::move(apply)) {
    stack_.setUndoLimit(kLimit);
}

void TallyHistory::record(const TallyState &before, const TallyState &after, int typingBox) {
    if (!typingBox) breakTyping();
    stack_.push(new Step(*this, before, after, typingBox, run_));
    if (!typingBox) breakTyping();
}

void TallyHistory::undo() {
    breakTyping();
    applying_ = true;
    stack_.undo();
    applying_ = false;
}

void TallyHistory::redo() {
    breakTyping();
    applying_ = true;
    stack_.redo();
    applying_ = false;
}

}  // namespace lumora
