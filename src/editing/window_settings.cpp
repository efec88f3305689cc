#include "editing/window_settings.h"

#include <QSettings>

namespace lumora {

namespace {
const char kEvenSteps[] = "evenSteps";
const char kGroupsOnSheet[] = "groupsOnSheet";
}  // namespace

bool savedEvenSteps() { return QSettings().value(kEvenSteps, false).toBool(); }

void saveEvenSteps(bool on) { QSettings().setValue(kEvenSteps, on); }

}  // namespace lumora

namespace lumora {

bool savedGroupsOnSheet() { return QSettings().value(kGroupsOnSheet, false).toBool(); }

void saveGroupsOnSheet(bool on) { QSettings().setValue(kGroupsOnSheet, on); }

}  // namespace lumora
