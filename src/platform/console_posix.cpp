#include "platform/console.h"
#include "platform/stdio_buffer.h"

namespace lumora::platform {

std::vector<std::string> programArguments(int argc, char **argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useStartingConsole() {}

std::ostream &standardOutput() {
    static StdioBuffer buffer(stdout);
    static std::ostream stream(&buffer);
    return stream;
}

std::ostream &standardError() {
    static StdioBuffer buffer(stderr);
    static std::ostream stream(&buffer);
    return stream;
}

bool handWindowToGuiTwin() { return false; }

}  // namespace lumora::platform
