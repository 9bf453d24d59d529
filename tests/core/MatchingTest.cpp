#include <algorithm>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "matching/AccentEscapes.h"
#include "matching/AlphabeticRange.h"
#include "matching/AnswerForms.h"
#include "matching/AnswerMatching.h"
#include "matching/DistractorMaker.h"
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
        const bool pair = (c == 0xC2 || c == 0xC3) && i + 1 < utf8.size();
        text += static_cast<char>(pair ? ((c & 0x03) << 6) | (utf8[++i] & 0x3F) : c);
    }
    return text;
}

// Options by letter: a accents, c capitals, s spacing, r articles.
CorrectionOptions Options(std::string_view letters) {
    const auto has = [&](char letter) { return letters.find(letter) != std::string_view::npos; };
    return {.ignoreAccents = has('a'),
            .ignoreCase = has('c'),
            .ignoreSpacing = has('s'),
            .ignoreArticles = has('r')};
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

// Each operation by its name, with pairs of a text and what the operation makes of it.
TEST(TextOperations, SingleTextOperations) {
    using Texts = std::vector<std::pair<std::string, std::string>>;
    const std::tuple<const char*, std::function<std::string(std::string)>, Texts> table[] = {
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
    for (const auto& [name, operation, texts] : table) {
        for (const auto& [input, expected] : texts) {
            EXPECT_EQ(operation(W(input)), W(expected)) << name << " of «" << input << "»";
        }
    }
}

TEST(TextOperations, ReplaceAll) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"a    b", "  ", " ", "a b"},
        {"((m)m)", "(m)", "", ""}, // the first removal joins a second marker
        {"aabb", "ab", "", ""},
        {"aab", "ab", "a", "aa"},
        {"aaa", "a", "aa", "aaaaaa"}, // a replacement holding the pattern must not loop
        {"abc", "", "x", "abc"},
    };
    for (const auto& [text, pattern, replacement, expected] : cases) {
        EXPECT_EQ(ReplaceAll(W(text), W(pattern), W(replacement)), W(expected)) << text;
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

// Two stored texts match when either could be typed for the other, in whichever order they come.
TEST(AnswerMatches, TextsMatchIsTwoSided) {
    const MatchCase cases[] = {
        {"der Hund", "Hund", "r", true},
        {"der Hund", "Hund", "", false},
        {"/a /b", "/c /b", "", true},
        {"Der Hund", "hund", "rc", false},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(TextsMatch(W(c.expected), W(c.typed), Options(c.options)), c.right)
            << c.expected << " / " << c.typed;
        EXPECT_EQ(TextsMatch(W(c.typed), W(c.expected), Options(c.options)), c.right)
            << c.typed << " / " << c.expected;
    }
}

TEST(AnswerMatches, FormExpansionSteps) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"/der Hund  /der  Köter / Kläffer ", {"der Hund", "der Köter", " Kläffer "}},
        {"/a //b /", {"a", "b"}},
        {"/", {}},
        {"und/oder", {"und/oder"}},
        {"(to) go", {"go", "to go"}},
        {"a (b) c (d)", {"a c", "a b c", "a c d", "a b c d"}},
        {"Fuß (m)", {"Fuß", "Fuss", "Fuß m", "Fuss m"}},
    };
    for (auto [text, expected] : cases) {
        FormList forms = SplitForms(W(text));
        AddSharpSForms(forms);
        AddParenthesisForms(forms);
        for (std::string& form : expected) {
            form = W(form);
        }
        EXPECT_EQ(forms, expected) << text;
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
    const std::tuple<const char*, std::size_t, const char*, std::size_t> cases[] = {
        {"Hund", 0, "Hund", 1},
        {dogs, 0, "der Hund, der Köter, der Kläffer", 3},
        {dogs, 1, "der Köter, der Hund, der Kläffer", 3},
        {dogs, 3, "der Hund, der Köter, der Kläffer", 3},
        {"/a //b", 2, "b, a", 3},
        {"/a /", 0, "a", 2},
        {"/a/b", 1, "b, a", 2},
        {"/", 0, "", 1},
    };
    for (const auto& [text, k, shown, count] : cases) {
        EXPECT_EQ(DisplayForm(W(text), k), W(shown)) << text << " k=" << k;
        EXPECT_EQ(FormCount(W(text)), count) << text;
    }
}

