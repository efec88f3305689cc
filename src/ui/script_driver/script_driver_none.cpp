// The installed program: no test script drives it, whatever the environment says. Tests run a
// build of the program with the script driver linked in instead (script_driver.cpp).
#include "ui/script_driver/script_driver.h"

namespace lumora {

class ScriptedAnswers {};

ScriptDriver::ScriptDriver(MainWindow &window) : window_(window) {}
ScriptDriver::~ScriptDriver() = default;
void ScriptDriver::prepare() {}
void ScriptDriver::start() {}

}  // namespace lumora
