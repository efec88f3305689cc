// The requests to end that come from outside the window: on a desktop's logout, a closed terminal or
// Ctrl+C the system sends a signal (SIGTERM, SIGHUP, SIGINT), which would otherwise end the program
// at once. Here it arrives as a Qt signal in the event loop, where the window can still write what
// it must keep (Qt's pattern: the handler writes a byte into a pipe that a socket notifier watches).
#pragma once

#include <QObject>

namespace lumora::platform {

class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    // Takes the signals over from now on; one object at a time.
    explicit ShutdownSignals(QObject *parent = nullptr);
    ~ShutdownSignals() override;

signals:
    // The system asked the program to end.
    void requested();

private:
    struct Pipe;
    Pipe *pipe_ = nullptr;
};

}  // namespace lumora::platform
