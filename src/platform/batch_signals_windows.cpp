#include <csignal>

#include "platform/batch_signals.h"

namespace lumora::platform {

namespace {

volatile std::sig_atomic_t received = 0;
using Handler = void (*)(int);
Handler previousInt = SIG_DFL, previousTerm = SIG_DFL;

void note(int signal) { received = signal; }

}  // namespace

// Ctrl+C and Ctrl+Break reach a console program as SIGINT (and SIGTERM when raised).
BatchSignals::BatchSignals() {
    received = 0;
    previousInt = std::signal(SIGINT, note);
    previousTerm = std::signal(SIGTERM, note);
    // A signal ignored when the program started stays ignored.
    if (previousInt == SIG_IGN) std::signal(SIGINT, SIG_IGN);
    if (previousTerm == SIG_IGN) std::signal(SIGTERM, SIG_IGN);
}

BatchSignals::~BatchSignals() {
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
    if (received) std::raise(received);
}

bool BatchSignals::requested() const { return received != 0; }

}  // namespace lumora::platform
