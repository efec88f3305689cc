// windows.h first: the other Windows headers build on it.
#include <windows.h>

#include "platform/running_mark.h"

namespace lumora::platform {

// The name packaging/windows/lumora.nsi looks for. The handle is left to the system to close at exit.
void markRunning() { CreateMutexW(nullptr, FALSE, L"Local\\LumoraRunning"); }

}  // namespace lumora::platform
