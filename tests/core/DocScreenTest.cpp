#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>

#include "DocFixture.h"

namespace lingomat {
namespace {

using testing::DocTest;
using testing::Lines;

// Puts one question with the given answer on the screen of a running Copy game.
void AskOnly(CLingomatDoc& d, const std::string& answer) {
    d.pool.Clear();
    d.pool.Append(Question{&d.vocabulary.front(), "frage", answer, {}});
    d.gameStarted = true;
    d.ChooseGame(GameModeCopy, d.questionLanguage, d.answerLanguage);
    WithCopySettings(d, [&](CopyModeSettings& s) { s.templateVisible = true; });
}

// The answer, the copy mode, its count (letters shown, letters left out or percent, by mode),
// articles ignored, sharp s shown as ss, the form on screen; then the template.
TEST_F(DocTest, CopyTemplateShowsAsMuchAsTheModeSays) {
    using Case = std::tuple<const char*, std::uint32_t, std::uint32_t, bool, bool, std::uint32_t,
                            const char*>;
    const std::vector<Case> cases = {
        {"der Hund", 0, 0, false, false, 0, "der Hund"},
        {"der Hund", 1, 0, true, false, 0, ""},
        {"der Hund", 1, 2, true, false, 0, "Hu"},
        {"der Hund", 2, 2, false, false, 0, "der Hu"},
        {"der Hund", 2, 20, false, false, 0, "der Hund"},
        {"der Hund", 2, 8, false, false, 0, ""},
        {"Fenster", 3, 50, false, false, 0, "Fen"},
        {"Fenster", 3, 0, false, false, 0, ""},
        {"die Katze", 3, 50, true, false, 0, "Ka"},
        {"die Katze", 3, 50, false, false, 0, "die Ka"},
        {"die  Stra\337e ", 0, 0, false, true, 0, "die Strasse"},
        {"/the house /the home", 0, 0, false, false, 1, "the home"},
        {"/the house /the home", 0, 0, false, false, 7, "the house"},
        // Optional parts and gender markers are left out, so a copy is always an answer.
        {"(to) go", 0, 0, false, false, 0, "go"},
        {"le chat (m)", 3, 100, true, false, 0, "chat"},
        {"/(to) go /(to) walk", 0, 0, false, false, 1, "walk"},
        {"sich das Bein brechen", 0, 0, true, false, 0, "das Bein brechen"},
    };
    CLingomatDoc& d = Start();
    for (const auto& [answer, mode, count, ignoreArticles, szAsSs, variant, expected] : cases) {
        AskOnly(d, answer);
        WithCopySettings(d, [&](CopyModeSettings& s) {
            s.copyMode = mode;
            s.letterShown = count;
            s.letterNotShown = count;
            s.percentShown = count;
            s.showSZAsSS = szAsSs;
        });
        WithCorrections(d, [&](CorrectionOptions& o) { o.ignoreArticles = ignoreArticles; });
        DocProbe::AnswerVariant(d) = variant;
        EXPECT_EQ(d.CopyTemplate(), expected) << answer << " mode " << mode << " count " << count;
    }
    // Without a delay the template shows at once, with one only once it has run out; games
    // without a template have none.
    WithCopySettings(d, [&](CopyModeSettings& s) {
        s.timeBeforeCopy = 0;
        s.templateVisible = false;
    });
    EXPECT_EQ(d.CopyDelay(false), 0u);
    EXPECT_EQ(d.CopyTemplate(), "das Bein brechen");
    WithCopySettings(d, [&](CopyModeSettings& s) { s.timeBeforeCopy = 1500; });
    EXPECT_EQ(d.CopyDelay(false), 1500u);
    EXPECT_EQ(d.CopyTemplate(), "");
    EXPECT_EQ(d.CopyDelay(true), 0u);
    EXPECT_EQ(d.CopyTemplate(), "das Bein brechen");
    d.ChooseGame(GameModeWrite, d.questionLanguage, d.answerLanguage);
    EXPECT_EQ(d.CopyDelay(false), 0u);

    // Turning to the next form wraps at the number of forms; the next question starts afresh.
    AskOnly(d, "/a /b /c");
    for (const std::uint32_t expected : {1u, 2u, 0u, 1u}) {
        d.RotateAnswerForm();
        EXPECT_EQ(d.AnswerVariant(), expected);
    }
    d.NextQuestion();
    EXPECT_EQ(d.AnswerVariant(), 0u);
}

TEST_F(DocTest, RemovingDuplicatesKeepsTheFirstOfEachRecordAndTheCurrentWord) {
    CLingomatDoc& d = Start();
    Play({"1", "12"});
    ASSERT_EQ(d.pool.Size(), 5u);
    // Both halves of the split: the current question is the later copy of the house.
    d.pool.MoveToFirst();
    d.pool.Advance(4);
    const VocEntry* house = Current().entry;
    Type("falsch");
    ASSERT_TRUE(d.ContinueAfterFeedback());
    d.pool.MoveToFirst();
    d.pool.Advance(4);
    ASSERT_EQ(Current().entry, house);
    d.RemoveDuplicateQuestions();
    EXPECT_EQ(PoolAnswers(),
              (std::vector<std::string>{"the dog", "the cat", "the bird", "/the house /the home"}));
    EXPECT_EQ(Current().entry, house);
}

// Minutes and seconds since the start, the minutes counted within the hour.
TEST_F(DocTest, ClockShowsMinutesAndSecondsAndTicksOncePerSecond) {
    CLingomatDoc& d = Start();
    EXPECT_FALSE(d.TickClock());
    d.StartClock();
    for (const auto& [seconds, ticks, shown] :
         {std::tuple{0, false, "00 : 00"}, std::tuple{1, true, "00 : 01"},
          std::tuple{0, false, "00 : 01"}, std::tuple{65, true, "01 : 06"},
          std::tuple{3600, true, "01 : 06"}}) {
        clock.Advance(seconds);
        EXPECT_EQ(d.TickClock(), ticks) << seconds;
        EXPECT_EQ(d.ClockText(), shown) << seconds;
    }
    d.OnNewDocument();
    EXPECT_EQ(d.ClockText(), "");
}

// The tip file (none when empty), the lines kept and the tips drawn from them.
TEST_F(DocTest, TipsComeFromTheTipFileAndNeverAsEmptyLines) {
    const std::string longLine(800, 'x');
    const std::vector<std::tuple<const char*, std::string, std::size_t, std::set<std::string>>>
        cases = {
            {"missing", "", 0, {}},
            {"three tips", "Eins\nZwei\r\nDrei\n", 4, {"Eins", "Zwei", "Drei"}},
            {"no final line feed", "\n\nEins", 3, {"Eins"}},
            {"only empty lines", "\n\n\n", 4, {}},
            {"overlong line", longLine + "\nkurz\n", 3, {std::string(499, 'x'), "kurz"}},
        };
    for (const auto& [name, content, lines, tips] : cases) {
        std::filesystem::remove(folder.File("tipps.txt"));
        if (!content.empty()) {
            testing::WriteText(folder.File("tipps.txt"), content);
        }
        CLingomatDoc& d = Start();
        EXPECT_EQ(d.Tips().size(), lines) << name;
        std::set<std::string> seen;
        for (int i = 0; i < 60; ++i) {
            seen.insert(d.RandomTip());
        }
        EXPECT_EQ(seen, tips.empty() ? std::set<std::string>{""} : tips) << name;
    }
}

// Right, wrong and cheats, then sentences that each end a line of the report.
TEST_F(DocTest, ReportTextsFollowTheTally) {
    const std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, Lines>> cases = {
        {0, 0, 3, {"Sie haben keine einzige Frage beantwortet."}},
        {1, 0, 0, {"eine Frage beantwortet.", "sie richtig", "keine Fehler", "nicht geschummelt."}},
        {1, 2, 0, {"3 Fragen beantwortet.", "nur eine Frage richtig", "2 Fehler", "33.3% Ihrer"}},
        {2, 0, 0, {"alle richtig beantwortet.", "100.0% Ihrer Antworten waren richtig!"}},
        {0, 2, 4, {"keine Frage richtig", "0.0% Ihrer Antworten", "Sie haben 4 Mal geschummelt."}},
        {3, 1, 1, {"einen Fehler gemacht.", "25.0% Ihrer Antworten waren falsch!", "einmal"}},
    };
    CLingomatDoc& d = Start();
    for (const auto& [right, wrong, cheats, sentences] : cases) {
        DocProbe::RightCount(d) = right;
        DocProbe::WrongCount(d) = wrong;
        DocProbe::CheatCount(d) = cheats;
        for (const std::string& sentence : sentences) {
            EXPECT_NE(d.ReportText().find(sentence), std::string::npos) << sentence << "\n"
                                                                        << d.ReportText();
        }
    }
    DocProbe::RightCount(d) = 2;
    DocProbe::WrongCount(d) = 1;
    EXPECT_EQ(d.TallyText(),
              "66.7% Ihrer Antworten waren richtig!\n33.3% Ihrer Antworten waren falsch!\n");
    DocProbe::RightCount(d) = DocProbe::WrongCount(d) = 0;
    EXPECT_EQ(d.TallyText(), "");
}

// The end screen says how the game ended, what was played, also without lessons, and how long
// it took. Rows: the game, its lesson (none: an alphabetic game), the right answers before it
// ends, its seconds; then the headline, what was played and the end of the time report.
TEST_F(DocTest, EndScreenSaysHowTheGameEndedWhatWasPlayedAndHowLong) {
    using Case =
        std::tuple<GameMode, const char*, int, std::int64_t, const char*, const char*, const char*>;
    const std::vector<Case> cases = {
        {GameModeWrite, "2", 3, 60, "Gl\374ckwunsch, Sie haben Ihr Spiel geschafft!",
         "Gespielte Lektion: Farben",
         "alle Fragen beantwortet.\n\nSie haben f\xFCr Ihr Spiel 1 Minute und 0 Sekunden "
         "gebraucht.\nDies bedeutet 20.0 Sekunden pro Frage."},
        {GameModeWrite, "2", 2, 59, "Sie haben das Spiel vorzeitig beendet.",
         "Gespielte Lektion: Farben",
         "nicht beantwortet.\n\nSie haben f\xFCr Ihr Spiel 59 Sekunden gebraucht.\nDies bedeutet "
         "29.5 Sekunden pro Frage."},
        {GameModeView, "2", 0, 61, "Sie haben das Anschauen vorzeitig beendet.",
         "Gespielte Lektion: Farben",
         "3 Fragen nicht beantwortet.\n\nSie haben f\xFCr Ihr Spiel 1 Minute und 1 Sekunde "
         "gebraucht.\n"},
        {GameModeCopy, nullptr, 0, 0, "Sie haben das Spiel vorzeitig beendet.",
         "Gespielt: Alphabetisches Spiel von a bis z.",
         "Fragen nicht beantwortet.\n\nSie haben f\xFCr Ihr Spiel 0 Sekunden gebraucht.\n"},
    };
    CLingomatDoc& d = Start();
    WithoutPause(d);
    for (const auto& [mode, code, answered, seconds, headline, played, timeEnd] : cases) {
        if (code != nullptr) {
            Play({code}, mode, LanguageGerman, LanguageFrench);
        } else {
            d.OnNewDocument();
            d.ChooseGame(mode, d.questionLanguage, d.answerLanguage);
            d.StartAlphabeticGame("a", "z", LanguageGerman);
        }
        for (int i = 0; i < answered; ++i) {
            Answer(true);
        }
        d.EndGameNow();
        DocProbe::Timer(d).current = d.Timer().start + seconds;
        EXPECT_EQ(d.EndHeadline(), headline) << played;
        const std::string description = d.GameDescription();
        EXPECT_EQ(description.substr(description.rfind("\n") + 1), played);
        const std::string time = d.TimeReport();
        EXPECT_EQ(time.substr(time.size() - std::min(time.size(), std::strlen(timeEnd))), timeEnd)
            << time;
    }
}

} // namespace
} // namespace lingomat
