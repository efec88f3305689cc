#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <QGuiApplication>
#include <QMetaObject>
#include <QSessionManager>
#include <algorithm>
#include <atomic>
#include <clocale>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/program.h"
#include "platform/stdio_buffer.h"
#include "platform/utf8_text.h"

namespace lumora::platform {

namespace {

std::string utf8(const wchar_t *text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.pop_back();  // the terminating NUL
    return out;
}

bool redirected(DWORD which) {
    HANDLE h = GetStdHandle(which);
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

// The console behind a C library stream, or null when the stream goes to a file or a pipe.
HANDLE consoleBehind(std::FILE *file) {
    const intptr_t os = _get_osfhandle(_fileno(file));
    DWORD mode = 0;
    const auto handle = reinterpret_cast<HANDLE>(os);
    return os != -1 && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

bool writeToConsole(HANDLE console, std::string_view bytes) {
    if (bytes.empty()) return true;
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), size);
    // In pieces that older consoles take (their buffer for one call is 64 KB), never between the two
    // halves of a surrogate pair.
    for (size_t at = 0; at < wide.size();) {
        size_t piece = std::min<size_t>(wide.size() - at, 8192);
        if (at + piece < wide.size() && IS_HIGH_SURROGATE(wide[at + piece - 1])) --piece;
        DWORD written = 0;
        if (!WriteConsoleW(console, wide.data() + at, static_cast<DWORD>(piece), &written, nullptr) ||
            written == 0)
            return false;
        at += written;
    }
    return true;
}

// Text for a C library stream: the bytes through the stream into a file or a pipe; into a console
// through WriteConsoleW, whole letters at a time (the bytes of a letter that has not come whole
// yet wait for the rest). Which of the two is decided at the first write, after
// useStartingConsole().
class ConsoleBuffer : public StdioBuffer {
public:
    explicit ConsoleBuffer(std::FILE *file) : StdioBuffer(file) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char *s, std::streamsize n) override {
        if (!decided_) {
            console_ = consoleBehind(file_);
            decided_ = true;
        }
        if (!console_) return StdioBuffer::xsputn(s, n);
        std::fflush(file_);  // anything written through the C library's stream comes first
        pending_.append(s, static_cast<size_t>(n));
        const size_t whole = completeUtf8Length(pending_);
        const bool written = writeToConsole(console_, std::string_view(pending_).substr(0, whole));
        pending_.erase(0, whole);
        return written ? n : 0;
    }

private:
    bool decided_ = false;
    HANDLE console_ = nullptr;
    std::string pending_;
};

}  // namespace

std::vector<std::string> programArguments(int, char **) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return args;
    for (int k = 1; k < count; ++k) args.push_back(utf8(wide[k]));
    LocalFree(wide);
    return args;
}

void useStartingConsole() {
    // A program of the window subsystem starts without a console: output to a file or a pipe has its
    // handles already, output to the console of a command prompt needs that console attached.
    const bool outRedirected = redirected(STD_OUTPUT_HANDLE);
    const bool errRedirected = redirected(STD_ERROR_HANDLE);
    // The console twin (lumora.com) has its console already: its handles are the console's.
    if ((!outRedirected || !errRedirected) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!outRedirected) std::freopen("CONOUT$", "w", stdout);
        if (!errRedirected) std::freopen("CONOUT$", "w", stderr);
    }
    // The same bytes as on Linux in a file or a pipe: no CR before each LF. (A console takes a LF as
    // the end of a line.)
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::ostream &standardOutput() { return standardStreams<ConsoleBuffer>().out; }
std::ostream &standardError() { return standardStreams<ConsoleBuffer>().err; }

bool handWindowToGuiTwin() {
    // lumora.com is the console build of lumora.exe, which cmd prefers when the user types "lumora":
    // a report then waits and returns its status, while the window is left to lumora.exe, so that
    // the prompt comes back at once as for any program with a window.
    wchar_t self[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    if (length < 4 || length >= std::size(self) || _wcsicmp(self + length - 4, L".com") != 0) return false;
    std::wstring gui(self, length - 4);
    gui += L".exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = GetCommandLineW();
    if (!CreateProcessW(gui.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

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

// Windows asks a program to end in two ways: a console program gets a control event (Ctrl+C, the
// console closed, logoff, shutdown) on a thread of its own; a program with windows gets the end of
// the session as a message, which Qt turns into commitDataRequest. Both become requested() in the
// event loop.

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

namespace {

// The folder the program was started from, as packaging/windows/lumora.nsi spells the folder it
// installs into: its long form (no 8.3 names) in capitals (names of mutexes are compared case by
// case, names of folders are not), "/" for "\" (which a mutex name cannot hold).
std::wstring programFolderKey() {
    wchar_t self[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    if (length == 0 || length >= std::size(self)) return {};
    std::wstring folder(self, length);
    folder.erase(std::min(folder.find_last_of(L'\\'), folder.size()));
    wchar_t longForm[MAX_PATH * 4];
    const DWORD longLength =
        GetLongPathNameW(folder.c_str(), longForm, static_cast<DWORD>(std::size(longForm)));
    if (longLength > 0 && longLength < std::size(longForm)) folder.assign(longForm, longLength);
    CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    std::replace(folder.begin(), folder.end(), L'\\', L'/');
    return folder;
}

}  // namespace

// The handle is left to the system to close at exit.
void markRunning() {
    const std::wstring folder = programFolderKey();
    if (!folder.empty()) CreateMutexW(nullptr, FALSE, (L"Local\\Lumora.running:" + folder).c_str());
}

}  // namespace lumora::platform

namespace lumora {

namespace {
struct Saved {
    int threadSetting = 0;
    std::string numeric;
};
}  // namespace

// The C runtime's locale becomes this thread's own, set to "C" for numbers, then restored.
ClassicNumbers::ClassicNumbers() {
    auto *saved = new Saved;
    saved->threadSetting = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    if (const char *numeric = std::setlocale(LC_NUMERIC, nullptr)) saved->numeric = numeric;
    std::setlocale(LC_NUMERIC, "C");
    saved_ = saved;
}

ClassicNumbers::~ClassicNumbers() {
    auto *saved = static_cast<Saved *>(saved_);
    if (!saved->numeric.empty()) std::setlocale(LC_NUMERIC, saved->numeric.c_str());
    _configthreadlocale(saved->threadSetting);
    delete saved;
}

}  // namespace lumora
