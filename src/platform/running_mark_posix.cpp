#include "platform/running_mark.h"

namespace lumora::platform {

void markRunning() {}

}  // namespace lumora::platform
