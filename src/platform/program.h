// The program as a process: its command line and console, the requests to end that come from the
// system (the window's and the batch's), the mark that it is running, and the C library's number
// locale while libxlsxwriter writes.
#pragma once

#include <QObject>
#include <ostream>
#include <string>
#include <vector>

namespace lumora::platform {

// The program's command line and its console: what differs between a POSIX program and a Windows
// one built for the window (no console of its own, arguments in UTF-16, a console that takes text
// in UTF-16).

// The arguments after the program's name, in UTF-8 (on Windows from the wide command line, so
// that file names with Cyrillic letters survive any ANSI code page).
std::vector<std::string> programArguments(int argc, char **argv);

// Makes standardOutput() and standardError() reach the console the program was started from, and
// leaves them alone when they were redirected to a file or a pipe. Nothing to do on POSIX.
void useStartingConsole();

// Standard output and standard error for the program's text (UTF-8, LF line ends). Into a file or a
// pipe the bytes go as they are, the same as on POSIX; into a Windows console as its letters, through
// the console's own wide-character call, so that they read right whatever the console's code page (a
// console shows the UTF-8 bytes of a letter written apart as boxes).
std::ostream &standardOutput();
std::ostream &standardError();

// Run as the console twin of the window program (lumora.com beside lumora.exe on Windows), starts the
// window program with the same arguments and returns true: the caller then ends. False elsewhere.
bool handWindowToGuiTwin();

// A batch that is asked to end (Ctrl+C, a closed terminal, SIGTERM) while it writes its documents
// first cleans up: the request is noted instead of ending the program at once, the batch checks it
// between its steps and puts back what it replaced, and when this object goes the request is carried
// out as the system would have done (the program ends by that signal).

class BatchSignals {
public:
    BatchSignals();
    ~BatchSignals();
    Q_DISABLE_COPY(BatchSignals)

    // True once the system asked the program to end.
    bool requested() const;
};

// The requests to end that come from outside the window: on a desktop's logout, a closed terminal or
// Ctrl+C the system sends a signal (SIGTERM, SIGHUP, SIGINT), which would otherwise end the program
// at once. Here it arrives as a Qt signal in the event loop, where the window can still write what
// it must keep (Qt's pattern: the handler writes a byte into a pipe that a socket notifier watches).

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

// A mark that the program is running from its folder, which its installer and uninstaller look for:
// on Windows a named mutex in the user's session whose name is that folder (they refuse while it
// exists, instead of leaving a half-replaced or half-removed folder behind a program that still holds
// its files). A copy running from another folder, a portable one, does not stop them. Nothing on
// POSIX, where packages replace files in use.

// Held until the process ends.
void markRunning();

}  // namespace lumora::platform

namespace lumora {

// Libraries that print numbers with the C library's printf (libxlsxwriter writes every cell value
// and column width that way) follow the process locale, and a Qt application sets that locale from
// the environment: under a Russian desktop "1.65" becomes "1,65" in the workbook's XML, which no
// spreadsheet reads as a number. While a ClassicNumbers object lives, the C library reads and writes
// numbers on the calling thread in the "C" locale; other threads and the user's texts are untouched.

class ClassicNumbers {
public:
    ClassicNumbers();
    ~ClassicNumbers();
    Q_DISABLE_COPY(ClassicNumbers)

private:
    void *saved_ = nullptr;  // what the thread used before: a locale_t, or the Windows thread setting
    void *classic_ = nullptr;
};

}  // namespace lumora
