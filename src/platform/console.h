// The program's command line and its console: what differs between a POSIX program and a Windows
// one built for the window (no console of its own, arguments in UTF-16, a console that takes text
// in UTF-16).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lumora::platform {

// The arguments after the program's name, in UTF-8 (on Windows from the wide command line, so
// that file names with Cyrillic letters survive any ANSI code page).
std::vector<std::string> programArguments(int argc, char **argv);

// Makes standardOutput() and standardError() reach the console the program was started from, and
// leaves them alone when they were redirected to a file or a pipe. Nothing to do on POSIX.
void useStartingConsole();

// Standard output and standard error for the program's text (UTF-8, LF line ends). Into a file or a
// pipe the bytes go as they are, the same as on POSIX; into a Windows console as its letters, through
// the console's own wide-character call, so that they read right whatever the console's code page (a
// console shows the UTF-8 bytes of a letter written apart as boxes).
std::ostream &standardOutput();
std::ostream &standardError();

// Run as the console twin of the window program (lumora.com beside lumora.exe on Windows), starts the
// window program with the same arguments and returns true: the caller then ends. False elsewhere.
bool handWindowToGuiTwin();

}  // namespace lumora::platform
