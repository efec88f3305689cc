// Tally files on disk: whole-file reads with a size limit, and saves that replace the target only
// once the new contents are completely written (QSaveFile), so a failed save keeps the old file.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

#include "documents/core/tally_commands.h"

namespace lumora {

class DiskFiles : public FileStore {
public:
    FileRead read(const std::string &name, size_t maxBytes) override;
    std::optional<std::string> writeAtomically(const std::string &name, const std::string &bytes) override;
};

// Writes the bytes to the file through QSaveFile. Returns the error in Russian, or nullopt.
std::optional<std::string> saveFileAtomically(const QString &name, const QByteArray &bytes);

}  // namespace lumora
