#include <set>
#include <string>

#include <gtest/gtest.h>

#include "matching/AlphabeticRange.h"
#include "matching/AnswerForms.h"
#include "matching/LanguageNames.h"
#include "platform/Random.h"
#include "MatchingTestText.h"

namespace lingomat {
namespace {

using matchingtest::W;

const char* const dogs = "/der Hund /der Köter /der Kläffer";

TEST(AnswerForms, FormCount) {
    const std::pair<const char*, std::size_t> cases[] = {
        {"Hund", 1}, {"und/oder", 1}, {"", 1}, {"/", 1}, {"/a /b", 2}, {dogs, 3}, {"/a //b", 3}};
    for (const auto& [text, count] : cases) {
        EXPECT_EQ(FormCount(W(text)), count) << text;
    }
}

TEST(AnswerForms, DisplayForm) {
    struct Case {
        const char* text;
        std::size_t k;
        const char* shown;
    };
    const Case cases[] = {
        {"Hund", 0, "Hund"},
        {"/x", 0, "x"},
        {dogs, 0, "der Hund, der Köter, der Kläffer"},
        {dogs, 1, "der Köter, der Hund, der Kläffer"},
        {dogs, 2, "der Kläffer, der Hund, der Köter"},
        {dogs, 3, "der Hund, der Köter, der Kläffer"},
        {"/a //b", 1, "a, b"},
        {"/a //b", 2, "b, a"},
        {"/a /", 0, "a"},
        {"/a/b", 1, "b, a"},
        {"/", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DisplayForm(W(c.text), c.k), W(c.shown)) << c.text << " k=" << c.k;
    }
}

TEST(AnswerForms, QuotedFormsAndLeadingSlash) {
    EXPECT_EQ(QuotedForms("/a /b"), "a \", \" b");
    EXPECT_EQ(QuotedForms("/a /b /c"), "a \", \" b \", \" c");
    EXPECT_EQ(QuotedForms("/a /"), "a");
    EXPECT_EQ(QuotedForms("Hund"), "Hund");
    EXPECT_EQ(DropLeadingSlash("/a"), "a");
    EXPECT_EQ(DropLeadingSlash("//a"), "/a");
}

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
}

TEST(AnswerForms, FormAtOutsideTheFormsDrawsEveryForm) {
    const std::set<std::string> all{"a ", "b ", "c"};
    for (long long k : {-1LL, 3LL, 5LL}) {
        std::set<std::string> seen;
        Random random(11);
        for (int draw = 0; draw < 200; ++draw) {
            seen.insert(FormAt("/a /b /c", k, random));
        }
        EXPECT_EQ(seen, all) << "k=" << k;
    }
}

TEST(AnswerForms, RemovingParenthesesAndMarkers) {
    const std::pair<const char*, const char*> parentheses[] = {
        {"(sich) freuen (auf)", "freuen"},
        {"Hund", "Hund"},
        {"a (b", "a"},
        {") a (b) c", ") a c"},
        {"a)(b)", "a)"},
        {"x (a (b) c) y", "x c) y"},
    };
    for (const auto& [text, result] : parentheses) {
        EXPECT_EQ(RemoveParentheses(text), result) << text;
    }
    const std::pair<const char*, const char*> markers[] = {
        {"chat (m)", "chat"},
        {"(f) table", "table"},
        {"chat (m) (f)", "chat"},
        {"((m)m)", ""},
    };
    for (const auto& [text, result] : markers) {
        EXPECT_EQ(RemoveGenderMarkers(text), result) << text;
    }
}

TEST(LanguageNames, SpanishDataSetsByExactName) {
    for (const char* name : {"spain.voc", "spanbasic.voc", "spantheme.voc", "spantest.voc"}) {
        EXPECT_TRUE(IsSpanishDataSet(name)) << name;
    }
    for (const char* name :
         {"Spain.voc", "spain.VOC", "lingomat.voc", "data/spain.voc", "spain.voc ", ""}) {
        EXPECT_FALSE(IsSpanishDataSet(name)) << name;
    }
}

TEST(LanguageNames, NameOfEachColumn) {
    EXPECT_EQ(LanguageName(LanguageGerman, "spain.voc"), "Deutsch");
    EXPECT_EQ(LanguageName(LanguageEnglish, "lingomat.voc"), "Englisch");
    EXPECT_EQ(LanguageName(LanguageEnglish, "spain.voc"), "Spanisch");
    EXPECT_EQ(LanguageName(LanguageFrench, "spain.voc"), W("Französisch"));
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
        {"Baum", "b", "d", true},
        {"Clown", "b", "d", true},
        {"b", "b", "d", false},
        {"/Apfel /Birne", "b", "d", true},
        {"Straße", "a", "strasz", true}, // only through «strasse»
        {"Straße", "strasse", "z", true},
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
