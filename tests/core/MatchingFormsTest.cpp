#include <set>
#include <string>

#include <gtest/gtest.h>

#include "matching/AnswerForms.h"
#include "platform/Random.h"
#include "MatchingTestText.h"

namespace lingomat {
namespace {

using matchingtest::W;

const char* const dogs = "/der Hund /der Köter /der Kläffer";

TEST(AnswerForms, FormCount)
{
    const std::pair<const char*, std::size_t> cases[] = {
        {"Hund", 1}, {"und/oder", 1}, {"", 1}, {"/", 1}, {"/a /b", 2}, {dogs, 3}, {"/a //b", 3}};
    for (const auto& [text, count] : cases) {
        EXPECT_EQ(FormCount(W(text)), count) << text;
    }
}

TEST(AnswerForms, DisplayForm)
{
    struct Case {
        const char* text;
        std::size_t k;
        const char* shown;
    };
    const Case cases[] = {
        {"Hund", 0, "Hund"},
        {"und/oder", 3, "und/oder"},
        {"/x", 0, "x"},
        {"/x", 2, "x"},
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

TEST(AnswerForms, QuotedFormsAndLeadingSlash)
{
    EXPECT_EQ(QuotedForms("/a /b"), "a \", \" b");
    EXPECT_EQ(QuotedForms("/a /b /c"), "a \", \" b \", \" c");
    EXPECT_EQ(QuotedForms("/a /"), "a");
    EXPECT_EQ(QuotedForms("Hund"), "Hund");
    EXPECT_EQ(DropLeadingSlash("/a"), "a");
    EXPECT_EQ(DropLeadingSlash("//a"), "/a");
    EXPECT_EQ(DropLeadingSlash("a/"), "a/");
    EXPECT_EQ(DropLeadingSlash(""), "");
}

TEST(AnswerForms, FormAtByIndex)
{
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

TEST(AnswerForms, FormAtOutsideTheFormsDrawsEveryForm)
{
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

TEST(AnswerForms, RemovingParenthesesAndMarkers)
{
    const std::pair<const char*, const char*> parentheses[] = {
        {"(sich) freuen (auf)", "freuen"}, {"Hund", "Hund"},  {"a (b", "a"},
        {") a (b) c", ") a c"},            {"a)(b)", "a)"},   {"x (a (b) c) y", "x c) y"},
    };
    for (const auto& [text, result] : parentheses) {
        EXPECT_EQ(RemoveParentheses(text), result) << text;
    }
    const std::pair<const char*, const char*> markers[] = {
        {"chat (m)", "chat"}, {"(f) table", "table"}, {"chat (m) (f)", "chat"}, {"((m)m)", ""},
        {"Kind (n)", "Kind (n)"},
    };
    for (const auto& [text, result] : markers) {
        EXPECT_EQ(RemoveGenderMarkers(text), result) << text;
    }
}

} // namespace
} // namespace lingomat
