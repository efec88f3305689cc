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
    for (int k = 0; k < 3; ++k) sigaction(kSignals[k], &action, &previous[k]);
}

BatchSignals::~BatchSignals() {
    for (int k = 0; k < 3; ++k) sigaction(kSignals[k], &previous[k], nullptr);
    if (received) std::raise(received);
}

bool BatchSignals::requested() const { return received != 0; }

}  // namespace lumora::platform
