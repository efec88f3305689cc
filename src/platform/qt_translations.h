// Where Qt's own translations (qtbase_ru.qm: the file, print and message dialogs) are found.
#pragma once

#include <QString>

namespace lumora::platform {

// POSIX: the folder of the installed Qt. Windows: the program's resources, where the build puts the
// file, since a static Qt has no folder of its own on the user's machine.
QString qtTranslationsFolder();

}  // namespace lumora::platform
