// The about box reads the system-information tool's path from the registry: the value's bytes as
// the registry returns them become the path text.
#include "platform/registry_text.h"

#include <gtest/gtest.h>

using lumora::platform::registryValueText;

namespace {

QByteArray utf16(const QString &text, bool terminated) {
    QByteArray bytes(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    if (terminated) bytes.append(2, '\0');
    return bytes;
}

}  // namespace

TEST(RegistryText, StringsLoseOneTerminatingNulAndNumbersReadInDecimal) {
    const QString path = QStringLiteral("C:\\Program Files\\Общие\\MSINFO32.EXE");
    struct Case {
        unsigned long type;
        QByteArray data;
        std::optional<QString> text;
    } cases[] = {
        {1, utf16(path, true), path},
        {1, utf16(path, false), path},  // stored without its NUL
        {1, utf16(QStringLiteral("a"), true) + QByteArray(2, '\0'), QStringLiteral("a") + QChar(0)},
        {1, QByteArray(), QString()},
        {4, QByteArray("\x00\x01\x00\x00", 4), QStringLiteral("256")},
        {4, QByteArray("\xff\xff\xff\xff", 4), QStringLiteral("4294967295")},
        {4, QByteArray("\x0a\x00\x00\x00", 4), QStringLiteral("10")},
        {2, utf16(QStringLiteral("%SystemRoot%"), true), std::nullopt},  // an expandable string
        {3, QByteArray("\x01\x02", 2), std::nullopt},                    // binary
    };
    for (const Case &c : cases)
        EXPECT_EQ(registryValueText(c.type, c.data), c.text) << c.type << " " << c.data.toHex().constData();
}
