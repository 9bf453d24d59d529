#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "matching/AccentEscapes.h"
#include "matching/AnswerMatching.h"
#include "MatchingTestText.h"

namespace lingomat {
namespace {

using matchingtest::W;

struct DecodeCase {
    const char* stored;
    const char* shown;
};

// Each escape between ordinary letters, so a rule that eats a neighbour shows up as well.
TEST(DecodeAccents, EveryEscapeBecomesItsLetter) {
    const DecodeCase cases[] = {
        {"\\'a", "á"}, {"\\`a", "à"},  {"\\^a", "â"}, {"\\\"a", "ä"}, {"\"a", "ä"},
        {"^a", "â"},   {"\"A", "Ä"},   {"\\'e", "é"}, {"\\`e", "è"},  {"\\^e", "ê"},
        {"^e", "ê"},   {"\\\"e", "ë"}, {"\"e", "ë"},  {"\\'i", "í"},  {"\\`i", "ì"},
        {"\\^i", "î"}, {"\\\"i", "ï"}, {"^i", "î"},   {"\"i", "ï"},   {"~n", "ñ"},
        {"~N", "Ñ"},   {"\\'o", "ó"},  {"\\`o", "ò"}, {"\\^o", "ô"},  {"\\\"o", "ö"},
        {"\"o", "ö"},  {"^o", "ô"},    {"\"O", "Ö"},  {"\\'u", "ú"},  {"\\`u", "ù"},
        {"\\^u", "û"}, {"\\\"u", "ü"}, {"\"u", "ü"},  {"^u", "û"},    {"\"U", "Ü"},
        {"\\cc", "ç"}, {"$", "ç"},     {"\\3", "ß"},  {"\\ss", "ß"},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(DecodeAccents(std::string("x") + c.stored + "y"),
                  W(std::string("x") + c.shown + "y"))
            << c.stored;
    }
}

TEST(DecodeAccents, WordsAndLookAlikes) {
    const DecodeCase cases[] = {
        {"M\\\"adchen", "Mädchen"},
        {"M\"adchen", "Mädchen"},
        {"Gru\\3", "Gruß"},
        {"Gru\\ss", "Gruß"},
        {"Espa~na", "España"},
        {"fran$ais", "français"},
        {"fran\\ccais", "français"},
        {"\\\"A", "\\Ä"}, // no capital rule with backslash
        {"\\'E", "\\'E"}, // no capital with acute
        {"\\^\"a", "\\^ä"},
        {"Mädchen café", "Mädchen café"},
        {"", ""},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(DecodeAccents(W(c.stored)), W(c.shown)) << c.stored;
    }
}

struct OneTextCase {
    const char* input;
    const char* expected;
};

struct OperationCases {
    const char* name;
    std::function<std::string(std::string)> operation;
    std::vector<OneTextCase> cases;
};

TEST(TextOperations, SingleTextOperations) {
    const OperationCases table[] = {
        {"SquashBlanks",
         SquashBlanks,
         {{"  a   b  ", "a b"}, {"   ", ""}, {"", ""}, {"a\tb", "a\tb"}, {" \t a", "\t a"}}},
        {"StripArticle",
         StripArticle,
         {{"der Hund", "Hund"},
          {"Der Hund", "Der Hund"},
          {"der die Katze", "Katze"},
          {"die der Katze", "der Katze"},
          {"l'eau", "eau"},
          {"la", "la"},
          {"", ""},
          {"a", "a"},
          {"a an apple", "apple"},
          {"to go", "go"},
          {"s'amuser", "amuser"},
          {"einen Hund", "Hund"},
          {"ein el gato", "gato"},
          {"un une x", "x"}}},
        {"StripPrefix",
         [](std::string text) { return StripPrefix(std::move(text), "der "); },
         {{"der Hund", "Hund"}, {"Der Hund", "Der Hund"}, {"de", "de"}}},
        {"PlainCapitals",
         PlainCapitals,
         {{"ÉÈÁÀÙÚÒÓÌÍ", "EEAAUUOOII"}, {"ÂÊÎÔÛÇÑÄÖÜ", "ÂÊÎÔÛÇÑÄÖÜ"}, {"éèá", "éèá"}}},
        {"LowerCase",
         LowerCase,
         {{"ABC xyz", "abc xyz"}, {"ÄÖÜ", "äöü"}, {"ÉÇÑÂ", "ÉÇÑÂ"}, {"@[`{", "@[`{"}}},
        {"FoldAccents",
         FoldAccents,
         {{"àáâä", "aaaa"},
          {"ç", "c"},
          {"èéêë", "eeee"},
          {"ìíîï", "iiii"},
          {"ñ", "n"},
          {"òóôö", "oooo"},
          {"ùúûü", "uuuu"},
          {"Seite 3", "Seite ss"},
          {"M\"adchen", "Madchen"},
          {"Gru\\3", "Gruss"},
          {"\\^e", "e"},
          {"ßãåæõøýÿ'`~ÄÉ", "ßãåæõøýÿ'`~ÄÉ"}}},
    };
    for (const OperationCases& operation : table) {
        for (const OneTextCase& c : operation.cases) {
            EXPECT_EQ(operation.operation(W(c.input)), W(c.expected))
                << operation.name << " of «" << c.input << "»";
        }
    }
}

TEST(TextOperations, LowerCaseLowersLongTexts) {
    EXPECT_EQ(LowerCase(std::string(300, 'A') + W("Ä")), std::string(300, 'a') + W("ä"));
}

TEST(TextOperations, ReplaceAll) {
    struct Case {
        const char* text;
        const char* pattern;
        const char* replacement;
        const char* expected;
    };
    const Case cases[] = {
        {"a    b", "  ", " ", "a b"},
        {"((m)m)", "(m)", "", ""}, // the first removal joins a second marker
        {"aabb", "ab", "", ""},
        {"aab", "ab", "a", "aa"},
        {"Straße", "ß", "ss", "Strasse"},
        {"a-b-c", "-", "", "abc"},
        {"aaa", "a", "aa", "aaaaaa"}, // a replacement holding the pattern must not loop
        {"abc", "", "x", "abc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceAll(W(c.text), W(c.pattern), W(c.replacement)), W(c.expected)) << c.text;
    }
}

} // namespace
} // namespace lingomat
