#include "editing/window_settings.h"

#include <QSettings>

namespace lumora {

namespace {
const char kEvenSteps[] = "evenSteps";
}

bool savedEvenSteps() { return QSettings().value(kEvenSteps, false).toBool(); }

void saveEvenSteps(bool on) { QSettings().setValue(kEvenSteps, on); }

}  // namespace lumora
