#include <string>

#include <QString>

#include <gtest/gtest.h>

#include "platform/qt/Cp1252.h"

namespace lingomat {
namespace {

TEST(Cp1252Test, EveryByteSurvivesTheRoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        EXPECT_EQ(FromQString(ToQString(text)), text) << "byte " << byte;
    }
}

struct Conversion {
    const char* utf8;
    std::string cp1252;
};

class Cp1252ConversionTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(Cp1252ConversionTest, ConvertsBothWays) {
    const QString text = QString::fromUtf8(GetParam().utf8);
    EXPECT_EQ(FromQString(text), GetParam().cp1252);
    EXPECT_EQ(ToQString(GetParam().cp1252), text);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Cp1252ConversionTest,
    ::testing::Values(Conversion{"Straße", "Stra\xdf" "e"},
                      Conversion{"Ärger über Öl", "\xc4rger \xfc" "ber \xd6l"},
                      Conversion{"français ñ", "fran\xe7" "ais \xf1"},
                      Conversion{"5 €", "5 \x80"},
                      Conversion{"„Zitat“ – …", "\x84Zitat\x93 \x96 \x85"},
                      Conversion{"Œuvre œ Š š Ž ž Ÿ", "\x8cuvre \x9c \x8a \x9a \x8e \x9e \x9f"},
                      Conversion{"", ""}));

struct Dropped {
    const char* utf8;
    std::string kept;
};

class Cp1252DroppedTest : public ::testing::TestWithParam<Dropped> {};

TEST_P(Cp1252DroppedTest, LeavesOutWhatWindows1252CannotHold) {
    EXPECT_EQ(FromQString(QString::fromUtf8(GetParam().utf8)), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Cp1252DroppedTest,
    ::testing::Values(Dropped{"a→b", "ab"},
                      Dropped{"Tokyo 東京", "Tokyo "},
                      Dropped{"x😀y", "xy"},       // outside the basic plane: a surrogate pair
                      Dropped{"ĉu ŝi", "u i"},     // Esperanto letters are not Latin-1
                      Dropped{"Ωmega", "mega"},
                      Dropped{"é\u0301", "\xe9"})); // a combining accent is no character of its own

TEST(Cp1252Test, OneCharacterLookup) {
    EXPECT_EQ(ToCp1252(U'é'), '\xe9');
    EXPECT_EQ(ToCp1252(U'€'), '\x80');
    EXPECT_EQ(ToCp1252(U'→'), '\0');
    EXPECT_EQ(ToCp1252(0x1F600), '\0');
}

} // namespace
} // namespace lingomat
