#include <string>

#include <gtest/gtest.h>

#include "matching/AlphabeticRange.h"
#include "matching/LanguageNames.h"
#include "MatchingTestText.h"

namespace lingomat {
namespace {

using matchingtest::W;

TEST(LanguageNames, SpanishDataSetsByExactName)
{
    for (const char* name : {"spain.voc", "spanbasic.voc", "spantheme.voc", "spantest.voc"}) {
        EXPECT_TRUE(IsSpanishDataSet(name)) << name;
    }
    for (const char* name : {"Spain.voc", "spain.VOC", "lingomat.voc", "data/spain.voc", "spain.voc ", ""}) {
        EXPECT_FALSE(IsSpanishDataSet(name)) << name;
    }
}

TEST(LanguageNames, NameOfEachColumn)
{
    EXPECT_EQ(LanguageName(LanguageGerman, "spain.voc"), "Deutsch");
    EXPECT_EQ(LanguageName(LanguageEnglish, "lingomat.voc"), "Englisch");
    EXPECT_EQ(LanguageName(LanguageEnglish, "spain.voc"), "Spanisch");
    EXPECT_EQ(LanguageName(LanguageFrench, "spain.voc"), W("Französisch"));
    EXPECT_EQ(LanguageName(3, "lingomat.voc"), "");
}

TEST(AlphabeticRange, KeysBetweenTheBounds)
{
    struct Case {
        const char* text; // as stored, escapes included
        const char* lower;
        const char* upper;
        bool inside;
    };
    const Case cases[] = {
        {"der Dachs", "b", "d", false}, // «dachs» sorts after «d»
        {"Baum", "b", "d", true},
        {"Clown", "b", "d", true},
        {"b", "b", "d", false},
        {"d", "b", "d", false},
        {"/Apfel /Birne", "b", "d", true},
        {"Straße", "a", "strasz", true}, // only through «strasse»
        {"Straße", "strasse", "z", true},
        {"", "", "z", false},
        {"/", "", "z", false},
        {"M\"adchen", "m", "mb", true},
        {"caf\\'e", "caf", "cafa", true}, // the apostrophe of an acute escape stays in the key
        {"Baum", "B", "C", false},         // bounds are taken as typed
        {"Zebra", "a", "Ä", true},
        {"die Ameise", "a", "b", true},
        {"(Gross) Mutter", "g", "h", true},
        {"Élan", "e", "f", true},
        {"Eis-bär", "eisb", "eisc", true},
        {"Hund", "a", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InAlphabeticRange(W(c.text), W(c.lower), W(c.upper)), c.inside)
            << c.text << " in " << c.lower << ".." << c.upper;
    }
}

} // namespace
} // namespace lingomat
