// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

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
    if ((!outRedirected || !errRedirected) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!outRedirected) std::freopen("CONOUT$", "w", stdout);
        if (!errRedirected) std::freopen("CONOUT$", "w", stderr);
        SetConsoleOutputCP(CP_UTF8);
    }
    // The same bytes as on Linux: no CR before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace lumora::platform
