// A batch that is asked to end (Ctrl+C, a closed terminal, SIGTERM) while it writes its documents
// first cleans up: the request is noted instead of ending the program at once, the batch checks it
// between its steps and puts back what it replaced, and when this object goes the request is carried
// out as the system would have done (the program ends by that signal).
#pragma once

namespace lumora::platform {

class BatchSignals {
public:
    BatchSignals();
    ~BatchSignals();
    BatchSignals(const BatchSignals &) = delete;
    BatchSignals &operator=(const BatchSignals &) = delete;

    // True once the system asked the program to end.
    bool requested() const;
};

}  // namespace lumora::platform
