#include "platform/console.h"

namespace lumora::platform {

std::vector<std::string> programArguments(int argc, char **argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useStartingConsole() {}

bool handWindowToGuiTwin() { return false; }

}  // namespace lumora::platform
