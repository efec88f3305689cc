// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/running_mark.h"

namespace lumora::platform {

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
