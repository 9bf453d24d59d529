#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DocFixture.h"
#include "matching/AccentEscapes.h"

namespace lingomat {
namespace {

struct ClassedRecord {
    std::string lesson;
    std::string wordClass;
    std::string german;
    std::string english;
    std::string french;
};

const std::vector<ClassedRecord> Words = {
    {"1", "n", "der Hund", "the dog", "chien (m)"},
    {"1", "n", "die Katze", "the cat", "chatte (f)"},
    {"1", "n", "der Vogel", "the bird", "oiseau (m)"},
    {"1", "n", "der Truthahn", "turkey", "dinde (f)"},
    {"1", "n", "der Sch\"uler", "pupil", "\\'el\\`eve (m)"},
    {"1", "n", "die Sch\"ulerin", "schoolgirl", "\\'el\\`eve (f)"},
    {"4", "n", "die T\"urkei", "Turkey", "Turquie (f)"},
    {"2", "v", "gehen", "to go", "aller"},
    {"2", "v", "schwimmen", "to swim", "nager"},
    {"2", "v", "aufpassen auf", "to look after", "surveiller"},
    {"2", "v", "aufstehen", "to get up", "se lever"},
    {"2", "v", "aufgeben", "to give up", "abandonner"},
    {"2", "v", "ausziehen", "to take off", "enlever"},
    {"2", "v", "anziehen", "to put on", "mettre"},
    {"3", "a", "rot", "red", "rouge"},
    {"3", "a", "blau", "blue", "bleu"},
    {"3", "a", "klein", "small", "petit"},
};

// A data set with word classes (format 1), one lesson per code.
void WriteClassedDataSet(const std::string& file, const std::vector<ClassedRecord>& records) {
    VocFileWriter writer;
    writer.Open(file);
    for (const char* line : {"### Lingomatdata", "1", "Testdaten", "#"}) {
        writer.WriteLine(line);
    }
    std::set<std::string> codes;
    for (const auto& record : records) {
        if (codes.insert(record.lesson).second) {
            writer.WriteLine("Lektion " + record.lesson);
            writer.WriteLine(record.lesson);
        }
    }
    writer.WriteLine("#");
    for (const auto& r : records) {
        for (const auto* line : {&r.lesson, &r.wordClass, &r.french, &r.english, &r.german}) {
            writer.WriteLine(*line);
        }
    }
    writer.WriteLine("#");
    writer.Close();
}

class ChoiceTest : public testing::DocTest {
protected:
    void SetUp() override {}

    CLingomatDoc& StartWith(const std::vector<ClassedRecord>& records) {
        WriteClassedDataSet(folder.File("lingomat.voc"), records);
        CLingomatDoc& d = Start();
        d.correcting = false;
        d.random.Seed(7);
        return d;
    }

    // What every round must hold: the right answer once, in its slot, and no other choice that
    // a player could give for it or for another choice.
    void ExpectSoundRound() const {
        const auto& texts = doc->choiceRound.texts;
        ASSERT_EQ(texts.size(), doc->multiNumber);
        const std::string& right = texts.at(doc->choiceRound.correctChoice);
        EXPECT_TRUE(TextsMatch(right, DecodeAccents(Current().answerText), doc->correctionOptions))
            << right;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            for (std::size_t j = i + 1; j < texts.size(); ++j) {
                if (!texts[i].empty() && !texts[j].empty()) {
                    EXPECT_NE(texts[i], texts[j]);
                    EXPECT_FALSE(TextsMatch(texts[i], texts[j], doc->correctionOptions))
                        << texts[i] << " | " << texts[j];
                }
            }
        }
    }

    std::size_t Filled() const {
        const auto& texts = doc->choiceRound.texts;
        return texts.size() - static_cast<std::size_t>(std::count(texts.begin(), texts.end(), ""));
    }

