#include "editing/saved_tally.h"

#include <QCryptographicHash>

namespace lumora {

namespace {

QByteArray hashOf(const std::string &bytes) {
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256);
}

}  // namespace

void SavedTally::remember(const std::string &fileName, const std::string &lines,
                          const std::optional<std::string> &bytes) {
    Known &k = known_[fileName];
    k.lines = lines;
    k.size = bytes ? static_cast<qint64>(bytes->size()) : -1;
    k.hash = bytes ? hashOf(*bytes) : QByteArray();
}

bool SavedTally::holds(const std::string &fileName, const std::string &lines) const {
    const auto k = known_.find(fileName);
    return k != known_.end() && k->second.lines == lines;
}

bool SavedTally::changedSince(const std::string &fileName, const std::string &bytes) const {
    const auto k = known_.find(fileName);
    if (k == known_.end() || k->second.size < 0) return false;
    return k->second.size != static_cast<qint64>(bytes.size()) || k->second.hash != hashOf(bytes);
}

}  // namespace lumora
