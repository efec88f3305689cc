// windows.h first: the other Windows headers build on it.
#include <windows.h>
// clang-format off: windows.h stays first
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "platform/console.h"

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

UINT startingCodePage = 0;

void restoreCodePage() { SetConsoleOutputCP(startingCodePage); }

// UTF-8 on a console, as the program writes it; the console's own code page comes back at exit, so the
// prompt the user returns to reads as before.
void writeUtf8To(HANDLE console) {
    DWORD mode = 0;
    if (startingCodePage != 0 || !GetConsoleMode(console, &mode)) return;
    startingCodePage = GetConsoleOutputCP();
    if (startingCodePage == 0 || startingCodePage == CP_UTF8) return;
    SetConsoleOutputCP(CP_UTF8);
    std::atexit(restoreCodePage);
}

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
    writeUtf8To(GetStdHandle(STD_OUTPUT_HANDLE));
    writeUtf8To(GetStdHandle(STD_ERROR_HANDLE));
    // The same bytes as on Linux: no CR before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
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
