#include <string>

#include <benchmark/benchmark.h>

#include "game/LingomatDoc.h"
#include "matching/AnswerForms.h"
#include "matching/AnswerMatching.h"
#include "platform/ProfileStore.h"

namespace {

using namespace lingomat;

class QuietHost : public DocumentHost {
public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageButtons,
                              MessageIcon) override {
        return MessageAnswer::Yes;
    }
    void ChoosePlayer(PlayerStatistics&, std::string&) override {}
};

// A generated data set of 100,000 records in 100 lessons of 1,000, every fifth answer with
// several forms and optional parts, as the shipped vocabulary has them. Records come in pairs
// that ask the same question with different answers, so every verdict looks up the other one.
void FillVocabulary(CLingomatDoc& doc) {
    for (int lesson = 0; lesson < 100; ++lesson) {
        doc.lessonTable.lessons.push_back(
            {false, "Lektion " + std::to_string(lesson), "L" + std::to_string(lesson) + ";"});
    }
    for (int i = 0; i < 100'000; ++i) {
        VocEntry& entry = doc.vocabulary.emplace_back();
        const std::string n = std::to_string(i);
        entry.SetLesson("L" + std::to_string(i / 2 % 100) + ";");
        entry.SetText(LanguageGerman, "der Stra\\3enbahnwagen" + std::to_string(i / 2));
        entry.SetText(LanguageEnglish,
                      i % 5 == 0 ? "/the tram" + n + " /the (street)car" + n : "the tramcar" + n);
        entry.SetText(LanguageFrench, "le tramway" + n);
    }
}

struct Game {
    Game() : doc(host, profile, clock) {
        FillVocabulary(doc);
        doc.needsLoading = false;
        doc.OnNewDocument();
        FeedbackSettings noPause = doc.Feedback();
        noPause.correcting = false;
        doc.SetFeedbackSettings(noPause);
        doc.SetCorrectionOptions({true, true, false, true, true, true});
        doc.lessonTable.lessons[0].selected = true;
    }
    void Restart() {
        // A new game as the new-game command starts it: the finished one is reset first.
        doc.OnNewDocument();
        doc.lessonTable.lessons[0].selected = true;
        doc.StartGame();
    }
    std::string RightAnswer() {
        return SquashBlanks(FormAt(doc.pool.Current()->answerText, 0, forms));
    }

    QuietHost host;
    MemoryProfileStore profile;
    FixedClock clock{1700000000};
    CLingomatDoc doc;
    // Picks among several answer forms; the game's own draws stay the game's.
    Random forms;
};

// A right answer takes the question out and draws the next; the pool of 1,000 questions (one
// lesson) is built anew, outside the timing, when it runs out.
void BM_RightAnswer(benchmark::State& state) {
    Game game;
    game.Restart();
    for (auto _ : state) {
        if (game.doc.pool.Empty()) {
            state.PauseTiming();
            game.Restart();
            state.ResumeTiming();
        }
        game.doc.TypeAnswer(game.RightAnswer());
        benchmark::DoNotOptimize(game.doc.CheckTypedAnswer());
    }
    if (game.doc.WrongCount() != 0) {
        state.SkipWithError("a right answer was judged wrong");
    }
}

// A wrong answer with one right answer sufficing: the pool stays as it is, and the next question
// is drawn from its start.
void BM_WrongAnswer(benchmark::State& state) {
    Game game;
    game.Restart();
    game.doc.TypeAnswer("the bus");
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.doc.CheckTypedAnswer());
        game.doc.TypeAnswer("the bus");
    }
    if (game.doc.RightCount() != 0 || game.doc.pool.Size() != 1000) {
        state.SkipWithError("the pool changed");
    }
}

} // namespace

// The answer of the other record that asks the same question: right through the look-up.
void BM_RightAnswerOfTheSameQuestion(benchmark::State& state) {
    Game game;
    game.Restart();
    for (auto _ : state) {
        if (game.doc.pool.Empty()) {
            state.PauseTiming();
            game.Restart();
            state.ResumeTiming();
        }
        // The record's number ends its French text; its partner differs in the lowest bit.
        const std::size_t asked =
            std::stoul(game.doc.pool.Current()->entry->Text(LanguageFrench).substr(10));
        const VocEntry& other = game.doc.vocabulary[asked ^ 1];
        game.doc.TypeAnswer(SquashBlanks(FormAt(other.Text(LanguageEnglish), 0, game.forms)));
        benchmark::DoNotOptimize(game.doc.CheckTypedAnswer());
    }
    if (game.doc.WrongCount() != 0) {
        state.SkipWithError("an answer of the same question was judged wrong");
    }
}

BENCHMARK(BM_RightAnswer);
BENCHMARK(BM_RightAnswerOfTheSameQuestion);
BENCHMARK(BM_WrongAnswer);
