#include <algorithm>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "matching/DistractorMaker.h"

namespace lingomat {
namespace {

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

TEST(DistractorMaker, ArticleSwaps) {
    struct Case {
        bool german;
        std::string text;
        std::set<std::string> expected;
    };
    const Case cases[] = {
        {true, "der Hund", {"die Hund", "das Hund", "dem Hund", "den Hund", "des Hund"}},
        {true, "denken", {"derken", "dieken", "dasken", "demken", "desken"}},
        {true, "Der Hund", {"Der Hund"}},
        {false, "les chats", {"le chats", "la chats"}},
        {false, "le chat", {"la chat", "les chat"}},
        {false, "la table", {"le table", "les table"}},
        {false, "lune", {"lune"}},
        {false, "", {""}},
    };
    for (const auto& c : cases) {
        const auto results = Outcomes([&](DistractorMaker& m) {
            return c.german ? m.SwapGermanArticle(c.text) : m.SwapFrenchArticle(c.text);
        });
        EXPECT_EQ(results, c.expected) << c.text;
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

TEST(DistractorMaker, LanguageSpecificAlterations) {
    struct Case {
        Language language;
        std::string text;
        std::string mustAppear;
    };
    const Case cases[] = {
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
    for (const auto& c : cases) {
        const auto results =
            Outcomes([&](DistractorMaker& m) { return m.Alter(c.language, c.text); });
        EXPECT_TRUE(results.count(c.mustAppear)) << c.text << " never became " << c.mustAppear;
    }
}

} // namespace
} // namespace lingomat
