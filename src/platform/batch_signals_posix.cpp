#include <csignal>

#include "platform/batch_signals.h"

namespace lumora::platform {

namespace {

volatile std::sig_atomic_t received = 0;
const int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
struct sigaction previous[3];

void note(int signal) { received = signal; }

}  // namespace

BatchSignals::BatchSignals() {
    received = 0;
    struct sigaction action {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    // A signal ignored when the program started (SIGHUP under nohup) stays ignored.
    for (int k = 0; k < 3; ++k) {
        sigaction(kSignals[k], nullptr, &previous[k]);
        if (previous[k].sa_handler != SIG_IGN) sigaction(kSignals[k], &action, nullptr);
    }
}

BatchSignals::~BatchSignals() {
    for (int k = 0; k < 3; ++k) sigaction(kSignals[k], &previous[k], nullptr);
    if (received) std::raise(received);
}

bool BatchSignals::requested() const { return received != 0; }

}  // namespace lumora::platform
