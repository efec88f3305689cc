// A mark that the program is running, which its uninstaller looks for: on Windows a named mutex in the
// user's session (the uninstaller refuses while it exists, instead of leaving a half-removed folder
// behind a program that still holds its files). Nothing on POSIX, where packages replace files in use.
#pragma once

namespace lumora::platform {

// Held until the process ends.
void markRunning();

}  // namespace lumora::platform
