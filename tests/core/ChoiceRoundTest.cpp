#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocFixture.h"
#include "matching/AccentEscapes.h"

namespace lingomat {
namespace {

using testing::TestRecord;

// French, English, German, then the word class.
const std::vector<TestRecord> Words = {
    {"1", "chien (m)", "the dog", "der Hund", "n"},
    {"1", "chatte (f)", "the cat", "die Katze", "n"},
    {"1", "oiseau (m)", "the bird", "der Vogel", "n"},
    {"1", "dinde (f)", "turkey", "der Truthahn", "n"},
    {"1", "\\'el\\`eve (m)", "pupil", "der Sch\"uler", "n"},
    {"1", "\\'el\\`eve (f)", "schoolgirl", "die Sch\"ulerin", "n"},
    {"4", "Turquie (f)", "Turkey", "die T\"urkei", "n"},
    {"2", "aller", "to go", "gehen", "v"},
    {"2", "nager", "to swim", "schwimmen", "v"},
    {"2", "surveiller", "to look after", "aufpassen auf", "v"},
    {"2", "se lever", "to get up", "aufstehen", "v"},
    {"2", "abandonner", "to give up", "aufgeben", "v"},
    {"2", "enlever", "to take off", "ausziehen", "v"},
    {"2", "mettre", "to put on", "anziehen", "v"},
    {"3", "rouge", "red", "rot", "a"},
    {"3", "bleu", "blue", "blau", "a"},
    {"3", "petit", "small", "klein", "a"},
};

class ChoiceTest : public testing::DocTest {
protected:
    void SetUp() override {}

    // A data set with word classes, one lesson per code.
    CLingomatDoc& StartWith(const std::vector<TestRecord>& records) {
        std::vector<testing::TestLesson> lessons;
        for (const auto& r : records) {
            if (std::none_of(lessons.begin(), lessons.end(),
                             [&](const auto& l) { return l.code == r.lesson; })) {
                lessons.push_back({"Lektion " + r.lesson, r.lesson});
            }
        }
        testing::WriteDataSet(folder.File("lingomat.voc"), lessons, records, true);
        CLingomatDoc& d = Start();
        WithoutPause(d);
        d.SeedRandom(7);
        return d;
    }

    // What every round must hold: the right answer once, in its slot, and no other choice that
    // a player could give for it or for another choice.
    void ExpectSoundRound() const {
        const auto& texts = doc->Round().texts;
        ASSERT_EQ(texts.size(), doc->ChoiceCount());
        const std::string& right = texts.at(doc->Round().correctChoice);
        EXPECT_TRUE(TextsMatch(right, DecodeAccents(Current().answerText), doc->Corrections()))
            << right;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            for (std::size_t j = i + 1; j < texts.size(); ++j) {
                if (!texts[i].empty() && !texts[j].empty()) {
                    EXPECT_FALSE(TextsMatch(texts[i], texts[j], doc->Corrections()))
                        << texts[i] << " | " << texts[j];
                }
            }
        }
    }

