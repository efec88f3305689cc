// The question before Save writes over a file that another program changed since this window read or
// wrote it.
#pragma once

#include <QString>

#include "ui/main_window.h"

class QWidget;

namespace lumora {

ChangedFileAnswer askAboutChangedFile(QWidget *parent, const QString &fileName);

}  // namespace lumora
