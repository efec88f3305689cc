// A mark that the program is running from its folder, which its installer and uninstaller look for:
// on Windows a named mutex in the user's session whose name is that folder (they refuse while it
// exists, instead of leaving a half-replaced or half-removed folder behind a program that still holds
// its files). A copy running from another folder, a portable one, does not stop them. Nothing on
// POSIX, where packages replace files in use.
#pragma once

namespace lumora::platform {

// Held until the process ends.
void markRunning();

}  // namespace lumora::platform
