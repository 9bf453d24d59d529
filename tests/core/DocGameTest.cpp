#include <filesystem>
#include <optional>
#include <tuple>
#include <utility>

#include "DocFixture.h"

namespace lingomat {
namespace {

using testing::DocTest;

// The lessons and languages chosen; then the title and the answers asked for.
TEST_F(DocTest, LessonPoolTakesEveryRecordOfEachSelectedLesson) {
    const std::vector<std::tuple<testing::Lines, Language, Language, std::string, testing::Lines>>
        cases = {
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
    for (const auto& [codes, question, answer, title, answers] : cases) {
        Start();
        Play(codes, GameModeWrite, question, answer);
        EXPECT_EQ(PoolAnswers(), answers) << title;
        EXPECT_EQ(host.titles.back(), title);
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

// One wrong answer at the start, then only right ones until the game ends: with or without the
// pause that shows the verdict, one right answer sufficing or not, repeating at once or not.
TEST_F(DocTest, WriteGamesPlayToTheEndAndRecordTheResult) {
    for (const auto& [correcting, oneRight, repeatAtOnce] :
         {std::tuple{false, false, false}, std::tuple{false, true, false},
          std::tuple{true, false, true}, std::tuple{true, true, false}}) {
        SCOPED_TRACE(::testing::Message() << correcting << oneRight << repeatAtOnce);
        CLingomatDoc& d = Start();
        WithFeedback(d, [&](FeedbackSettings& f) { f.correcting = correcting; });
        WithCorrections(d, [&](CorrectionOptions& o) {
            o.oneRightSuffices = oneRight;
            o.repeatAtOnce = repeatAtOnce;
        });
        Play({"2"});
        ASSERT_EQ(d.pool.Size(), 3u);
        const VocEntry* missed = Current().entry;

        EXPECT_TRUE(Type("  the   wrong  colour "));
        EXPECT_EQ(d.VerdictText(), "Falsch! \" the wrong colour \" ist falsch!");
        EXPECT_EQ(missed->errorCount, 1u);
        EXPECT_EQ(d.pool.Size(), oneRight ? 3u : 4u);
        EXPECT_EQ(d.IsVerdictShowing(), correcting);
        if (correcting) {
            EXPECT_EQ(d.TypedAnswer(), "  the   wrong  colour ");
            EXPECT_TRUE(d.ContinueAfterFeedback());
        }
        EXPECT_TRUE(d.TypedAnswer().empty());
        if (repeatAtOnce) {
            EXPECT_EQ(Current().entry, missed);
        }

        int missedAsked = 0;
        bool running = true;
        for (int turn = 0; running && turn < 20; ++turn) {
            missedAsked += Current().entry == missed;
            const std::size_t before = d.pool.Size();
            running = Type(RightAnswer());
            EXPECT_EQ(d.VerdictText(), "Richtig!");
            if (running && correcting) {
                EXPECT_EQ(d.pool.Size(), before) << "left in place during the pause";
                running = d.ContinueAfterFeedback();
            }
        }
        ASSERT_FALSE(running);
        EXPECT_EQ(missedAsked, oneRight ? 1 : 2);
        EXPECT_EQ(d.RightCount(), oneRight ? 3u : 4u);
        EXPECT_FALSE(d.IsModified());
        const auto& records = d.Statistics().Records();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_FLOAT_EQ(records[0].score[0], oneRight ? 0.75f : 0.8f);
    }
}

// A record asked beside another whose question reads the same under the options: the answer of
// either is right, for the verdict, the counts and the error count alike. Rows: the other record
// stored beside «dick» -> «fat», the options, what is typed, whether it is right.
TEST_F(DocTest, AnAnswerOfTheSameQuestionIsRight) {
    using Case = std::tuple<const char*, const char*, CorrectionOptions, const char*, bool>;
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
    for (const auto& [otherQuestion, otherAnswer, options, typed, right] : cases) {
        CLingomatDoc& d = Start();
        WithoutPause(d);
        for (const auto& [question, answer] :
             {std::pair{"dick", "fat"}, std::pair{otherQuestion, otherAnswer}}) {
            VocEntry& entry = d.vocabulary.emplace_back();
            entry.SetText(LanguageGerman, question);
            entry.SetText(LanguageEnglish, answer);
        }
        d.SetCorrectionOptions(options);
        d.pool.Clear();
        VocEntry& asked = d.vocabulary[testing::Records.size()];
        d.pool.Append(Question::FromEntry(asked, LanguageGerman, LanguageEnglish));
        d.pool.Append(Question::FromEntry(asked, LanguageGerman, LanguageEnglish));
        d.gameStarted = true;
        EXPECT_TRUE(Type(typed));
        EXPECT_EQ(d.RightCount(), right ? 1u : 0u) << otherQuestion << " / " << typed;
        EXPECT_EQ(asked.errorCount, right ? 0u : 1u);
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
    // The word after its wait, each letter, the pause after the word, then letters again.
    std::vector<std::uint32_t> expected(answer.size() + 3, 100);
    expected[0] = 1000;
    expected[answer.size() + 1] = 500;
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
    // The game, its steps, and when the card is due then (none: the game changes no box).
    const std::vector<std::tuple<GameMode, std::vector<Step>, std::optional<Day>>> cases = {
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
    for (const auto& [mode, steps, dueIn] : cases) {
        CLingomatDoc& d = Start();
        WithoutPause(d);
        WithCorrections(d, [&](CorrectionOptions& o) { o.repeatAtOnce = true; });
        Play({"2"}, mode);
        const VocEntry* asked = Current().entry;
        for (const Step step : steps) {
            if (step == Skip) {
                d.SkipQuestion();
            } else if (step == Glimpse) {
                d.Glimpse();
                d.EndGlimpse();
            } else {
                Answer(step == Right);
            }
        }
        const Card* card = d.Cards().Find(*asked, LanguageGerman, LanguageEnglish);
        EXPECT_EQ(card ? std::optional<Day>(card->due - d.Today()) : std::nullopt, dueIn)
            << "mode " << mode << ", " << steps.size() << " steps";
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
    testing::WriteText(folder.File("Anna.andere.lmk"), "LingomatKartei 1\nSpieler\tAnna\n");
    host.chosenDataSet = "andere.voc";
    Start();
    EXPECT_EQ(host.messages.back().text,
              "Die Kartei \"Anna.andere.lmk\" ist besch\344digt. Die lesbaren Karten wurden "
              "\374bernommen. Die Datei wurde als \"Anna.andere.lmk.defekt\" beiseitegelegt.");
}

} // namespace
} // namespace lingomat
