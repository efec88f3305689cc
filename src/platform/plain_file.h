// Reading a file that the program keeps for itself (a recovery file): it is read only when it is a
// plain file in its own right. It is opened without following a symbolic link and without waiting,
// then checked, so a link to a FIFO or a device planted in the folder can neither hold the program
// at start nor be read as ours.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace lumora::platform {

// The first `maxBytes` + 1 bytes of `path` (one more than allowed shows an oversized file), or
// nullopt when it is not a plain file or cannot be read.
std::optional<QByteArray> readPlainFile(const QString &path, qint64 maxBytes);

// True when `path` itself is a plain file (not a link, a folder, a FIFO or a device).
bool isPlainFile(const QString &path);

}  // namespace lumora::platform
