#include "platform/qt_translations.h"

namespace lumora::platform {

QString qtTranslationsFolder() { return QStringLiteral(":/translations"); }

}  // namespace lumora::platform
