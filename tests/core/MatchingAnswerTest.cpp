#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "matching/AnswerMatching.h"
#include "MatchingTestText.h"

namespace lingomat {
namespace {

using matchingtest::everyOptionSet;
using matchingtest::Options;
using matchingtest::W;

// options: letters as in Options(), or "*" for every combination.
struct MatchCase {
    const char* expected;
    const char* typed;
    const char* options;
    bool right;
};

const MatchCase matchCases[] = {
    {"der Hund", "Hund", "", false},
    {"der Hund", "Hund", "r", true},
    {"Hund", "der Hund", "*", false},
    {"Der Hund", "Hund", "rc", false}, // articles go before lowering
    {"l'eau", "eau", "r", true},
    {"die Straße", "die Strasse", "*", true},
    {"Gruß", "Gru\\3", "a", true},
    {"(to) go", "go", "*", true},
    {"(to) go", "to go", "*", true},
    {"(to) go", "(to) go", "*", false},
    {"chat (m)", "chat", "*", true},
    {"chat (m)", "chat m", "*", true},
    {"sich freuen (auf)", "freuen auf", "r", true},
    {"E-Mail", "email", "s", false},
    {"E-Mail", "email", "sc", true},
    {"Eis bär", "Eis-bär", "s", true},
    {"Élève", "Eleve", "a", true},
    {"Élève", "eleve", "a", false},
    {"Élève", "eleve", "ac", true},
    {"Mädchen", "Madchen", "a", true},
    {"Mädchen", "M\"adchen", "a", true},
    {"Mädchen", "Madchen", "csr", false},
    {"Über", "uber", "ac", true},
    {"Ça va", "ça va", "ac", false},
    {"/der Hund /der Köter /(der) Kläffer", "der Köter", "", true},
    {"/der Hund /der Köter /(der) Kläffer", "Köter", "", false},
    {"/der Hund /der Köter /(der) Kläffer", "koter", "acr", true},
    {"/der Hund /der Köter /(der) Kläffer", "der Hund /der Köter", "*", false},
    {"/la maison /le logis", "MAISON", "rc", true},
    {"und/oder", "und/oder", "", true},
    {"/Hund /", "", "*", false}, // a trailing slash is no empty answer
    {"/a //b", "", "*", false},
    {"/a //b", "b", "", true},
    {"/", "", "*", false},
    {"a) b", "a) b", "", true}, // stray parentheses are plain characters
};

TEST(AnswerMatches, CasesUnderOptions) {
    for (const MatchCase& c : matchCases) {
        const bool everySet = std::string(c.options) == "*";
        for (std::string_view options : everyOptionSet) {
            if (everySet || options == c.options) {
                EXPECT_EQ(AnswerMatches(W(c.typed), W(c.expected), Options(options)), c.right)
                    << "expected «" << c.expected << "», typed «" << c.typed << "», options «"
                    << options << "»";
            }
        }
    }
}

TEST(AnswerMatches, TextsMatchIsTwoSided) {
    struct Case {
        const char* first;
        const char* second;
        const char* options;
        bool match;
    };
    const Case cases[] = {
        {"der Hund", "Hund", "r", true},
        {"der Hund", "Hund", "rs", true},
        {"der Hund", "Hund", "", false},
        {"/a /b", "/c /b", "", true},
        {"(to) go", "to go", "", true},
        {"Der Hund", "hund", "rc", false},
        {"", "", "", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextsMatch(W(c.first), W(c.second), Options(c.options)), c.match)
            << c.first << " / " << c.second;
        EXPECT_EQ(TextsMatch(W(c.second), W(c.first), Options(c.options)), c.match)
            << c.second << " / " << c.first;
    }
}

TEST(AnswerMatches, FormExpansionSteps) {
    struct Case {
        const char* text;
        std::vector<std::string> forms;
    };
    const Case cases[] = {
        {"/der Hund  /der  Köter / Kläffer ", {"der Hund", "der Köter", " Kläffer "}},
        {"/a //b /", {"a", "b"}},
        {"/", {}},
        {"und/oder", {"und/oder"}},
        {"(to) go", {"go", "to go"}},
        {"a (b) c (d)", {"a c", "a b c", "a c d", "a b c d"}},
        {"x) (y) z", {"x) z", "x) y z"}},
        {"Fuß (m)", {"Fuß", "Fuss", "Fuß m", "Fuss m"}},
    };
    for (const Case& c : cases) {
        FormList forms = SplitForms(W(c.text));
        AddSharpSForms(forms);
        AddParenthesisForms(forms);
        std::vector<std::string> expected;
        for (const std::string& form : c.forms) {
            expected.push_back(W(form));
        }
        EXPECT_EQ(forms, expected) << c.text;
    }
}

TEST(AnswerMatches, HostileTextsStayWithinTheLimits) {
    std::string manyParts;
    for (int i = 0; i < 40; ++i) {
        manyParts += "(x) ";
    }
    const FormList forms = AcceptedForms(manyParts + "y", Options("acsr"));
    EXPECT_EQ(forms.size(), MaxForms);
    EXPECT_EQ(forms.front(), "y");
    EXPECT_TRUE(AnswerMatches("y", manyParts + "y", Options("")));

    const std::string longForm(MaxFormBytes / 2, 'z');
    std::size_t bytes = 0;
    for (const std::string& form : AcceptedForms("(a) (b) (c) " + longForm, Options(""))) {
        bytes += form.size();
    }
    EXPECT_LE(bytes, MaxFormBytes);
}

} // namespace
} // namespace lingomat
