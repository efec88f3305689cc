// The core's texts (UTF-8 in std::string) as Qt's, for the rooms that show them.
#pragma once

#include <QString>
#include <string>

namespace lumora {

inline QString qs(const std::string &s) { return QString::fromStdString(s); }

}  // namespace lumora
