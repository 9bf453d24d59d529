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
}

TEST(TextEncoding, ProblemsCarryTheirCharacterColumn) {
    using Kind = EncodingProblem::Kind;
    struct Case {
        std::string utf8;
        std::string text;
        std::vector<std::pair<Kind, std::size_t>> problems;
    };
    std::string everyByte;
    for (int b = 0; b < 256; ++b) {
        everyByte += static_cast<char>(b);
    }
    const Case cases[] = {
        {Cp1252ToUtf8(everyByte), everyByte, {}}, // every byte there and back
        {"Stra\xC3\237e", "Stra\337e", {}},
        {"\xE2\x82\xAC 5", "\x80 5", {}},
        {"G\xC3\xB6\xC5\x91r", "G\xF6?r", {{Kind::NotInCp1252, 3}}}, // ő
        {"\xF0\x9F\x98\x80x", "?x", {{Kind::NotInCp1252, 1}}},       // emoji
        {"a\377b", "a?b", {{Kind::InvalidUtf8, 2}}},
        {"\xC0\x80", "??", {{Kind::InvalidUtf8, 1}, {Kind::InvalidUtf8, 2}}}, // overlong
        {"\xED\xA0\x80",
         "???",
         {{Kind::InvalidUtf8, 1}, {Kind::InvalidUtf8, 2}, {Kind::InvalidUtf8, 3}}},
        {"\xC3", "?", {{Kind::InvalidUtf8, 1}}},                         // cut short
        {"\xC3\xA4\x80\xC3\xA4", "\xE4?\xE4", {{Kind::InvalidUtf8, 2}}}, // stray continuation
        {"\xF4\x90\x80\x80",
         "????",
         {{Kind::InvalidUtf8, 1},
          {Kind::InvalidUtf8, 2},
          {Kind::InvalidUtf8, 3},
          {Kind::InvalidUtf8, 4}}},
    };
    for (const auto& c : cases) {
        const auto result = Utf8ToCp1252(c.utf8);
        EXPECT_EQ(result.text, c.text) << c.utf8;
        ASSERT_EQ(result.problems.size(), c.problems.size()) << c.utf8;
        for (std::size_t i = 0; i < c.problems.size(); ++i) {
            EXPECT_EQ(result.problems[i].kind, c.problems[i].first) << c.utf8;
            EXPECT_EQ(result.problems[i].column, c.problems[i].second) << c.utf8;
        }
    }
}

} // namespace
} // namespace lingomat
