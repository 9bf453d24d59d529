#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "DocFixture.h"
#include "matching/AccentEscapes.h"

namespace lingomat {
namespace {

using testing::TestRecord;
constexpr GameMode other = GameModeChoiceOtherLessons;
constexpr GameMode altered = GameModeChoiceAlteredLetters;

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
};

// Every record is picked wrong once, then right twice; the wrong pick must come back as a choice.
// Rows: the game, the answer language, the number of choices, case ignored.
TEST_F(ChoiceTest, WholeGamesPlayThroughWithSoundRounds) {
    for (const auto& [mode, answer, choices, ignoreCase] :
         {std::tuple{other, LanguageEnglish, 5u, true},
          std::tuple{other, LanguageFrench, 4u, false},
          std::tuple{other, LanguageEnglish, 2u, false},
          std::tuple{altered, LanguageEnglish, 4u, true},
          std::tuple{altered, LanguageGerman, 5u, false},
          std::tuple{altered, LanguageFrench, 2u, false}}) {
        SCOPED_TRACE(::testing::Message() << mode << " " << answer << " " << choices);
        CLingomatDoc& d = StartWith(Words);
        d.SetChoiceCount(choices);
        WithCorrections(d, [&](CorrectionOptions& o) { o.ignoreCase = ignoreCase; });
        Play({"1", "2", "3"}, mode, answer == LanguageGerman ? LanguageFrench : LanguageGerman,
             answer);
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
            if (asked.entry->BlankCount(answer) == 2 && mode == other) {
                for (const std::string& text : d.Round().texts) {
                    EXPECT_GE(std::count(text.begin(), text.end(), ' '), 2) << text;
                }
            }
            if (picked.count(asked.entry) == 0) {
                const std::string wrong = picked[asked.entry] = d.Round().texts[WrongChoice()];
                Answer(false);
                EXPECT_EQ(d.VerdictText(),
                          "Falsch! \" " + QuotedForms(SquashBlanks(wrong)) + " \" ist falsch!");
            } else {
                Answer(true);
            }
        }
        EXPECT_TRUE(d.IsGameOver());
        EXPECT_GT(returned, 0);
        EXPECT_EQ(d.WrongCount(), records);
        EXPECT_EQ(d.RightCount(), 2 * records);
    }
}

TEST_F(ChoiceTest, NounsGetNounsAndGenderMarkersAreDropped) {
    CLingomatDoc& d = StartWith(Words);
    Play({"1"}, other, LanguageGerman, LanguageFrench);
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
    // The game, the choices filled, the records.
    const std::vector<std::tuple<GameMode, std::size_t, std::vector<TestRecord>>> cases = {
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
    for (const auto& [mode, filled, records] : cases) {
        CLingomatDoc& d = StartWith(records);
        d.SetChoiceCount(5);
        Play({"1"}, mode);
        for (int round = 0; round < 5; ++round) {
            d.NextQuestion();
            int calls = 1;
            for (; !d.PrepareChoiceRound() && calls < 20; ++calls) {
            }
            EXPECT_LE(calls, 9);
            ExpectSoundRound();
            const auto& texts = d.Round().texts;
            EXPECT_EQ(texts.size() - std::count(texts.begin(), texts.end(), ""), filled)
                << records.front().english;
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
