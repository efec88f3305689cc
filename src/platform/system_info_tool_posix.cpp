#include <QProcess>
#include <QStandardPaths>

#include "platform/system_info_tool.h"

namespace lumora::platform {

bool startSystemInfoTool() {
    // System-information viewers of the Linux desktops, most detailed first.
    for (const char *name :
         {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "xfce4-taskmanager"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return true;
    }
    return false;
}

}  // namespace lumora::platform
