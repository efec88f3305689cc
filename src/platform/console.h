// The program's command line and its console: what differs between a POSIX program and a Windows
// one built for the window (no console of its own, arguments in UTF-16).
#pragma once

#include <string>
#include <vector>

namespace lumora::platform {

// The arguments after the program's name, in UTF-8 (on Windows from the wide command line, so
// that file names with Cyrillic letters survive any ANSI code page).
std::vector<std::string> programArguments(int argc, char **argv);

// Makes std::cout and std::cerr reach the console the program was started from, byte for byte as
// on POSIX (UTF-8, LF line ends), and leaves them alone when they were redirected to a file or a
// pipe. Nothing to do on POSIX.
void useStartingConsole();

// Run as the console twin of the window program (lumora.com beside lumora.exe on Windows), starts the
// window program with the same arguments and returns true: the caller then ends. False elsewhere.
bool handWindowToGuiTwin();

}  // namespace lumora::platform
