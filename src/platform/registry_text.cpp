#include "platform/registry_text.h"

namespace lumora::platform {

namespace {

constexpr unsigned long kString = 1;  // REG_SZ
constexpr unsigned long kNumber = 4;  // REG_DWORD, little-endian

}  // namespace

std::optional<QString> registryValueText(unsigned long type, const QByteArray &data) {
    if (type == kString) {
        qsizetype units = data.size() / 2;
        const auto *text = reinterpret_cast<const char16_t *>(data.constData());
        // Only one terminating NUL is cut, as the registry stores it; the rest is the text.
        if (units > 0 && text[units - 1] == u'\0') --units;
        return QString::fromUtf16(text, units);
    }
    if (type == kNumber) {
        quint32 value = 0;
        for (qsizetype k = qMin<qsizetype>(data.size(), 4) - 1; k >= 0; --k)
            value = value << 8 | static_cast<quint8>(data.at(k));
        return QString::number(value);
    }
    return std::nullopt;
}

}  // namespace lumora::platform
