#include <fcntl.h>
#include <locale.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <clocale>
#include <csignal>

#include "platform/program.h"
#include "platform/stdio_buffer.h"

namespace lumora::platform {

std::vector<std::string> programArguments(int argc, char **argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useStartingConsole() {}

std::ostream &standardOutput() { return standardStreams<StdioBuffer>().out; }
std::ostream &standardError() { return standardStreams<StdioBuffer>().err; }

bool handWindowToGuiTwin() { return false; }

namespace {

// The system's requests to end, the same for the batch and the window.
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

volatile std::sig_atomic_t received = 0;
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

namespace {

int writeEnd = -1;  // the only thing the handler touches

extern "C" void onShutdownSignal(int signal) {
    const char byte = static_cast<char>(signal);
    // Nothing to do when the pipe is full: a request is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
}

}  // namespace

struct ShutdownSignals::Pipe {
    int fds[2] = {-1, -1};
    QSocketNotifier *notifier = nullptr;
    struct sigaction previous[3]{};
};

ShutdownSignals::ShutdownSignals(QObject *parent) : QObject(parent), pipe_(new Pipe) {
    if (::pipe2(pipe_->fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    writeEnd = pipe_->fds[1];
    pipe_->notifier = new QSocketNotifier(pipe_->fds[0], QSocketNotifier::Read, this);
    connect(pipe_->notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(pipe_->fds[0], bytes, sizeof bytes) > 0) {
        }
        emit requested();
    });
    struct sigaction action {};
    action.sa_handler = onShutdownSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A signal ignored when the program started (SIGHUP under nohup) stays ignored.
    for (size_t k = 0; k < 3; ++k) {
        ::sigaction(kSignals[k], nullptr, &pipe_->previous[k]);
        if (pipe_->previous[k].sa_handler != SIG_IGN) ::sigaction(kSignals[k], &action, nullptr);
    }
}

ShutdownSignals::~ShutdownSignals() {
    if (pipe_->fds[0] >= 0) {
        for (size_t k = 0; k < 3; ++k) ::sigaction(kSignals[k], &pipe_->previous[k], nullptr);
        writeEnd = -1;
        delete pipe_->notifier;
        ::close(pipe_->fds[0]);
        ::close(pipe_->fds[1]);
    }
    delete pipe_;
}

void markRunning() {}

}  // namespace lumora::platform

namespace lumora {

// uselocale() switches only this thread, and back exactly to what it had (the global locale or a
// thread locale of its own).
ClassicNumbers::ClassicNumbers() {
    locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (!classic) return;  // out of memory: numbers keep the process locale
    classic_ = classic;
    saved_ = uselocale(classic);
}

ClassicNumbers::~ClassicNumbers() {
    if (!classic_) return;
    uselocale(static_cast<locale_t>(saved_));
    freelocale(static_cast<locale_t>(classic_));
}

}  // namespace lumora
