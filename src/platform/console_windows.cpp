// windows.h first: the other Windows headers build on it.
#include <windows.h>
// clang-format off: windows.h stays first
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/console.h"
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

std::ostream &standardOutput() {
    static ConsoleBuffer buffer(stdout);
    static std::ostream stream(&buffer);
    return stream;
}

std::ostream &standardError() {
    static ConsoleBuffer buffer(stderr);
    static std::ostream stream(&buffer);
    return stream;
}

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

}  // namespace lumora::platform
