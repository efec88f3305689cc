// Painting without a window (the batch report's printed sheet): Qt's offscreen platform, given the
// fonts the system has.
#pragma once

namespace lumora::platform {

// Chooses the headless platform for the Qt application made next. On Windows the offscreen
// platform reads fonts from one folder only, so it is pointed at the system's font folder.
void chooseHeadlessPainting();

}  // namespace lumora::platform