// Outside the forms, every form is drawn.
TEST(AnswerForms, FormAtByIndex) {
    const std::tuple<const char*, long long, const char*> cases[] = {
        {"/a /b /c", 0, "a "}, {"/a /b /c", 1, "b "}, {"/a /b /c", 2, "c"}, {"Hund", 5, "Hund"},
        {"/a //b", 1, "b"},    {"/a /", 1, "a "},     {"/", 0, ""},
    };
    Random random(7);
    for (const auto& [text, k, form] : cases) {
        EXPECT_EQ(FormAt(text, k, random), form) << text << " k=" << k;
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
    const std::tuple<const char*, const char*, const char*, bool> cases[] = {
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
    for (const auto& [text, lower, upper, inside] : cases) {
        EXPECT_EQ(InAlphabeticRange(W(text), W(lower), W(upper)), inside)
            << text << " in " << lower << ".." << upper;
    }
}

constexpr int draws = 3000;

// Every distinct result of many calls of one operation, each call with its own seed.
template <typename Operation> std::set<std::string> Outcomes(Operation operation) {
    std::set<std::string> results;
    for (int seed = 0; seed < draws; ++seed) {
        Random random(static_cast<std::uint32_t>(seed));
        DistractorMaker maker(random);
        results.insert(operation(maker));
    }
    return results;
}

// German or French, the text, and every text a swap makes of it.
TEST(DistractorMaker, ArticleSwaps) {
    const std::tuple<bool, std::string, std::set<std::string>> cases[] = {
        {true, "der Hund", {"die Hund", "das Hund", "dem Hund", "den Hund", "des Hund"}},
        {true, "denken", {"derken", "dieken", "dasken", "demken", "desken"}},
        {true, "Der Hund", {"Der Hund"}},
        {false, "les chats", {"le chats", "la chats"}},
        {false, "le chat", {"la chat", "les chat"}},
        {false, "la table", {"le table", "les table"}},
        {false, "lune", {"lune"}},
        {false, "", {""}},
    };
    for (const auto& [german, text, expected] : cases) {
        const auto results = Outcomes([&](DistractorMaker& m) {
            return german ? m.SwapGermanArticle(text) : m.SwapFrenchArticle(text);
        });
        EXPECT_EQ(results, expected) << text;
    }
}

// In English a hit on the first of a doubled letter always drops the second; only the last f,
// which has no twin after it, can be replaced within its group. German keeps the doubled letter
// half the time and replaces it within its group instead. Accented letters form a group in French
// only.
TEST(DistractorMaker, LetterPass) {
    const auto pass = [](Language language, const std::string& text) {
        return Outcomes([&](DistractorMaker& m) { return m.LetterPass(language, text); });
    };
    EXPECT_EQ(pass(LanguageEnglish, "ff"), (std::set<std::string>{"ff", "f", "fv", "fw"}));
    const auto german = pass(LanguageGerman, "ff");
    const std::set<std::string> someGerman = {"f", "vf", "wf"};
    EXPECT_TRUE(std::includes(german.begin(), german.end(), someGerman.begin(), someGerman.end()));
    EXPECT_EQ(pass(LanguageGerman, "\xE9"), std::set<std::string>{"\xE9"});

    // Every letter of "bdm" is a group letter and none is doubled, so at most one position differs.
    const auto results = pass(LanguageEnglish, "bdm");
    for (const auto& result : results) {
        ASSERT_EQ(result.size(), 3u);
        int changed = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            changed += result[i] != "bdm"[i];
        }
        EXPECT_LE(changed, 1) << result;
    }
    EXPECT_GT(results.size(), 3u);
}

// The language, the text, and one alteration that must come out of it.
TEST(DistractorMaker, LanguageSpecificAlterations) {
    const std::tuple<Language, const char*, const char*> cases[] = {
        {LanguageFrench, "parl\xE9", "parler"},
        {LanguageFrench, "caf\xE9", "caf\xE8"},
        {LanguageFrench, "les chats", "le chats"},
        {LanguageFrench, "poisson", "poison"},
        {LanguageGerman, "der Hund", "die Hund"},
        {LanguageGerman, "die Br\374cke", "die Br\xFCke"},
        {LanguageGerman, "Hose", "H\xF6se"},
        {LanguageEnglish, "student", "studant"},
        {LanguageEnglish, "ice cream", "icecream"},
    };
    for (const auto& [language, text, mustAppear] : cases) {
        const auto results = Outcomes([&](DistractorMaker& m) { return m.Alter(language, text); });
        EXPECT_TRUE(results.count(mustAppear)) << text << " never became " << mustAppear;
    }
}

} // namespace
} // namespace lingomat