    std::uint32_t WrongIndex() const {
        const auto& texts = doc->Round().texts;
        for (std::uint32_t i = 0; i < texts.size(); ++i) {
            if (i != doc->Round().correctChoice && !texts[i].empty()) {
                return i;
            }
        }
        ADD_FAILURE() << "no wrong choice to pick";
        return 0;
    }
};

struct WholeGame {
    const char* name;
    GameMode mode;
    Language answer;
    std::uint32_t choices;
    bool ignoreCase;
    // Test lists show the case by its name, not as raw bytes.
    friend void PrintTo(const WholeGame& c, std::ostream* os) { *os << c.name; }
};

class WholeChoiceGameTest : public ChoiceTest, public ::testing::WithParamInterface<WholeGame> {};

// Every record is picked wrong once, then right twice; the wrong pick must come back as a choice.
TEST_P(WholeChoiceGameTest, PlaysThroughWithSoundRounds) {
    const WholeGame& game = GetParam();
    CLingomatDoc& d = StartWith(Words);
    d.SetChoiceCount(game.choices);
    WithCorrections(d, [&](CorrectionOptions& o) { o.ignoreCase = game.ignoreCase; });
    Play({"1", "2", "3"}, game.mode,
         game.answer == LanguageGerman ? LanguageFrench : LanguageGerman, game.answer);
    const std::size_t records = d.pool.Size();
    std::map<const VocEntry*, std::string> picked; // the wrong pick of each record
    int returned = 0;
    for (int turn = 0; turn < 200 && !d.IsGameOver(); ++turn) {
        ExpectSoundRound();
        const Question& asked = Current();
        if (!asked.wrongChoice.empty()) {
            ++returned;
            EXPECT_EQ(asked.wrongChoice, picked[asked.entry]);
            const auto& texts = d.Round().texts;
            EXPECT_EQ(std::count(texts.begin(), texts.end(), asked.wrongChoice), 1);
        }
        if (asked.entry->BlankCount(game.answer) == 2 && game.mode == GameModeChoiceOtherLessons) {
            for (std::size_t i = 0; i < d.Round().texts.size(); ++i) {
                EXPECT_GE(std::count(d.Round().texts[i].begin(), d.Round().texts[i].end(), ' '), 2)
                    << d.Round().texts[i];
            }
        }
        if (picked.count(asked.entry) == 0) {
            const std::string wrong = d.Round().texts[WrongIndex()];
            picked[asked.entry] = wrong;
            d.CheckChoice(WrongIndex());
            EXPECT_EQ(d.VerdictText(),
                      "Falsch! \" " + QuotedForms(SquashBlanks(wrong)) + " \" ist falsch!");
        } else {
            d.CheckChoice(static_cast<std::uint32_t>(d.Round().correctChoice));
        }
    }
    EXPECT_TRUE(d.IsGameOver());
    EXPECT_GT(returned, 0);
    EXPECT_EQ(d.WrongCount(), records);
    EXPECT_EQ(d.RightCount(), 2 * records);
}

INSTANTIATE_TEST_SUITE_P(
    Games, WholeChoiceGameTest,
    ::testing::Values(
        WholeGame{"otherEnglishCase", GameModeChoiceOtherLessons, LanguageEnglish, 5, true},
        WholeGame{"otherFrench", GameModeChoiceOtherLessons, LanguageFrench, 4, false},
        WholeGame{"otherTwo", GameModeChoiceOtherLessons, LanguageEnglish, 2, false},
        WholeGame{"alteredEnglish", GameModeChoiceAlteredLetters, LanguageEnglish, 4, true},
        WholeGame{"alteredGerman", GameModeChoiceAlteredLetters, LanguageGerman, 5, false},
        WholeGame{"alteredTwo", GameModeChoiceAlteredLetters, LanguageFrench, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChoiceTest, NounsGetNounsAndGenderMarkersAreDropped) {
    CLingomatDoc& d = StartWith(Words);
    Play({"1"}, GameModeChoiceOtherLessons, LanguageGerman, LanguageFrench);
    const std::set<std::string> nouns = {"chien", "chatte",      "oiseau",
                                         "dinde", "\xE9l\xE8ve", "Turquie"};
    for (int round = 0; round < 30; ++round) {
        ASSERT_TRUE(d.PrepareChoiceRound());
        ExpectSoundRound();
        for (const std::string& text : d.Round().texts) {
            EXPECT_TRUE(nouns.count(text)) << text;
        }
    }
}

// Few records, or answers that no rule alters: every round still ends, with the answers there are.
TEST_F(ChoiceTest, SmallOrUnalterableDataSetsStillGiveRounds) {
    const GameMode other = GameModeChoiceOtherLessons;
    const GameMode altered = GameModeChoiceAlteredLetters;
    struct Case {
        GameMode mode;
        std::size_t filled;
        std::vector<TestRecord> records;
    };
    const std::vector<Case> cases = {
        {other, 1, {{"1", "chien", "dog", "Hund", "n"}}},
        {altered,
         3,
         {{"1", "USA", "USA", "USA", "n"},
          {"1", "ONU", "UN", "UNO", "n"},
          {"1", "42", "42", "Zahl", "n"}}},
        {altered,
         1,
         {{"1", "ONU", "UN(USA)", "UNO", "n"}, {"1", "ONU USA", "UNUSA", "UNO USA", "n"}}},
        // Two distractors that both come out as a lone slash once their markers are gone.
        {other,
         2,
         {{"1", "chien", "dog", "Hund", "n"},
          {"9", "x", "(m)/", "a", "n"},
          {"9", "y", "(f)/", "b", "n"}}},
        // Told apart only by their parenthesised parts, which the gender markers hide.
        {other,
         1,
         {{"1", "chien", "dog (big)", "Hund", "n"}, {"1", "dogue", "dog big (m)", "Dogge", "n"}}},
    };
    for (const Case& c : cases) {
        CLingomatDoc& d = StartWith(c.records);
        d.SetChoiceCount(5);
        Play({"1"}, c.mode);
        for (int round = 0; round < 5; ++round) {
            d.NextQuestion();
            int calls = 1;
            for (; !d.PrepareChoiceRound() && calls < 20; ++calls) {
            }
            EXPECT_LE(calls, 9);
            ExpectSoundRound();
            const auto& texts = d.Round().texts;
            EXPECT_EQ(texts.size() - std::count(texts.begin(), texts.end(), ""), c.filled)
                << c.records.front().english;
        }
        // A pick of an empty slot or beyond the choices is no answer: nothing is judged.
        EXPECT_TRUE(d.CheckChoice(d.ChoiceCount()));
        for (std::uint32_t i = 0; i < d.Round().texts.size(); ++i) {
            if (d.Round().texts[i].empty()) {
                EXPECT_TRUE(d.CheckChoice(i));
            }
        }
        EXPECT_EQ(d.WrongCount() + d.RightCount(), 0u);
        EXPECT_EQ(d.LastVerdict(), -1);
    }
}

} // namespace
} // namespace lingomat
