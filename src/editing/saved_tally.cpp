#include "editing/saved_tally.h"

#include <QCryptographicHash>

namespace lumora {

FileContents contentsOf(const std::string &bytes) {
    const QByteArray hash = QCryptographicHash::hash(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), QCryptographicHash::Sha256);
    return {static_cast<long long>(bytes.size()), hash.toHex().toStdString()};
}

void SavedTally::remember(const std::string &fileName, const std::string &lines,
                          const std::optional<std::string> &bytes) {
    Known &k = known_[fileName];
    k.lines = lines;
    k.bytes = bytes ? std::optional<FileContents>(contentsOf(*bytes)) : std::nullopt;
    k.strange = false;
}

void SavedTally::restored(const std::string &fileName, const std::optional<FileContents> &held) {
    if (fileName.empty()) return;
    Known &k = known_[fileName];
    k.lines.reset();
    k.bytes = held;
    k.strange = !held;
}

bool SavedTally::holds(const std::string &fileName, const std::string &lines) const {
    const auto k = known_.find(fileName);
    return k != known_.end() && k->second.lines == lines;
}

bool SavedTally::changedSince(const std::string &fileName, const std::string &bytes) const {
    const auto k = known_.find(fileName);
    if (k == known_.end()) return false;
    if (k->second.strange) return true;
    return k->second.bytes && !(*k->second.bytes == contentsOf(bytes));
}

std::optional<FileContents> SavedTally::held(const std::string &fileName) const {
    const auto k = known_.find(fileName);
    if (k == known_.end()) return std::nullopt;
    return k->second.bytes;
}

}  // namespace lumora
