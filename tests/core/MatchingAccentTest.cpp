#include <string>

#include <gtest/gtest.h>

#include "matching/AccentEscapes.h"
#include "MatchingTestText.h"

namespace lingomat {
namespace {

using matchingtest::W;

struct DecodeCase {
    const char* stored;
    const char* shown; // UTF-8, converted before comparing
};

// Each escape between ordinary letters, so a rule that eats a neighbour shows up as well.
TEST(DecodeAccents, EveryEscapeBecomesItsLetter)
{
    const DecodeCase cases[] = {
        {"\\'a", "á"}, {"\\`a", "à"}, {"\\^a", "â"}, {"\\\"a", "ä"}, {"\"a", "ä"}, {"^a", "â"},
        {"\"A", "Ä"}, {"\\'e", "é"}, {"\\`e", "è"}, {"\\^e", "ê"}, {"^e", "ê"}, {"\\\"e", "ë"},
        {"\"e", "ë"}, {"\\'i", "í"}, {"\\`i", "ì"}, {"\\^i", "î"}, {"\\\"i", "ï"}, {"^i", "î"},
        {"\"i", "ï"}, {"~n", "ñ"}, {"~N", "Ñ"}, {"\\'o", "ó"}, {"\\`o", "ò"}, {"\\^o", "ô"},
        {"\\\"o", "ö"}, {"\"o", "ö"}, {"^o", "ô"}, {"\"O", "Ö"}, {"\\'u", "ú"}, {"\\`u", "ù"},
        {"\\^u", "û"}, {"\\\"u", "ü"}, {"\"u", "ü"}, {"^u", "û"}, {"\"U", "Ü"}, {"\\cc", "ç"},
        {"$", "ç"}, {"\\3", "ß"}, {"\\ss", "ß"},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(DecodeAccents(std::string("x") + c.stored + "y"), W(std::string("x") + c.shown + "y"))
            << c.stored;
    }
}

TEST(DecodeAccents, WordsAndLookAlikes)
{
    const DecodeCase cases[] = {
        {"M\\\"adchen", "Mädchen"},
        {"M\"adchen", "Mädchen"},
        {"Gru\\3", "Gruß"},
        {"Gru\\ss", "Gruß"},
        {"Espa~na", "España"},
        {"fran$ais", "français"},
        {"fran\\ccais", "français"},
        {"\\\"A", "\\Ä"},           // no capital rule with backslash
        {"\\'E", "\\'E"},           // no capital with acute
        {"\"a\"o\"u \\\"a", "äöü ä"},
        {"\\^\"a", "\\^ä"},
        {"Mädchen café", "Mädchen café"},
        {"Preis: 5$", "Preis: 5ç"}, // a stored text cannot show a dollar sign
        {"", ""},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(DecodeAccents(W(c.stored)), W(c.shown)) << c.stored;
    }
}

} // namespace
} // namespace lingomat
