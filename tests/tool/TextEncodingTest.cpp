#include "TextEncoding.h"

#include <gtest/gtest.h>

namespace lingomat {
namespace {

TEST(TextEncoding, BytesAndCodePoints) {
    struct Case {
        unsigned char byte;
        char32_t codePoint;
    };
    // Bytes unassigned in Windows-1252 (0x81, 0x8D, 0x8F, 0x90, 0x9D) stay the C1 control of
    // the same number.
    const Case cases[] = {{0x41, U'A'},   {0x80, 0x20AC}, {0x8A, 0x0160}, {0x8C, 0x0152},
                          {0x96, 0x2013}, {0x9C, 0x0153}, {0x9F, 0x0178}, {0xA0, 0x00A0},
                          {0xDF, U'ß'},   {0xE4, U'ä'},   {0xE5, U'å'},   {0xF2, U'ò'},
                          {0xF5, U'õ'},   {0xFF, U'ÿ'},   {0x00, 0x0000}, {0x81, 0x0081},
                          {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}};
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToCodePoint(c.byte), c.codePoint) << int{c.byte};
        EXPECT_EQ(CodePointToCp1252(c.codePoint), int{c.byte}) << int{c.byte};
    }
    // Every byte there and back through UTF-8; what cannot be stored is placed by the pack tests.
    std::string everyByte;
    for (int b = 0; b < 256; ++b) {
        everyByte += static_cast<char>(b);
    }
    const auto back = Utf8ToCp1252(Cp1252ToUtf8(everyByte));
    EXPECT_EQ(back.text, everyByte);
    EXPECT_TRUE(back.problems.empty());
}

} // namespace
} // namespace lingomat
