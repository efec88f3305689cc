#include "editing/tally_history.h"

namespace lumora {

class TallyHistory::Step : public QUndoCommand {
public:
    Step(TallyHistory &history, TallyDocument before, TallyDocument after, int typingBox, long run)
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

    void retieAfter(const std::string &fileName) { after_.fileName = fileName; }
    void retieBefore(const std::string &fileName) { before_.fileName = fileName; }

private:
    TallyHistory &history_;
    TallyDocument before_, after_;
    int box_;
    long run_;
    bool done_ = false;
};

TallyHistory::TallyHistory(std::function<void(const TallyDocument &)> apply) : apply_(std::move(apply)) {
    stack_.setUndoLimit(kLimit);
}

void TallyHistory::record(const TallyDocument &before, const TallyDocument &after, int typingBox) {
    if (!typingBox) breakTyping();
    stack_.push(new Step(*this, before, after, typingBox, run_));
    if (!typingBox) breakTyping();
}

void TallyHistory::retie(const std::string &fileName) {
    breakTyping();  // the next digit must not merge into an entry from before the save
    const int now = stack_.index();
    // The stack hands out its entries as const; they are ours, pushed above.
    if (now > 0)
        static_cast<Step *>(const_cast<QUndoCommand *>(stack_.command(now - 1)))->retieAfter(fileName);
    if (now < stack_.count())
        static_cast<Step *>(const_cast<QUndoCommand *>(stack_.command(now)))->retieBefore(fileName);
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
