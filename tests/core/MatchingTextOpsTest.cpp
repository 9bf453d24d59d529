#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "matching/AnswerMatching.h"
#include "MatchingTestText.h"

namespace lingomat {
namespace {

using matchingtest::W;

struct OneTextCase {
    const char* input;
    const char* expected;
};

struct OperationCases {
    const char* name;
    std::function<std::string(std::string)> operation;
    std::vector<OneTextCase> cases;
};

TEST(TextOperations, SingleTextOperations)
{
    const OperationCases table[] = {
        {"SquashBlanks", SquashBlanks,
         {{"  a   b  ", "a b"}, {"   ", ""}, {"", ""}, {"a\tb", "a\tb"}, {" \t a", "\t a"}}},
        {"StripArticle", StripArticle,
         {{"der Hund", "Hund"}, {"Der Hund", "Der Hund"}, {"der die Katze", "Katze"},
          {"die der Katze", "der Katze"}, {"l'eau", "eau"}, {"les amis", "amis"}, {"la", "la"},
          {"", ""}, {"a", "a"}, {"a an apple", "apple"}, {"to go", "go"}, {"the end", "end"},
          {"sich freuen", "freuen"}, {"s'amuser", "amuser"}, {"einen Hund", "Hund"},
          {"eine Katze", "Katze"}, {"ein el gato", "gato"}, {"un une x", "x"}, {"das", "das"},
          {"denken", "denken"}, {"Hund", "Hund"}}},
        {"PlainCapitals", PlainCapitals,
         {{"ÉÈÁÀÙÚÒÓÌÍ", "EEAAUUOOII"}, {"ÂÊÎÔÛÇÑÄÖÜ", "ÂÊÎÔÛÇÑÄÖÜ"}, {"éèá", "éèá"}}},
        {"LowerCase", LowerCase,
         {{"ABC xyz", "abc xyz"}, {"ÄÖÜ", "äöü"}, {"ÉÇÑÂ", "ÉÇÑÂ"}, {"@[`{", "@[`{"}}},
        {"FoldAccents", FoldAccents,
         {{"àáâä", "aaaa"}, {"ç", "c"}, {"èéêë", "eeee"}, {"ìíîï", "iiii"}, {"ñ", "n"},
          {"òóôö", "oooo"}, {"ùúûü", "uuuu"}, {"Seite 3", "Seite ss"}, {"M\"adchen", "Madchen"},
          {"Gru\\3", "Gruss"}, {"\\^e", "e"}, {"ßãåæõøýÿ'`~ÄÉ", "ßãåæõøýÿ'`~ÄÉ"}}},
    };
    for (const OperationCases& operation : table) {
        for (const OneTextCase& c : operation.cases) {
            EXPECT_EQ(operation.operation(W(c.input)), W(c.expected)) << operation.name << " of «" << c.input << "»";
        }
    }
}

TEST(TextOperations, LowerCaseLowersLongTexts)
{
    EXPECT_EQ(LowerCase(std::string(300, 'A') + W("Ä")), std::string(300, 'a') + W("ä"));
}

TEST(TextOperations, ReplaceAll)
{
    struct Case {
        const char* text;
        const char* pattern;
        const char* replacement;
        const char* expected;
    };
    const Case cases[] = {
        {"a    b", "  ", " ", "a b"},
        {"((m)m)", "(m)", "", ""},  // the first removal joins a second marker
        {"aabb", "ab", "", ""},
        {"aab", "ab", "a", "aa"},
        {"Straße", "ß", "ss", "Strasse"},
        {"a-b-c", "-", "", "abc"},
        {"aXbXc", "X", "YY", "aYYbYYc"},
        {"aaa", "a", "aa", "aaaaaa"}, // a replacement holding the pattern must not loop
        {"abc", "", "x", "abc"},
        {"", "a", "b", ""},
        {"xyz", "q", "r", "xyz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceAll(W(c.text), W(c.pattern), W(c.replacement)), W(c.expected)) << c.text;
    }
}

TEST(TextOperations, StripPrefix)
{
    EXPECT_EQ(StripPrefix("der Hund", "der "), "Hund");
    EXPECT_EQ(StripPrefix("Der Hund", "der "), "Der Hund");
    EXPECT_EQ(StripPrefix("de", "der "), "de");
    EXPECT_EQ(StripPrefix("x", ""), "x");
}

} // namespace
} // namespace lingomat
