// The about box's button that starts the system's information tool.
#pragma once

namespace lumora::platform {

// Starts the system-information tool. False when there is none or it could not be started.
bool startSystemInfoTool();

}  // namespace lumora::platform
