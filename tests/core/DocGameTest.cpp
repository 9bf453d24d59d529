#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "DocFixture.h"

namespace lingomat {
namespace {

using testing::DocTest;

TEST_F(DocTest, LessonPoolTakesEveryRecordOfEachSelectedLesson) {
    struct Case {
        std::vector<std::string> codes;
        Language question;
        Language answer;
        std::string title;
        std::vector<std::string> answers;
    };
    const std::vector<Case> cases = {
        // The house record belongs to "1" and "12" and so is asked twice.
        {{"1", "12"},
         LanguageGerman,
         LanguageEnglish,
         "Tiere, Haus",
         {"the dog", "the cat", "the bird", "/the house /the home", "/the house /the home"}},
        // Several answers are asked for, never shown as the question.
        {{"3"}, LanguageGerman, LanguageEnglish, "Verben", {"the street"}},
        {{"3"}, LanguageEnglish, LanguageGerman, "Verben", {"/gehen /laufen", "die Stra\337e"}},
    };
    for (const auto& c : cases) {
        Start();
        Play(c.codes, GameModeWrite, c.question, c.answer);
        EXPECT_EQ(doc->Title(), c.title);
        EXPECT_EQ(PoolAnswers(), c.answers) << c.title;
        EXPECT_EQ(host.titles.back(), c.title);
    }
}

TEST_F(DocTest, RangesNarrowLessonAndAlphabeticGames) {
    std::vector<testing::TestRecord> words;
    for (const char* german : {"b", "ba", "c", "der c2", "d", "da", "Clown", "die Eule"}) {
        words.push_back({"A", "", "", german});
    }
    testing::WriteDataSet(folder.File("lingomat.voc"), {{"Alle", "A"}}, words);
    CLingomatDoc& d = Start();
    d.lessonTable.lowerBound = "b";
    d.lessonTable.upperBound = "d";
    d.lessonTable.rangeLanguage = LanguageGerman;
    d.lessonTable.lessons[0].selected = true;
    d.lessonTable.selectedLessonCount = 1;
    d.questionLanguage = LanguageEnglish;
    d.answerLanguage = LanguageGerman;
    EXPECT_EQ(d.BuildLessonPool(), "Alle");
    // A capitalised noun lies in a lowercase range like any other word.
    EXPECT_EQ(PoolAnswers(), (std::vector<std::string>{"ba", "c", "der c2", "Clown"}));

    // The count follows the same rule as the pool, whatever the question language.
    d.questionLanguage = LanguageGerman;
    d.lessonTable.lessons[0].selected = false;
    d.lessonTable.selectedLessonCount = 0;
    EXPECT_EQ(d.CountLessonQuestions(), 4);
    d.lessonTable.upperBound.clear();
    EXPECT_EQ(d.CountLessonQuestions(), 0);

    d.OnNewDocument();
    d.answerLanguage = LanguageEnglish;
    d.StartAlphabeticGame("a", "c", LanguageGerman);
    EXPECT_EQ(d.Title(), "Alphabetisches Spiel von a bis c.");
    EXPECT_EQ(d.pool.Size(), 2u);
}

struct WriteGame {
    const char* name;
    bool correcting;
    bool oneRightSuffices;
    bool repeatAtOnce;
    // Test lists show the case by its name, not as raw bytes.
    friend void PrintTo(const WriteGame& c, std::ostream* os) { *os << c.name; }
};

class WriteGameTest : public DocTest, public ::testing::WithParamInterface<WriteGame> {};

// One wrong answer at the start, then only right ones until the game ends.
TEST_P(WriteGameTest, PlaysToTheEndAndRecordsTheResult) {
    const WriteGame& p = GetParam();
    CLingomatDoc& d = Start();
    WithFeedback(d, [&](FeedbackSettings& f) { f.correcting = p.correcting; });
    WithCorrections(d, [&](CorrectionOptions& o) {
        o.oneRightSuffices = p.oneRightSuffices;
        o.repeatAtOnce = p.repeatAtOnce;
    });
    Play({"2"});
    ASSERT_EQ(d.pool.Size(), 3u);
    const VocEntry* missed = Current().entry;

    EXPECT_TRUE(Type("  the   wrong  colour "));
    EXPECT_EQ(d.VerdictText(), "Falsch! \" the wrong colour \" ist falsch!");
    EXPECT_EQ(missed->errorCount, 1u);
    EXPECT_EQ(d.pool.Size(), p.oneRightSuffices ? 3u : 4u);
    EXPECT_EQ(d.IsVerdictShowing(), p.correcting);
    if (p.correcting) {
        EXPECT_EQ(d.TypedAnswer(), "  the   wrong  colour ");
        EXPECT_TRUE(d.ContinueAfterFeedback());
    }
    EXPECT_TRUE(d.TypedAnswer().empty());
    if (p.repeatAtOnce) {
        EXPECT_EQ(Current().entry, missed);
    }

    int missedAsked = 0;
    bool running = true;
    for (int turn = 0; running && turn < 20; ++turn) {
        missedAsked += Current().entry == missed;
        const std::size_t before = d.pool.Size();
        running = Type(RightAnswer());
        EXPECT_EQ(d.VerdictText(), "Richtig!");
        if (running && p.correcting) {
            EXPECT_EQ(d.pool.Size(), before) << "left in place during the pause";
            running = d.ContinueAfterFeedback();
        }
    }
    ASSERT_FALSE(running);
    EXPECT_EQ(missedAsked, p.oneRightSuffices ? 1 : 2);
    EXPECT_EQ(d.RightCount(), p.oneRightSuffices ? 3u : 4u);
    EXPECT_FALSE(d.IsModified());
    const auto& records = d.Statistics().Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_FLOAT_EQ(records[0].score[0], p.oneRightSuffices ? 0.75f : 0.8f);
}

INSTANTIATE_TEST_SUITE_P(Options, WriteGameTest,
                         ::testing::Values(WriteGame{"plain", false, false, false},
                                           WriteGame{"oneRight", false, true, false},
                                           WriteGame{"correctingRepeat", true, false, true},
                                           WriteGame{"correctingOneRight", true, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A record asked beside another whose question reads the same under the options: the answer of
// either is right, for the verdict, the counts and the error count alike.
TEST_F(DocTest, AnAnswerOfTheSameQuestionIsRight) {
    struct Case {
        const char* otherQuestion; // stored, beside «dick» -> «fat»
        const char* otherAnswer;
        CorrectionOptions options;
        const char* typed;
        bool right;
    };
    const std::vector<Case> cases = {
        {"dick", "thick", {}, "fat", true},
        {"dick", "(the) thick", {}, "thick", true},
        {"dick", "thick", {}, "thin", false},
        {"Dick", "thick", {}, "thick", false},
        {"Di-ck", "thick", {.ignoreCase = true, .ignoreSpacing = true}, "thick", true},
        {"der dick", "thick", {.ignoreArticles = true}, "thick", true},
        {"d\355ck", "thick", {.ignoreAccents = true}, "thick", true}, // díck
        // A several-answer text is never asked, so it is no question to share answers with.
        {"/dick /fett", "thick", {}, "thick", false},
    };
    for (const Case& c : cases) {
        CLingomatDoc& d = Start();
        WithoutPause(d);
        for (const auto& [question, answer] :
             {std::pair{"dick", "fat"}, std::pair{c.otherQuestion, c.otherAnswer}}) {
            VocEntry& entry = d.vocabulary.emplace_back();
            entry.SetText(LanguageGerman, question);
            entry.SetText(LanguageEnglish, answer);
        }
        d.SetCorrectionOptions(c.options);
        d.pool.Clear();
        VocEntry& asked = d.vocabulary[testing::Records.size()];
        d.pool.Append(Question::FromEntry(asked, LanguageGerman, LanguageEnglish));
        d.pool.Append(Question::FromEntry(asked, LanguageGerman, LanguageEnglish));
        d.gameStarted = true;
        EXPECT_TRUE(Type(c.typed));
        EXPECT_EQ(d.RightCount(), c.right ? 1u : 0u) << c.otherQuestion << " / " << c.typed;
        EXPECT_EQ(asked.errorCount, c.right ? 0u : 1u);
    }
}

TEST_F(DocTest, SkipsAndGlimpsesCountAsCheats) {
    CLingomatDoc& d = Start();
    WithoutPause(d);
    Play({"12"});
    d.Glimpse();
    d.EndGlimpse();
    EXPECT_FALSE(d.SkipQuestion());
    EXPECT_EQ(d.VerdictText(),
              "Sie haben eine Frage \374bersprungen.\n\" the house, the home \" w\xE4re die "
              "richtige Antwort f\xFCr:\n\" das Haus \" gewesen.");
    EXPECT_EQ(d.CheatCount(), 2u);
    EXPECT_EQ(d.RightCount() + d.WrongCount(), 0u);
    EXPECT_TRUE(d.IsGameOver());
    // Nothing runs any more: no further cheat, skip or second record of the same game.
    d.Glimpse();
    EXPECT_FALSE(d.SkipQuestion());
    d.EndGameNow();
    EXPECT_EQ(d.CheatCount(), 2u);
    const auto& record = d.Statistics().Records().at(0);
    ASSERT_EQ(record.Count(), 1u);
    EXPECT_EQ(record.score[0], 0.0f) << "no answer is a score of 0, not NaN";
}

TEST_F(DocTest, EmptyPoolIsSafeEverywhere) {
    CLingomatDoc& d = Start();
    // A lesson or range game without questions never starts, and the player is told why.
    Play({"9"});
    EXPECT_FALSE(d.StartAlphabeticGame("xa", "xb", LanguageGerman));
    EXPECT_FALSE(d.IsModified());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_NE(host.messages[0].text.find("keine Frage"), std::string::npos);
    EXPECT_EQ(d.Title(), "Neues Spiel");
    // An error file without records still starts.
    testing::WriteText(folder.File("leer.lef"), "0\n1\n");
    d.OnOpenDocument(folder.File("leer.lef"));
    d.NextQuestion();
    EXPECT_TRUE(Type("x"));
    EXPECT_TRUE(d.CheckChoice(0));
    EXPECT_TRUE(d.ContinueAfterFeedback());
    EXPECT_FALSE(d.SkipQuestion());
    d.Glimpse();
    d.RotateAnswerForm();
    d.RemoveDuplicateQuestions();
    WithCopySettings(d, [&](CopyModeSettings& s) { s.templateVisible = true; });
    EXPECT_EQ(d.CopyTemplate(), "");
    EXPECT_EQ(d.RevealedAnswer(), "");
    EXPECT_EQ(d.RightCount() + d.WrongCount() + d.CheatCount(), 0u);
    EXPECT_EQ(d.RemainingText(), "Es sind keine Fragen mehr zu beantworten.");
    EXPECT_TRUE(d.EndGameNow());
    EXPECT_TRUE(d.Statistics().Records().empty());
}

TEST_F(DocTest, PauseEndsOnceAndASkipDuringItTakesTheQuestionOnScreen) {
    CLingomatDoc& d = Start();
    Play({"1"});
    ASSERT_TRUE(Type(RightAnswer()));
    ASSERT_TRUE(d.IsVerdictShowing());
    EXPECT_TRUE(Type(RightAnswer()));
    EXPECT_EQ(d.RightCount(), 1u) << "an answer during the pause is not judged";
    EXPECT_TRUE(d.ContinueAfterFeedback());
    EXPECT_EQ(d.pool.Size(), 3u);
    EXPECT_TRUE(d.ContinueAfterFeedback());
    EXPECT_EQ(d.pool.Size(), 3u) << "a second end of the same pause removes nothing";

    // Right or wrong, the question judged in the pause is the one skipped, never the next one
    // the player has not seen; its answer and words are what the screen shows afterwards.
    for (const bool right : {true, false}) {
        const std::size_t before = d.pool.Size();
        const Question shown = Current();
        ASSERT_TRUE(Answer(right));
        ASSERT_TRUE(d.IsVerdictShowing());
        EXPECT_TRUE(d.SkipQuestion());
        EXPECT_FALSE(d.IsVerdictShowing());
        EXPECT_EQ(d.PreviousEntry(), shown.entry);
        EXPECT_NE(d.VerdictText().find("\" " + shown.questionText + " \""), std::string::npos)
            << d.VerdictText();
        // After a wrong answer its repetition stays in the pool.
        EXPECT_EQ(d.pool.Size(), right ? before - 1 : before);
    }
    EXPECT_EQ(d.RightCount(), 2u);
    EXPECT_EQ(d.WrongCount(), 1u);
    EXPECT_EQ(d.CheatCount(), 2u);
}

// Without a delay the template shows at once; with one, only once it has run out.
TEST_F(DocTest, CopyGameShowsTheTemplateAfterItsDelay) {
    CLingomatDoc& d = Start();
    WithCopySettings(d, [&](CopyModeSettings& s) { s.timeBeforeCopy = 0; });
    Play({"2"}, GameModeCopy);
    EXPECT_EQ(d.CopyDelay(false), 0u);
    EXPECT_EQ(d.CopyTemplate(), RightAnswer());

    WithCopySettings(d, [&](CopyModeSettings& s) { s.timeBeforeCopy = 1500; });
    Play({"2"}, GameModeCopy);
    EXPECT_EQ(d.CopyDelay(false), 1500u);
    EXPECT_EQ(d.CopyTemplate(), "");
    EXPECT_EQ(d.CopyDelay(true), 0u);
    EXPECT_EQ(d.CopyTemplate(), RightAnswer());
    d.ChooseGame(GameModeWrite, d.questionLanguage, d.answerLanguage);
    EXPECT_EQ(d.CopyDelay(false), 0u);
}

TEST_F(DocTest, ViewGameStepsFollowTheSettingsAndNeverStallAtZero) {
    CLingomatDoc& d = Start();
    d.SetViewModeSettings({true, 100, 500, 1000, false, false});
    Play({"2"}, GameModeView);
    const std::string answer = Current().answerText;
    std::vector<std::uint32_t> delays;
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < answer.size() + 3; ++i) {
        delays.push_back(d.ViewModeStep());
        shown.push_back(d.RevealedAnswer());
    }
    std::vector<std::uint32_t> expected{1000};
    expected.insert(expected.end(), answer.size(), 100);
    expected.push_back(500);
    expected.push_back(100);
    EXPECT_EQ(delays, expected);
    EXPECT_EQ(shown[1], answer.substr(0, 1));
    EXPECT_EQ(shown[answer.size() + 1], answer);

    // Several answers are revealed as the glimpse shows them, without the stored slashes.
    WithViewSettings(d, [&](ViewModeSettings& s) { s.letterByLetter = false; });
    Play({"12"}, GameModeView);
    d.ViewModeStep();
    EXPECT_EQ(d.RevealedAnswer(), "the house, the home");

    d.SetViewModeSettings({false, 0, 0, 0, false, false});
    Play({"2"}, GameModeView);
    int steps = 0;
    for (std::uint32_t delay = 1; delay != 0 && steps < 50; ++steps) {
        delay = d.ViewModeStep();
        EXPECT_TRUE(delay != 0 || d.IsGameOver());
    }
    EXPECT_EQ(steps, 6);
    // On the end screen, with the game recorded as watched to its end.
    EXPECT_TRUE(d.IsGameOver());
    EXPECT_EQ(d.EndHeadline(), "Sie haben sich alle W\xF6rter angeschaut.");
    EXPECT_EQ(d.ViewModeStep(), 0u);
    EXPECT_EQ(d.Statistics().Records().at(0).Count(), 1u);
}

TEST_F(DocTest, TestingGamesMoveCardsAndCheatsCountAsWrong) {
    enum Step { Right, Wrong, Skip, Glimpse };
    struct Case {
        GameMode mode;
        std::vector<Step> steps;
        std::optional<Day> dueIn; // none: the game changes no box
    };
    const std::vector<Case> cases = {
        {GameModeWrite, {Right}, 1},
        {GameModeWrite, {Wrong, Right}, 0}, // only a first-try answer moves a card up
        {GameModeWrite, {Glimpse, Right}, 0},
        {GameModeWrite, {Skip}, 0},
        {GameModeChoiceOtherLessons, {Right}, 1},
        {GameModeChoiceOtherLessons, {Wrong}, 0},
        {GameModeChoiceAlteredLetters, {Glimpse, Right}, 0},
        {GameModeCopy, {Right}, std::nullopt},
        {GameModeCopy, {Wrong, Skip}, std::nullopt},
        {GameModeView, {Skip}, std::nullopt},
    };
    for (const auto& c : cases) {
        CLingomatDoc& d = Start();
        WithoutPause(d);
        WithCorrections(d, [&](CorrectionOptions& o) { o.repeatAtOnce = true; });
        Play({"2"}, c.mode);
        const VocEntry* asked = Current().entry;
        const bool choice = TraitsOf(c.mode).choice;
        for (const Step step : c.steps) {
            const auto right = d.Round().correctChoice;
            std::uint32_t wrong = 0;
            while (choice && (wrong == right || d.Round().texts[wrong].empty())) {
                ++wrong;
            }
            if (step == Skip) {
                d.SkipQuestion();
            } else if (step == Glimpse) {
                d.Glimpse();
                d.EndGlimpse();
            } else if (choice) {
                d.CheckChoice(step == Right ? right : wrong);
            } else {
                Answer(step == Right);
            }
        }
        const Card* card = d.Cards().Find(*asked, LanguageGerman, LanguageEnglish);
        EXPECT_EQ(card ? std::optional<Day>(card->due - d.Today()) : std::nullopt, c.dueIn)
            << "mode " << c.mode << ", " << c.steps.size() << " steps";
    }
}

TEST_F(DocTest, DueWordsComeBackAndTheBoxOutlivesEditsOfTheDataSet) {
    CLingomatDoc& d = Start();
    WithoutPause(d);
    Play({"1"});
    bool dogMissed = false;
    for (int turn = 0; turn < 20 && !d.IsGameOver(); ++turn) {
        const bool dog = Current().answerText == "the dog";
        Answer(!dog || dogMissed);
        dogMissed = dogMissed || dog;
    }
    ASSERT_TRUE(d.IsGameOver());
    EXPECT_TRUE(std::filesystem::exists(folder.File("Anna.lingomat.lmk")))
        << "the box is written at the end of every game";
    EXPECT_EQ(d.DueTodayCount(), 1u);

    // The lesson dialog's check box narrows a game to the due words.
    Play({"1"});
    EXPECT_EQ(d.CountLessonQuestions(), 4);
    d.SetDueOnly(true);
    EXPECT_EQ(d.CountLessonQuestions(), 1);
    d.SetDueOnly(false);

    d.OnNewDocument();
    ASSERT_TRUE(d.StartDueGame());
    EXPECT_EQ(d.Title(), "F\xE4llige W\xF6rter");
    EXPECT_EQ(PoolAnswers(), std::vector<std::string>{"the dog"});
    EXPECT_FALSE(Answer(true));
    d.OnNewDocument();
    EXPECT_FALSE(d.StartDueGame());
    EXPECT_EQ(host.messages.back().text, "Heute ist in der Richtung Deutsch - Englisch kein Wort "
                                         "f\xE4llig. Die n\344chsten W\xF6rter sind morgen, am " +
                                             DayText(d.Today() + 1) + " f\xE4llig.");
    d.answerLanguage = LanguageFrench;
    EXPECT_FALSE(d.StartDueGame());
    EXPECT_NE(host.messages.back().text.find("noch kein Wort in Ihrer Kartei"), std::string::npos);
    d.OnCloseDocument();

    // Two days on: the words of box 1 are due, the dog from box 2 too. The data set
    // now has its records in another order and an edited cat, which starts afresh.
    clock.Advance(2 * 86400);
    auto records = testing::Records;
    std::swap(records[0], records[2]);
    records[1].english = "the kitten";
    testing::WriteDataSet(folder.File("lingomat.voc"), testing::Lessons, records);
    CLingomatDoc& later = Start();
    EXPECT_EQ(later.DueTodayCount(), 3u);
    EXPECT_EQ(later.LessonBoxCounts("1", LanguageGerman, LanguageEnglish),
              (std::array<std::uint32_t, 6>{1, 2, 1, 0, 0, 0}));
    later.OnCloseDocument();

    // Another data set has a box of its own; a damaged box file is reported and set aside.
    std::filesystem::copy_file(folder.File("lingomat.voc"), folder.File("andere.voc"));
    std::ofstream(folder.File("Anna.andere.lmk")) << "LingomatKartei 1\nSpieler\tAnna\n";
    host.chosenDataSet = "andere.voc";
    Start();
    EXPECT_EQ(host.messages.back().text,
              "Die Kartei \"Anna.andere.lmk\" ist besch\344digt. Die lesbaren Karten wurden "
              "\374bernommen. Die Datei wurde als \"Anna.andere.lmk.defekt\" beiseitegelegt.");
}

} // namespace
} // namespace lingomat
