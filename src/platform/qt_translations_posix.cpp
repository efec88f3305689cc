#include <QLibraryInfo>

#include "platform/qt_translations.h"

namespace lumora::platform {

QString qtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

}  // namespace lumora::platform
