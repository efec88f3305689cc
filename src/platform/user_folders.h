// Where the program keeps what it needs between runs besides the user's tally files: the recovery
// file (data), workbooks handed to the spreadsheet program (cache) and the recent files (settings).
//   POSIX:   the XDG folders, e.g. ~/.local/share/lumora/lumora, ~/.cache/lumora/lumora,
//            ~/.config/lumora/lumora.conf
//   Windows: %LOCALAPPDATA%\lumora\lumora, ...\lumora\lumora\cache and ...\lumora\lumora.ini, never
//            the registry; the environment variable is honoured, so a private one isolates a run.
#pragma once

#include <QString>

namespace lumora::platform {

// Points QSettings at the program's settings file. Called once, after the program's names are set
// and before any QSettings is made.
void setUpUserFolders();

QString dataFolder();
QString cacheFolder();

}  // namespace lumora::platform
