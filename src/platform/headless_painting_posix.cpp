#include <QByteArray>

#include "platform/headless_painting.h"

namespace lumora::platform {

void chooseHeadlessPainting() { qputenv("QT_QPA_PLATFORM", "offscreen"); }

}  // namespace lumora::platform
