#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "matching/AccentEscapes.h"
#include "matching/AlphabeticRange.h"
#include "matching/AnswerForms.h"
#include "matching/AnswerMatching.h"
#include "matching/LanguageNames.h"
#include "platform/Random.h"

namespace lingomat {
namespace {

// The test sources are UTF-8, the texts under test Windows-1252; the letters used here all lie in
// the Latin-1 range, where a two-byte UTF-8 sequence maps to one byte of the same value.
std::string W(std::string_view utf8) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            text += static_cast<char>(((c & 0x03) << 6) |
                                      (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

// Options by letter: a accents, c capitals, s spacing, r articles.
CorrectionOptions Options(std::string_view letters) {
    CorrectionOptions options;
    options.ignoreAccents = letters.find('a') != std::string_view::npos;
    options.ignoreCase = letters.find('c') != std::string_view::npos;
    options.ignoreSpacing = letters.find('s') != std::string_view::npos;
    options.ignoreArticles = letters.find('r') != std::string_view::npos;
    return options;
}

// Every combination of the four options that the comparison reads.
constexpr std::string_view everyOptionSet[] = {
    "", "a", "c", "s", "r", "ac", "as", "ar", "cs", "cr", "sr", "acs", "acr", "asr", "csr", "acsr"};

// Each case alone and between ordinary letters, so a rule that eats a neighbour shows up as well.
TEST(DecodeAccents, EveryEscapeWordsAndLookAlikes) {
    using Case = std::pair<const char*, const char*>;
    const Case escapes[] = {
        {"\\'a", "á"}, {"\\`a", "à"},  {"\\^a", "â"}, {"\\\"a", "ä"}, {"\"a", "ä"},
        {"^a", "â"},   {"\"A", "Ä"},   {"\\'e", "é"}, {"\\`e", "è"},  {"\\^e", "ê"},
        {"^e", "ê"},   {"\\\"e", "ë"}, {"\"e", "ë"},  {"\\'i", "í"},  {"\\`i", "ì"},
        {"\\^i", "î"}, {"\\\"i", "ï"}, {"^i", "î"},   {"\"i", "ï"},   {"~n", "ñ"},
        {"~N", "Ñ"},   {"\\'o", "ó"},  {"\\`o", "ò"}, {"\\^o", "ô"},  {"\\\"o", "ö"},
        {"\"o", "ö"},  {"^o", "ô"},    {"\"O", "Ö"},  {"\\'u", "ú"},  {"\\`u", "ù"},
        {"\\^u", "û"}, {"\\\"u", "ü"}, {"\"u", "ü"},  {"^u", "û"},    {"\"U", "Ü"},
        {"\\cc", "ç"}, {"$", "ç"},     {"\\3", "ß"},  {"\\ss", "ß"},
    };
    const Case words[] = {
        {"M\\\"adchen", "Mädchen"}, {"Gru\\3", "Gruß"},
        {"fran$ais", "français"},   {"\\\"A", "\\Ä"}, // no capital rule with backslash
        {"\\'E", "\\'E"},                             // no capital with acute
        {"\\^\"a", "\\^ä"},         {"Mädchen café", "Mädchen café"},
    };
    for (const auto& table : {std::span<const Case>(escapes), std::span<const Case>(words)}) {
        for (const auto& [stored, shown] : table) {
            EXPECT_EQ(DecodeAccents(W(stored)), W(shown)) << stored;
            EXPECT_EQ(DecodeAccents("x" + W(stored) + "y"), "x" + W(shown) + "y") << stored;
        }
    }
}

struct OneTextCase {
    std::string input;
    std::string expected;
};

struct OperationCases {
    const char* name;
    std::function<std::string(std::string)> operation;
    std::vector<OneTextCase> cases;
};

TEST(TextOperations, SingleTextOperations) {
    const OperationCases table[] = {
        {"SquashBlanks", SquashBlanks, {{"  a   b  ", "a b"}, {"   ", ""}, {"a\tb", "a\tb"}}},
        {"StripArticle",
         StripArticle,
         {{"der Hund", "Hund"},
          {"Der Hund", "Der Hund"},
          {"der die Katze", "Katze"},
          {"die der Katze", "der Katze"}, // the row is chosen once, by the first letter
          {"la", "la"},                   // an article ends with its blank
          {"l'eau", "eau"},
          {"a an apple", "apple"},
          {"to go", "go"},
          {"un une x", "x"}}},
        {"PlainCapitals",
         PlainCapitals,
         {{"ÉÈÁÀÙÚÒÓÌÍ", "EEAAUUOOII"}, {"ÂÊÎÔÛÇÑÄÖÜ", "ÂÊÎÔÛÇÑÄÖÜ"}}},
        {"LowerCase",
         LowerCase,
         {{"ABC ÄÖÜ xyz", "abc äöü xyz"}, {"ÉÇÑÂ", "ÉÇÑÂ"}, {"@[`{", "@[`{"}}},
        {"FoldAccents",
         FoldAccents,
         {{"àáâäçèéêëìíîïñòóôöùúûü", "aaaaceeeeiiiinoooouuuu"},
          {"Seite 3", "Seite ss"},
          {"Gru\\3", "Gruss"},
          {"\\^e", "e"},
          {"ßãåæõøýÿ'`~ÄÉ", "ßãåæõøýÿ'`~ÄÉ"}}},
        {"StripPrefix",
         [](std::string text) { return StripPrefix(std::move(text), "der "); },
         {{"der Hund", "Hund"}, {"Der Hund", "Der Hund"}}},
        {"DropLeadingSlash", DropLeadingSlash, {{"/a", "a"}, {"a", "a"}}},
        {"QuotedForms", QuotedForms, {{"/a /b", "a \", \" b"}, {"/a /", "a"}, {"Hund", "Hund"}}},
        {"RemoveParentheses",
         RemoveParentheses,
         {{"(sich) freuen (auf)", "freuen"},
          {"a (b", "a"},
          {") a (b) c", ") a c"},
          {"x (a (b) c) y", "x c) y"}}},
        {"RemoveGenderMarkers",
         RemoveGenderMarkers,
         {{"chat (m)", "chat"}, {"(f) table", "table"}, {"chat (m) (f)", "chat"}, {"((m)m)", ""}}},
    };
    for (const OperationCases& operation : table) {
        for (const OneTextCase& c : operation.cases) {
            EXPECT_EQ(operation.operation(W(c.input)), W(c.expected))
                << operation.name << " of «" << c.input << "»";
        }
    }
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
        {"aaa", "a", "aa", "aaaaaa"}, // a replacement holding the pattern must not loop
        {"abc", "", "x", "abc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceAll(W(c.text), W(c.pattern), W(c.replacement)), W(c.expected)) << c.text;
    }
}

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
    {"die Straße", "die Strasse", "*", true},
    {"(to) go", "go", "*", true},
    {"(to) go", "(to) go", "*", false},
    {"chat (m)", "chat", "*", true},
    {"sich freuen (auf)", "freuen auf", "r", true},
    {"E-Mail", "email", "s", false},
    {"E-Mail", "email", "sc", true},
    {"Eis bär", "Eis-bär", "s", true},
    {"Élève", "Eleve", "a", true},
    {"Élève", "eleve", "a", false},
    {"Élève", "eleve", "ac", true},
    {"Mädchen", "Madchen", "a", true},
    {"Mädchen", "Madchen", "csr", false},
    {"Ça va", "ça va", "ac", false},
    {"/der Hund /der Köter /(der) Kläffer", "der Köter", "", true},
    {"/der Hund /der Köter /(der) Kläffer", "koter", "acr", true},
    {"/der Hund /der Köter /(der) Kläffer", "der Hund /der Köter", "*", false},
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
        {"der Hund", "Hund", "", false},
        {"/a /b", "/c /b", "", true},
        {"Der Hund", "hund", "rc", false},
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

const char* const dogs = "/der Hund /der Köter /der Kläffer";

// The k-th form first, then the others in their order; and how many forms there are.
TEST(AnswerForms, DisplayFormAndFormCount) {
    struct Case {
        const char* text;
        std::size_t k;
        const char* shown;
        std::size_t count;
    };
    const Case cases[] = {
        {"Hund", 0, "Hund", 1},
        {dogs, 0, "der Hund, der Köter, der Kläffer", 3},
        {dogs, 1, "der Köter, der Hund, der Kläffer", 3},
        {dogs, 3, "der Hund, der Köter, der Kläffer", 3},
        {"/a //b", 2, "b, a", 3},
        {"/a /", 0, "a", 2},
        {"/a/b", 1, "b, a", 2},
        {"/", 0, "", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DisplayForm(W(c.text), c.k), W(c.shown)) << c.text << " k=" << c.k;
        EXPECT_EQ(FormCount(W(c.text)), c.count) << c.text;
    }
}

// Outside the forms, every form is drawn.
TEST(AnswerForms, FormAtByIndex) {
    struct Case {
        const char* text;
        long long k;
        const char* form;
    };
    const Case cases[] = {
        {"/a /b /c", 0, "a "}, {"/a /b /c", 1, "b "}, {"/a /b /c", 2, "c"}, {"Hund", 5, "Hund"},
        {"/a //b", 1, "b"},    {"/a /", 1, "a "},     {"/", 0, ""},
    };
    Random random(7);
    for (const Case& c : cases) {
        EXPECT_EQ(FormAt(c.text, c.k, random), c.form) << c.text << " k=" << c.k;
    }
    for (long long k : {-1LL, 3LL}) {
        std::set<std::string> seen;
        for (int draw = 0; draw < 200; ++draw) {
            seen.insert(FormAt("/a /b /c", k, random));
        }
        EXPECT_EQ(seen, (std::set<std::string>{"a ", "b ", "c"})) << "k=" << k;
    }
}

// The English column is Spanish in the Spanish data sets, known by their exact names.
TEST(LanguageNames, NameOfEachColumn) {
    const std::pair<const char*, bool> cases[] = {
        {"spain.voc", true},     {"spanbasic.voc", true},
        {"spantheme.voc", true}, {"spantest.voc", true},
        {"Spain.voc", false},    {"data/spain.voc", false},
        {"spain.voc ", false},   {"", false}};
    for (const auto& [name, spanish] : cases) {
        EXPECT_EQ(LanguageName(LanguageEnglish, name), spanish ? "Spanisch" : "Englisch") << name;
    }
    EXPECT_EQ(LanguageName(LanguageGerman, "spain.voc"), "Deutsch");
    EXPECT_EQ(LanguageName(LanguageFrench, "lingomat.voc"), W("Französisch"));
    EXPECT_EQ(LanguageName(3, "lingomat.voc"), "");
}

TEST(AlphabeticRange, KeysBetweenTheBounds) {
    struct Case {
        const char* text;
        const char* lower;
        const char* upper;
        bool inside;
    };
    const Case cases[] = {
        {"der Dachs", "b", "d", false}, // «dachs» sorts after «d»
        {"b", "b", "d", false},
        {"/Apfel /Birne", "b", "d", true},
        {"Straße", "a", "strasz", true}, // only through «strasse»
        {"", "", "z", false},
        {"M\"adchen", "m", "mb", true},
        {"caf\\'e", "caf", "cafa", true}, // the apostrophe of an acute escape stays in the key
        {"Baum", "B", "C", false},        // bounds are taken as typed
        {"Zebra", "a", "Ä", true},
        {"die Ameise", "a", "b", true},
        {"(Gross) Mutter", "g", "h", true},
        {"Élan", "e", "f", true},
        {"Eis-bär", "eisb", "eisc", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InAlphabeticRange(W(c.text), W(c.lower), W(c.upper)), c.inside)
            << c.text << " in " << c.lower << ".." << c.upper;
    }
}

} // namespace
} // namespace lingomat
