#include <string>
#include <utility>

#include <QString>

#include <gtest/gtest.h>

#include "support/Cp1252.h"

namespace lingomat {
namespace {

TEST(Cp1252Test, EveryByteSurvivesTheRoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        EXPECT_EQ(FromQString(ToQString(text)), text) << "byte " << byte;
    }
}

TEST(Cp1252Test, ConvertsBothWaysAndLeavesOutWhatWindows1252CannotHold) {
    const std::pair<const char*, std::string> both[] = {
        {"Straße", "Stra\xdf"
                   "e"},
        {"Ärger über Öl", "\xc4rger \xfc"
                          "ber \xd6l"},
        {"français ñ", "fran\xe7"
                       "ais \xf1"},
        {"5 €", "5 \x80"},
        {"„Zitat“ – …", "\x84Zitat\x93 \x96 \x85"},
        {"Œuvre œ Š š Ž ž Ÿ", "\x8cuvre \x9c \x8a \x9a \x8e \x9e \x9f"},
        {"", ""},
    };
    for (const auto& [utf8, cp1252] : both) {
        EXPECT_EQ(FromQString(QString::fromUtf8(utf8)), cp1252) << utf8;
        EXPECT_EQ(ToQString(cp1252), QString::fromUtf8(utf8)) << utf8;
    }
    const std::pair<const char*, std::string> dropped[] = {
        {"a→b", "ab"},     {"Tokyo 東京", "Tokyo "},
        {"x😀y", "xy"},                          // outside the basic plane: a surrogate pair
        {"ĉu ŝi", "u i"},                       // Esperanto letters are not Latin-1
        {"Ωmega", "mega"}, {"é\u0301", "\xe9"}, // a combining accent is no character of its own
    };
    for (const auto& [utf8, kept] : dropped) {
        EXPECT_EQ(FromQString(QString::fromUtf8(utf8)), kept) << utf8;
    }
}

} // namespace
} // namespace lingomat
