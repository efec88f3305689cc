// Turning a registry value into the text the about box needs (the tool's path): the part of the
// registry reading that does not need Windows, so that it is tested everywhere.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace lumora::platform {

// The value's data, as many bytes as the registry reported, read as text: a string (type 1, UTF-16,
// without the terminating NUL) as it is, a 32-bit number (type 4) in decimal; nullopt for any other
// type.
std::optional<QString> registryValueText(unsigned long type, const QByteArray &data);

}  // namespace lumora::platform
