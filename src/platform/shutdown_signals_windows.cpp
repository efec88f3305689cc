// Windows asks a program to end in two ways: a console program gets a control event (Ctrl+C, the
// console closed, logoff, shutdown) on a thread of its own; a program with windows gets the end of
// the session as a message, which Qt turns into commitDataRequest. Both become requested() in the
// event loop.
// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <QGuiApplication>
#include <QMetaObject>
#include <QSessionManager>
#include <atomic>

#include "platform/shutdown_signals.h"

namespace lumora::platform {

namespace {

std::atomic<ShutdownSignals *> current{nullptr};

// Set once the window has answered a control event. Made once and never closed: the handler runs on a
// thread of the system's and may still wait on it while the window is being torn down.
HANDLE answered() {
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

BOOL WINAPI onControlEvent(DWORD) {
    ShutdownSignals *target = current.load();
    if (!target) return FALSE;
    ResetEvent(answered());
    // Answered as soon as the window's handlers have run, in the same call: a handler that ends the
    // event loop must not leave the answer queued behind it.
    QMetaObject::invokeMethod(
        target,
        [target] {
            emit target->requested();
            SetEvent(answered());
        },
        Qt::QueuedConnection);
    // The system ends the process when this returns (or after 5 s for a closed console): give the
    // window the time to write what it keeps.
    WaitForSingleObject(answered(), 4000);
    return TRUE;
}

}  // namespace

struct ShutdownSignals::Pipe {};

ShutdownSignals::ShutdownSignals(QObject *parent) : QObject(parent) {
    answered();
    current = this;
    SetConsoleCtrlHandler(onControlEvent, TRUE);
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(
            app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { emit requested(); },
            Qt::DirectConnection);
    }
}

ShutdownSignals::~ShutdownSignals() {
    SetConsoleCtrlHandler(onControlEvent, FALSE);
    current = nullptr;
    // A handler still waiting has nothing left to wait for.
    SetEvent(answered());
}

}  // namespace lumora::platform