    std::uint32_t WrongIndex() const {
        const auto& texts = doc->choiceRound.texts;
        for (std::uint32_t i = 0; i < texts.size(); ++i) {
            if (i != doc->choiceRound.correctChoice && !texts[i].empty()) {
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
};

class WholeChoiceGameTest : public ChoiceTest, public ::testing::WithParamInterface<WholeGame> {};

// Every record is picked wrong once, then right twice; a wrong pick must come back as a choice.
TEST_P(WholeChoiceGameTest, PlaysThroughWithSoundRounds) {
    const WholeGame& game = GetParam();
    CLingomatDoc& d = StartWith(Words);
    d.multiNumber = game.choices;
    d.correctionOptions.ignoreCase = game.ignoreCase;
    Play({"1", "2", "3"}, game.mode,
         game.answer == LanguageGerman ? LanguageFrench : LanguageGerman, game.answer);
    const std::size_t records = d.pool.Size();
    std::set<const VocEntry*> missed;
    int returned = 0;
    for (int turn = 0; turn < 200 && !d.gameOver; ++turn) {
        ExpectSoundRound();
        const Question& asked = Current();
        if (!asked.wrongChoice.empty()) {
            ++returned;
            const auto& texts = d.choiceRound.texts;
            EXPECT_EQ(std::count(texts.begin(), texts.end(), asked.wrongChoice), 1);
            EXPECT_NE(texts[d.choiceRound.correctChoice], asked.wrongChoice);
        }
        if (asked.entry->BlankCount(game.answer) == 2 && game.mode == GameModeChoiceOtherLessons) {
            for (std::size_t i = 0; i < d.choiceRound.texts.size(); ++i) {
                EXPECT_GE(
                    std::count(d.choiceRound.texts[i].begin(), d.choiceRound.texts[i].end(), ' '),
                    2)
                    << d.choiceRound.texts[i];
            }
        }
        if (game.ignoreCase && asked.answerText == "turkey") {
            for (const std::string& text : d.choiceRound.texts) {
                EXPECT_NE(text, "Turkey");
            }
        }
        const bool first = missed.insert(asked.entry).second;
        d.CheckChoice(first ? WrongIndex()
                            : static_cast<std::uint32_t>(d.choiceRound.correctChoice));
    }
    EXPECT_TRUE(d.gameOver);
    EXPECT_GT(returned, 0);
    EXPECT_EQ(d.wrongCount, records);
    EXPECT_EQ(d.rightCount, 2 * records);
}

INSTANTIATE_TEST_SUITE_P(
    Games, WholeChoiceGameTest,
    ::testing::Values(
        WholeGame{"otherEnglish", GameModeChoiceOtherLessons, LanguageEnglish, 4, false},
        WholeGame{"otherEnglishCase", GameModeChoiceOtherLessons, LanguageEnglish, 5, true},
        WholeGame{"otherFrench", GameModeChoiceOtherLessons, LanguageFrench, 4, false},
        WholeGame{"otherTwo", GameModeChoiceOtherLessons, LanguageEnglish, 2, false},
        WholeGame{"alteredEnglish", GameModeChoiceAlteredLetters, LanguageEnglish, 4, true},
        WholeGame{"alteredGerman", GameModeChoiceAlteredLetters, LanguageGerman, 5, false},
        WholeGame{"alteredTwo", GameModeChoiceAlteredLetters, LanguageFrench, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChoiceTest, TwoChoicesAfterAWrongPickAreTheAnswerAndThatPick) {
    CLingomatDoc& d = StartWith(Words);
    d.multiNumber = 2;
    d.correctionOptions.repeatAtOnce = true;
    Play({"3"}, GameModeChoiceOtherLessons);
    const std::string right = d.choiceRound.texts[d.choiceRound.correctChoice];
    const std::string wrong = d.choiceRound.texts[WrongIndex()];
    d.CheckChoice(WrongIndex());
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(d.PrepareChoiceRound());
        const std::set<std::string> shown(d.choiceRound.texts.begin(), d.choiceRound.texts.end());
        EXPECT_EQ(shown, (std::set<std::string>{right, wrong}));
    }
}

TEST_F(ChoiceTest, NounsGetNounsAndGenderMarkersAreDropped) {
    CLingomatDoc& d = StartWith(Words);
    Play({"1"}, GameModeChoiceOtherLessons, LanguageGerman, LanguageFrench);
    const std::set<std::string> nouns = {"chien", "chatte",      "oiseau",
                                         "dinde", "\xE9l\xE8ve", "Turquie"};
    for (int round = 0; round < 30; ++round) {
        ASSERT_TRUE(d.PrepareChoiceRound());
        ExpectSoundRound();
        for (const std::string& text : d.choiceRound.texts) {
            EXPECT_TRUE(nouns.count(text)) << text;
        }
    }
}

TEST_F(ChoiceTest, AdmissionRules) {
    struct Case {
        const char* candidate;
        bool ignoreCase;
        bool taken;
    };
    const std::vector<Case> cases = {
        {"Turkey", true, true},
        {"Turkey", false, false},
        {"turkey", false, true},
        {"/turkey /hen", false, true},
        {"turkey (bird)", false, true},
        {"the dog", false, true},
        {"", false, true},
        {"the cat", false, false},
    };
    CLingomatDoc& d = StartWith(Words);
    Play({"1"}, GameModeChoiceOtherLessons);
    while (Current().answerText != "turkey") {
        d.NextQuestion();
    }
    d.choiceRound.texts = {"turkey", "the dog", "", ""};
    for (const Case& c : cases) {
        d.correctionOptions.ignoreCase = c.ignoreCase;
        EXPECT_EQ(d.ChoiceIsTaken(c.candidate), c.taken) << c.candidate << " " << c.ignoreCase;
    }
    d.choiceRound.texts = {"turkey", "the dog", "the bird", "pupil"};
    EXPECT_FALSE(d.ChoiceIsTaken("")) << "an empty text is taken only while a slot is empty";
}

// Few records, or answers that no rule alters: every round still ends, with the answers there are.
TEST_F(ChoiceTest, SmallOrUnalterableDataSetsStillGiveRounds) {
    struct Case {
        std::vector<ClassedRecord> records;
        GameMode mode;
        std::size_t filled;
    };
    const std::vector<Case> cases = {
        {{{"1", "n", "Hund", "dog", "chien"}}, GameModeChoiceOtherLessons, 1},
        {{{"1", "n", "Hund", "dog", "chien"}, {"1", "n", "Katze", "cat", "chat"}},
         GameModeChoiceOtherLessons,
         2},
        {{{"1", "n", "USA", "USA", "USA"}, {"1", "n", "Zahl", "42", "42"}},
         GameModeChoiceAlteredLetters,
         2},
        {{{"1", "n", "USA", "USA", "USA"},
          {"1", "n", "UNO", "UN", "ONU"},
          {"1", "n", "Zahl", "42", "42"}},
         GameModeChoiceAlteredLetters,
         3},
        {{{"1", "n", "UNO", "UN(USA)", "ONU"}, {"1", "n", "UNO USA", "UNUSA", "ONU USA"}},
         GameModeChoiceAlteredLetters,
         1},
        // Two distractors that both come out as a lone slash once their markers are gone.
        {{{"1", "n", "Hund", "dog", "chien"},
          {"9", "n", "a", "(m)/", "x"},
          {"9", "n", "b", "(f)/", "y"}},
         GameModeChoiceOtherLessons,
         2},
        // Told apart only by their parenthesised parts, which the gender markers hide.
        {{{"1", "n", "Hund", "dog (big)", "chien"}, {"1", "n", "Dogge", "dog big (m)", "dogue"}},
         GameModeChoiceOtherLessons,
         1},
    };
    for (const Case& c : cases) {
        CLingomatDoc& d = StartWith(c.records);
        d.multiNumber = 5;
        Play({"1"}, c.mode);
        for (int round = 0; round < 5; ++round) {
            d.NextQuestion();
            int calls = 1;
            for (; !d.PrepareChoiceRound() && calls < 20; ++calls) {
            }
            EXPECT_LE(calls, 9);
            ExpectSoundRound();
            EXPECT_EQ(Filled(), c.filled) << c.records.front().english;
        }
        // A pick of an empty slot is no answer: nothing is judged.
        for (std::uint32_t i = 0; i < d.choiceRound.texts.size(); ++i) {
            if (d.choiceRound.texts[i].empty()) {
                EXPECT_TRUE(d.CheckChoice(i));
            }
        }
        EXPECT_EQ(d.wrongCount + d.rightCount, 0u);
        EXPECT_EQ(d.lastVerdict, -1);
    }
}

} // namespace
} // namespace lingomat
