#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

#include "platform/shutdown_signals.h"

namespace lumora::platform {

namespace {

int writeEnd = -1;  // the only thing the handler touches

extern "C" void onShutdownSignal(int signal) {
    const char byte = static_cast<char>(signal);
    // Nothing to do when the pipe is full: a request is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
}

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

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

}  // namespace lumora::platform
