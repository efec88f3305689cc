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
HANDLE handled = nullptr;  // set once the window has answered a control event

BOOL WINAPI onControlEvent(DWORD) {
    ShutdownSignals *target = current.load();
    if (!target) return FALSE;
    ResetEvent(handled);
    QMetaObject::invokeMethod(target, "requested", Qt::QueuedConnection);
    // The system ends the process when this returns (or after 5 s for a closed console): give the
    // window the time to write what it keeps.
    WaitForSingleObject(handled, 4000);
    return TRUE;
}

}  // namespace

struct ShutdownSignals::Pipe {};

ShutdownSignals::ShutdownSignals(QObject *parent) : QObject(parent) {
    handled = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    current = this;
    // Connected after the window's own handlers: the event is marked handled once they have run.
    connect(this, &ShutdownSignals::requested, this, [] { SetEvent(handled); }, Qt::QueuedConnection);
    SetConsoleCtrlHandler(onControlEvent, TRUE);
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { emit requested(); },
                Qt::DirectConnection);
    }
}

ShutdownSignals::~ShutdownSignals() {
    SetConsoleCtrlHandler(onControlEvent, FALSE);
    current = nullptr;
    if (handled) CloseHandle(handled);
    handled = nullptr;
}

}  // namespace lumora::platform
