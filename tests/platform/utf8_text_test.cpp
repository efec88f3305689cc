// A console is written whole letters at a time: what arrives is cut after its last whole letter, and
// the bytes of a letter still coming wait for the rest.
#include "platform/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

using lumora::platform::completeUtf8Length;

TEST(Utf8Text, PiecesAreCutAfterTheirLastWholeLetter) {
    const std::string itogo = "Итого";  // 10 bytes, 2 a letter
    const std::string euro = "€";       // 3 bytes
    const std::string clef = "𝄞";       // 4 bytes, outside the BMP
    struct Case {
        std::string bytes;
        size_t whole;
    } cases[] = {
        {"", 0},
        {"6,00\n", 5},
        {itogo, 10},
        {itogo.substr(0, 9), 8},       // the last letter's first byte
        {"a" + euro.substr(0, 1), 1},  // a three-byte letter, one byte of it
        {"a" + euro.substr(0, 2), 1},
        {"a" + euro, 4},
        {clef.substr(0, 3), 0},
        {clef, 4},
        {"a\x80", 2},  // a stray continuation byte is not held back
        {"a\xC0", 2},  // nor a byte that begins no letter
        {"a\xFF", 2},
        {"\x80\x80\x80\x80\x80", 5},
    };
    for (const Case &c : cases) EXPECT_EQ(completeUtf8Length(c.bytes), c.whole) << c.bytes;
}
